#pragma once
// One pass over a document's bytes that checks its JSON syntax and finds where
// things are, without building a tree: the members of the root object and the
// entries of its "elements" list, as byte ranges. The reader then parses the
// envelope and one element at a time, so memory stays near the file's size and
// the element limit applies before anything is built. Objects that name a key
// twice are refused (a tree would silently keep one of the values).

#include <QByteArray>

#include <string>
#include <utility>
#include <vector>

namespace Vantrel {

struct ScannedDocument
{
    struct Range
    {
        int begin = 0;
        int end = 0;  // one past the last byte
    };
    bool rootIsObject = false;
    // The root object's members in order: key as written (without quotes) and value.
    std::vector<std::pair<QByteArray, Range>> rootMembers;
    // The entries of the root's "elements" list, when it is a list.
    bool elementsIsList = false;
    std::vector<Range> elements;
};

// False with `what` (a short English reason) and `offset` (the byte) for text that
// is not JSON, nests deeper than `maxDepth`, repeats a key within one object, or
// has more than `maxElements` entries in the root's "elements" list (`tooMany` set).
bool ScanJsonDocument(const QByteArray& bytes, int maxElements, int maxDepth, ScannedDocument& out, std::string& what,
                      int& offset, bool& tooMany);

// Whether `bytes` is JSON that names no key twice in one object and nests no deeper
// than `maxDepth`: what may be handed to Qt's parser, which keeps one of a repeated
// key's values silently and loses the memory of the others.
bool IsJsonWithDistinctKeys(const QByteArray& bytes, int maxDepth);

}  // namespace Vantrel
