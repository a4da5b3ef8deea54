#include "AppMain/Run/VTRunDlg.h"

#include "GuiViewClasses/DialogClasses/persdlg.h"
#include "GuiViewClasses/GroupDialogs/VTEditGroupDlg.h"
#include "GuiViewClasses/MiscGui/EditVTElementT.h"
#include "UserInterface/OrbiskChoiceBookWithHiddenCtrl.h"
#include "UserInterface/UtilityClasses/OperatingSystemHelpers.h"

#include <Resources/BitmapRsrc.h>
#include <VTCore/VTElementType.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTParticipantGroup.h>
#include <VTCore/VTRunOptions.h>
#include <NonPersistentHelpers/VTElementsList.h>
#include <NonPersistentHelpers/VTLinkT.h>

#include <wx/bmpbuttn.h>
#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace Vantrel {
namespace {

const wxColour kGrey(80, 80, 80);

VTRunDlg::GroupEditorOpener& GroupEditorOpenerSlot()
{
    // The participant-group editor, opened on the group the choice carries.
    static VTRunDlg::GroupEditorOpener opener = [](wxWindow* parent, VTExperiment* experiment, wxWindow* list) {
        return FriendToElementDialogs::EitherExplainThatCreationIsDisallowed_Or_LaunchDialog<VTEditGroupDlg>(
            parent, experiment, list, false, false, -1, 0,
            boost::shared_ptr<VantrelSDK::Interface_EditResponseWindowHelper>());
    };
    return opener;
}

wxStaticText* GreyText(wxWindow* parent, wxWindowID id, const wxString& label)
{
    auto* text = new wxStaticText(parent, id, label);
    text->SetForegroundColour(kGrey);
    return text;
}

}  // namespace

wxBEGIN_EVENT_TABLE(VTRunDlg, wxDialog)
    EVT_BUTTON(VTRunDlg::ID_EDIT_GROUPS, VTRunDlg::OnEditGroups)
    EVT_CHOICE(VTRunDlg::ID_GROUP, VTRunDlg::OnGroupSelect)
    EVT_BUTTON(wxID_OK, VTRunDlg::OnEitherAcceptanceButton)
    EVT_BUTTON(VTRunDlg::ID_RUN_WITHOUT_CALIBRATION, VTRunDlg::OnEitherAcceptanceButton)
wxEND_EVENT_TABLE()

void VTRunDlg::SetGroupEditorOpener(GroupEditorOpener opener) { GroupEditorOpenerSlot() = std::move(opener); }

const VTRunDlg::GroupEditorOpener& VTRunDlg::GetGroupEditorOpener() { return GroupEditorOpenerSlot(); }

VTRunDlg::VTRunDlg(wxWindow* parent, VTExperiment* experiment, VTRunOptions& runOptions, wxWindowID id,
                   const wxString& caption, const wxPoint& pos, const wxSize& size, long style)
{
    Init();
    m_RunOptions = &runOptions;
    m_Experiment = experiment;
    Create(parent, id, caption, pos, size, style);
    if (parent) Orbisk::ExecuteMacOnlyCodeToCenterOnParent(this, parent);
}

VTRunDlg::~VTRunDlg() = default;

void VTRunDlg::Init()
{
    m_GridSizer = nullptr;
    m_SessionField = nullptr;
    m_NameField = nullptr;
    m_GroupChoice = nullptr;
    m_EditGroupsButton = nullptr;
    m_GroupPageBook = nullptr;
    m_MessagePage = nullptr;
    m_UsedBlocksText = nullptr;
    m_TotalBlocksText = nullptr;
    m_OptionsSizer = nullptr;
    m_SaveDataBox = nullptr;
    m_ScreenshotRow = nullptr;
    m_ScreenshotBox = nullptr;
    m_ScreenshotNote = nullptr;
    m_SelectedBlocksBox = nullptr;
    m_InputWarning = nullptr;
    m_ButtonSizer = nullptr;
    m_RunWithoutCalibrationButton = nullptr;
    m_RunButton = nullptr;
    m_RunOptions = nullptr;
    m_Experiment = nullptr;
}

bool VTRunDlg::Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos, const wxSize& size,
                      long style)
{
    wxDialog::Create(parent, id, caption, pos, size, style, wxDialogNameStr);
    CreateControls();
    GetSizer()->SetSizeHints(this);
    FillGroupChoice(nullptr);
    // Group names wider than the empty choice would otherwise be cut off.
    GetSizer()->SetSizeHints(this);
    return true;
}

void VTRunDlg::FillGroupChoice(const Minimal_VTElement* keep)
{
    m_GroupChoice->Clear();
    if (!m_Experiment) return;
    VTElementsList& groups = m_Experiment->GetElementsOfType(ElementType::ParticipantGroup);
    for (std::size_t i = 0; i < groups.Size(); ++i)
        m_GroupChoice->Append(groups[i]->GetName(), static_cast<void*>(groups[i]));
    if (keep) VTDialogBase::SelectItemByVTElementPtr(*m_GroupChoice, keep);
}

void VTRunDlg::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    m_GridSizer = new wxFlexGridSizer(0, 2, 0, 5);
    m_GridSizer->AddGrowableCol(1);
    top->Add(m_GridSizer, 0, wxGROW | wxLEFT | wxRIGHT | wxTOP, 10);
    AddIdentityRows();
    AddGroupPageBook();
    top->Add(new wxStaticLine(this, ID_GROUP, wxDefaultPosition, wxDefaultSize, wxLI_HORIZONTAL), 0,
             wxGROW | wxLEFT | wxRIGHT, 5);
    AddOptions();
    m_InputWarning = new wxStaticText(this, ID_INPUT_WARNING,
                                      _("Warning:\nNo input device has been selected for this experiment.\nEvents that "
                                        "do not end on a time limit will fly through."),
                                      wxDefaultPosition, wxDefaultSize, wxALIGN_CENTRE_HORIZONTAL);
    m_InputWarning->SetForegroundColour(wxColour(255, 0, 0));
    m_InputWarning->Hide();
    top->Add(m_InputWarning, 0, wxALIGN_CENTER_HORIZONTAL | wxLEFT | wxRIGHT, 5);
    AddButtons();
    top->Add(5, 7);
    if (m_Experiment && m_Experiment->OffersEyeTrackerCalibration()) OfferCalibration();
}

void VTRunDlg::AddIdentityRows()
{
    const int labelFlags = wxALIGN_RIGHT | wxALIGN_CENTER_VERTICAL;
    m_GridSizer->Add(new wxStaticText(this, wxID_STATIC, _("Session ID:")), 0, labelFlags);
    auto* sessionRow = new wxBoxSizer(wxHORIZONTAL);
    m_SessionField = new wxTextCtrl(this, ID_SESSION, wxEmptyString);
    sessionRow->Add(m_SessionField, 0, wxALIGN_CENTER_VERTICAL);
    m_GridSizer->Add(sessionRow, 0, wxGROW);
    m_GridSizer->Add(5, 5);
    m_GridSizer->Add(5, 5);

    m_GridSizer->Add(new wxStaticText(this, wxID_STATIC, _("Participant Name:")), 0, labelFlags);
    m_NameField = new wxTextCtrl(this, ID_NAME, wxEmptyString);
    m_GridSizer->Add(m_NameField, 1, wxGROW | wxALIGN_CENTER_VERTICAL);
    m_GridSizer->Add(5, 5);
    m_GridSizer->Add(5, 5);

    m_GridSizer->Add(new wxStaticText(this, ID_GROUP, _("Participant Group:")), 0, labelFlags);
    auto* groupRow = new wxBoxSizer(wxHORIZONTAL);
    m_GroupChoice = new wxChoice(this, ID_GROUP);
    groupRow->Add(m_GroupChoice, 0, wxALIGN_CENTER_VERTICAL);
    groupRow->Add(5, 5);
    auto* editGroups = new wxBitmapButton(this, ID_EDIT_GROUPS, GetBitmapResource("icon_lb_edit_std.png"),
                                          wxDefaultPosition, wxDefaultSize, wxBORDER_NONE);
    editGroups->SetBitmapDisabled(GetBitmapResource("icon_lb_edit_disabled.png"));
    editGroups->SetToolTip(_("Edit the selected participant group"));
    // Without a group editor in this configuration the button could do nothing.
    editGroups->Enable(static_cast<bool>(GetGroupEditorOpener()));
    m_EditGroupsButton = editGroups;
    groupRow->Add(editGroups, 0, wxALIGN_CENTER_VERTICAL);
    m_GridSizer->Add(groupRow, 0, wxGROW);
}

void VTRunDlg::AddGroupPageBook()
{
    m_GridSizer->Add(5, 5);
    m_GroupPageBook =
        new Orbisk::OrbiskChoiceBookWithHiddenCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, false);

    m_MessagePage = new wxPanel(m_GroupPageBook, ID_MESSAGE_PAGE);
    auto* messageRow = new wxBoxSizer(wxHORIZONTAL);
    m_MessagePage->SetSizer(messageRow);
    const wxFont bold = wxNORMAL_FONT->Bold();
    messageRow->Add(GreyText(m_MessagePage, ID_GROUP_CONTAINS, _("Group contains only ")), 0, wxALIGN_CENTER_VERTICAL);
    m_UsedBlocksText = GreyText(m_MessagePage, ID_USED_BLOCKS, "111");
    m_UsedBlocksText->SetFont(bold);
    messageRow->Add(m_UsedBlocksText, 0, wxALIGN_CENTER_VERTICAL);
    messageRow->Add(GreyText(m_MessagePage, wxID_STATIC, _(" (out of ")), 0, wxALIGN_CENTER_VERTICAL);
    m_TotalBlocksText = GreyText(m_MessagePage, ID_TOTAL_BLOCKS, "5555");
    m_TotalBlocksText->SetFont(bold);
    messageRow->Add(m_TotalBlocksText, 0, wxALIGN_CENTER_VERTICAL);
    messageRow->Add(GreyText(m_MessagePage, wxID_STATIC, _(") blocks.")), 0, wxALIGN_CENTER_VERTICAL);
    m_GroupPageBook->AddPage(m_MessagePage, _("showing message"), false);

    auto* emptyPage = new wxPanel(m_GroupPageBook, wxID_ANY);
    auto* emptyRow = new wxBoxSizer(wxHORIZONTAL);
    emptyPage->SetSizer(emptyRow);
    emptyRow->Add(GreyText(emptyPage, wxID_STATIC, "          "), 0, wxALIGN_CENTER_VERTICAL);
    m_GroupPageBook->AddPage(emptyPage, _("empty"), false);
    m_GridSizer->Add(m_GroupPageBook, 0, wxGROW);
}

void VTRunDlg::AddOptions()
{
    m_OptionsSizer = new wxBoxSizer(wxVERTICAL);
    GetSizer()->Add(m_OptionsSizer, 0, wxALL, 5);

    m_SaveDataBox = new wxCheckBox(this, ID_SAVE_DATA, _("Save collected data"));
    m_SaveDataBox->SetValue(true);
    m_OptionsSizer->Add(m_SaveDataBox, 0, wxGROW);

    m_ScreenshotRow = new wxBoxSizer(wxHORIZONTAL);
    m_ScreenshotBox = new wxCheckBox(this, ID_SCREENSHOTS, _("Save screenshots of all trials"));
    m_ScreenshotBox->SetValue(true);
    m_ScreenshotBox->Hide();
    m_ScreenshotRow->Add(m_ScreenshotBox, 0, wxALIGN_CENTER_VERTICAL);
    m_ScreenshotNote = GreyText(this, ID_NOTE, _("(Use with care. Lag will occur.)"));
    m_ScreenshotNote->Hide();
    m_ScreenshotRow->Add(m_ScreenshotNote, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 5);
    m_OptionsSizer->Add(m_ScreenshotRow, 0, wxGROW);

    auto* selectedGroup = new wxBoxSizer(wxVERTICAL);
    m_SelectedBlocksBox = new wxCheckBox(this, ID_SELECTED_BLOCKS, _("Run selected blocks only"));
    m_SelectedBlocksBox->SetValue(false);
    selectedGroup->Add(m_SelectedBlocksBox, 0, wxBOTTOM, 3);
    selectedGroup->Add(new wxStaticText(this, ID_NOTE, _("(overrides the blocks specified in the participant group)")),
                       0, wxLEFT | wxRIGHT, 20);
    m_OptionsSizer->Add(selectedGroup, 0, wxGROW);
}

void VTRunDlg::AddButtons()
{
    m_ButtonSizer = new wxBoxSizer(wxHORIZONTAL);
    GetSizer()->Add(m_ButtonSizer, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 10);
    m_ButtonSizer->Add(new wxButton(this, wxID_CANCEL, _("Cancel")), 0, wxLEFT | wxRIGHT, 5);
    m_RunWithoutCalibrationButton = new wxButton(this, ID_RUN_WITHOUT_CALIBRATION, _("Run"));
    m_RunWithoutCalibrationButton->Hide();
    m_ButtonSizer->Add(m_RunWithoutCalibrationButton, 0, wxLEFT | wxRIGHT, 5);
    m_RunButton = new wxButton(this, wxID_OK, _("Run"));
    m_RunButton->SetDefault();
    m_ButtonSizer->Add(m_RunButton, 0, wxLEFT | wxRIGHT, 5);
}

void VTRunDlg::OfferCalibration()
{
    m_RunWithoutCalibrationButton->Show();
    m_RunButton->SetLabel(_("Calibrate && Run"));
    m_ButtonSizer->Layout();
    m_ScreenshotBox->Show();
    m_ScreenshotNote->Show();
    m_ScreenshotBox->SetValue(false);
    m_OptionsSizer->Layout();
}

wxBitmap VTRunDlg::GetBitmapResource(const wxString& name) { return GetBitmapRsrc(name); }

wxIcon VTRunDlg::GetIconResource(const wxString&) { return wxNullIcon; }

bool VTRunDlg::ShowToolTips() { return true; }

int VTRunDlg::SelectedGroupIndex() const { return m_GroupChoice ? m_GroupChoice->GetSelection() : wxNOT_FOUND; }

bool VTRunDlg::TransferDataToWindow()
{
    m_SaveDataBox->SetValue(m_RunOptions->IsDataSaved());
    m_SaveDataBox->SetLabel(_("Save collected data"));
    m_ScreenshotBox->SetValue(false);
    m_RunOptions->SetSkipEyeTrackerCalibration(false);
    m_RunOptions->SetBlockUseRestrictedByGroup(false);
    m_SelectedBlocksBox->SetValue(m_RunOptions->IsRunningSelectedBlocksOnly());
    if (m_GroupChoice->GetCount() > 0) m_GroupChoice->SetSelection(0);
    const int groupID = m_RunOptions->GetGroupID_CanReturnNegativeOne();
    if (groupID != -1 && m_Experiment) {
        const Minimal_VTElement* group =
            m_Experiment->LookupElementByTypeAndID(ElementType::ParticipantGroup, static_cast<std::uint32_t>(groupID));
        if (group) VTDialogBase::SelectItemByVTElementPtr(*m_GroupChoice, group);
    }
    // The warning's lines need room of their own: the dialog grows to hold them
    // instead of letting them lie over the buttons.
    if (m_InputWarning->Show(m_Experiment && m_Experiment->IsLackingAnInputDevice())) {
        GetSizer()->SetSizeHints(this);
        Layout();
    }
    wxCommandEvent unused;
    OnGroupSelect(unused);
    return true;
}

void VTRunDlg::OnGroupSelect(wxCommandEvent&)
{
    const int index = SelectedGroupIndex();
    auto* chosen =
        index == wxNOT_FOUND ? nullptr : static_cast<Minimal_VTElement*>(m_GroupChoice->GetClientData(index));
    // Looked up again by identifier, as the model holds the group now.
    auto* group = chosen && m_Experiment ? dynamic_cast<VTParticipantGroup*>(m_Experiment->LookupElementByTypeAndID(
                                               ElementType::ParticipantGroup, chosen->GetID()))
                                         : nullptr;
    if (!group) {
        m_GroupPageBook->SetSelection(kEmpty);
        return;
    }
    const std::size_t used = group->GetBlocksUsedByTheGroup().Size();
    const std::size_t total = m_Experiment->GetElementsOfType(ElementType::Block).Size();
    if (total > used && !group->m_RunAllBlocks) {
        m_GroupPageBook->SetSelection(kShowingMessage);
        m_UsedBlocksText->SetLabel(wxString::Format("%d", static_cast<int>(used)));
        m_TotalBlocksText->SetLabel(wxString::Format("%d", static_cast<int>(total)));
        m_TotalBlocksText->GetContainingSizer()->Layout();
    } else {
        m_GroupPageBook->SetSelection(kEmpty);
    }
}

void VTRunDlg::OnEditGroups(wxCommandEvent&)
{
    const GroupEditorOpener& open = GetGroupEditorOpener();
    if (open && open(this, m_Experiment, m_GroupChoice)) {
        if (m_Experiment) m_Experiment->Modify(true);
        // The editor may have renamed the group: the items show the names as they are now.
        const int index = SelectedGroupIndex();
        FillGroupChoice(index == wxNOT_FOUND ? nullptr
                                             : static_cast<Minimal_VTElement*>(m_GroupChoice->GetClientData(index)));
        if (SelectedGroupIndex() == wxNOT_FOUND && m_GroupChoice->GetCount() > 0) m_GroupChoice->SetSelection(0);
    }
    wxCommandEvent unused;
    OnGroupSelect(unused);
}

void VTRunDlg::OnEitherAcceptanceButton(wxCommandEvent& event)
{
    if (event.GetEventObject() == m_RunButton)
        m_RunOptions->SetSkipEyeTrackerCalibration(false);
    else if (event.GetEventObject() == m_RunWithoutCalibrationButton)
        m_RunOptions->SetSkipEyeTrackerCalibration(true);
    else
        wxLogError(_("Invalid button object."));
    TransferDataFromWindow();
    if (IsModal()) {
        EndModal(kRunID);
    } else {
        SetReturnCode(kRunID);
        Hide();
    }
}

bool VTRunDlg::TransferDataFromWindow()
{
    m_RunOptions->SetBlockUseRestrictedByGroup(false);
    m_RunOptions->SetRunSelBlocksOnlyFlag(m_SelectedBlocksBox->GetValue());
    m_RunOptions->SetSaveCollectedDataFlag(m_SaveDataBox->GetValue(), wxEmptyString);
    const int index = SelectedGroupIndex();
    const auto* group =
        index == wxNOT_FOUND ? nullptr : static_cast<Minimal_VTElement*>(m_GroupChoice->GetClientData(index));
    m_RunOptions->SetGroupID(group ? static_cast<int>(group->GetID()) : -1);
    m_RunOptions->SetSubjectName(m_NameField->GetValue());
    m_RunOptions->SetSessionID(m_SessionField->GetValue());
    m_RunOptions->SetScreenshotFlag(m_ScreenshotBox->GetValue());
    return true;
}

}  // namespace Vantrel
