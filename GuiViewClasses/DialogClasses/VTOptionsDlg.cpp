#include "VTOptionsDlg.h"

#include "OptionsDlgPage.h"
#include "OptionsDlgValues.h"

#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <VTCore/VTExperiment.h>

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/colordlg.h>
#include <wx/log.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valtext.h>

namespace Vantrel {

namespace {

// The column checkboxes (ids 10023 on) and the save option each stands for.
struct ColumnBox
{
    const char* label;
    int saveOption;
    const char* toolTip;
};
const ColumnBox kColumnBoxes[VTOptionsDlg::kColumnCount] = {
    {wxTRANSLATE("Participant name"), VTSaveDataOptions::ParticipantNameColumn, nullptr},
    {wxTRANSLATE("Participant group"), VTSaveDataOptions::ParticipantGroupColumn, nullptr},
    {wxTRANSLATE("Session ID"), VTSaveDataOptions::SessionIDColumn, nullptr},
    {wxTRANSLATE("Block name"), VTSaveDataOptions::BlockNameColumn, nullptr},
    {wxTRANSLATE("Block number"), VTSaveDataOptions::BlockNumberColumn, nullptr},
    {wxTRANSLATE("Trial name"), VTSaveDataOptions::TrialNameColumn, nullptr},
    {wxTRANSLATE("Trial number"), VTSaveDataOptions::TrialNumberColumn, nullptr},
    {wxTRANSLATE("Event name"), VTSaveDataOptions::EventNameColumn, nullptr},
    {wxTRANSLATE("Event number"), VTSaveDataOptions::EventNumberColumn, nullptr},
    {wxTRANSLATE("Correct response(s)"), VTSaveDataOptions::CorrectResponsesColumn,
     wxTRANSLATE("Saves what the correct response should\nbe (how it is set in the Event Editor)")},
    {wxTRANSLATE("Cumulative time"), VTSaveDataOptions::CumulativeTimeColumn,
     wxTRANSLATE("Saves the cumulative time since start of experiment")},
    {wxTRANSLATE("Stimulus position"), VTSaveDataOptions::StimulusPositionColumn,
     wxTRANSLATE("Saves the current visual stimulus' position and size")},
};

// The code fields in page order with their correctness index.
constexpr VTErrorCodes::VTCorrectness kCorrect = VTErrorCodes::VTCorrectness(0);
constexpr VTErrorCodes::VTCorrectness kIncorrect = VTErrorCodes::VTCorrectness(1);
constexpr VTErrorCodes::VTCorrectness kSelfCorrect = VTErrorCodes::VTCorrectness(2);
constexpr VTErrorCodes::VTCorrectness kNoResponse = VTErrorCodes::VTCorrectness(3);

wxStaticBoxSizer* Box(wxWindow* parent, int orient, const wxString& label)
{
    return new wxStaticBoxSizer(new wxStaticBox(parent, wxID_ANY, label), orient);
}

// Three colour radios with the button beside the third and the RGB label under them.
void AddColourRadios(wxWindow* page, wxSizer* into, int firstId, int buttonId, int labelId, wxRadioButton*& white,
                     wxRadioButton*& black, wxRadioButton*& other, wxStaticText*& label)
{
    white = new wxRadioButton(page, firstId, _("White"), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    white->SetValue(true);
    black = new wxRadioButton(page, firstId + 1, _("Black"));
    other = new wxRadioButton(page, firstId + 2, _("Another color"));
    into->Add(white, wxSizerFlags().Border(wxALL, 3));
    into->Add(black, wxSizerFlags().Border(wxALL, 3));
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(other, wxSizerFlags().CentreVertical().Border(wxALL, 3));
    row->Add(new wxButton(page, buttonId, _("Select Color...")), wxSizerFlags().Border(wxALL, 3));
    into->Add(row);
    auto* labelRow = new wxBoxSizer(wxHORIZONTAL);
    labelRow->Add(new wxStaticText(page, wxID_STATIC, _("Selected RGB Color:  ")), wxSizerFlags().Border(wxALL, 3));
    label = new wxStaticText(page, labelId, "(65535, 65535, 65535)");
    labelRow->Add(label, wxSizerFlags().Border(wxALL, 3));
    into->Add(labelRow);
}

}  // namespace

IntTreeClientData::~IntTreeClientData() = default;

wxBEGIN_EVENT_TABLE(VTOptionsDlg, wxDialogPersistentPosition)
    EVT_TREE_SEL_CHANGED(ID_TREE, VTOptionsDlg::OnPanelChanged)
    EVT_BUTTON(ID_SELECT_COLOR, VTOptionsDlg::OnSelectColor)
    EVT_BUTTON(ID_SELECT_SENSOR_COLOR, VTOptionsDlg::OnSelectSensorColor)
    EVT_UPDATE_UI(ID_SELECT_COLOR, VTOptionsDlg::OnUpdateSelectColor)
    EVT_UPDATE_UI(ID_SELECT_SENSOR_COLOR, VTOptionsDlg::OnUpdateSelectSensorColor)
    EVT_BUTTON(ID_SELECT_FOLDER, VTOptionsDlg::OnSelectFolder)
    EVT_UPDATE_UI(ID_SELECT_FOLDER, VTOptionsDlg::OnUpdateSelectFolder)
    EVT_UPDATE_UI(ID_FOLDER_PATH, VTOptionsDlg::OnUpdateSavePath)
    EVT_RADIOBUTTON(ID_FOLDER_PREVIOUS, VTOptionsDlg::OnSelectFolderPrevious)
    EVT_RADIOBUTTON(ID_FOLDER_ANOTHER, VTOptionsDlg::OnSelectFolderAnother)
    EVT_RADIOBUTTON(ID_FOLDER_EXPERIMENT, VTOptionsDlg::OnSelectFolderExperiment)
    EVT_RADIOBUTTON(ID_FOLDER_SUB, VTOptionsDlg::OnSelectFolderSubExperiment)
    EVT_TEXT(ID_FOLDER_NAME, VTOptionsDlg::OnUserUpdatedTextCtrl)
wxEND_EVENT_TABLE()

VTOptionsDlg::VTOptionsDlg() : m_Experiment(nullptr) { Init(); }

VTOptionsDlg::VTOptionsDlg(wxWindow* parent, VTExperiment* experiment, int id, const wxString& caption,
                           const wxPoint& pos, const wxSize& size, long style)
    : m_Folder(wxString()), m_Experiment(experiment)
{
    Init();
    Create(parent, id, caption, pos, size, style);
}

VTOptionsDlg::~VTOptionsDlg() = default;

void VTOptionsDlg::Init()
{
    m_Tree = nullptr;
    m_Book = nullptr;
    m_BackgroundWhite = m_BackgroundBlack = m_BackgroundOther = nullptr;
    m_BackgroundLabel = nullptr;
    m_CodeCorrect = m_CodeSelfCorrect = m_CodeIncorrect = m_CodeNoResponse = nullptr;
    for (wxCheckBox*& box : m_Columns) box = nullptr;
    m_FolderPrevious = m_FolderExperiment = m_FolderSub = m_FolderAnother = nullptr;
    m_FolderName = m_FolderPath = nullptr;
    m_NoHeader = m_FlushEveryTrial = nullptr;
    m_SensorX = m_SensorY = m_SensorSize = nullptr;
    m_SensorWhite = m_SensorBlack = m_SensorOther = nullptr;
    m_SensorLabel = nullptr;
    m_SensorDisable = nullptr;
    m_FolderItemData = nullptr;
    m_FolderVariable = nullptr;
}

bool VTOptionsDlg::Create(wxWindow*, int id, const wxString& caption, const wxPoint& pos, const wxSize& size,
                          long style)
{
    // Never parented: the dialog stands on its own, as every editor of the program.
    return CompleteCreation(wxDialogPersistentPosition::Create(nullptr, id, caption, pos, size, style));
}

void VTOptionsDlg::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    m_Tree = new wxTreeCtrl(this, ID_TREE, wxDefaultPosition, wxDLG_UNIT(this, wxSize(100, 100)),
                            wxTR_HIDE_ROOT | wxTR_NO_LINES | wxTR_FULL_ROW_HIGHLIGHT | wxBORDER_SIMPLE);
    row->Add(m_Tree, wxSizerFlags().Expand().Border(wxALL, 5));
    m_Book = new Orbisk::OrbiskChoiceBookWithHiddenCtrl(this, ID_BOOK, wxDefaultPosition, wxDefaultSize, 0, true);
    row->Add(m_Book, wxSizerFlags(1).Expand().Border(wxALL, 5));
    top->Add(row, wxSizerFlags(1).Expand());
    top->Add(new wxStaticLine(this, ID_LINE), wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT, 5));
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    buttons->Add(new wxButton(this, wxID_CANCEL, _("Cancel")), wxSizerFlags().Border(wxALL, 5));
    auto* ok = new wxButton(this, wxID_OK, _("OK"));
    ok->SetDefault();
    buttons->Add(ok, wxSizerFlags().Border(wxALL, 5));
    top->Add(buttons, wxSizerFlags().Expand());

    m_Book->AddPage(CreateBackgroundPage(m_Book), _("Color Options"));
    m_Book->AddPage(new wxPanel(m_Book, ID_PANEL_BLANK), _("Blank Panel"));
    m_Book->AddPage(CreateCodesPage(m_Book), _("Code Saving Options"));
    m_Book->AddPage(CreateColumnsPage(m_Book), _("Column Saving Options"));
    m_Book->AddPage(CreateFolderPage(m_Book), _("Folder Options"));
    m_Book->AddPage(CreateMiscPage(m_Book), _("Misc Options"));
    m_Book->AddPage(CreateSensorPage(m_Book), _("Light Sensor Patch"));
    CreateTree();

    m_FolderPath->Enable(false);
    SetSizer(top);
    top->SetSizeHints(this);
    Layout();
    SelectPage(PageBackground);
}

void VTOptionsDlg::CreateTree()
{
    const wxTreeItemId root = m_Tree->AddRoot("*");
    auto add = [&](const wxTreeItemId& parent, const wxString& text, Page page) {
        auto* data = new IntTreeClientData(page);
        m_PageItems[page] = m_Tree->AppendItem(parent, text, -1, -1, data);
        return data;
    };
    add(root, _("Background Color"), PageBackground);
    add(root, _("Saving Data"), PageSavingData);
    const wxTreeItemId saving = m_PageItems[PageSavingData];
    add(saving, _("Error Codes"), PageErrorCodes);
    add(saving, _("Columns to Save"), PageColumns);
    m_FolderItemData = add(saving, _("Folder Location"), PageFolder);
    add(saving, _("Miscellaneous"), PageMiscellaneous);
    m_Tree->Expand(saving);
    add(root, _("Sensor Patch Settings"), PageSensorPatch);
}

wxPanel* VTOptionsDlg::CreateBackgroundPage(wxWindow* book)
{
    const auto addControls = [&](wxWindow* page, wxSizer* sizer) {
        sizer->Add(new wxStaticText(page, 10004,
                                    _("Select the window's background color that Vantrel\nshould use when running the "
                                      "experiment:")),
                   wxSizerFlags().Border(wxALL, 5));
        wxStaticBoxSizer* box = Box(page, wxVERTICAL, _("Color: "));
        AddColourRadios(box->GetStaticBox(), box, ID_BACKGROUND_WHITE, ID_SELECT_COLOR, ID_BACKGROUND_LABEL,
                        m_BackgroundWhite, m_BackgroundBlack, m_BackgroundOther, m_BackgroundLabel);
        sizer->Add(box, wxSizerFlags().Expand().Border(wxALL, 5));
    };
    return new OptionsDlgPage(book, ID_PANEL_COLOR, "wxPanel panel_options_color", addControls);
}

wxPanel* VTOptionsDlg::CreateCodesPage(wxWindow* book)
{
    const auto addControls = [&](wxWindow* page, wxSizer* sizer) {
        sizer->Add(
            new wxStaticText(page, 10012,
                             _("When saving data, Vantrel codes the participant's\nresponse.  You can change these "
                               "codes if it makes\neasier for you to analyse the data later:")),
            wxSizerFlags().Border(wxALL, 5));
        wxStaticBoxSizer* box = Box(page, wxHORIZONTAL, _("Codes To Use When the Participant's Response is: "));
        wxWindow* boxWindow = box->GetStaticBox();
        auto* grid = new wxFlexGridSizer(2, 4, 5, 5);
        auto field = [&](int labelId, const wxString& label) {
            grid->Add(new wxStaticText(boxWindow, labelId, label), wxSizerFlags().CentreVertical());
            auto* text = new wxTextCtrl(boxWindow, labelId + 1, wxString(), wxDefaultPosition,
                                        wxSize(wxDLG_UNIT(this, wxSize(50, -1)).x, -1));
            grid->Add(text);
            return text;
        };
        m_CodeCorrect = field(10013, _("Correct:"));
        m_CodeSelfCorrect = field(10015, _("Self-correct:"));
        m_CodeIncorrect = field(10017, _("Incorrect:"));
        m_CodeNoResponse = field(10019, _("No response:"));
        box->Add(grid, wxSizerFlags().Border(wxALL, 5));
        sizer->Add(box, wxSizerFlags().Expand().Border(wxALL, 5));
        sizer->Add(new wxStaticText(page, 10021,
                                    _("\"Self-correct\" is a correct response that follows an incorrect\nresponse made "
                                      "earlier by the participant for the same event.")),
                   wxSizerFlags().Border(wxALL, 5));
    };
    return new OptionsDlgPage(book, ID_PANEL_CODES, "wxPanel panel_options_saving_error", addControls);
}

wxPanel* VTOptionsDlg::CreateColumnsPage(wxWindow* book)
{
    const auto addControls = [&](wxWindow* page, wxSizer* sizer) {
        wxStaticBoxSizer* box = Box(page, wxHORIZONTAL, _("Columns/Fields to Include in the Collected Data File: "));
        wxBoxSizer* halves[2] = {new wxBoxSizer(wxVERTICAL), new wxBoxSizer(wxVERTICAL)};
        for (int i = 0; i < kColumnCount; ++i) {
            m_Columns[i] =
                new wxCheckBox(box->GetStaticBox(), ID_COLUMN_FIRST + i, wxGetTranslation(kColumnBoxes[i].label));
            if (kColumnBoxes[i].toolTip && ShowToolTips())
                m_Columns[i]->SetToolTip(wxGetTranslation(kColumnBoxes[i].toolTip));
            halves[i < kColumnCount / 2 ? 0 : 1]->Add(m_Columns[i], wxSizerFlags().Border(wxALL, 3));
        }
        box->Add(halves[0], wxSizerFlags(1).Border(wxALL, 5));
        box->Add(halves[1], wxSizerFlags(1).Border(wxALL, 5));
        sizer->Add(box, wxSizerFlags().Expand().Border(wxALL, 5));
    };
    return new OptionsDlgPage(book, ID_PANEL_COLUMNS, "wxPanel panel_options_saving_columns", addControls);
}

wxPanel* VTOptionsDlg::CreateMiscPage(wxWindow* book)
{
    const auto addControls = [&](wxWindow* page, wxSizer* sizer) {
        wxStaticBoxSizer* box = Box(page, wxVERTICAL, _("Miscellaneous Options:"));
        m_NoHeader = new wxCheckBox(box->GetStaticBox(), ID_NO_HEADER, _("Do not save a header"));
        if (ShowToolTips())
            m_NoHeader->SetToolTip(_("Disabling the saving of a header in the data files makes merging them easier"));
        m_FlushEveryTrial =
            new wxCheckBox(box->GetStaticBox(), ID_FLUSH_EVERY_TRIAL, _("Save data to disk after every trial"));
        box->Add(m_NoHeader, wxSizerFlags().Border(wxALL, 3));
        box->Add(m_FlushEveryTrial, wxSizerFlags().Border(wxALL, 3));
        sizer->Add(box, wxSizerFlags().Expand().Border(wxALL, 5));
    };
    return new OptionsDlgPage(book, ID_PANEL_MISC, "wxPanel panel_options_saving_misc", addControls);
}

wxPanel* VTOptionsDlg::CreateSensorPage(wxWindow* book)
{
    const auto addControls = [&](wxWindow* page, wxSizer* sizer) {
        wxStaticBoxSizer* place = Box(page, wxHORIZONTAL, _("Position and Size of Sensor Patch:"));
        wxWindow* placeWindow = place->GetStaticBox();
        auto field = [&](const wxString& label, int id, int width) {
            place->Add(new wxStaticText(placeWindow, wxID_STATIC, label),
                       wxSizerFlags().CentreVertical().Border(wxALL, 3));
            auto* text =
                new wxTextCtrl(placeWindow, id, wxString(), wxDefaultPosition,
                               wxSize(wxDLG_UNIT(this, wxSize(width, -1)).x, -1), 0, wxTextValidator(wxFILTER_NUMERIC));
            place->Add(text, wxSizerFlags().Border(wxALL, 3));
            return text;
        };
        m_SensorX = field(_("X:"), ID_SENSOR_X, 30);
        m_SensorY = field(_("Y:"), ID_SENSOR_Y, 30);
        m_SensorSize = field(_("Size:"), ID_SENSOR_SIZE, 24);
        place->Add(new wxStaticText(placeWindow, wxID_STATIC, _("pixels")),
                   wxSizerFlags().CentreVertical().Border(wxALL, 3));
        sizer->Add(place, wxSizerFlags().Expand().Border(wxALL, 5));

        wxStaticBoxSizer* colour = Box(page, wxVERTICAL, _("Sensor Patch Color:"));
        AddColourRadios(colour->GetStaticBox(), colour, ID_SENSOR_WHITE, ID_SELECT_SENSOR_COLOR, ID_SENSOR_LABEL,
                        m_SensorWhite, m_SensorBlack, m_SensorOther, m_SensorLabel);
        sizer->Add(colour, wxSizerFlags().Expand().Border(wxALL, 5));
        m_SensorDisable =
            new wxCheckBox(page, ID_SENSOR_DISABLE, _("Disable the display of the sensor patch for all events"));
        sizer->Add(m_SensorDisable, wxSizerFlags().Border(wxALL, 5));
        auto* note = new wxStaticText(page, wxID_STATIC, _("This overrides per-event settings"));
        note->SetForegroundColour(wxColour(96, 96, 96));
        sizer->Add(note, wxSizerFlags().Border(wxLEFT | wxRIGHT | wxBOTTOM, 5));
    };
    return new OptionsDlgPage(book, ID_PANEL_SENSOR, "wxPanel panel_sensor_patch_options", addControls);
}

// ---------------------------------------------------------------- pages

void VTOptionsDlg::OnPanelChanged(wxTreeEvent& event)
{
    const auto* data =
        event.GetItem().IsOk() ? dynamic_cast<IntTreeClientData*>(m_Tree->GetItemData(event.GetItem())) : nullptr;
    m_Book->SetSelection(data ? size_t(data->GetPage()) : 0u);
}

void VTOptionsDlg::SelectPage(Page page)
{
    if (m_Tree && m_PageItems[page].IsOk()) m_Tree->SelectItem(m_PageItems[page]);
    // Selecting the item that is already selected sends no event.
    if (m_Book && m_Book->GetSelection() != page) m_Book->SetSelection(size_t(page));
}

int VTOptionsDlg::GetShownPage() const { return m_Book ? m_Book->GetSelection() : wxNOT_FOUND; }

// ---------------------------------------------------------------- colours

VTOptionsDlg::ColourChoice VTOptionsDlg::BackgroundChoice()
{
    return {m_BackgroundWhite, m_BackgroundBlack,   m_BackgroundOther,
            m_BackgroundLabel, &m_BackgroundChosen, &m_BackgroundCustom};
}

VTOptionsDlg::ColourChoice VTOptionsDlg::SensorChoice()
{
    return {m_SensorWhite, m_SensorBlack, m_SensorOther, m_SensorLabel, &m_SensorChosen, &m_SensorCustom};
}

void VTOptionsDlg::UpdateColourChoice(const ColourChoice& choice)
{
    if (choice.white->GetValue())
        choice.chosen->SetColour(*wxWHITE);
    else if (choice.black->GetValue())
        choice.chosen->SetColour(*wxBLACK);
    else
        choice.chosen->SetColour(choice.custom->GetColour());
    const wxString label = OptionsDlgValues::ColourLabel(choice.chosen->GetColour());
    if (choice.label->GetLabel() != label) choice.label->SetLabel(label);
}

void VTOptionsDlg::ChooseColour(const ColourChoice& choice)
{
    wxColourDialog chooser(this, choice.custom);
    if (chooser.ShowModal() != wxID_OK) return;
    *choice.chosen = chooser.GetColourData();
    *choice.custom = chooser.GetColourData();
}

void VTOptionsDlg::LoadColour(const ColourChoice& choice, const wxColour& colour)
{
    choice.chosen->SetColour(colour);
    choice.custom->SetColour(colour);
    if (colour == *wxWHITE)
        choice.white->SetValue(true);
    else if (colour == *wxBLACK)
        choice.black->SetValue(true);
    else
        choice.other->SetValue(true);
    choice.label->SetLabel(OptionsDlgValues::ColourLabel(colour));
}

void VTOptionsDlg::OnUpdateSelectColor(wxUpdateUIEvent& event)
{
    UpdateColourChoice(BackgroundChoice());
    event.Enable(m_BackgroundOther->GetValue());
}

void VTOptionsDlg::OnUpdateSelectSensorColor(wxUpdateUIEvent& event)
{
    UpdateColourChoice(SensorChoice());
    event.Enable(m_SensorOther->GetValue());
}

void VTOptionsDlg::OnSelectColor(wxCommandEvent&) { ChooseColour(BackgroundChoice()); }
void VTOptionsDlg::OnSelectSensorColor(wxCommandEvent&) { ChooseColour(SensorChoice()); }

// ---------------------------------------------------------------- sensor patch

boost::shared_ptr<VTSensorPatch> VTOptionsDlg::SensorPatch() const
{
    return m_Experiment ? m_Experiment->GetSensorPatch() : boost::shared_ptr<VTSensorPatch>();
}

bool VTOptionsDlg::CheckSensorFields(int values[3])
{
    const struct
    {
        wxTextCtrl* field;
        wxString what;
    } fields[3] = {{m_SensorSize, _("size")}, {m_SensorX, _("X position")}, {m_SensorY, _("Y position")}};
    for (int i = 0; i < 3; ++i) {
        if (OptionsDlgValues::ParseWholeInt32(fields[i].field->GetValue(), values[i])) continue;
        wxLogMessage(_("The sensor patch's %s must be a whole number from -2147483648 to 2147483647."), fields[i].what);
        SelectPage(PageSensorPatch);
        fields[i].field->SetFocus();
        return false;
    }
    return true;
}

// ---------------------------------------------------------------- loading and storing

bool VTOptionsDlg::TransferDataToWindow()
{
    if (!m_Experiment) return true;
    LoadColour(BackgroundChoice(), m_Experiment->GetBackgroundColour());
    LoadFolder();
    const VTSaveDataOptions& options = m_Experiment->GetSaveDataOptions();
    for (int i = 0; i < kColumnCount; ++i) m_Columns[i]->SetValue(options.GetSaveOption(kColumnBoxes[i].saveOption));
    const VTErrorCodes& codes = m_Experiment->GetErrorCodes();
    m_CodeCorrect->SetValue(codes.GetCodeAsString(kCorrect));
    m_CodeSelfCorrect->SetValue(codes.GetCodeAsString(kSelfCorrect));
    m_CodeIncorrect->SetValue(codes.GetCodeAsString(kIncorrect));
    m_CodeNoResponse->SetValue(codes.GetCodeAsString(kNoResponse));
    m_NoHeader->SetValue(!options.GetSaveOption(VTSaveDataOptions::Header));
    m_FlushEveryTrial->SetValue(options.GetSaveOption(VTSaveDataOptions::FlushAfterEveryTrial));

    // An experiment without a sensor patch has nothing to show on its page.
    const boost::shared_ptr<VTSensorPatch> patch = SensorPatch();
    m_Book->GetPage(PageSensorPatch)->Enable(bool(patch));
    if (patch) {
        m_SensorSize->SetValue(wxString::Format("%d", patch->GetSensorPatchSize()));
        m_SensorX->SetValue(wxString::Format("%d", patch->GetSensorPatchPosX()));
        m_SensorY->SetValue(wxString::Format("%d", patch->GetSensorPatchPosY()));
        LoadColour(SensorChoice(), patch->GetSensorPatchColour());
        m_SensorDisable->SetValue(patch->GetSensorPatchDisable());
    }
    ApplySelectFolderUpdate();
    ApplySavePathUpdate();
    return true;
}

bool VTOptionsDlg::TransferDataFromWindow()
{
    if (!m_Experiment) return true;
    // Bring derived state up to date: pages that are not on screen get no update passes.
    UpdateColourChoice(BackgroundChoice());
    UpdateColourChoice(SensorChoice());
    ApplySelectFolderUpdate();
    ApplySavePathUpdate();

    const boost::shared_ptr<VTSensorPatch> patch = SensorPatch();
    int sensor[3] = {0, 0, 0};  // size, X, Y
    if (patch && !CheckSensorFields(sensor)) return false;
    if (!CheckFolderBeforeStoring()) return false;

    m_Experiment->m_BackgroundColour = m_BackgroundChosen.GetColour();
    StoreFolder();
    VTSaveDataOptions& options = m_Experiment->GetSaveDataOptions();
    for (int i = 0; i < kColumnCount; ++i) options.SetSaveOption(kColumnBoxes[i].saveOption, m_Columns[i]->GetValue());
    VTErrorCodes& codes = m_Experiment->GetErrorCodes();
    codes.SetCodeWithString(kCorrect, OptionsDlgValues::CleanCorrectnessCode(m_CodeCorrect->GetValue()));
    codes.SetCodeWithString(kSelfCorrect, OptionsDlgValues::CleanCorrectnessCode(m_CodeSelfCorrect->GetValue()));
    codes.SetCodeWithString(kIncorrect, OptionsDlgValues::CleanCorrectnessCode(m_CodeIncorrect->GetValue()));
    codes.SetCodeWithString(kNoResponse, OptionsDlgValues::CleanCorrectnessCode(m_CodeNoResponse->GetValue()));
    options.SetSaveOption(VTSaveDataOptions::Header, !m_NoHeader->GetValue());
    options.SetSaveOption(VTSaveDataOptions::FlushAfterEveryTrial, m_FlushEveryTrial->GetValue());
    if (patch) {
        patch->SetSensorPatchSize(sensor[0]);
        patch->SetSensorPatchPosX(sensor[1]);
        patch->SetSensorPatchPosY(sensor[2]);
        patch->SetSensorPatchColour(m_SensorChosen.GetColour());
        patch->SetSensorPatchDisable(m_SensorDisable->GetValue());
    }
    m_Experiment->Modify(true);
    return true;
}

}  // namespace Vantrel
