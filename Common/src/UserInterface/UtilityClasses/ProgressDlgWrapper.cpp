#include "UserInterface/UtilityClasses/ProgressDlgWrapper.h"

#include <wx/datetime.h>
#include <wx/progdlg.h>
#include <wx/utils.h>

#include <algorithm>

namespace Orbisk {

ProgressDlgWrapper::ProgressDlgWrapper(int style, unsigned int delayMs, wxWindow* parent, const wxString& title,
                                       unsigned int maximum)
    : m_finished(false),
      m_dialog(nullptr),
      m_style(style),
      m_startTimeMs(wxDateTime::UNow().GetValue().GetValue()),
      m_delayMs(delayMs),
      m_title(title),
      m_parent(parent),
      m_maximum(maximum == 0 ? 1 : static_cast<int>(maximum)),
      m_currentItem(0)
{}

ProgressDlgWrapper::~ProgressDlgWrapper() { HideAndDestroy(); }

void ProgressDlgWrapper::HideAndDestroy()
{
    m_finished = true;
    if (m_dialog != nullptr) {
        m_dialog->Hide();
        m_dialog->Destroy();
        m_dialog = nullptr;
    }
}

// The dialog's value must stay inside [0, range): at the full range wx finishes the dialog.
int ProgressDlgWrapper::ValueShownForCurrentItem() const
{
    const int range = m_dialog != nullptr ? m_dialog->GetRange() : m_maximum;
    return std::max(0, std::min(m_currentItem, range - 1));
}

void ProgressDlgWrapper::CreateDialogWhenDue()
{
    if (m_finished || m_dialog != nullptr) return;
    const std::int64_t now = wxDateTime::UNow().GetValue().GetValue();
    if (now - m_startTimeMs < static_cast<std::int64_t>(m_delayMs)) return;
    m_dialog = new wxGenericProgressDialog(m_title, m_currentText, std::max(1, m_maximum), m_parent, m_style);
    m_dialog->Update(ValueShownForCurrentItem(), m_currentText);
}

void ProgressDlgWrapper::UpdateTheMaxRange(int maximum)
{
    if (m_finished) return;
    m_maximum = maximum;
    CreateDialogWhenDue();
    if (m_dialog != nullptr && m_dialog->GetRange() != m_maximum && m_maximum > 0) m_dialog->SetRange(m_maximum);
}

void ProgressDlgWrapper::AddThisMuchMoreToMaxRange(int delta) { UpdateTheMaxRange(m_maximum + delta); }

void ProgressDlgWrapper::UpdateItemAndText(int item, const wxString& text)
{
    if (m_finished) return;
    m_currentItem = item;
    m_currentText = text;
    CreateDialogWhenDue();
    if (m_dialog != nullptr) m_dialog->Update(ValueShownForCurrentItem(), m_currentText);
}

void ProgressDlgWrapper::UpdateCurrentItem(int item) { UpdateItemAndText(item, m_currentText); }

void ProgressDlgWrapper::AddThisMuchMoreToCurrItemStatus(int delta)
{
    UpdateItemAndText(m_currentItem + delta, m_currentText);
}

void ProgressDlgWrapper::UpdateTheText(const wxString& text) { UpdateItemAndText(m_currentItem, text); }

bool ProgressDlgWrapper::TheUserCanceled() const
{
    if (m_finished) return true;
    return m_dialog != nullptr && m_dialog->WasCancelled();
}

void ProgressDlgWrapper::Yield_Deprecated_NotForNewCallSites()
{
    if (!m_finished && m_dialog != nullptr) wxSafeYield(m_dialog, true);
}

}  // namespace Orbisk
