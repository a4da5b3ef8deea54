#pragma once
// The four correctness codes that an experiment writes into its data files.

#include <wx/string.h>

class QDataStream;
class wxDataInputStream;

namespace Vantrel {

class VTErrorCodes
{
public:
    enum VTCorrectness
    {
        Correct = 0,
        Incorrect = 1,
        SelfCorrect = 2,
        NoResponse = 3
    };
    static constexpr int kCount = 4;

    VTErrorCodes();
    VTErrorCodes(const VTErrorCodes& other);
    VTErrorCodes& operator=(const VTErrorCodes& other);
    virtual ~VTErrorCodes();

    // An index outside 0..3 gives an empty string rather than reading past the codes.
    const wxString& GetCodeAsString(VTCorrectness c) const;
    // false and nothing changed for an index outside 0..3.
    bool SetCodeWithString(VTCorrectness c, const wxString& code);
    // The label of a code's field ("Correct:", ...), translated; empty outside 0..3.
    static wxString GetDisplayLabel(VTCorrectness c);
    static wxString GetDefaultCode(VTCorrectness c);

    bool operator==(const VTErrorCodes& other) const;
    bool operator!=(const VTErrorCodes& other) const { return !(*this == other); }

private:
    wxString m_Codes[kCount];
};

// Four strings in index order, nothing in front. A failed read leaves the codes
// unchanged and the stream's failure visible (QDataStream::status, wx LastRead/IsOk).
QDataStream& operator<<(QDataStream& out, const VTErrorCodes& codes);
QDataStream& operator>>(QDataStream& in, VTErrorCodes& codes);
wxDataInputStream& operator>>(wxDataInputStream& in, VTErrorCodes& codes);

}  // namespace Vantrel
