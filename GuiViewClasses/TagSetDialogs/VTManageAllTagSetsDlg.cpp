#include "VTManageAllTagSetsDlg.h"

#include "VTEditTagSetDlg.h"

#include <GuiViewClasses/MiscGui/EditVTElementT.h>
#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/VTDeletionMgr.h>
#include <VTCore/VTTagSet.h>
#include <VTPlugInCommon/VTListViews.h>

#include <wx/log.h>
#include <wx/textdlg.h>
#include <wx/xrc/xmlres.h>

namespace Vantrel {

VTManageAllTagSetsDlg::VTManageAllTagSetsDlg(wxWindow* parent, VTExperiment* experiment)
    : VTElementsListEditDlg(parent, experiment, _("Tag Sets"), _("Tag Sets"), ElementType::TagSet,
                            "dlg_manage_all_tag_sets")
{
    m_Tags = dynamic_cast<VTSimpleListView*>(FindWindow(XRCID("ID_LISTVALS")));
    if (m_Tags) {
        m_Tags->InitColumns();
        m_Tags->Bind(wxEVT_LIST_ITEM_ACTIVATED, &VTManageAllTagSetsDlg::OnTagActivated, this);
    }
    if (m_List) {
        m_List->Bind(wxEVT_LIST_ITEM_SELECTED, &VTManageAllTagSetsDlg::OnSetSelected, this);
        m_List->Bind(wxEVT_LIST_ITEM_DESELECTED, &VTManageAllTagSetsDlg::OnSetDeselected, this);
    }
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { DoEditTagsetValue(); }, XRCID("ID_VAL_EDIT"));
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnNewValue(); }, XRCID("ID_VAL_NEW"));
    Bind(
        wxEVT_BUTTON, [this](wxCommandEvent&) { OnDeleteValue(); }, XRCID("ID_VAL_DELETE"));
    for (const char* name : {"ID_VAL_EDIT", "ID_VAL_DELETE"})
        Bind(wxEVT_UPDATE_UI, &VTManageAllTagSetsDlg::OnUpdateTagButtons, this, XRCID(name));
    Bind(wxEVT_UPDATE_UI, &VTManageAllTagSetsDlg::OnUpdateNewTagButton, this, XRCID("ID_VAL_NEW"));
}

VTTagSet* VTManageAllTagSetsDlg::GetTagsetSelection() const
{
    const int row = m_List ? m_List->GetSelection() : -1;
    if (row < 0) return nullptr;
    return dynamic_cast<VTTagSet*>(
        reinterpret_cast<Minimal_VTElement*>(static_cast<wxUIntPtr>(m_List->GetUserData(row))));
}

VTTag* VTManageAllTagSetsDlg::TagOfRow(int row) const
{
    if (!m_Tags || row < 0 || row >= m_Tags->GetCount()) return nullptr;
    return dynamic_cast<VTTag*>(reinterpret_cast<Minimal_VTElement*>(static_cast<wxUIntPtr>(m_Tags->GetUserData(row))));
}

bool VTManageAllTagSetsDlg::EditItem(int index)
{
    const bool ok = FriendToElementDialogs::EitherExplainThatCreationIsDisallowed_Or_LaunchDialog<VTEditTagSetDlg>(
        this, m_Experiment, m_List, index == -1, false, -1, 0, {});
    if (!ok) return false;
    VTElementsListEditDlg::EditItem(index);
    if (index == -1) OnNewMandatoryValue();
    return true;
}

void VTManageAllTagSetsDlg::DeleteItem(unsigned int index)
{
    VTTagSet* set = GetTagsetSelection();
    const std::uint32_t setID = set ? set->GetID() : 0;
    if (set) set->SetDeleteTagsFlag(true);
    VTElementsListEditDlg::DeleteItem(index);
    // A set that is still there was not deleted: it must not stay marked for it.
    if (set)
        if (auto* kept = dynamic_cast<VTTagSet*>(m_Experiment->LookupElementByTypeAndID(ElementType::TagSet, setID)))
            kept->SetDeleteTagsFlag(false);
    FillValueList();
}

void VTManageAllTagSetsDlg::FillValueList()
{
    if (!m_Tags) return;
    m_Tags->Clear();
    VTTagSet* set = GetTagsetSelection();
    if (!set) return;
    // A locked experiment is shown as it would be stored, but not changed.
    wxString reason;
    const bool locked = m_Experiment->IsLocked(reason);
    bool renamed = false;
    VTLinkT& tags = set->GetCollectionOfUsedTags_deprecated();
    for (unsigned i = 0; i < tags.Size(); ++i) {
        VTElement* tag = tags.GetUsedElementPtr(i);
        if (!tag) continue;
        wxString name = tag->GetName();
        name.Trim(true);
        if (name.empty()) name = "(empty)";
        if (name != tag->GetName() && !locked) {
            tag->SetName(name);
            renamed = true;
        }
        m_Tags->AppendWithData(name, reinterpret_cast<wxUIntPtr>(tag));
    }
    if (renamed) m_Experiment->Modify(true);
}

bool VTManageAllTagSetsDlg::RefusedBecauseLocked()
{
    wxString reason;
    if (!m_Experiment->IsLocked(reason)) return false;
    wxLogError("%s", reason);
    return true;
}

bool VTManageAllTagSetsDlg::AskForTagName(const wxString& initial, wxString& name)
{
    wxTextEntryDialog ask(this, _("Value"), _("Please enter Value"), initial, wxOK | wxCANCEL | wxCENTRE);
    if (ask.ShowModal() != wxID_OK) return false;
    name = ask.GetValue();
    if (!wxString(name).Trim(true).empty()) return true;
    wxLogMessage(_("Sorry, a tag must have characters other than spaces in it."));
    return false;
}

void VTManageAllTagSetsDlg::OnNewValue()
{
    VTTagSet* set = GetTagsetSelection();
    if (!set || RefusedBecauseLocked()) return;
    wxString name;
    if (!AskForTagName(wxString(), name)) return;
    if (!set->AddTag(name, -1)) return;
    m_Experiment->Modify(true);
    FillValueList();
    if (m_Tags) m_Tags->SetSelection(m_Tags->GetCount() - 1);
}

void VTManageAllTagSetsDlg::DoEditTagsetValue()
{
    if (m_Tags) DoEditElement(m_Tags->GetSelection());
}

void VTManageAllTagSetsDlg::DoEditElement(int row)
{
    VTTag* tag = TagOfRow(row);
    if (!tag || RefusedBecauseLocked()) return;
    wxString name;
    if (!AskForTagName(tag->GetName(), name)) return;
    tag->SetName(name);
    m_Experiment->Modify(true);
    FillValueList();
    m_Tags->SetSelection(row);
}

void VTManageAllTagSetsDlg::OnDeleteValue()
{
    const int row = m_Tags ? m_Tags->GetSelection() : -1;
    VTTag* tag = TagOfRow(row);
    VTTagSet* set = GetTagsetSelection();
    if (!tag || !set || RefusedBecauseLocked()) return;
    if (set->GetNumberOfUsedTags() <= 1) {
        wxLogMessage(_("Sorry, each tag set must contain at least one tag."));
        return;
    }
    VTDeletionMgr deletion(this, m_Experiment, tag);
    if (deletion.HandleDeletion(VTDeletionMgr::RemovalType_Normal, true, true)) {
        m_Experiment->Modify(true);
        FillValueList();
    } else {
        m_Tags->SetSelection(row);
    }
}

void VTManageAllTagSetsDlg::OnNewMandatoryValue()
{
    // The editor appended the new set: it is the last one.
    VTElementsList& sets = m_Experiment->GetElementsOfType(ElementType::TagSet);
    VTTagSet* set = sets.Empty() ? nullptr : dynamic_cast<VTTagSet*>(sets[sets.Size() - 1]);
    if (!set) return;
    VTTag* tag = set->AddTag("Tag 1", -1);
    if (!tag || !m_Tags) return;
    m_Tags->Clear();
    m_Tags->SetSelection(int(m_Tags->AppendWithData(tag->GetName(), reinterpret_cast<wxUIntPtr>(tag))));
    DoEditTagsetValue();
}

void VTManageAllTagSetsDlg::OnSetSelected(wxListEvent& event)
{
    event.Skip();
    FillValueList();
}

void VTManageAllTagSetsDlg::OnSetDeselected(wxListEvent& event)
{
    event.Skip();
    if (m_List->GetSelection() == -1 && m_Tags) m_Tags->Clear();
}

void VTManageAllTagSetsDlg::OnTagActivated(wxListEvent&) { DoEditTagsetValue(); }

void VTManageAllTagSetsDlg::OnUpdateTagButtons(wxUpdateUIEvent& event)
{
    event.Enable(m_Tags && m_Tags->GetSelection() != -1);
}

void VTManageAllTagSetsDlg::OnUpdateNewTagButton(wxUpdateUIEvent& event)
{
    event.Enable(GetTagsetSelection() != nullptr);
}

}  // namespace Vantrel
