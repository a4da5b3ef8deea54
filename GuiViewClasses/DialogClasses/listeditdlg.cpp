#include "listeditdlg.h"

#include <VTCore/Minimal_VTElement.h>
#include <VTCore/VTDeletionMgr.h>
#include <VTCore/VTExperiment.h>
#include <VTPlugInCommon/VTException.h>
#include <VTPlugInCommon/VTListViews.h>

#include <wx/listctrl.h>
#include <wx/msgdlg.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

#include <initializer_list>

namespace Vantrel {

namespace {

// The fixed ids of code-built windows, by role.
const int kListIds[] = {25714, 10033, 29915};
const int kEditIds[] = {25719, 29911};
const int kNewIds[] = {25718, 10125, 29910};
const int kDeleteIds[] = {25717, 10036, 10124, 29912};
const int kEditDeleteUpdateIds[] = {25719, 25717, 10036, 10037, 10124};
const int kUpIds[] = {25715, 10121, 29913};
const int kDownIds[] = {25716, 10122, 29914};

}  // namespace

// ---- interfaces

bool IListEditor::IsValidItem(unsigned int) const { return true; }
IListEditor::~IListEditor() = default;

// ---- handler

VTListEditorEvtHandler::VTListEditorEvtHandler(IListEditor* editor) : m_Editor(editor)
{
    Bind(wxEVT_IDLE, &VTListEditorEvtHandler::OnInitList, this);
    const int list = XRCID("list");
    for (int id : {XRCID("ID_EDIT"), XRCID("ID_DELETE")})
        Bind(wxEVT_UPDATE_UI, &VTListEditorEvtHandler::OnUpdateEditDeleteButtons, this, id);
    for (int id : kEditDeleteUpdateIds)
        Bind(wxEVT_UPDATE_UI, &VTListEditorEvtHandler::OnUpdateEditDeleteButtons, this, id);
    Bind(wxEVT_BUTTON, &VTListEditorEvtHandler::OnEdit, this, XRCID("ID_EDIT"));
    Bind(wxEVT_BUTTON, &VTListEditorEvtHandler::OnNew, this, XRCID("ID_NEW"));
    Bind(wxEVT_BUTTON, &VTListEditorEvtHandler::OnDelete, this, XRCID("ID_DELETE"));
    for (int id : kEditIds) Bind(wxEVT_BUTTON, &VTListEditorEvtHandler::OnEdit, this, id);
    for (int id : kNewIds) Bind(wxEVT_BUTTON, &VTListEditorEvtHandler::OnNew, this, id);
    for (int id : kDeleteIds) Bind(wxEVT_BUTTON, &VTListEditorEvtHandler::OnDelete, this, id);
    for (int id : {list, kListIds[0], kListIds[1], kListIds[2]}) {
        Bind(wxEVT_LIST_ITEM_ACTIVATED, &VTListEditorEvtHandler::OnListDClick, this, id);
        Bind(wxEVT_LISTBOX_DCLICK, &VTListEditorEvtHandler::OnListBoxDClick, this, id);
    }
}

VTListEditorEvtHandler::~VTListEditorEvtHandler() = default;

bool VTListEditorEvtHandler::Guarded(const std::function<void()>& action)
{
    try {
        action();
        return true;
    } catch (const VantrelSDK::VTException& e) {
        e.DisplayErrorMessage();
        return false;
    }
}

void VTListEditorEvtHandler::OnInitList(wxIdleEvent& event)
{
    event.Skip();
    if (!m_FillOnIdle) return;
    m_FillOnIdle = false;
    RefreshList();
    if (Count() > 0) m_Editor->GetList()->SetSelection(0);
}

void VTListEditorEvtHandler::OnUpdateEditDeleteButtons(wxUpdateUIEvent& event)
{
    const int selection = Selection();
    event.Enable(selection != -1 && m_Editor->IsValidItem(unsigned(selection)));
}

void VTListEditorEvtHandler::OnNew(wxCommandEvent&)
{
    bool created = false;
    if (!Guarded([&] { created = m_Editor->EditItem(-1); }) || !created) return;
    RefreshList();
    m_Editor->GetList()->SetSelection(Count() - 1);
}

void VTListEditorEvtHandler::OnEdit(wxCommandEvent&)
{
    const int selection = Selection();
    if (!Guarded([&] { m_Editor->EditItem(selection); })) return;
    RefreshList();
    m_Editor->GetList()->SetSelection(selection);
}

void VTListEditorEvtHandler::OnDelete(wxCommandEvent&)
{
    const int selection = Selection();
    if (selection == -1) return;
    if (!Guarded([&] { m_Editor->DeleteItem(unsigned(selection)); })) return;
    RefreshList();
    if (wxWindow* list = m_Editor->GetList()->GetWnd()) list->SetFocus();
    const int count = Count();
    if (count > 0) m_Editor->GetList()->SetSelection(selection < count ? selection : count - 1);
}

void VTListEditorEvtHandler::OnListDClick(wxListEvent&)
{
    wxCommandEvent edit;
    OnEdit(edit);
}

void VTListEditorEvtHandler::OnListBoxDClick(wxCommandEvent&)
{
    wxCommandEvent edit;
    OnEdit(edit);
}

void VTListEditorEvtHandler::RefreshList()
{
    m_Editor->GetList()->Clear();
    m_Editor->FillList();
}

// ---- ordered handler

VTOrderedListEditorEvtHandler::VTOrderedListEditorEvtHandler(IOrderedListEditor* editor)
    : VTListEditorEvtHandler(editor)
{
    for (int id : {XRCID("ID_UP"), kUpIds[0], kUpIds[1], kUpIds[2]}) {
        Bind(wxEVT_UPDATE_UI, &VTOrderedListEditorEvtHandler::OnUpdateUpButton, this, id);
        Bind(wxEVT_BUTTON, &VTOrderedListEditorEvtHandler::OnUp, this, id);
    }
    for (int id : {XRCID("ID_DOWN"), kDownIds[0], kDownIds[1], kDownIds[2]}) {
        Bind(wxEVT_UPDATE_UI, &VTOrderedListEditorEvtHandler::OnUpdateDownButton, this, id);
        Bind(wxEVT_BUTTON, &VTOrderedListEditorEvtHandler::OnDown, this, id);
    }
}

void VTOrderedListEditorEvtHandler::OnUpdateUpButton(wxUpdateUIEvent& event)
{
    const int selection = Selection();
    event.Enable(selection >= 1 && m_Editor->IsValidItem(unsigned(selection)));
}

void VTOrderedListEditorEvtHandler::OnUpdateDownButton(wxUpdateUIEvent& event)
{
    const int selection = Selection();
    event.Enable(selection >= 0 && selection < Count() - 1 && m_Editor->IsValidItem(unsigned(selection)));
}

void VTOrderedListEditorEvtHandler::OnUp(wxCommandEvent&)
{
    const int selection = Selection();
    if (selection < 1) return;
    if (!Guarded([&] { Ordered()->MoveItemUp(selection); })) return;
    RefreshList();
    m_Editor->GetList()->SetSelection(selection - 1);
}

void VTOrderedListEditorEvtHandler::OnDown(wxCommandEvent&)
{
    const int selection = Selection();
    if (selection < 0 || selection >= Count() - 1) return;
    if (!Guarded([&] { Ordered()->MoveItemDown(selection); })) return;
    RefreshList();
    m_Editor->GetList()->SetSelection(selection + 1);
}

// ---- the list dialog

VTBaseElementsListDlg::VTBaseElementsListDlg(wxWindow* parent, VTExperiment* experiment, const wxString& title,
                                             const wxString& purpose, const wxString& xrcName)
    : VTDialogBase(parent, experiment, xrcName)
{
    m_Handler = new VTListEditorEvtHandler(this);
    PushEventHandler(m_Handler);
    m_List = dynamic_cast<VTSimpleListView*>(FindWindow(XRCID("list")));
    if (m_List) {
        m_List->InitColumns();
        Bind(wxEVT_LIST_ITEM_SELECTED, &VTBaseElementsListDlg::OnListSelect, this, m_List->GetId());
        Bind(wxEVT_LIST_ITEM_DESELECTED, &VTBaseElementsListDlg::OnListDeselect, this, m_List->GetId());
    }
    m_ListAdapter.Bind(m_List);
    m_Description = dynamic_cast<wxTextCtrl*>(FindWindow(XRCID("text_description")));
    SetTitle(title);
    if (wxWindow* purposeText = FindWindow(XRCID("text_purpose"))) {
        if (!purpose.empty())
            purposeText->SetLabel(purpose);
        else
            purposeText->Hide();
    }
    if (wxSizer* sizer = GetSizer()) {
        sizer->SetSizeHints(this);
        sizer->Fit(this);
    }
    Layout();
}

VTBaseElementsListDlg::~VTBaseElementsListDlg()
{
    RemoveEventHandler(m_Handler);
    delete m_Handler;
}

wxString VTBaseElementsListDlg::GetDescription(unsigned int) { return wxString(); }

void VTBaseElementsListDlg::OnListSelect(wxListEvent& event)
{
    event.Skip();
    if (m_Description) m_Description->ChangeValue(GetDescription(unsigned(event.GetIndex())));
}

void VTBaseElementsListDlg::OnListDeselect(wxListEvent& event)
{
    if (m_ListAdapter.GetSelection() != -1) return;  // another row took its place
    event.Skip();
    ClearDescription();
}

void VTBaseElementsListDlg::ClearDescription()
{
    if (m_Description) m_Description->ChangeValue(wxString());
}

// ---- all elements of one type

VTElementsListEditDlg::VTElementsListEditDlg(wxWindow* parent, VTExperiment* experiment, const wxString& title,
                                             const wxString& purpose, VTElementType type, const wxString& xrcName)
    : VTBaseElementsListDlg(parent, experiment, title, purpose, xrcName), m_Type(type)
{}

wxString VTElementsListEditDlg::GetPersistenceName() const
{
    return wxString::Format("VTElementsListEditDlg_Of_Type_%d", int(m_Type));
}

wxString VTElementsListEditDlg::GetDescription(unsigned int index)
{
    auto* element = reinterpret_cast<Minimal_VTElement*>(static_cast<wxUIntPtr>(m_ListAdapter.GetUserData(int(index))));
    return element ? element->GetNotes() : wxString();
}

bool VTElementsListEditDlg::EditItem(int)
{
    m_Experiment->Modify(true);
    return true;
}

void VTElementsListEditDlg::DeleteItem(unsigned int index)
{
    auto* element = reinterpret_cast<Minimal_VTElement*>(static_cast<wxUIntPtr>(m_ListAdapter.GetUserData(int(index))));
    const VTElementType type = element ? element->GetElementType() : -1;
    if (type == ElementType::TrialVariable || type == ElementType::StimList || type == ElementType::ParticipantGroup ||
        type == ElementType::TagSet) {
        VTDeletionMgr deletion(this, m_Experiment, element);
        if (deletion.HandleDeletion(VTDeletionMgr::RemovalType_Normal, true, true)) {
            m_Experiment->Modify(true);
            FillList();
        }
        int row = int(index);
        if (row >= m_ListAdapter.GetCount()) row = m_ListAdapter.GetCount() - 1;
        if (row >= 0) m_ListAdapter.SetSelection(row);
    } else {
        wxMessageBox(_("The Delete feature is not implemented in this release."), _("Warning"), wxOK, this);
    }
    ClearDescription();
}

void VTElementsListEditDlg::FillList() { FillElementsList(m_Experiment, m_List, m_Type); }

void VTElementsListEditDlg::FillElementsList(VTExperiment* experiment, VTSimpleListView* list, VTElementType type)
{
    if (!list) return;
    list->Clear();
    if (!experiment) return;
    const VTElementsList& elements = experiment->GetReadOnlyElementsOfType(type);
    for (size_t i = 0; i < elements.Size(); ++i)
        list->AppendWithData(elements[i]->GetName(), reinterpret_cast<wxUIntPtr>(elements[i]));
}

}  // namespace Vantrel
