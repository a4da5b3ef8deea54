#include "DialogQueue.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/msgdlg.h>

DialogQueue::DialogQueue() { Register(); }

DialogQueue::~DialogQueue()
{
    Unregister();
    EXPECT_TRUE(m_Entries.empty()) << m_Entries.size() << " expected dialogs never opened";
}

DialogQueue& DialogQueue::Then(std::function<void(wxDialog&)> script)
{
    m_Entries.push_back({std::move(script), wxID_NONE});
    return *this;
}

DialogQueue& DialogQueue::Answer(int id)
{
    m_Entries.push_back({{}, id});
    return *this;
}

int DialogQueue::Enter(wxDialog* dialog)
{
    ++m_Opened;
    m_LastTitle = dialog->GetTitle();
    if (auto* box = dynamic_cast<wxMessageDialog*>(dialog))
        m_Messages.push_back(box->GetMessage() + " | " + m_LastTitle);
    if (m_Entries.empty()) {
        ADD_FAILURE() << "an unexpected dialog opened: " << m_LastTitle;
        return wxID_CANCEL;
    }
    Entry entry = std::move(m_Entries.front());
    m_Entries.pop_front();
    if (!entry.script) return entry.answer;
    TestSupport::ScriptShownDialog(dialog, std::move(entry.script));
    return wxID_NONE;
}
