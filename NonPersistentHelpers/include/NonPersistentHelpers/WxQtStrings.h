#pragma once
// Text crossing between the two string types, for the translation units that
// talk to Qt (streams, JSON). Not for widely included headers.

#include <QString>
#include <wx/string.h>

namespace Vantrel {

// Character by character: Qt's decoders (fromUtf8, fromWCharArray) drop a byte-order
// mark at the start, so a text beginning with U+FEFF would lose it on the way.
inline QString ToQtString(const wxString& s)
{
    QString out;
    out.reserve(int(s.length()));
    for (const wxUniChar c : s) {
        const uint u = c.GetValue();
        if (QChar::requiresSurrogates(u)) {
            out.append(QChar(QChar::highSurrogate(u)));
            out.append(QChar(QChar::lowSurrogate(u)));
        } else {
            out.append(QChar(ushort(u)));
        }
    }
    return out;
}

inline wxString ToWxString(const QString& s)
{
    const QByteArray utf8 = s.toUtf8();
    return wxString::FromUTF8(utf8.constData(), std::size_t(utf8.size()));
}

}  // namespace Vantrel
