#include "VTManageAllTrialLevelsDlg.h"

#include "VTEditTrialVariableDlg.h"

#include <Resources/BitmapRsrc.h>
#include <UserInterface/CustomizedButtonControls/DropdownButton.h>
#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <UserInterface/Widgets/AugmentedListBox.h>
#include <VTCore/VTClipboard.h>
#include <VTCore/VTDeletionMgr.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTTrialVariable.h>
#include <VTPlugInCommon/OrbiskImagesArtworkEtc.h>

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/choice.h>
#include <wx/icon.h>
#include <wx/log.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <vector>

using Vantrel::VTEditTrialVariableDlg;

namespace {

using Artwork = Orbisk::OrbiskImagesArtworkEtc;

// A page of the book: its sizer, opened by the page's introduction and a line.
wxSizer* StartPage(wxPanel* page, const wxString& introduction)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    page->SetSizer(sizer);
    sizer->Add(new wxStaticText(page, wxID_STATIC, introduction), 0, wxALL, 5);
    sizer->Add(new wxStaticLine(page, wxID_STATIC), 0, wxEXPAND | wxALL, 5);
    return sizer;
}

}  // namespace

wxIMPLEMENT_DYNAMIC_CLASS(VTManageAllTrialLevelsDlg, wxDialog);

wxBEGIN_EVENT_TABLE(VTManageAllTrialLevelsDlg, wxDialog)
    EVT_BUTTON(VTManageAllTrialLevelsDlg::ID_CREATE, VTManageAllTrialLevelsDlg::OnCreateFirst)
    EVT_BUTTON(VTManageAllTrialLevelsDlg::ID_LOCATION_BUTTON, VTManageAllTrialLevelsDlg::OnNewViaBmpButton)
    EVT_BUTTON(VTManageAllTrialLevelsDlg::ID_COLOR_BUTTON, VTManageAllTrialLevelsDlg::OnNewViaBmpButton)
    EVT_BUTTON(VTManageAllTrialLevelsDlg::ID_TIME_LIMIT_BUTTON, VTManageAllTrialLevelsDlg::OnNewViaBmpButton)
    EVT_BUTTON(VTManageAllTrialLevelsDlg::ID_NEW, VTManageAllTrialLevelsDlg::OnNew)
    EVT_BUTTON(VTManageAllTrialLevelsDlg::ID_GEARS, VTManageAllTrialLevelsDlg::OnGears)
    EVT_BUTTON(VTManageAllTrialLevelsDlg::ID_DELETE, VTManageAllTrialLevelsDlg::OnDelete)
    EVT_LISTBOX_DCLICK(VTManageAllTrialLevelsDlg::ID_LIST, VTManageAllTrialLevelsDlg::OnEdit)
    EVT_LISTBOX(VTManageAllTrialLevelsDlg::ID_LIST, VTManageAllTrialLevelsDlg::OnListSelect)
    EVT_UPDATE_UI(VTManageAllTrialLevelsDlg::ID_DELETE, VTManageAllTrialLevelsDlg::OnUpdateButtons)
wxEND_EVENT_TABLE()

VTManageAllTrialLevelsDlg::VTManageAllTrialLevelsDlg() { Init(); }

VTManageAllTrialLevelsDlg::VTManageAllTrialLevelsDlg(wxWindow* parent, Vantrel::VTExperiment* experiment, wxWindowID id,
                                                     const wxString& caption, const wxPoint& pos, const wxSize& size,
                                                     long style)
{
    Init();
    m_Experiment = experiment;
    Create(parent, id, caption, pos, size, style);
    FillMenus();
}

bool VTManageAllTrialLevelsDlg::Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                                       const wxSize& size, long style)
{
    wxDialog::Create(parent, id, caption, pos, size, style);
    CreateControls();
    if (GetSizer()) GetSizer()->SetSizeHints(this);
    return true;
}

void VTManageAllTrialLevelsDlg::Init()
{
    m_Book = nullptr;
    m_LocationButton = m_ColorButton = m_TimeLimitButton = nullptr;
    m_TypeChoice = nullptr;
    m_CreateButton = nullptr;
    m_ListGrid = nullptr;
    m_List = nullptr;
    m_Description = nullptr;
    m_ListButtons = nullptr;
    m_NewButton = m_GearsButton = nullptr;
    m_Experiment = nullptr;
    m_EditMenuId = m_DuplicateMenuId = -99;
}

void VTManageAllTrialLevelsDlg::FillMenus()
{
    // Cleared first, so that the items are numbered from the first id again.
    m_NewButton->ClearDropdownMenu();
    m_NewButton->EnableItemById(m_NewButton->AddDropdownMenuItem(_("Create a Variable of type:")), false);
    m_NewButton->AddDropdownMenuItem(_("   Location"));
    m_NewButton->AddDropdownMenuItem(_("   Color"));
    m_NewButton->AddDropdownMenuItem(_("   Time Limit"));
    m_EditMenuId = m_GearsButton->AddDropdownMenuItem(_("Edit..."));
    m_DuplicateMenuId = m_GearsButton->AddDropdownMenuItem(_("Duplicate"));
}

// ---- actions

Vantrel::VTTrialVariable* VTManageAllTrialLevelsDlg::VariableAt(int index) const
{
    if (index < 0 || unsigned(index) >= m_List->GetCount()) return nullptr;
    return static_cast<Vantrel::VTTrialVariable*>(m_List->GetClientData(unsigned(index)));
}

void VTManageAllTrialLevelsDlg::RefreshList(int mode)
{
    m_List->Clear();
    Vantrel::VTElementsList& variables = m_Experiment->GetElementsOfType(Vantrel::ElementType::TrialVariable);
    for (size_t i = 0; i < variables.Size(); ++i) m_List->AppendPlainText(variables[i]->GetName(), variables[i]);
    m_Book->SetSelection(variables.Size() == 0 ? FirstUsePage : ListPage);
    m_List->SetACommonSelection(mode);
    // The remembered row is gone (the last one was deleted): the new last row.
    if (mode == KeepSelection && m_List->GetSelection() == wxNOT_FOUND) m_List->SetACommonSelection(SelectLast);
    ShowSelectedDescription();
}

bool VTManageAllTrialLevelsDlg::EditItem(int index, int typeIndex)
{
    const bool isNew = index == -1;
    if (!VTEditTrialVariableDlg::EitherExplainThatCreationIsDisallowed_Or_LaunchTrialVarDialog(
            this, m_Experiment, m_List, isNew, false, typeIndex))
        return false;
    RefreshList(isNew ? SelectLast : KeepSelection);
    m_Experiment->Modify(true);
    return true;
}

void VTManageAllTrialLevelsDlg::DeleteItem(int index)
{
    Vantrel::VTTrialVariable* variable = VariableAt(index);
    if (!variable) return;
    Vantrel::VTDeletionMgr deletion(this, m_Experiment, variable);
    if (!deletion.HandleDeletion(Vantrel::VTDeletionMgr::RemovalType_Normal, true, true)) return;
    RefreshList(KeepSelection);
    // The deletion manager leaves this to its callers.
    m_Experiment->Modify(true);
}

void VTManageAllTrialLevelsDlg::DoCopyPasteInOneFellSwoop()
{
    Vantrel::VTTrialVariable* variable = VariableAt(m_List->GetSelection());
    if (!variable) return;
    Vantrel::VTClipboard& clipboard = Vantrel::VTClipboard::GetRef();
    clipboard.Clear();
    if (!clipboard.TryToAdd(variable)) return;
    DoPaste();
}

void VTManageAllTrialLevelsDlg::DoPaste()
{
    Vantrel::VTClipboard& clipboard = Vantrel::VTClipboard::GetRef();
    if (!clipboard.IsPasteEnabledForType(Vantrel::ElementType::TrialVariable)) return;
    wxString reason;
    if (m_Experiment->IsLocked(reason)) {
        wxLogError("%s", reason);
        return;
    }
    std::vector<Vantrel::Minimal_VTElement*> copies;
    clipboard.GetNewInstances(m_Experiment, copies);
    for (Vantrel::Minimal_VTElement* copy : copies) {
        copy->SetName(
            m_Experiment->GetNextAvailableUniqueElementName(copy->GetName(), copy->GetElementType(), wxString()));
        if (!m_Experiment->GetElementsOfType(copy->GetElementType()).AddElement(copy, -1)) delete copy;
    }
    RefreshList(SelectLast);
    m_Experiment->Modify(true);
}

// ---- events

void VTManageAllTrialLevelsDlg::OnCreateFirst(wxCommandEvent&) { EditItem(-1, m_TypeChoice->GetSelection()); }

void VTManageAllTrialLevelsDlg::OnNewViaBmpButton(wxCommandEvent& event)
{
    const int id = event.GetId();
    EditItem(-1, id == ID_COLOR_BUTTON        ? VTEditTrialVariableDlg::ColorType
                 : id == ID_TIME_LIMIT_BUTTON ? VTEditTrialVariableDlg::TimeLimitType
                                              : VTEditTrialVariableDlg::LocationType);
}

void VTManageAllTrialLevelsDlg::OnNew(wxCommandEvent& event)
{
    const int item = event.GetInt();
    EditItem(-1, item == MenuColor       ? VTEditTrialVariableDlg::ColorType
                 : item == MenuTimeLimit ? VTEditTrialVariableDlg::TimeLimitType
                                         : VTEditTrialVariableDlg::LocationType);
}

void VTManageAllTrialLevelsDlg::OnGears(wxCommandEvent& event)
{
    const int item = event.GetInt();
    if (item == m_EditMenuId) {
        const int selection = m_List->GetSelection();
        if (selection == wxNOT_FOUND) {
            wxLogError(_("Invalid selection. Request to edit unknown trial variable id."));
            return;
        }
        EditItem(selection, VTEditTrialVariableDlg::LocationType);
    } else if (item == m_DuplicateMenuId) {
        DoCopyPasteInOneFellSwoop();
    }
}

void VTManageAllTrialLevelsDlg::OnDelete(wxCommandEvent&)
{
    const int selection = m_List->GetSelection();
    if (selection != wxNOT_FOUND) DeleteItem(selection);
}

void VTManageAllTrialLevelsDlg::OnEdit(wxCommandEvent&)
{
    // Never a creation: a double click without a row edits nothing.
    const int selection = m_List->GetSelection();
    if (selection != wxNOT_FOUND) EditItem(selection, VTEditTrialVariableDlg::LocationType);
}

void VTManageAllTrialLevelsDlg::OnListSelect(wxCommandEvent& event)
{
    event.Skip();
    ShowSelectedDescription();
}

void VTManageAllTrialLevelsDlg::ShowSelectedDescription()
{
    Vantrel::VTTrialVariable* variable = VariableAt(m_List->GetSelection());
    m_Description->ChangeValue(variable ? variable->GetDescription() : wxString());
}

void VTManageAllTrialLevelsDlg::OnUpdateButtons(wxUpdateUIEvent& event)
{
    const bool selected = m_List->GetSelection() != wxNOT_FOUND;
    event.Enable(selected);
    m_GearsButton->EnableButton(selected);
}

// ---- layout

void VTManageAllTrialLevelsDlg::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    m_Book = new Orbisk::OrbiskChoiceBookWithHiddenCtrl(this, ID_PAGE_BOOK, wxDefaultPosition, wxDefaultSize,
                                                        wxBK_DEFAULT, false);
    top->Add(m_Book, 1, wxEXPAND | wxALL, 5);
    m_Book->AddPage(CreateFirstUsePage(m_Book), _("No trial variables created yet"));
    m_Book->AddPage(CreateListPage(m_Book), _("We have trial variables"));
    RefreshList(SelectFirst);
}

wxWindow* VTManageAllTrialLevelsDlg::CreateFirstUsePage(wxWindow* book)
{
    auto* page = new wxPanel(book, ID_FIRST_USE_PAGE);
    wxSizer* sizer = StartPage(page, _("There are three types of trial variables that you can use to vary an aspect "
                                       "of a stimulus presentation:"));

    wxFont bold(*wxNORMAL_FONT);
    bold.SetWeight(wxFONTWEIGHT_BOLD);
    const struct
    {
        int id;
        const char* image;
        wxString name;
        wxString description;
        wxBitmapButton** button;
    } types[] = {
        {ID_LOCATION_BUTTON, "icon_trial_level_location.png", _("Location"),
         _("Use to present visual stimuli on different screen locations"), &m_LocationButton},
        {ID_COLOR_BUTTON, "icon_trial_level_color.png", _("Color"), _("Present text in different colors"),
         &m_ColorButton},
        {ID_TIME_LIMIT_BUTTON, "icon_trial_level_time_limit.png", _("Time Limit"),
         _("Use to vary an event's time limit"), &m_TimeLimitButton},
    };
    for (const auto& type : types) {
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        *type.button = new wxBitmapButton(page, type.id, GetBitmapResource(type.image), wxDefaultPosition,
                                          wxDefaultSize, wxBORDER_NONE);
        row->Add(*type.button, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
        auto* texts = new wxBoxSizer(wxVERTICAL);
        auto* name = new wxStaticText(page, wxID_STATIC, type.name);
        name->SetFont(bold);
        texts->Add(name);
        auto* description = new wxStaticText(page, wxID_STATIC, type.description);
        description->SetForegroundColour(wxColour(64, 64, 64));
        texts->Add(description);
        row->Add(texts, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
        sizer->Add(row, 0, wxLEFT | wxRIGHT, 5);
    }
    sizer->Add(new wxStaticLine(page, wxID_STATIC), 0, wxEXPAND | wxALL, 5);
    sizer->Add(new wxStaticText(page, wxID_STATIC, _("Create your first trial variable of type:")), 0, wxALL, 5);

    auto* createRow = new wxBoxSizer(wxHORIZONTAL);
    const wxString typeNames[] = {_("Location"), _("Color"), _("Time Limit")};
    m_TypeChoice = new wxChoice(page, ID_TYPE_CHOICE, wxDefaultPosition, wxDefaultSize, 3, typeNames);
    m_TypeChoice->SetSelection(VTEditTrialVariableDlg::LocationType);
    createRow->Add(m_TypeChoice, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_CreateButton = new wxButton(page, ID_CREATE, _("Create..."));
    createRow->Add(m_CreateButton, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    createRow->AddStretchSpacer();
    auto* close = new wxButton(page, wxID_CANCEL, _("Close"));
    close->SetDefault();
    createRow->Add(close, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    sizer->Add(createRow, 0, wxEXPAND | wxALL, 5);
    return page;
}

wxWindow* VTManageAllTrialLevelsDlg::CreateListPage(wxWindow* book)
{
    auto* page = new wxPanel(book, ID_LIST_PAGE);
    wxSizer* sizer = StartPage(page, _("Trial variables let you vary an aspect of a stimulus presentation, e.g. its "
                                       "location on the screen or text color."));

    m_ListGrid = new wxFlexGridSizer(0, 2, 0, 0);
    m_ListGrid->AddGrowableRow(0);
    m_ListGrid->AddGrowableCol(0);
    m_ListGrid->AddGrowableCol(1);
    sizer->Add(m_ListGrid, 1, wxEXPAND | wxALL, 5);
    m_List = new AugmentedListBox(page, ID_LIST, wxDefaultPosition, wxSize(100, 100), wxArrayString(),
                                  wxHLB_DEFAULT_STYLE | wxBORDER_SUNKEN);
    m_ListGrid->Add(m_List, 1, wxEXPAND | wxALL, 5);
    auto* descriptionColumn = new wxBoxSizer(wxVERTICAL);
    descriptionColumn->Add(new wxStaticText(page, wxID_STATIC, _("Description")), 0, wxBOTTOM, 3);
    m_Description = new wxTextCtrl(page, ID_DESCRIPTION, wxString(), wxDefaultPosition, wxDefaultSize,
                                   wxTE_MULTILINE | wxTE_READONLY | wxTE_WORDWRAP);
    descriptionColumn->Add(m_Description, 1, wxEXPAND);
    m_ListGrid->Add(descriptionColumn, 1, wxEXPAND | wxALL, 5);

    m_ListButtons = new wxBoxSizer(wxHORIZONTAL);
    m_NewButton = new DropdownButton(&DropdownButton::Kept<&Artwork::GetListboxSupportIcon_New_DropDown_Basic>, page,
                                     ID_NEW, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL,
                                     &DropdownButton::Kept<&Artwork::GetListboxSupportIcon_New_DropDown_Disabled>);
    if (ShowToolTips()) m_NewButton->GetButton()->SetToolTip(_("Create new trial level"));
    m_ListButtons->Add(m_NewButton, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 3);
    auto* remove = new wxBitmapButton(page, ID_DELETE, GetBitmapResource("icon_lb_delete_std.png"), wxDefaultPosition,
                                      wxDefaultSize, wxBORDER_NONE);
    remove->SetBitmapDisabled(GetBitmapResource("icon_lb_delete_disabled.png"));
    remove->SetBitmapCurrent(GetBitmapResource("icon_lb_delete_hover.png"));
    if (ShowToolTips()) remove->SetToolTip(_("Delete"));
    m_ListButtons->Add(remove, 0, wxALIGN_CENTER_VERTICAL);
    m_ListButtons->AddStretchSpacer();
    m_GearsButton = new DropdownButton(&DropdownButton::Kept<&Artwork::GetListboxSupportIcon_Gears_Basic>, page,
                                       ID_GEARS, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL,
                                       &DropdownButton::Kept<&Artwork::GetListboxSupportIcon_Gears_Disabled>);
    m_ListButtons->Add(m_GearsButton, 0, wxALIGN_CENTER_VERTICAL);
    m_ListGrid->Add(m_ListButtons, 0, wxEXPAND | wxLEFT | wxRIGHT, 5);
    m_ListGrid->AddSpacer(0);

    auto* close = new wxButton(page, wxID_CANCEL, _("Close"));
    close->SetDefault();
    sizer->Add(close, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    return page;
}

wxBitmap VTManageAllTrialLevelsDlg::GetBitmapResource(const wxString& name) { return Vantrel::GetBitmapRsrc(name); }
wxIcon VTManageAllTrialLevelsDlg::GetIconResource(const wxString&) { return wxNullIcon; }
bool VTManageAllTrialLevelsDlg::ShowToolTips() { return true; }
