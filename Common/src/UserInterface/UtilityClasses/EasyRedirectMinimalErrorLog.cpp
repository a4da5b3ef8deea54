#include "UserInterface/UtilityClasses/EasyRedirectMinimalErrorLog.h"

#include <wx/intl.h>

namespace Orbisk {

struct EasyRedirectMinimalErrorLog::Private
{
    std::list<wxString> queue;
    bool read = false;
    wxString ignorePrefix;
};

EasyRedirectMinimalErrorLog::EasyRedirectMinimalErrorLog()
    : m_private(std::make_unique<Private>()), m_observedErrors(false)
{}

EasyRedirectMinimalErrorLog::EasyRedirectMinimalErrorLog(const wxString& ignorePrefix)
    : m_private(std::make_unique<Private>()), m_observedErrors(false)
{
    m_private->ignorePrefix = ignorePrefix;
}

EasyRedirectMinimalErrorLog::~EasyRedirectMinimalErrorLog() = default;

bool EasyRedirectMinimalErrorLog::ObservedOneOrMoreErrors() const { return m_observedErrors; }

std::list<wxString> EasyRedirectMinimalErrorLog::GetUnreadMessagesAndClearQueue()
{
    m_private->read = true;
    return m_private->queue;
}

wxString EasyRedirectMinimalErrorLog::GetAllMessagesConcatenatedTogetherAndClearQueue(const wxString& separator)
{
    m_private->read = true;
    wxString joined;
    bool first = true;
    for (const wxString& line : m_private->queue) {
        if (!first) joined += separator;
        joined += line;
        first = false;
    }
    return joined;
}

void EasyRedirectMinimalErrorLog::DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo&)
{
    wxString prefix;
    switch (level) {
        case wxLOG_Error: prefix = _("Error: "); break;
        case wxLOG_Warning: prefix = _("Warning: "); break;
        case wxLOG_Debug: prefix = "Debug: "; break;
        case wxLOG_Trace: prefix = "Trace: "; break;
        default: break;
    }
    const wxString line = prefix + msg;
    if (!m_private->ignorePrefix.empty() && line.StartsWith(m_private->ignorePrefix)) return;
    // The queue is kept after a read until something new arrives, so repeated
    // reads see the same lines.
    if (m_private->read) {
        m_private->queue.clear();
        m_observedErrors = false;
        m_private->read = false;
    }
    m_private->queue.push_back(line);
    if (level == wxLOG_Error) m_observedErrors = true;
}

}  // namespace Orbisk
