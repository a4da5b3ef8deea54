#pragma once
// Crash report of the GUI library's kind, compressed for sending.

#include <wx/debugrpt.h>

namespace Vantrel {

class VTDebugReport : public wxDebugReportCompress
{
public:
    // The subject suffix, built once per process.
    static const wxString& SubjectSuffix();

protected:
    bool DoProcess() override;
};

}  // namespace Vantrel
