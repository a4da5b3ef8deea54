#include "MultipleParentRuleLinkDlg.h"

#include <NonPersistentHelpers/VTElementsList.h>
#include <UserInterface/Dialogs/ModalSheetConstruction.h>
#include <UserInterface/UtilityClasses/TextHelpers.h>
#include <VTCore/Interface_UsesRules.h>
#include <VTCore/VTElement.h>
#include <VTCore/VTRule.h>

#include <wx/button.h>
#include <wx/checklst.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/stattext.h>

namespace Vantrel {

wxIMPLEMENT_DYNAMIC_CLASS(MultipleParentRuleLinkDlg, wxDialog);

wxBEGIN_EVENT_TABLE(MultipleParentRuleLinkDlg, wxDialog)
    EVT_CHECKLISTBOX(MultipleParentRuleLinkDlg::ID_LIST,
                     MultipleParentRuleLinkDlg::CheckMultipleBoxesAccordingToSelection)
    EVT_BUTTON(wxID_OK, MultipleParentRuleLinkDlg::OnCommitLinks)
    EVT_BUTTON(wxID_CANCEL, MultipleParentRuleLinkDlg::OnCancel)
    EVT_BUTTON(MultipleParentRuleLinkDlg::ID_SELECT_ALL, MultipleParentRuleLinkDlg::OnSelectAll)
wxEND_EVENT_TABLE()

namespace {
Interface_UsesRules* RulesOf(VTElementsList& list, size_t i) { return dynamic_cast<Interface_UsesRules*>(list[i]); }
}  // namespace

MultipleParentRuleLinkDlg::MultipleParentRuleLinkDlg() { Init(); }

MultipleParentRuleLinkDlg::MultipleParentRuleLinkDlg(VTElementsList* parents, VTRule* rule,
                                                     boost::function<void()> onCommit, wxWindow* parent, wxWindowID id,
                                                     const wxString& caption, const wxPoint& pos, const wxSize& size,
                                                     long style)
{
    Init();
    m_Parents = parents;
    m_Rule = rule;
    m_OnCommit = std::move(onCommit);
    Create(parent, id, caption, pos, size, style);
    for (size_t i = 0; m_Parents && i < m_Parents->Size(); ++i) {
        Minimal_VTElement* element = (*m_Parents)[i];
        m_List->Append(element ? element->GetName() : wxString());
        Interface_UsesRules* rules = RulesOf(*m_Parents, i);
        m_List->Check(unsigned(i), rules && rules->UsesRule(m_Rule));
    }
    Layout();
}

void MultipleParentRuleLinkDlg::Init()
{
    m_Prompt = nullptr;
    m_List = nullptr;
    m_SelectAll = nullptr;
    m_Cancel = nullptr;
    m_OK = nullptr;
    m_Parents = nullptr;
    m_Rule = nullptr;
}

bool MultipleParentRuleLinkDlg::Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                                       const wxSize& size, long style)
{
    Orbisk::CreateSheet(*this, parent, id, caption, pos, size, style, [this] { CreateControls(); });
    return true;
}

void MultipleParentRuleLinkDlg::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    m_Prompt = new wxStaticText(this, wxID_STATIC, _("Check the trials that you want to apply this rule to:"));
    top->Add(m_Prompt, 0, wxLEFT | wxRIGHT | wxTOP, 18);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    top->Add(row, 1, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 5);
    auto* column = new wxBoxSizer(wxVERTICAL);
    row->Add(column, 12, wxEXPAND | wxLEFT | wxRIGHT | wxBOTTOM, 5);
    m_List = new wxCheckListBox(this, ID_LIST, wxDefaultPosition, wxSize(-1, 200), 0, nullptr,
                                wxLB_EXTENDED | wxBORDER_NONE);
    column->Add(m_List, 1, wxEXPAND | wxALL, 5);
    m_SelectAll = new wxButton(this, ID_SELECT_ALL, _("Select All"));
    column->Add(m_SelectAll, 0, wxLEFT, 5);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    top->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    m_Cancel = new wxButton(this, wxID_CANCEL, _("Cancel"));
    buttons->Add(m_Cancel, 1, wxALL, 10);
    m_OK = new wxButton(this, wxID_OK, _("OK"));
    m_OK->SetDefault();
    buttons->Add(m_OK, 1, wxALL, 10);
    if (m_Parents && m_Parents->GetStoredElementsType() == ElementType::Block)
        Orbisk::HelperFunctionChangeStaticTextIfNew(m_Prompt, top, nullptr,
                                                    _("Check the blocks that you want to apply this rule to:"), -999);
}

void MultipleParentRuleLinkDlg::CheckMultipleBoxesAccordingToSelection(wxCommandEvent& event)
{
    const int row = event.GetInt();
    if (row < 0 || unsigned(row) >= m_List->GetCount()) return;
    if (!m_List->IsSelected(row)) {
        event.Skip();
        return;
    }
    const bool checked = m_List->IsChecked(unsigned(row));
    wxArrayInt selected;
    m_List->GetSelections(selected);
    for (int i : selected) m_List->Check(unsigned(i), checked);
}

void MultipleParentRuleLinkDlg::OnSelectAll(wxCommandEvent&)
{
    for (unsigned i = 0; i < m_List->GetCount(); ++i) m_List->SetSelection(int(i));
}

void MultipleParentRuleLinkDlg::OnCommitLinks(wxCommandEvent&)
{
    for (size_t i = 0; m_Parents && i < m_Parents->Size() && i < m_List->GetCount(); ++i) {
        Interface_UsesRules* rules = RulesOf(*m_Parents, i);
        if (!rules) continue;
        const bool holds = rules->UsesRule(m_Rule);
        // Only a change is written: an element that holds the rule keeps its link as it is.
        if (m_List->IsChecked(unsigned(i)) && !holds)
            rules->AttachRule(m_Rule);
        else if (!m_List->IsChecked(unsigned(i)) && holds)
            rules->DetachRule(m_Rule);
    }
    if (m_OnCommit) m_OnCommit();
    Orbisk::EndSheetWithCode(*this, wxID_OK);
}

void MultipleParentRuleLinkDlg::OnCancel(wxCommandEvent&) { Orbisk::EndSheetWithCode(*this, wxID_CANCEL); }

wxBitmap MultipleParentRuleLinkDlg::GetBitmapResource(const wxString&) { return wxNullBitmap; }
wxIcon MultipleParentRuleLinkDlg::GetIconResource(const wxString&) { return wxNullIcon; }
bool MultipleParentRuleLinkDlg::ShowToolTips() { return true; }

}  // namespace Vantrel
