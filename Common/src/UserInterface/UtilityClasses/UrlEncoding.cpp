#include "UserInterface/UtilityClasses/UrlEncoding.h"

#include <cstring>

namespace Orbisk {

wxString UrlEncodeAll(const wxString& s)
{
    wxString encoded;
    const wxScopedCharBuffer utf8 = s.utf8_str();
    for (size_t i = 0; i < utf8.length(); ++i)
        encoded += wxString::Format("%%%02X", static_cast<unsigned>(static_cast<unsigned char>(utf8.data()[i])));
    return encoded;
}

wxString UrlEncodeInNonStandardWay_ForMailChimp(const wxString& s)
{
    static const char* const Encoded = " !\"#$&'()*+,-./:;<=>?@[\\]^_`{|}~";
    wxString result;
    result.reserve(s.length());
    for (wxUniChar c : s) {
        const wxUniChar::value_type code = c.GetValue();
        // A backspace stands in for the percent sign while the others are replaced,
        // so one already in the text comes out as "%25" as well.
        if (code == '%' || code == 8)
            result += "%25";
        else if (code > 0 && code < 128 && std::strchr(Encoded, static_cast<char>(code)) != nullptr)
            result += wxString::Format("%%%02X", static_cast<unsigned>(code));
        else
            result += c;
    }
    return result;
}

wxString UrlEncode_But_DontConvert_NonReservedChars(const wxString& s)
{
    return UrlEncodeInNonStandardWay_ForMailChimp(s);
}

}  // namespace Orbisk
