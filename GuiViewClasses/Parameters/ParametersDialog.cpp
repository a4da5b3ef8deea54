#include "ParametersDialog.h"

#include "ParamEditPanels.h"

#include <Resources/BitmapRsrc.h>
#include <UserInterface/CustomizedButtonControls/DropdownButton.h>
#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <UserInterface/UtilityClasses/TextHelpers.h>
#include <VTCore/PerExperimentParameterCollection.h>
#include <VTCore/VTDeletionMgr.h>
#include <VTCore/VTExperiment.h>
#include <VTPlugInCommon/OrbiskImagesArtworkEtc.h>

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/htmllbox.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

namespace Vantrel {

wxIMPLEMENT_DYNAMIC_CLASS(ParametersDialog, wxDialog);

wxBEGIN_EVENT_TABLE(ParametersDialog, wxDialog)
    EVT_LISTBOX(ParametersDialog::ID_LIST, ParametersDialog::OnSelectParameter)
    EVT_BUTTON(ParametersDialog::ID_CREATE, ParametersDialog::OnCreateParameter)
    EVT_BUTTON(ParametersDialog::ID_DELETE, ParametersDialog::OnRemoveParameter)
    EVT_BUTTON(wxID_CANCEL, ParametersDialog::OnDone)
    EVT_TEXT(TextParamEditPanel::ID_NAME, ParametersDialog::OnParamNameFieldChange)
    EVT_TEXT(CounterParamEditPanel::ID_NAME, ParametersDialog::OnParamNameFieldChange)
    EVT_TEXT(10177, ParametersDialog::OnParamNameFieldChange)  // the collection panel's name
    EVT_TEXT(ResponseParamEditPanel::ID_NAME, ParametersDialog::OnParamNameFieldChange)
    EVT_TEXT(TimerParamEditPanel::ID_NAME, ParametersDialog::OnParamNameFieldChange)
    EVT_UPDATE_UI(ParametersDialog::ID_DELETE, ParametersDialog::OnUpdateDelete)
wxEND_EVENT_TABLE()

namespace {

using Artwork = Orbisk::OrbiskImagesArtworkEtc;

// The create menu's types, in menu order, with their labels and new names.
struct TypeInfo
{
    int type;
    const char* menuText;
    const char* newName;
};
const TypeInfo kTypes[] = {
    {ParameterType::Text, "   Text", "Untitled Text Parameter"},
    {ParameterType::Counter, "   Counter", "Untitled Counter Parameter"},
    {ParameterType::Response, "   Response", "Untitled Response Parameter"},
    {ParameterType::Timer, "   Timer", "Untitled Timer Parameter"},
    {ParameterType::Collection, "   Collection of Trials", "Untitled Collection Parameter"},
};

}  // namespace

ParametersDialog::ParametersDialog() = default;

ParametersDialog::ParametersDialog(VTExperiment* experiment, wxWindow* parent, wxWindowID id, const wxString& caption,
                                   const wxPoint& pos, const wxSize& size, long style)
    : m_Experiment(experiment), m_Parameters(experiment->GetParameters())
{
    Create(parent, id, caption, pos, size, style);
}

ParametersDialog::~ParametersDialog() = default;

bool ParametersDialog::Create(wxWindow*, wxWindowID id, const wxString& caption, const wxPoint& pos, const wxSize& size,
                              long style)
{
    // Made without a parent, as the other experiment-wide managers are.
    wxDialog::Create(nullptr, id, caption, pos, size, style);
    CreateControls();
    if (GetSizer()) GetSizer()->SetSizeHints(this);
    PopulateParameterList();
    ShowPanel(PageNone, m_NoParamPanel);
    wxCommandEvent none;
    OnSelectParameter(none);
    return true;
}

wxBitmap ParametersDialog::GetBitmapResource(const wxString& name) { return GetBitmapRsrc(name); }

void ParametersDialog::CreateControls()
{
    auto* main = new wxBoxSizer(wxVERTICAL);
    SetSizer(main);
    auto* intro = new wxBoxSizer(wxHORIZONTAL);
    main->Add(intro, 0, wxALL, 4);
    intro->Add(new wxStaticText(this, wxID_STATIC,
                                _("Parameters allow you to create more advanced experiments, e.g. by using\ncounters "
                                  "or evaluating moving averages using collections.")),
               0, wxALIGN_CENTER_VERTICAL | wxALL, 10);

    auto* columns = new wxBoxSizer(wxHORIZONTAL);
    main->Add(columns, 1, wxEXPAND | wxALL, 5);
    auto* left = new wxBoxSizer(wxVERTICAL);
    columns->Add(left, 3, wxEXPAND | wxALL, 5);
    m_List = new wxSimpleHtmlListBox(this, ID_LIST, wxDefaultPosition, wxDefaultSize, 0, nullptr,
                                     wxHLB_DEFAULT_STYLE | wxBORDER_SIMPLE);
    left->Add(m_List, 1, wxEXPAND | wxALL, 5);
    auto* right = new wxBoxSizer(wxVERTICAL);
    columns->Add(right, 4, wxEXPAND | wxALL, 5);
    m_Book = new Orbisk::OrbiskChoiceBookWithHiddenCtrl();
    m_Book->Create(this, ID_BOOK);
    right->Add(m_Book, 1, wxEXPAND, 0);
    m_NoParamPanel = new NoParamInfoPanel(m_Book, 10055, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL);
    m_Book->AddPage(m_NoParamPanel, _("No Parameter Selected"), false, -1);
    m_TextPanel = new TextParamEditPanel(m_Book, 10057, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL);
    m_Book->AddPage(m_TextPanel, _("Text Parameter"), false, -1);
    m_CounterPanel = new CounterParamEditPanel(m_Book, 10058, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL);
    m_Book->AddPage(m_CounterPanel, _("Counter Parameter"), false, -1);
    m_ResponsePanel = new ResponseParamEditPanel(m_Book, 10061, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL);
    m_Book->AddPage(m_ResponsePanel, _("Response Parameter"), false, -1);
    m_CollectionPanel = new CollOfTrialsEditPanel(m_Book, 10062, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL);
    m_Book->AddPage(m_CollectionPanel, _("Collection of Correctness"), false, -1);
    m_TimerPanel = new TimerParamEditPanel(m_Book, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL);
    m_Book->AddPage(m_TimerPanel, _("Timer Parameter"), false, -1);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    left->Add(buttons, 0, wxALL, 5);
    buttons->Add(5, 5, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_CreateButton = new DropdownButton(&DropdownButton::Kept<&Artwork::GetListboxSupportIcon_New_DropDown_Basic>, this,
                                        ID_CREATE, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL,
                                        &DropdownButton::Kept<&Artwork::GetListboxSupportIcon_New_DropDown_Disabled>);
    buttons->Add(m_CreateButton, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_DeleteButton = new wxBitmapButton(this, ID_DELETE, GetBitmapResource("icon_lb_delete_std.png"), wxDefaultPosition,
                                        wxDefaultSize, wxBORDER_NONE);
    m_DeleteButton->SetBitmapDisabled(GetBitmapResource("icon_lb_delete_disabled.png"));
    m_DeleteButton->SetBitmapCurrent(GetBitmapResource("icon_lb_delete_hover.png"));
    if (ShowToolTips()) m_DeleteButton->SetToolTip(_("Delete the selected parameter"));
    buttons->Add(m_DeleteButton, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);

    m_CreateButton->ClearDropdownMenu();
    const int heading = m_CreateButton->AddDropdownMenuItem("Create a Parameter of type:");
    m_CreateButton->EnableItemById(heading, false);
    for (int i = 0; i < 5; ++i) m_MenuItemIds[i] = m_CreateButton->AddDropdownMenuItem(kTypes[i].menuText);

    auto* done = new wxButton(this, wxID_CANCEL, _("Done"));
    done->SetDefault();
    main->Add(done, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    main->Add(15, 5, 0);
}

wxString ParametersDialog::RowText(const wxString& name)
{
    if (name.empty()) return "(empty)";
    // The list draws markup: every name is shown as the text it is.
    wxString text = name;
    text.Replace("&", "&amp;");
    text.Replace("<", "&lt;");
    text.Replace(">", "&gt;");
    text.Replace(" ", "&nbsp;");
    return text;
}

void ParametersDialog::PopulateParameterList()
{
    m_List->Clear();
    for (unsigned i = 0; i < m_Parameters->ItemCount(); ++i)
        m_List->Append(RowText(m_Parameters->ItemDataAtIndex(i).name));
    if (m_List->IsEmpty()) {
        m_List->SetSelection(wxNOT_FOUND);
    } else {
        m_EditedIndex = std::clamp(m_EditedIndex, 0, int(m_List->GetCount()) - 1);
        m_List->SetSelection(m_EditedIndex);
    }
    m_DeleteButton->Enable(m_List->GetSelection() != wxNOT_FOUND);
}

void ParametersDialog::OnUpdateDelete(wxUpdateUIEvent& event) { event.Enable(m_List->GetSelection() != wxNOT_FOUND); }

void ParametersDialog::ShowPanel(int page, ParamEditPanelBase* panel)
{
    m_Book->ChangeSelection(size_t(page));
    m_CurrentPanel = panel;
}

int ParametersDialog::TypeOfMenuItem(int itemId) const
{
    // The menu's order is text, counter, response, timer, collection; the first match counts.
    for (int i = 0; i < 5; ++i)
        if (m_MenuItemIds[i] == itemId) return kTypes[i].type;
    return -1;
}

bool ParametersDialog::MutateCurrentParameter()
{
    // The no-information panel holds no parameter: nothing to write.
    if (!m_CurrentPanel || m_CurrentPanel == m_NoParamPanel || m_List->IsEmpty()) return true;
    const wxString oldName = m_CurrentPanel->RetrieveParamNameFromForm();
    bool ok = false;
    const OrderFormForParameterCreation record = m_CurrentPanel->CommitGuiStateToOrderForm(&ok);
    if (ok) {
        const OrderFormForParameterCreation stored =
            m_Parameters->ItemDataAtIndex(unsigned(std::max(0, m_EditedIndex)));
        if (stored == record) return true;
        // A locked experiment is not changed: the edits go, with the reason, and the user may leave.
        wxString reason;
        if (m_Experiment->IsLocked(reason)) {
            wxLogError("%s", reason);
            m_CurrentPanel->SetParamOrderFormBeingEdited(stored);
            m_CurrentPanel->SetGuiBasedOnOrderForm();
            if (unsigned(m_EditedIndex) < m_List->GetCount())
                m_List->SetString(unsigned(m_EditedIndex), RowText(stored.name));
            return true;
        }
        if (m_Parameters->ReplaceItem(oldName, record)) {
            m_Experiment->Modify(true);
            return true;
        }
        m_CurrentPanel->OverrideParamNameInForm(oldName);
        wxLogError("A parameter with this name already exists! Please choose a different one.");
        return false;
    }
    wxLogError("Unable to commit changes to currently-selected parameter.");
    return false;
}

void ParametersDialog::OnSelectParameter(wxCommandEvent&)
{
    const int selected = m_List->GetSelection();
    // Whatever was typed is committed before the panel goes, or the user stays on it.
    if (!MutateCurrentParameter()) {
        m_List->SetSelection(m_EditedIndex);
        return;
    }
    if (selected == wxNOT_FOUND) {
        // Nothing selected: the edited row shows its stored name again.
        if (m_EditedIndex >= 0 && unsigned(m_EditedIndex) < m_List->GetCount())
            m_List->SetString(unsigned(m_EditedIndex),
                              RowText(m_Parameters->ItemDataAtIndex(unsigned(m_EditedIndex)).name));
        ShowPanel(PageNone, m_NoParamPanel);
        return;
    }
    m_EditedIndex = selected;
    PopulateParameterList();
    const OrderFormForParameterCreation record = m_Parameters->ItemDataAtIndex(unsigned(selected));
    switch (record.type) {
        case ParameterType::Text: ShowPanel(PageText, m_TextPanel); break;
        case ParameterType::Counter: ShowPanel(PageCounter, m_CounterPanel); break;
        case ParameterType::Response: ShowPanel(PageResponse, m_ResponsePanel); break;
        case ParameterType::Timer: ShowPanel(PageTimer, m_TimerPanel); break;
        case ParameterType::Collection: ShowPanel(PageCollection, m_CollectionPanel); break;
        default: wxLogError("Selected parameter has unknown type."); return;
    }
    m_CurrentPanel->SetParamOrderFormBeingEdited(record);
    m_CurrentPanel->SetGuiBasedOnOrderForm();
}

void ParametersDialog::OnCreateParameter(wxCommandEvent& event)
{
    const int type = TypeOfMenuItem(event.GetInt());
    if (type < 0) {
        wxLogError("Received request to create an unknown parameter type %d.", event.GetInt());
        return;
    }
    wxString reason;
    if (m_Experiment->IsLocked(reason)) {
        wxLogError("%s", reason);
        return;
    }
    // What was typed is kept first; a refused commit keeps the user on it and creates nothing.
    if (!MutateCurrentParameter()) return;
    const char* baseName = "";
    for (const TypeInfo& info : kTypes)
        if (info.type == type) baseName = info.newName;
    const wxString name = Orbisk::GetNewName(baseName, m_Parameters->GetVisibleParamNamesVector());
    if (!m_Parameters->AddNewItem(OrderFormForParameterCreation(name, type))) {
        wxLogError("The parameter \"%s\" could not be created.", name);
        return;
    }
    m_Experiment->Modify(true);
    m_EditedIndex = int(m_Parameters->ItemCount()) - 1;
    PopulateParameterList();
    ShowPanel(PageNone, m_NoParamPanel);
    wxCommandEvent select;
    OnSelectParameter(select);
    if (m_CurrentPanel != m_NoParamPanel) m_CurrentPanel->SelectParamName();
}

void ParametersDialog::OnRemoveParameter(wxCommandEvent&)
{
    // The selected row, and only it, is deleted.
    const int selected = m_List->GetSelection();
    if (selected == wxNOT_FOUND) return;
    const wxString name = m_Parameters->ItemDataAtIndex(unsigned(selected)).name;
    if (!VTDeletionMgr(this, m_Experiment, name).HandleDeletionOfParameter()) return;
    m_Experiment->Modify(true);
    m_EditedIndex = selected;
    // The deleted parameter's edits go with it.
    ShowPanel(PageNone, m_NoParamPanel);
    PopulateParameterList();
    wxCommandEvent select;
    OnSelectParameter(select);
}

void ParametersDialog::OnDone(wxCommandEvent& event)
{
    if (MutateCurrentParameter()) event.Skip();
}

void ParametersDialog::OnParamNameFieldChange(wxCommandEvent& event)
{
    wxTextCtrl* field = m_CurrentPanel ? m_CurrentPanel->GetNameField() : nullptr;
    if (!field || event.GetEventObject() != field) return;
    // The typing filter lets pasted text through: barred characters are taken out here.
    const wxString typed = field->GetValue();
    const wxString kept = ParamEditPanelBase::StripBarredNameCharacters(typed);
    if (kept != typed) {
        const long removed = long(typed.length() - kept.length());
        const long at = std::max(0L, field->GetInsertionPoint() - removed);
        field->ChangeValue(kept);
        field->SetInsertionPoint(std::min(at, long(kept.length())));
    }
    if (m_List->GetSelection() == m_EditedIndex && m_EditedIndex != wxNOT_FOUND)
        m_List->SetString(unsigned(m_EditedIndex), RowText(kept));
}

}  // namespace Vantrel
