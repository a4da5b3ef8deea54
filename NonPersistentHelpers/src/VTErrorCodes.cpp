#include <NonPersistentHelpers/VTErrorCodes.h>
#include <NonPersistentHelpers/WxQtStrings.h>

#include "WxDataStreamCheck.h"

#include <QDataStream>
#include <wx/datstrm.h>
#include <wx/intl.h>

#include <vector>

namespace Vantrel {

namespace {

bool IsValidIndex(VTErrorCodes::VTCorrectness c)
{
    return static_cast<unsigned>(c) < static_cast<unsigned>(VTErrorCodes::kCount);
}

// Reads one string of the older wide-data stream (32-bit byte count, UTF-8 bytes)
// without trusting the count: the buffer grows only as bytes really arrive.
bool ReadOlderString(wxDataInputStream& in, wxString& out)
{
    const wxUint32 length = in.Read32();
    if (!NonPersistentDetail::LastReadWasComplete(in, 4)) return false;
    std::vector<char> bytes;
    const std::size_t chunk = 64 * 1024;
    std::size_t remaining = length;
    while (remaining > 0) {
        const std::size_t n = remaining < chunk ? remaining : chunk;
        const std::size_t old = bytes.size();
        bytes.resize(old + n);
        in.Read8(reinterpret_cast<wxUint8*>(bytes.data() + old), n);
        if (!NonPersistentDetail::LastReadWasComplete(in, n)) return false;
        remaining -= n;
    }
    out = wxString::FromUTF8(bytes.data(), bytes.size());
    if (out.empty() && !bytes.empty()) out = wxString(bytes.data(), wxConvISO8859_1, bytes.size());
    return true;
}

}  // namespace

VTErrorCodes::VTErrorCodes()
{
    for (int i = 0; i < kCount; ++i) m_Codes[i] = GetDefaultCode(VTCorrectness(i));
}

VTErrorCodes::VTErrorCodes(const VTErrorCodes& other)
{
    for (int i = 0; i < kCount; ++i) m_Codes[i] = other.m_Codes[i];
}

VTErrorCodes& VTErrorCodes::operator=(const VTErrorCodes& other)
{
    if (this != &other)
        for (int i = 0; i < kCount; ++i) m_Codes[i] = other.m_Codes[i];
    return *this;
}

VTErrorCodes::~VTErrorCodes() = default;

const wxString& VTErrorCodes::GetCodeAsString(VTCorrectness c) const
{
    static const wxString none;
    return IsValidIndex(c) ? m_Codes[c] : none;
}

bool VTErrorCodes::SetCodeWithString(VTCorrectness c, const wxString& code)
{
    if (!IsValidIndex(c)) return false;
    m_Codes[c] = code;
    return true;
}

wxString VTErrorCodes::GetDisplayLabel(VTCorrectness c)
{
    switch (c) {
        case Correct: return _("Correct:");
        case Incorrect: return _("Incorrect:");
        case SelfCorrect: return _("Self-correct:");
        case NoResponse: return _("No response:");
    }
    return wxString();
}

wxString VTErrorCodes::GetDefaultCode(VTCorrectness c)
{
    switch (c) {
        case Correct: return wxS("C");
        case Incorrect: return wxS("E");
        case SelfCorrect: return wxS("SC");
        case NoResponse: return wxS("NR");
    }
    return wxString();
}

bool VTErrorCodes::operator==(const VTErrorCodes& other) const
{
    for (int i = 0; i < kCount; ++i)
        if (m_Codes[i] != other.m_Codes[i]) return false;
    return true;
}

QDataStream& operator<<(QDataStream& out, const VTErrorCodes& codes)
{
    for (int i = 0; i < VTErrorCodes::kCount; ++i)
        out << ToQtString(codes.GetCodeAsString(VTErrorCodes::VTCorrectness(i)));
    return out;
}

QDataStream& operator>>(QDataStream& in, VTErrorCodes& codes)
{
    QString read[VTErrorCodes::kCount];
    for (auto& s : read) {
        in >> s;
        if (in.status() != QDataStream::Ok) return in;  // codes stay as they were
    }
    for (int i = 0; i < VTErrorCodes::kCount; ++i)
        codes.SetCodeWithString(VTErrorCodes::VTCorrectness(i), ToWxString(read[i]));
    return in;
}

wxDataInputStream& operator>>(wxDataInputStream& in, VTErrorCodes& codes)
{
    wxString read[VTErrorCodes::kCount];
    for (auto& s : read) {
        if (!ReadOlderString(in, s)) {
            // A short read leaves the stream looking fine; one more read at the end
            // of the data makes the failure visible to the caller (IsOk false).
            wxUint8 probe;
            in.Read8(&probe, 1);
            return in;
        }
    }
    for (int i = 0; i < VTErrorCodes::kCount; ++i) codes.SetCodeWithString(VTErrorCodes::VTCorrectness(i), read[i]);
    return in;
}

}  // namespace Vantrel
