#pragma once
// Passes every record on to another log target with its level intact, whether
// it arrives as a full record or as plain text at a level. The run-aware log
// forwards by level and text only; through this adapter its records still reach
// targets that handle whole records (the GUI log, a recording log in tests),
// traces and debug records included.

#include <wx/log.h>

namespace Vantrel {

class LogChainAdapter : public wxLog {
public:
    explicit LogChainAdapter(wxLog* target) : m_Target(target) {}
    ~LogChainAdapter() override { delete m_Target; }

    void Flush() override;

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) override;
    void DoLogTextAtLevel(wxLogLevel level, const wxString& msg) override;

private:
    wxLog* m_Target;
};

}  // namespace Vantrel
