#pragma once
// Text crossing between the two string types, for the translation units that
// talk to Qt (streams, JSON). Not for widely included headers.

#include <QString>
#include <wx/string.h>

namespace Vantrel {

inline QString ToQtString(const wxString& s)
{
    const wxScopedCharBuffer utf8 = s.utf8_str();
    return QString::fromUtf8(utf8.data(), int(utf8.length()));
}

inline wxString ToWxString(const QString& s)
{
    const QByteArray utf8 = s.toUtf8();
    return wxString::FromUTF8(utf8.constData(), std::size_t(utf8.size()));
}

}  // namespace Vantrel
