#include "UserInterface/UtilityClasses/RAII_LogRedirection.h"

#include "UserInterface/UtilityClasses/EasyRedirectMinimalErrorLog.h"
#include "UserInterface/UtilityClasses/wxLogHelperFunctions.h"

#include <wx/log.h>

namespace Orbisk {

struct RAII_LogRedirection::Private
{
    Handler handler;
    wxLog* previous = nullptr;
    EasyRedirectMinimalErrorLog* capture = nullptr;
    wxLogChain* chain = nullptr;
};

RAII_LogRedirection::RAII_LogRedirection() : RAII_LogRedirection(wxString(), Handler()) {}

RAII_LogRedirection::RAII_LogRedirection(const wxString& ignorePrefix, const Handler& handler)
    : m_private(std::make_unique<Private>()), m_chained(false)
{
    m_private->handler = handler;
    m_private->capture = new EasyRedirectMinimalErrorLog(ignorePrefix);
    m_private->previous = wxLog::SetActiveTarget(m_private->capture);
}

RAII_LogRedirection::RAII_LogRedirection(const Handler& handler)
    : m_private(std::make_unique<Private>()), m_chained(true)
{
    m_private->handler = handler;
    m_private->previous = wxLog::GetActiveTarget();
    m_private->capture = new EasyRedirectMinimalErrorLog();
    // The chain makes itself the active target and passes every record on to the previous one.
    m_private->chain = new wxLogChain(m_private->capture);
}

RAII_LogRedirection::~RAII_LogRedirection()
{
    wxLog::SetActiveTarget(m_private->previous);
    if (m_private->handler) {
        m_private->handler(*m_private->capture);
    } else {
        const wxString collected = m_private->capture->GetAllMessagesConcatenatedTogetherAndClearQueue("\n\n");
        if (!collected.empty()) EitherLogVerboseOrLogErrorBasedOnEnvironment(collected);
    }
    if (m_chained) {
        // Deleting the chain deletes the capture and re-activates the previous target again.
        delete m_private->chain;
    } else {
        delete m_private->capture;
    }
}

}  // namespace Orbisk
