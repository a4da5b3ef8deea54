#pragma once
// Answers the modal dialogs that open, in order, one entry each: a script that
// works the shown dialog (and must end it), or an answer given without showing it
// (for message boxes). A dialog beyond the queue, or one still open 5 s after its
// script, is cancelled and fails the test. Message boxes are recorded as
// "message | title", whichever way they are answered.

#include <wx/modalhook.h>
#include <wx/string.h>

#include <deque>
#include <functional>
#include <vector>

class wxDialog;

class DialogQueue : public wxModalDialogHook
{
public:
    DialogQueue();
    ~DialogQueue() override;

    DialogQueue& Then(std::function<void(wxDialog&)> script);
    DialogQueue& Answer(int id);

    int Opened() const { return m_Opened; }
    const wxString& LastTitle() const { return m_LastTitle; }
    const std::vector<wxString>& Messages() const { return m_Messages; }

protected:
    int Enter(wxDialog* dialog) override;
    void Exit(wxDialog*) override {}

private:
    struct Entry
    {
        std::function<void(wxDialog&)> script;
        int answer;
    };
    std::deque<Entry> m_Entries;
    int m_Opened = 0;
    wxString m_LastTitle;
    std::vector<wxString> m_Messages;
};
