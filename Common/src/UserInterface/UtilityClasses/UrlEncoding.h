#pragma once
// Percent-encoding of texts for URLs.

#include <wx/string.h>

namespace Orbisk {

// Every byte of the UTF-8 form becomes "%XX".
wxString UrlEncodeAll(const wxString& s);
// "%" and 32 ASCII punctuation characters (including - . _ ~) become "%XX";
// letters, digits, controls and non-ASCII characters pass unchanged.
wxString UrlEncodeInNonStandardWay_ForMailChimp(const wxString& s);
// The same as UrlEncodeInNonStandardWay_ForMailChimp.
wxString UrlEncode_But_DontConvert_NonReservedChars(const wxString& s);

}  // namespace Orbisk
