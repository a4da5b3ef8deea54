#include "VTEditTrialVariableDlg.h"

#include "TLSPManual.h"
#include "TLSPRandNoRepl.h"
#include "TLSPRandWithRepl.h"
#include "TLSPSequential.h"
#include "VTColorVariableEditor.h"
#include "VTIntVariableEditor.h"
#include "VTLocationVariableEditor.h"

#include <Resources/BitmapRsrc.h>
#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <VTPlugInCommon/VTListViews.h>

#include <wx/bmpbuttn.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/icon.h>
#include <wx/log.h>
#include <wx/notebook.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace Vantrel {

namespace {

struct TypeInfo
{
    int typeId;
    const char* label;  // shown as is, untranslated
};
const TypeInfo kTypes[VTEditTrialVariableDlg::TypeCount] = {
    {VariableType::Location, "Location on the Screen"},
    {VariableType::Colour, "Color"},
    {VariableType::TimeLimit, "Time Limit"},
};

const long kEditorStyle = wxCAPTION | wxRESIZE_BORDER | wxSYSTEM_MENU | wxCLOSE_BOX | wxTAB_TRAVERSAL;

}  // namespace

wxIMPLEMENT_DYNAMIC_CLASS(VTEditTrialVariableDlg, wxDialog);

wxBEGIN_EVENT_TABLE(VTEditTrialVariableDlg, wxDialog)
    EVT_CHOICE(VTEditTrialVariableDlg::ID_METHOD, VTEditTrialVariableDlg::OnSelectorTypeChange)
wxEND_EVENT_TABLE()

VTEditTrialVariableDlg* EditorLaunchTraits<VTEditTrialVariableDlg>::Make(const EditorLaunchArgs& a)
{
    return new VTEditTrialVariableDlg(a.parent, a.experiment, a.listWindow, a.isNew, a.insertRepeatedly, a.secondExtra,
                                      VTEditTrialVariableDlg::ID_DIALOG, _("Edit Trial Variable"), wxDefaultPosition,
                                      wxDefaultSize, kEditorStyle);
}

bool VTEditTrialVariableDlg::EitherExplainThatCreationIsDisallowed_Or_LaunchTrialVarDialog(
    wxWindow* parent, VTExperiment* experiment, wxWindow* listWindow, bool isNew, bool insertRepeatedly, int typeIndex)
{
    return FriendToElementDialogs::EitherExplainThatCreationIsDisallowed_Or_LaunchDialog<VTEditTrialVariableDlg>(
        parent, experiment, listWindow, isNew, insertRepeatedly, -1, typeIndex, {});
}

VTEditTrialVariableDlg::VTEditTrialVariableDlg() { Init(); }

VTEditTrialVariableDlg::VTEditTrialVariableDlg(wxWindow* parent, VTExperiment* experiment, wxWindow* listWindow,
                                               bool isNew, bool insertRepeatedly, int typeIndex, int id,
                                               const wxString& caption, const wxPoint& pos, const wxSize& size,
                                               long style)
    : Base(experiment, listWindow, isNew, insertRepeatedly)
{
    Init();
    m_TypeIndex = typeIndex;
    Create(parent, id, caption, pos, size, style);
    m_Book = m_Notebook;
    GuiInitialization(false);
    CreateValueEditors();
    if (m_TypeIndex >= 0 && m_TypeIndex < TypeCount) {
        m_TypeLabel->SetLabel(kTypes[m_TypeIndex].label);
        m_LevelsBook->SetSelection(size_t(m_TypeIndex));
    }
}

// The value editors go first: they take their handlers off the pages, which the
// window tree destroys afterwards.
VTEditTrialVariableDlg::~VTEditTrialVariableDlg() { m_Editors.clear(); }

void VTEditTrialVariableDlg::Init()
{
    m_TypeLabel = nullptr;
    m_Notebook = nullptr;
    m_LevelsBook = nullptr;
    m_LocationPanel = nullptr;
    m_LocationList = nullptr;
    m_ColorPanel = nullptr;
    m_ColorList = nullptr;
    m_NumbersPanel = nullptr;
    m_NumbersText = nullptr;
    m_MethodChoice = nullptr;
    m_MethodBook = nullptr;
    m_SaveToData = nullptr;
    m_Description = nullptr;
    m_Editors.clear();
}

bool VTEditTrialVariableDlg::Create(wxWindow*, int id, const wxString& caption, const wxPoint& pos, const wxSize& size,
                                    long style)
{
    // Like every code-built element editor, the window has no parent.
    wxDialog::Create(nullptr, id, caption, pos, size, style);
    CreateControls();
    if (GetSizer()) GetSizer()->SetSizeHints(this);
    return true;
}

void VTEditTrialVariableDlg::CreateValueEditors()
{
    m_Editors.push_back(std::make_shared<VTLocationVariableEditor>(m_LocationPanel, m_LocationList));
    m_Editors.push_back(std::make_shared<VTColorVariableEditor>(m_ColorPanel, m_ColorList));
    m_Editors.push_back(std::make_shared<VTIntVariableEditor>(m_NumbersPanel, m_NumbersText, ','));

    Orbisk::Var::Variable& variable = TheTempObject()->GetVariable();
    if (IsNewObject()) {
        if (VTVariableEditorBase* editor = CurrentValueEditor()) editor->TransferDataToWindow(variable);
        return;
    }
    m_TypeKnown = false;
    for (size_t i = 0; i < m_Editors.size(); ++i) {
        if (m_Editors[i]->GetTypeID() != variable.GetType()) continue;
        m_TypeIndex = int(i);
        m_TypeKnown = true;
        m_Editors[i]->TransferDataToWindow(variable);
        break;
    }
}

VTVariableEditorBase* VTEditTrialVariableDlg::CurrentValueEditor() const
{
    return m_TypeIndex >= 0 && size_t(m_TypeIndex) < m_Editors.size() ? m_Editors[size_t(m_TypeIndex)].get() : nullptr;
}

bool VTEditTrialVariableDlg::Validate()
{
    return CheckElementName_PossiblyEditingTheTextControl() && !m_NameCtrl->GetValue().empty();
}

bool VTEditTrialVariableDlg::CheckElementName_PossiblyEditingTheTextControl()
{
    const bool ok = Base::CheckElementName_PossiblyEditingTheTextControl();
    if (!ok && m_NameCtrl) m_NameCtrl->SetFocus();
    return ok;
}

void VTEditTrialVariableDlg::SetDialogValues(VTTrialVariable& variable)
{
    Base::SetDialogValues(variable);
    const int method = variable.GetVariable().GetMethod();
    if (method >= 0 && unsigned(method) < m_MethodChoice->GetCount()) m_MethodChoice->SetSelection(method);
    m_MethodBook->SetSelection(size_t(m_MethodChoice->GetSelection()));
    if (TLSPBase* page = GetCurrentSelectorPagePtr()) page->SetGuiBasedOnVariable(&variable.GetVariable());
    m_Description->ChangeValue(variable.GetDescription());
    m_SaveToData->SetValue(variable.GetSaveToDataFlag());
}

bool VTEditTrialVariableDlg::GetDialogValues(VTTrialVariable& variable)
{
    if (!CheckElementName_PossiblyEditingTheTextControl()) return false;
    // The levels are checked before anything is stored: refused levels keep the
    // dialog open on the Levels tab with the variable untouched.
    VTVariableEditorBase* editor = m_TypeKnown ? CurrentValueEditor() : nullptr;
    if (editor && !editor->CanTransferDataFromWindow()) {
        m_Notebook->SetSelection(LevelsTab);
        if (m_TypeIndex == TimeLimitType) m_NumbersText->SetFocus();
        return false;
    }
    if (!Base::GetDialogValues(variable)) return false;
    variable.SetDescription(m_Description->GetValue());

    if (editor) {
        // Only a new variable can meet an editor of another type: it is made anew
        // with the type the caller chose.
        std::unique_ptr<Orbisk::Var::Variable> created;
        if (editor->GetTypeID() != variable.GetVariable().GetType())
            created.reset(
                Orbisk::Var::VarType::CreateNewVariable(editor->GetTypeID(), variable.GetVariable().GetName()));
        editor->TransferDataFromWindow(created ? *created : variable.GetVariable());
        if (created) variable.ReplaceVariable(created.release(), true);
    } else {
        wxLogWarning(_("The trial variable \"%s\" is of an unknown type (%d): its levels were left as they were."),
                     variable.GetName(), variable.GetVariable().GetType());
    }

    if (TLSPBase* page = GetCurrentSelectorPagePtr()) page->CommitGuiStateToVariable(&variable.GetVariable());
    variable.SetSaveToDataFlag(m_SaveToData->GetValue());
    return true;
}

int VTEditTrialVariableDlg::InsertNewItemIntoListbox(int position, VTTrialVariable& variable)
{
    return ElementEditorCore::InsertElementRow(*TheListCtrl(), position, variable);
}

void VTEditTrialVariableDlg::OnSelectorTypeChange(wxCommandEvent&)
{
    const int selection = m_MethodChoice->GetSelection();
    if (selection >= 0) m_MethodBook->SetSelection(size_t(selection));
}

TLSPBase* VTEditTrialVariableDlg::GetCurrentSelectorPagePtr()
{
    const int selection = m_MethodChoice ? m_MethodChoice->GetSelection() : -1;
    if (selection < 0 || size_t(selection) >= m_MethodBook->GetPageCount()) return nullptr;
    return dynamic_cast<TLSPBase*>(m_MethodBook->GetPage(size_t(selection)));
}

// ---- layout

void VTEditTrialVariableDlg::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);

    auto* nameRow = new wxBoxSizer(wxHORIZONTAL);
    top->Add(nameRow, 0, wxEXPAND | wxALL, 10);
    nameRow->Add(new wxStaticText(this, ID_NAME_LABEL, _("Name:")), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    m_NameCtrl =
        new wxTextCtrl(this, ID_NAME, wxString(), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "text_name");
    nameRow->Add(m_NameCtrl, 5, wxALIGN_CENTER_VERTICAL | wxRIGHT, 5);
    auto* ofType = new wxStaticText(this, ID_OF_TYPE, _("of type "));
    ofType->SetForegroundColour(wxColour(128, 128, 128));
    nameRow->Add(ofType, 0, wxALIGN_CENTER_VERTICAL);
    m_TypeLabel = new wxStaticText(this, ID_TYPE_LABEL, "Location on the Screen");
    nameRow->Add(m_TypeLabel, 0, wxALIGN_CENTER_VERTICAL);

    m_Notebook = new wxNotebook(this, ID_NOTEBOOK, wxDefaultPosition, wxDefaultSize, wxBK_TOP, "notebook");
    top->Add(m_Notebook, 1, wxEXPAND | wxLEFT | wxRIGHT, 10);

    m_LevelsBook = new Orbisk::OrbiskChoiceBookWithHiddenCtrl(m_Notebook, ID_LEVELS_BOOK, wxDefaultPosition,
                                                              wxDefaultSize, wxBK_DEFAULT, false);
    m_LocationPanel = new wxPanel(m_LevelsBook, ID_LOCATION_PAGE);
    m_LocationList = new VTSimpleListView(m_LocationPanel, ID_LIST, wxDefaultPosition, wxDefaultSize,
                                          wxLC_REPORT | wxLC_NO_HEADER | wxLC_SINGLE_SEL | wxBORDER_NONE);
    LayoutListPage(m_LocationPanel, m_LocationList, false);
    m_LevelsBook->AddPage(m_LocationPanel, _("Locations"));
    m_ColorPanel = new wxPanel(m_LevelsBook, ID_COLOR_PAGE);
    m_ColorList = new VTListCtrlColor(m_ColorPanel, ID_LIST, wxDefaultPosition, wxDefaultSize,
                                      wxLC_REPORT | wxLC_NO_HEADER | wxLC_SINGLE_SEL | wxBORDER_NONE);
    LayoutListPage(m_ColorPanel, m_ColorList, true);
    m_LevelsBook->AddPage(m_ColorPanel, _("Color"));
    m_LevelsBook->AddPage(CreateNumbersPage(m_LevelsBook), _("Numbers"));
    m_Notebook->AddPage(m_LevelsBook, _("Levels"));
    m_Notebook->AddPage(CreateSelectionPage(m_Notebook), _("Level Selection"));
    m_Notebook->AddPage(CreateOptionsPage(m_Notebook), _("Options"));

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    m_CancelButton = new wxButton(this, wxID_CANCEL, _("Cancel"), wxDefaultPosition, wxDefaultSize, 0,
                                  wxDefaultValidator, "wxID_CANCEL");
    buttons->Add(m_CancelButton, 0, wxALL, 5);
    m_OKButton =
        new wxButton(this, wxID_OK, _("OK"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "wxID_OK");
    m_OKButton->SetDefault();
    buttons->Add(m_OKButton, 0, wxALL, 5);
    top->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 5);
}

wxBitmapButton* VTEditTrialVariableDlg::CreateListButton(wxWindow* page, int id, const wxString& image,
                                                         const wxString& tip)
{
    // The window name warns whoever edits the layout: the list handlers bind the id.
    auto* button = new wxBitmapButton(page, id, GetBitmapResource(image + "_std.png"), wxDefaultPosition, wxDefaultSize,
                                      wxBORDER_NONE, wxDefaultValidator,
                                      wxString::Format("you will BREAK VANTREL if this id changes from %d", id));
    button->SetBitmapDisabled(GetBitmapResource(image + "_disabled.png"));
    if (!tip.empty()) {
        button->SetHelpText(tip);
        if (ShowToolTips()) button->SetToolTip(tip);
    }
    return button;
}

void VTEditTrialVariableDlg::LayoutListPage(wxPanel* page, wxWindow* list, bool deleteHasHoverImage)
{
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    page->SetSizer(sizer);
    auto* listRow = new wxBoxSizer(wxHORIZONTAL);
    sizer->Add(listRow, 1, wxEXPAND | wxALL, 5);
    listRow->Add(list, 1, wxEXPAND);
    auto* moves = new wxBoxSizer(wxVERTICAL);
    moves->Add(CreateListButton(page, ID_UP, "icon_lb_move_up", wxString()), 0, wxLEFT | wxBOTTOM, 3);
    moves->Add(CreateListButton(page, ID_DOWN, "icon_lb_move_dn", wxString()), 0, wxLEFT, 3);
    listRow->Add(moves, 0, wxALIGN_TOP);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(CreateListButton(page, ID_NEW, "icon_lb_new", _("New...")), 0, wxRIGHT, 3);
    wxBitmapButton* remove = CreateListButton(page, ID_DELETE, "icon_lb_delete", _("Delete"));
    if (deleteHasHoverImage) remove->SetBitmapCurrent(GetBitmapResource("icon_lb_delete_hover.png"));
    buttons->Add(remove, 0, wxRIGHT, 3);
    buttons->Add(CreateListButton(page, ID_EDIT, "icon_lb_edit", _("Edit")), 0);
    sizer->Add(buttons, 0, wxLEFT | wxRIGHT | wxBOTTOM, 5);
}

wxPanel* VTEditTrialVariableDlg::CreateNumbersPage(wxWindow* book)
{
    m_NumbersPanel = new wxPanel(book, ID_NUMBERS_PAGE);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_NumbersPanel->SetSizer(sizer);
    m_NumbersText =
        new wxTextCtrl(m_NumbersPanel, ID_NUMBERS, wxString(), wxDefaultPosition, wxDefaultSize, wxTE_MULTILINE);
    sizer->Add(m_NumbersText, 1, wxEXPAND | wxALL, 5);
    sizer->Add(new wxStaticText(m_NumbersPanel, ID_NUMBERS_HINT,
                                _("(Type the integer values separated by a comma, e.g. \"10,20,30\")")),
               0, wxLEFT | wxRIGHT | wxBOTTOM, 5);
    return m_NumbersPanel;
}

wxPanel* VTEditTrialVariableDlg::CreateSelectionPage(wxWindow* book)
{
    auto* page = new wxPanel(book, ID_SELECTION_PAGE);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    page->SetSizer(sizer);
    sizer->Add(new wxStaticText(page, wxID_STATIC, _("When choosing levels, use the following order:")), 0, wxALL, 5);
    const wxString methods[LevelSelection::MethodCount] = {_("Sequential"), _("Random with no replacement"),
                                                           _("Random with replacement"), _("Manual")};
    m_MethodChoice =
        new wxChoice(page, ID_METHOD, wxDefaultPosition, wxDefaultSize, LevelSelection::MethodCount, methods);
    m_MethodChoice->SetSelection(LevelSelection::Sequential);
    sizer->Add(m_MethodChoice, 0, wxLEFT | wxRIGHT | wxBOTTOM, 5);

    m_MethodBook = new Orbisk::OrbiskChoiceBookWithHiddenCtrl(page, ID_METHOD_BOOK, wxDefaultPosition, wxDefaultSize,
                                                              wxBK_DEFAULT, false);
    const long pageStyle = wxTAB_TRAVERSAL | wxNO_BORDER;
    m_MethodBook->AddPage(
        new TLSPSequential(m_MethodBook, ID_SEQUENTIAL_PAGE, wxDefaultPosition, wxDefaultSize, pageStyle),
        methods[LevelSelection::Sequential]);
    m_MethodBook->AddPage(
        new TLSPRandNoRepl(m_MethodBook, ID_RAND_NO_REPL_PAGE, wxDefaultPosition, wxDefaultSize, pageStyle),
        methods[LevelSelection::RandomNoReplacement]);
    m_MethodBook->AddPage(
        new TLSPRandWithRepl(m_MethodBook, ID_RAND_WITH_REPL_PAGE, wxDefaultPosition, wxDefaultSize, pageStyle),
        methods[LevelSelection::RandomWithReplacement]);
    m_MethodBook->AddPage(new TLSPManual(m_MethodBook, ID_MANUAL_PAGE, wxDefaultPosition, wxDefaultSize, pageStyle),
                          methods[LevelSelection::Manual]);
    sizer->Add(m_MethodBook, 1, wxEXPAND | wxALL, 5);
    return page;
}

wxPanel* VTEditTrialVariableDlg::CreateOptionsPage(wxWindow* book)
{
    auto* page = new wxPanel(book, ID_OPTIONS_PAGE);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    page->SetSizer(sizer);
    m_SaveToData = new wxCheckBox(page, ID_SAVE_TO_DATA, _("Save trial level in the collected data file"));
    m_SaveToData->SetValue(false);
    sizer->Add(m_SaveToData, 0, wxALL, 5);
    sizer->Add(new wxStaticLine(page, ID_OPTIONS_LINE), 0, wxEXPAND | wxALL, 5);
    sizer->Add(new wxStaticText(page, ID_DESCRIPTION_LABEL, _("Description of This Variable:")), 0, wxLEFT | wxRIGHT,
               5);
    m_Description = new wxTextCtrl(page, wxID_ANY, wxString(), wxDefaultPosition, wxDefaultSize, wxTE_MULTILINE);
    sizer->Add(m_Description, 1, wxEXPAND | wxALL, 5);
    return page;
}

wxBitmap VTEditTrialVariableDlg::GetBitmapResource(const wxString& name) { return GetBitmapRsrc(name); }
wxIcon VTEditTrialVariableDlg::GetIconResource(const wxString&) { return wxNullIcon; }
bool VTEditTrialVariableDlg::ShowToolTips() { return true; }

}  // namespace Vantrel
