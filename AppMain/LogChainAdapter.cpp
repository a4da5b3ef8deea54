#include "AppMain/LogChainAdapter.h"

#include <wx/time.h>

namespace Vantrel {

void LogChainAdapter::Flush() {
    if (m_Target) m_Target->Flush();
}

void LogChainAdapter::DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) {
    if (m_Target) m_Target->LogRecord(level, msg, info);
}

void LogChainAdapter::DoLogTextAtLevel(wxLogLevel level, const wxString& msg) {
    wxLogRecordInfo info;
    info.timestampMS = wxGetUTCTimeMillis().GetValue();
    DoLogRecord(level, msg, info);
}

}  // namespace Vantrel
