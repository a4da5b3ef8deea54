#include "VTCore/JsonDocumentScanner.h"

#include <cstring>
#include <limits>
#include <unordered_set>

namespace Vantrel {

namespace {

class Scanner
{
public:
    Scanner(const QByteArray& bytes, int maxDepth)
        : m_Begin(bytes.constData()),
          m_P(bytes.constData()),
          m_End(bytes.constData() + bytes.size()),
          m_MaxDepth(maxDepth)
    {}

    bool Document(int maxElements, ScannedDocument& out, bool& tooMany)
    {
        SkipSpace();
        if (m_P < m_End && *m_P == '{') {
            out.rootIsObject = true;
            if (!Root(maxElements, out, tooMany)) return false;
        } else if (!Value(0)) {
            return false;
        }
        SkipSpace();
        return m_P == m_End || Fail("text after the end of the document");
    }

    const std::string& What() const { return m_What; }
    int Offset() const { return m_ErrorAt; }

private:
    int Here() const { return int(m_P - m_Begin); }
    bool Fail(const char* what)
    {
        if (m_What.empty()) {
            m_What = what;
            m_ErrorAt = Here();
        }
        return false;
    }
    void SkipSpace()
    {
        while (m_P < m_End && (*m_P == ' ' || *m_P == '\n' || *m_P == '\r' || *m_P == '\t')) ++m_P;
    }
    bool Expect(char c)
    {
        SkipSpace();
        if (m_P < m_End && *m_P == c) {
            ++m_P;
            return true;
        }
        return false;
    }

    static void AppendUtf8(std::string& s, unsigned cp)
    {
        if (cp < 0x80) {
            s += char(cp);
        } else if (cp < 0x800) {
            s += char(0xC0 | (cp >> 6));
            s += char(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            s += char(0xE0 | (cp >> 12));
            s += char(0x80 | ((cp >> 6) & 0x3F));
            s += char(0x80 | (cp & 0x3F));
        } else {
            s += char(0xF0 | (cp >> 18));
            s += char(0x80 | ((cp >> 12) & 0x3F));
            s += char(0x80 | ((cp >> 6) & 0x3F));
            s += char(0x80 | (cp & 0x3F));
        }
    }

    bool Hex4(unsigned& value)
    {
        value = 0;
        for (int i = 0; i < 4; ++i, ++m_P) {
            if (m_P >= m_End) return Fail("an unfinished escape");
            const char c = *m_P;
            value <<= 4;
            if (c >= '0' && c <= '9')
                value |= unsigned(c - '0');
            else if (c >= 'a' && c <= 'f')
                value |= unsigned(c - 'a' + 10);
            else if (c >= 'A' && c <= 'F')
                value |= unsigned(c - 'A' + 10);
            else
                return Fail("a malformed escape");
        }
        return true;
    }

    // A string at m_P; its decoded text goes to `decoded` when given (keys).
    bool String(std::string* decoded)
    {
        if (m_P >= m_End || *m_P != '"') return Fail("a missing text");
        ++m_P;
        while (m_P < m_End) {
            const unsigned char c = static_cast<unsigned char>(*m_P);
            if (c == '"') {
                ++m_P;
                return true;
            }
            if (c < 0x20) return Fail("a control character in a text");
            if (c != '\\') {
                if (decoded) *decoded += char(c);
                ++m_P;
                continue;
            }
            if (++m_P >= m_End) break;
            const char e = *m_P++;
            unsigned cp = 0;
            switch (e) {
                case '"': cp = '"'; break;
                case '\\': cp = '\\'; break;
                case '/': cp = '/'; break;
                case 'b': cp = '\b'; break;
                case 'f': cp = '\f'; break;
                case 'n': cp = '\n'; break;
                case 'r': cp = '\r'; break;
                case 't': cp = '\t'; break;
                case 'u': {
                    if (!Hex4(cp)) return false;
                    // A surrogate pair names one character.
                    if (cp >= 0xD800 && cp < 0xDC00 && m_End - m_P >= 6 && m_P[0] == '\\' && m_P[1] == 'u') {
                        m_P += 2;
                        unsigned low = 0;
                        if (!Hex4(low)) return false;
                        if (low >= 0xDC00 && low < 0xE000)
                            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
                        else if (decoded)
                            AppendUtf8(*decoded, cp), cp = low;
                    }
                    break;
                }
                default: return Fail("a malformed escape");
            }
            if (decoded) AppendUtf8(*decoded, cp);
        }
        return Fail("an unfinished text");
    }

    bool Digits()
    {
        const char* start = m_P;
        while (m_P < m_End && *m_P >= '0' && *m_P <= '9') ++m_P;
        return m_P > start;
    }

    bool Number()
    {
        if (m_P < m_End && *m_P == '-') ++m_P;
        if (!Digits()) return Fail("a malformed number");
        if (m_P < m_End && *m_P == '.') {
            ++m_P;
            if (!Digits()) return Fail("a malformed number");
        }
        if (m_P < m_End && (*m_P == 'e' || *m_P == 'E')) {
            ++m_P;
            if (m_P < m_End && (*m_P == '+' || *m_P == '-')) ++m_P;
            if (!Digits()) return Fail("a malformed number");
        }
        return true;
    }

    bool Word(const char* word)
    {
        const std::size_t n = std::strlen(word);
        if (std::size_t(m_End - m_P) < n || std::memcmp(m_P, word, n) != 0) return Fail("an unknown word");
        m_P += n;
        return true;
    }

    bool Value(int depth)
    {
        SkipSpace();
        if (m_P >= m_End) return Fail("a missing value");
        switch (*m_P) {
            case '{': return Object(depth + 1, nullptr);
            case '[': return List(depth + 1, nullptr);
            case '"': return String(nullptr);
            case 't': return Word("true");
            case 'f': return Word("false");
            case 'n': return Word("null");
            default: return Number();
        }
    }

    bool Object(int depth, void* rootContext)
    {
        if (depth > m_MaxDepth) return Fail("nesting too deep");
        ++m_P;  // '{'
        std::unordered_set<std::string> keys;
        if (Expect('}')) return true;
        do {
            SkipSpace();
            const char* keyStart = m_P;
            std::string key;
            if (!String(&key)) return false;
            const QByteArray raw(keyStart + 1, int(m_P - keyStart - 2));
            if (!keys.insert(key).second) {
                m_P = keyStart;
                return Fail("a key named twice in one object");
            }
            if (!Expect(':')) return Fail("a missing ':'");
            if (rootContext) {
                if (!RootMember(raw, key, *static_cast<RootContext*>(rootContext))) return false;
            } else if (!Value(depth)) {
                return false;
            }
        } while (Expect(','));
        return Expect('}') || Fail("a missing ',' or '}'");
    }

    bool List(int depth, std::vector<ScannedDocument::Range>* entries, int maxEntries = 0, bool* tooMany = nullptr)
    {
        if (depth > m_MaxDepth) return Fail("nesting too deep");
        ++m_P;  // '['
        if (Expect(']')) return true;
        do {
            SkipSpace();
            const int begin = Here();
            if (!Value(depth)) return false;
            if (entries) {
                if (int(entries->size()) >= maxEntries) {
                    *tooMany = true;
                    return Fail("too many elements");
                }
                entries->push_back({begin, Here()});
            }
        } while (Expect(','));
        return Expect(']') || Fail("a missing ',' or ']'");
    }

    struct RootContext
    {
        ScannedDocument* out;
        int maxElements;
        bool* tooMany;
    };

    bool RootMember(const QByteArray& raw, const std::string& key, RootContext& root)
    {
        SkipSpace();
        const int begin = Here();
        if (key == "elements" && m_P < m_End && *m_P == '[') {
            root.out->elementsIsList = true;
            return List(2, &root.out->elements, root.maxElements, root.tooMany);
        }
        if (!Value(1)) return false;
        root.out->rootMembers.push_back({raw, {begin, Here()}});
        return true;
    }

    bool Root(int maxElements, ScannedDocument& out, bool& tooMany)
    {
        RootContext root{&out, maxElements, &tooMany};
        return Object(1, &root);
    }

    const char* m_Begin;
    const char* m_P;
    const char* m_End;
    int m_MaxDepth;
    std::string m_What;
    int m_ErrorAt = 0;
};

}  // namespace

bool ScanJsonDocument(const QByteArray& bytes, int maxElements, int maxDepth, ScannedDocument& out, std::string& what,
                      int& offset, bool& tooMany)
{
    out = ScannedDocument();
    tooMany = false;
    Scanner scanner(bytes, maxDepth);
    if (scanner.Document(maxElements, out, tooMany)) return true;
    what = scanner.What();
    offset = scanner.Offset();
    return false;
}

bool IsJsonWithDistinctKeys(const QByteArray& bytes, int maxDepth)
{
    ScannedDocument scanned;
    std::string what;
    int offset = 0;
    bool tooMany = false;
    return ScanJsonDocument(bytes, std::numeric_limits<int>::max(), maxDepth, scanned, what, offset, tooMany);
}

}  // namespace Vantrel
