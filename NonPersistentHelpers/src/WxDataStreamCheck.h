#pragma once
// wxDataInputStream reports a short read only through its underlying stream
// (IsOk stays true when some but not all bytes arrived), which it keeps protected.

#include <wx/datstrm.h>

namespace Vantrel {
namespace NonPersistentDetail {

// True when the stream is fine and its last read delivered exactly `expected` bytes.
inline bool LastReadWasComplete(wxDataInputStream& in, std::size_t expected)
{
    struct Access : wxDataInputStream
    {
        static wxInputStream* wxDataInputStream::*Member() { return &Access::m_input; }
    };
    const wxInputStream* raw = in.*Access::Member();
    return raw && raw->LastRead() == expected && (raw->IsOk() || raw->Eof());
}

}  // namespace NonPersistentDetail
}  // namespace Vantrel
