#pragma once
// Entry names of zip packages as the zip format defines them: UTF-8 when the
// entry's flag 0x0800 says so, otherwise code page 437 (what packers on Windows
// write). Every byte has a meaning in code page 437, so only a flagged name with
// bytes that are not UTF-8 cannot be decoded.

#include <wx/strconv.h>
#include <wx/string.h>

#include <string>

namespace Vantrel {

constexpr unsigned kZipUtf8NameFlag = 0x0800;

// The decoded name; false when the entry claims UTF-8 and is not.
bool DecodeZipEntryName(const std::string& raw, bool utf8Flag, wxString& name);

// The raw bytes as text that can be shown: printable ASCII as it is, every other
// byte as \xNN.
wxString PrintableZipEntryName(const std::string& raw);

// Code page 437 for wxZipInputStream, which applies it to names without the UTF-8 flag.
class ZipCp437Conv : public wxMBConv
{
public:
    size_t ToWChar(wchar_t* dst, size_t dstLen, const char* src, size_t srcLen = wxNO_LEN) const override;
    size_t FromWChar(char* dst, size_t dstLen, const wchar_t* src, size_t srcLen = wxNO_LEN) const override;
    wxMBConv* Clone() const override;
};

}  // namespace Vantrel
