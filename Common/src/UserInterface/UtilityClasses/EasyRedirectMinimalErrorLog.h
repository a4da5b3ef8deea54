#pragma once
// A log target that keeps what it receives, with a level prefix, so that code can
// collect what a piece of work logged. Reading marks the queue; the next record
// after a read starts a fresh queue.

#include <wx/log.h>
#include <wx/string.h>

#include <list>
#include <memory>

namespace Orbisk {

class EasyRedirectMinimalErrorLog : public wxLog
{
public:
    EasyRedirectMinimalErrorLog();
    // Records whose prefixed line starts with ignorePrefix are dropped.
    explicit EasyRedirectMinimalErrorLog(const wxString& ignorePrefix);
    ~EasyRedirectMinimalErrorLog() override;

    // True when an error-level record arrived since the queue last restarted.
    bool ObservedOneOrMoreErrors() const;
    std::list<wxString> GetUnreadMessagesAndClearQueue();
    // "" when nothing was queued; otherwise the lines with separator between them.
    wxString GetAllMessagesConcatenatedTogetherAndClearQueue(const wxString& separator);

protected:
    void DoLogRecord(wxLogLevel level, const wxString& msg, const wxLogRecordInfo& info) override;

private:
    struct Private;
    std::unique_ptr<Private> m_private;
    bool m_observedErrors;
};

}  // namespace Orbisk
