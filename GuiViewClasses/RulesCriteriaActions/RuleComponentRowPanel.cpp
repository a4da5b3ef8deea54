#include "RuleComponentRowPanel.h"

#include "Interface_MultiRowManager.h"
#include "RuleMenuTables.h"
#include "RuleRowRHSChoiceBookWithHiddenCtrl.h"
#include "RulesSubmenusMadnessHelper.h"

#include <UserInterface/CustomizedButtonControls/ChoiceDropdownExtendedMenu.h>
#include <UserInterface/CustomizedButtonControls/DropdownButton.h>
#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <UserInterface/UtilityClasses/TextHelpers.h>
#include <Resources/BitmapRsrc.h>
#include <VTPlugInCommon/OrbiskImagesArtworkEtc.h>

#include <boost/bind/bind.hpp>
#include <boost/make_shared.hpp>
#include <wx/choice.h>
#include <wx/clrpicker.h>
#include <wx/hyperlink.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/menu.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <cstdint>

namespace Vantrel {

namespace {

using Mappings = RulesHelperMappingsFromLeftSideToRightSideAndMore;
constexpr int kDynamicElementId = 14103;
const wxColour kRowBackground(230, 239, 247);
const wxColour kLinkBlue(0, 0, 255);

wxString And() { return _("and"); }
wxString Or() { return _("or"); }

wxPanel* JoinerPage(wxWindow* parent, int id, long style = wxTAB_TRAVERSAL | wxNO_BORDER)
{
    auto* page = new wxPanel(parent, id, wxDefaultPosition, wxDefaultSize, style);
    page->SetBackgroundColour(kRowBackground);
    return page;
}

}  // namespace

wxIMPLEMENT_DYNAMIC_CLASS(RuleComponentRowPanel, wxPanel);

wxBEGIN_EVENT_TABLE(RuleComponentRowPanel, wxPanel)
    EVT_HYPERLINK(RuleComponentRowPanel::kAndOrLinkId, RuleComponentRowPanel::OnClickAndOr)
    EVT_MENU(wxID_ANY, RuleComponentRowPanel::On_LHS_DropdownSelection_DO_NOT_HIJACK_READ_COMMENTS)
    EVT_BUTTON(RuleComponentRowPanel::kRowMenuId, RuleComponentRowPanel::OnRowMenuButton)
    EVT_COLOURPICKER_CHANGED(10043, RuleComponentRowPanel::OnBGColorChange)
    EVT_CHOICE(10139, RuleComponentRowPanel::OnChoiceEventNoClientDataJustString)
    EVT_CHOICE(10137, RuleComponentRowPanel::OnChoiceEventNoClientDataJustString)
    EVT_CHOICE(10135, RuleComponentRowPanel::OnChoiceEventNoClientDataJustString)
    EVT_CHOICE(10173, RuleComponentRowPanel::OnChoiceEventNoClientDataJustString)
    EVT_CHOICE(10152, RuleComponentRowPanel::OnChoiceEventNoClientDataJustString)
    EVT_CHOICE(10114, RuleComponentRowPanel::OnChoiceEventNoClientDataJustString)
    EVT_CHOICE(11000, RuleComponentRowPanel::OnChoiceEventNoClientDataJustString)
    EVT_CHOICE(10110, RuleComponentRowPanel::OnChoice_2_EventNoClientDataJustString)
    EVT_CHOICE(10539, RuleComponentRowPanel::OnChoice_2_EventNoClientDataJustString)
    EVT_CHOICE(10552, RuleComponentRowPanel::OnChoice_2_EventNoClientDataJustString)
    EVT_CHOICE(10122, RuleComponentRowPanel::OnChoice_2_EventNoClientDataJustString)
    EVT_CHOICE(10178, RuleComponentRowPanel::OnChoiceElementOne)
    EVT_CHOICE(10180, RuleComponentRowPanel::OnChoiceElementOne)
    EVT_CHOICE(10228, RuleComponentRowPanel::OnChoiceElementOne)
    EVT_CHOICE(10186, RuleComponentRowPanel::OnChoiceElementOne)
    EVT_CHOICE(10229, RuleComponentRowPanel::OnChoiceElementTwo)
    EVT_CHOICE(10126, RuleComponentRowPanel::OnChoiceElementTwo)
    EVT_CHOICE(10223, RuleComponentRowPanel::OnChoiceTrialLevelSetting)
    EVT_CHOICE(10132, RuleComponentRowPanel::OnChoiceTrialLevelExprComparand)
    EVT_TEXT(10157, RuleComponentRowPanel::OnNumericText)
    EVT_TEXT(10142, RuleComponentRowPanel::OnAlphabeticText)
wxEND_EVENT_TABLE()

RuleComponentRowPanel::RuleComponentRowPanel() : m_rowState(boost::make_shared<GUIDataNeededByRulesHelper>()) {}

RuleComponentRowPanel::RuleComponentRowPanel(Interface_MultiRowManager* manager, int editingContext, bool isActionRow,
                                             wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                                             long style)
    : m_manager(manager),
      m_editingContext(editingContext),
      m_isActionRow(isActionRow),
      m_rowState(boost::make_shared<GUIDataNeededByRulesHelper>())
{
    wxPanel::Create(parent, id, pos, size, style);
    CreateControls();
}

RuleComponentRowPanel::~RuleComponentRowPanel() = default;

void RuleComponentRowPanel::CreateControls()
{
    SetBackgroundColour(kRowBackground);
    auto* rowSizer = new wxBoxSizer(wxHORIZONTAL);
    SetSizer(rowSizer);

    m_andOrBook = new Orbisk::OrbiskChoiceBookWithHiddenCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, true);
    rowSizer->Add(m_andOrBook, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 5);

    wxPanel* linkPage = JoinerPage(m_andOrBook, 10100);
    m_linkPageSizer = new wxBoxSizer(wxHORIZONTAL);
    linkPage->SetSizer(m_linkPageSizer);
    m_linkPageSizer->Add(5, 2, 1, wxALIGN_CENTER_VERTICAL | wxALL, 0);
    m_andOrLink = new wxHyperlinkCtrl(linkPage, kAndOrLinkId, And(), wxString(), wxDefaultPosition, wxDefaultSize,
                                      wxHL_CONTEXTMENU | wxHL_ALIGN_LEFT | wxNO_BORDER);
    m_andOrLink->SetNormalColour(kLinkBlue);
    m_andOrLink->SetHoverColour(kLinkBlue);
    m_andOrLink->SetVisitedColour(kLinkBlue);
    m_linkPageSizer->Add(m_andOrLink, 0, wxALIGN_CENTER_VERTICAL);
    m_andOrBook->AddPage(linkPage, _("criteria"), false);

    wxPanel* sizeHack = JoinerPage(m_andOrBook, 10102, wxTAB_TRAVERSAL | wxBORDER_SUNKEN);
    auto* hackSizer = new wxBoxSizer(wxHORIZONTAL);
    sizeHack->SetSizer(hackSizer);
    hackSizer->Add(new wxStaticText(sizeHack, wxID_STATIC, _("and_")));
    m_andOrBook->AddPage(sizeHack, _("size-hack"), false);

    wxPanel* joinerPage = JoinerPage(m_andOrBook, 10000);
    m_joinerPageSizer = new wxBoxSizer(wxHORIZONTAL);
    joinerPage->SetSizer(m_joinerPageSizer);
    m_joinerPageSizer->AddStretchSpacer();
    m_actionJoiner = new wxStaticText(joinerPage, wxID_ANY, And());
    m_actionJoiner->SetForegroundColour(wxColour(80, 80, 80));
    m_joinerPageSizer->Add(m_actionJoiner, 0, wxALL, 0);
    m_joinerPageSizer->AddStretchSpacer();
    m_andOrBook->AddPage(joinerPage, _("actions"), false);
    m_andOrBook->ChangeSelection(0);

    auto* middle = new wxPanel(this, 10103, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER);
    middle->SetBackgroundColour(kRowBackground);
    m_middleSizer = new wxBoxSizer(wxHORIZONTAL);
    middle->SetSizer(m_middleSizer);
    auto* alignment =
        new Orbisk::OrbiskChoiceBookWithHiddenCtrl(middle, 10104, wxDefaultPosition, wxDefaultSize, 0, true);
    alignment->SetName(wxS("alignment trick!"));
    auto* leftPage = JoinerPage(alignment, wxID_ANY);
    auto* leftSizer = new wxBoxSizer(wxHORIZONTAL);
    leftPage->SetSizer(leftSizer);
    const wxString sizing[] = {_("Always"), _("Number of correct trials in block"), _("My counter")};
    m_leftSide = new ChoiceDropdownExtendedMenu(leftPage, kLeftSideId, wxDefaultPosition, wxDefaultSize, 3, sizing, 0,
                                                wxDefaultValidator, wxS("ChoiceDropdownExtendedMenu"));
    // The "Dynamic Element" placeholder is no pick: stopped before the drop-down
    // would show its text.
    m_leftSide->Bind(
        wxEVT_MENU, [](wxCommandEvent&) {}, kDynamicElementId);
    leftSizer->Add(m_leftSide, 0, wxALIGN_CENTER_VERTICAL | wxTOP | wxBOTTOM, 2);
    alignment->AddPage(leftPage, wxS("alignment trick!"), true);
    m_middleSizer->Add(alignment, 0, wxALIGN_CENTER_VERTICAL | wxALL, 0);
    m_operandBook = new RuleRowRHSChoiceBookWithHiddenCtrl(m_editingContext, middle, kOperandBookId, wxDefaultPosition,
                                                           wxDefaultSize, 0);
    m_middleSizer->Add(m_operandBook, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    rowSizer->Add(middle, 0, wxALIGN_CENTER_VERTICAL | wxALL, 0);

    rowSizer->Add(5, 5, 1, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    using Art = Orbisk::OrbiskImagesArtworkEtc;
    m_rowMenu = new DropdownButton(&DropdownButton::Kept<&Art::GetGearsArrowButton_Standard>, this, kRowMenuId,
                                   wxDefaultPosition, wxDefaultSize, wxBORDER_NONE,
                                   &DropdownButton::Kept<&Art::GetGearsArrowButton_Disabled>,
                                   &DropdownButton::Kept<&Art::GetGearsArrowButton_Hover>,
                                   &DropdownButton::Kept<&Art::GetGearsArrowButton_Clicked>);
    rowSizer->Add(m_rowMenu, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    rowSizer->Fit(this);
}

wxBitmap RuleComponentRowPanel::GetBitmapResource(const wxString& name) { return GetBitmapRsrc(name); }

void RuleComponentRowPanel::LastChanceToDoDelayedSetup(VTExperiment* experiment)
{
    if (!m_delayedSetupPending) return;
    m_delayedSetupPending = false;
    SetupExtendedChoiceMenus();
    ResetToDefaultState();
    if (m_isActionRow) {
        HideThe_AndOr();
        m_andOrBook->ChangeSelection(2);
    }
    ConfigureTheRowsInsertionMenu(false);
    m_operandBook->SetNotificationFunctor(boost::bind(&RuleComponentRowPanel::ForceReportChanges, this));
    if (experiment) RepopulateAllShownDropDowns(experiment);
}

void RuleComponentRowPanel::RepopulateAllShownDropDowns(VTExperiment* experiment)
{
    if (m_delayedSetupPending) return;
    m_experiment = experiment;
    m_operandBook->RepopulateAllShownDropDowns(experiment);
    SetupExtendedChoiceMenus();
}

void RuleComponentRowPanel::SetupExtendedChoiceMenus()
{
    // New menus show nothing picked: the row's pick is shown again in them.
    const wxString shown = m_leftSide->GetTextOfSelectedMenuItem();
    const auto helper = Mappings::GetExtendedMenu(m_experiment, m_editingContext, m_isActionRow);
    m_submenus = helper;
    std::vector<const wxMenu*> menus(helper->GetMenus().begin(), helper->GetMenus().end());
    m_leftSide->SetExtendedMenus_MakesCopies_CallSitePleaseDeleteSourceMenus(
        menus, boost::make_shared<const std::map<int, int>>());
    if (m_rowState->submenuId > 0) {
        m_leftSide->ChooseExtendedMenuIndex(1);
        m_leftSide->AlterTextForMenuItem(kDynamicElementId, shown);
        m_leftSide->SetEnablednessForMenuItem(kDynamicElementId, true);
    }
    if (!shown.empty()) m_leftSide->ChooseTheMenuItemLinkedToThisString(shown);
}

void RuleComponentRowPanel::ResetToDefaultState()
{
    if (m_delayedSetupPending) return;
    const bool first = m_manager && m_manager->IsVeryFirstLeadingSubrow(this);
    Mappings::ResetRowToDefaultStartingState(m_leftSide, m_operandBook, m_isActionRow, first);
    m_parameterOnRightSide = false;
}

int RuleComponentRowPanel::GetIdOfSelectedLHS() const { return m_leftSide->GetIdOfSelectedMenuItem(); }

void RuleComponentRowPanel::ReactToLatestLeftHandID(int menuId, bool silently)
{
    wxString label;
    const wxString name = m_submenus ? m_submenus->ElNameByMenuId(menuId) : wxString();
    const bool inSubmenu = Mappings::TheIdBelongsToSomeSubmenu(name, menuId, *m_rowState, this, m_operandBook,
                                                               m_submenus, label, silently);
    m_rowState->rhsDirective = m_parameterOnRightSide ? RhsDirective::Parameter : RhsDirective::Value;
    int bookId = menuId;
    if (inSubmenu) {
        m_leftSide->ChooseExtendedMenuIndex(1);
        m_leftSide->AlterTextForMenuItem(kDynamicElementId, label);
        m_leftSide->SetEnablednessForMenuItem(kDynamicElementId, true);
        m_leftSide->ChooseTheMenuItemLinkedToThisString(label);
        m_rowState->submenuId = menuId;
        bookId = kDynamicElementId;
        Mappings::ChooseBookPanelByMenuIdAndSubmenuId(m_operandBook, kDynamicElementId, m_isActionRow, menuId,
                                                      m_parameterOnRightSide, m_submenus);
    } else {
        m_leftSide->ChooseExtendedMenuIndex(0);
        m_leftSide->SetEnablednessForMenuItem(kDynamicElementId, false);
        m_rowState->submenuId = -1;
        if (LHS_MenuIdBelongsToSetThatAllowsParameterOnRHS(menuId))
            Mappings::ChooseBookPanelByMenuIdAndSubmenuId(m_operandBook, menuId, m_isActionRow, -1,
                                                          m_parameterOnRightSide, m_submenus);
        else
            Mappings::ChooseBookPanelByMenuId(m_operandBook, menuId, m_isActionRow);
    }
    m_operandBook->SetHelpTextById(bookId);
    if (!silently) Report();
}

void RuleComponentRowPanel::SetLabelTo_And()
{
    if (m_andOrLink->GetLabel() != And()) {
        m_andOrLink->SetLabel(And());
        m_linkPageSizer->Layout();
    }
    m_andOrLink->Enable(true);
    Orbisk::HelperFunctionChangeStaticTextIfNew(m_actionJoiner, m_joinerPageSizer, nullptr, And(), -999);
}

void RuleComponentRowPanel::SetLabelTo_Or()
{
    if (!m_isActionRow && m_andOrLink->GetLabel() != Or()) {
        m_andOrLink->SetLabel(Or());
        m_linkPageSizer->Layout();
    }
    m_andOrLink->Enable(true);
}

void RuleComponentRowPanel::HideThe_AndOr()
{
    m_andOrLink->SetLabel(wxString());
    m_andOrLink->Enable(false);
    Orbisk::HelperFunctionChangeStaticTextIfNew(m_actionJoiner, m_joinerPageSizer, nullptr, wxString(), -999);
}

void RuleComponentRowPanel::PlayDead(bool dead)
{
    m_andOrLink->Enable(!dead);
    m_leftSide->Enable(!dead);
    m_rowMenu->Enable(!dead);
    m_operandBook->PlayDead(dead);
}

void RuleComponentRowPanel::ConfigureTheRowsInsertionMenu(bool withToggle)
{
    m_rowMenu->ClearDropdownMenu();
    m_addId = m_rowMenu->AddDropdownMenuItem(m_isActionRow ? _("Add Action") : _("Add Criterion"));
    m_duplicateId = m_rowMenu->AddDropdownMenuItem(_("Duplicate"));
    m_deleteId = m_rowMenu->AddDropdownMenuItem(_("Delete"));
    if (!withToggle) return;
    m_rowMenu->AddSeparator();
    const wxString text = m_isActionRow
                              ? (m_parameterOnRightSide ? _("Enter a Fixed Value") : _("Enter a Parameter"))
                              : (m_parameterOnRightSide ? _("Compare to Fixed Value") : _("Compare to Parameter"));
    m_toggleId = m_rowMenu->AddDropdownMenuItem(text);
}

void RuleComponentRowPanel::SetRHSDirective_OnlyCallThis_if_YourExpressionSupportsTogglingRHS(int directive)
{
    m_parameterOnRightSide = directive == RhsDirective::Parameter;
    ConfigureTheRowsInsertionMenu(true);
}

void RuleComponentRowPanel::PlaceRowGUIStateOntoThisForm(OrderFormForActionCreation& form) const
{
    Mappings::PlaceRowGUIStateOntoThisActionForm(GetIdOfSelectedLHS(), *m_rowState, form);
}

void RuleComponentRowPanel::PlaceRowGUIStateOntoThisForm(ExpressionFromGUI& form) const
{
    Mappings::PlaceRowGUIStateOntoThisExpressionForm(GetIdOfSelectedLHS(), *m_rowState, form, m_editingContext,
                                                     m_submenus);
    form.isAnd = m_andOrLink->GetLabel() == And();
    form.trialSubset = m_operandBook->ConstRefToSubset();
    if (m_operandBook->NowShowingCollectionFunction())
        m_operandBook->ConstRefToCollFunc().TranslateInfoOntoExpressionForm(form);
}

void RuleComponentRowPanel::PlaceFormStateOntoGUI(const OrderFormForActionCreation& form)
{
    if (m_delayedSetupPending) {
        // The caller's form would be lost without a trace.
        wxLogError("An action was given to a rule row before the row was set up; it is not shown.");
        return;
    }
    Mappings::PlaceActionFormStateOntoGUI(this, m_leftSide, m_operandBook, *m_rowState, form);
    FollowUpTasksAfterPuttingFormOntoGUI();
}

void RuleComponentRowPanel::PlaceFormStateOntoGUI(const ExpressionFromGUI& form)
{
    if (m_delayedSetupPending) {
        wxLogError("A criterion was given to a rule row before the row was set up; it is not shown.");
        return;
    }
    if (m_submenus && m_submenus->GetExperiment() != m_experiment)
        wxLogError("Parts of the user interface may be editing the wrong experiment.  Please report this to Orbisk "
                   "Corp.");
    if (form.isAnd)
        SetLabelTo_And();
    else
        SetLabelTo_Or();
    m_operandBook->AcceptNewSubsetSettings(form.trialSubset);
    Mappings::PlaceExpressionFormStateOntoGUI(this, m_leftSide, m_operandBook, *m_rowState, form, m_submenus);
    FollowUpTasksAfterPuttingFormOntoGUI();
}

void RuleComponentRowPanel::FollowUpTasksAfterPuttingFormOntoGUI()
{
    m_operandBook->SetEnablednessForAutomaticForcedEvents(false);
    int menuId = m_rowState->submenuId;
    if (menuId < 1) menuId = GetIdOfSelectedLHS();
    ReactToLatestLeftHandID(menuId, true);
    m_operandBook->PutLatestStringsIntoFieldsAndChoices(*m_rowState);
    if (m_operandBook->GetSelection() != wxNOT_FOUND) m_operandBook->RefreshCurrentPage();
    m_operandBook->SetEnablednessForAutomaticForcedEvents(true);
    m_operandBook->RefreshCurrentPage();
    Report();
}

void RuleComponentRowPanel::FillThisFormWithExpressionFormDefaults(ExpressionFromGUI& form) const
{
    form = Mappings::GetFormForExpressionRowDefaults(m_manager && m_manager->IsVeryFirstLeadingSubrow(this));
}

void RuleComponentRowPanel::FillThisFormWithActionFormDefaults(OrderFormForActionCreation& form) const
{
    form = Mappings::GetFormForActionRowDefaults();
    form.target = m_rowState->elementIdOne;
    form.target2 = m_rowState->elementIdTwo;
    form.parameterName = m_rowState->choiceString;
    form.text = m_rowState->textFieldContent;
    form.colour = m_rowState->colour;
    std::int32_t number = 1;
    form.number = ParseRuleNumber(m_rowState->textFieldContent, number) ? number : 1;
}

void RuleComponentRowPanel::ForceReportChanges() { Report(); }

void RuleComponentRowPanel::Report()
{
    if (m_manager) m_manager->OnSubrowReportingChanges(this);
}

int RuleComponentRowPanel::ClientDataOf(const wxCommandEvent& event)
{
    return int(std::intptr_t(event.GetClientData()));
}

// ---- Events.

void RuleComponentRowPanel::OnClickAndOr(wxHyperlinkEvent& event)
{
    if (m_isActionRow || !m_andOrLink->IsEnabled()) return;
    if (m_andOrLink->GetLabel() != And())
        SetLabelTo_And();
    else
        SetLabelTo_Or();
    Report();
    (void)event;
}

void RuleComponentRowPanel::On_LHS_DropdownSelection_DO_NOT_HIJACK_READ_COMMENTS(wxCommandEvent& event)
{
    // Only the left side's own items are picks: a context menu of a link on the row
    // (its "Copy URL") sends menu commands too, which are no business of the row.
    if (m_leftSide->GetTextOfItemById(event.GetId()).empty()) {
        event.Skip();
        return;
    }
    m_operandBook->NotifyRealHumanClick();
    if (event.GetId() == kDynamicElementId) return;
    ReactToLatestLeftHandID(event.GetId(), false);
}

void RuleComponentRowPanel::OnRowMenuButton(wxCommandEvent& event)
{
    m_operandBook->NotifyRealHumanClick();
    event.Skip();
    const int id = event.GetInt();
    if (!m_manager) return;
    if (id == m_addId) {
        m_manager->InsertRowFollowing(this);
    } else if (id == m_duplicateId) {
        m_manager->InsertDuplicateRowFollowing(this);
    } else if (id == m_deleteId) {
        m_manager->RemoveRow(this);
    } else if (id == m_toggleId) {
        m_parameterOnRightSide = !m_parameterOnRightSide;
        m_rowState->rhsDirective = m_parameterOnRightSide ? RhsDirective::Parameter : RhsDirective::Value;
        ConfigureTheRowsInsertionMenu(true);
        int menuId = m_rowState->submenuId;
        if (menuId < 0 && LHS_MenuIdBelongsToSetThatAllowsParameterOnRHS(GetIdOfSelectedLHS()))
            menuId = GetIdOfSelectedLHS();
        ReactToLatestLeftHandID(menuId, false);
    } else {
        wxLogError("Row drop-down button produced a command id that we do not recognize.");
    }
}

void RuleComponentRowPanel::OnBGColorChange(wxColourPickerEvent& event)
{
    m_rowState->colour = event.GetColour();
    Report();
}

void RuleComponentRowPanel::OnChoiceEventNoClientDataJustString(wxCommandEvent& event)
{
    m_rowState->choiceString = event.GetString();
    Report();
    m_operandBook->AdjustRandomCounterMinMaxText(m_rowState->choiceString, false);
}

void RuleComponentRowPanel::OnChoice_2_EventNoClientDataJustString(wxCommandEvent& event)
{
    m_rowState->secondChoiceString = event.GetString();
    Report();
}

void RuleComponentRowPanel::OnChoiceElementOne(wxCommandEvent& event)
{
    const int id = ClientDataOf(event);
    m_operandBook->RespondToTagSetSelection(id);
    m_operandBook->RespondToTrialVariableSelection(id);
    m_operandBook->ForceEventFromSecondDropDownChoice();
    m_rowState->elementIdOne = id;
    Report();
}

void RuleComponentRowPanel::OnChoiceElementTwo(wxCommandEvent& event)
{
    m_rowState->elementIdTwo = ClientDataOf(event);
    Report();
}

void RuleComponentRowPanel::OnChoiceTrialLevelSetting(wxCommandEvent& event)
{
    const int selection = event.GetInt();
    if (selection >= 0) {
        m_rowState->levelSetting = selection == 0 ? 3020 : 3021;
        m_rowState->elementIdTwo = ClientDataOf(event);
    }
    Report();
}

void RuleComponentRowPanel::OnChoiceTrialLevelExprComparand(wxCommandEvent& event)
{
    m_rowState->elementIdTwo = ClientDataOf(event);
    Report();
}

wxTextCtrl* RuleComponentRowPanel::TextSource(const wxCommandEvent& event)
{
    auto* field = dynamic_cast<wxTextCtrl*>(event.GetEventObject());
    if (!field) wxLogError("Null window object for text event.");
    return field;
}

void RuleComponentRowPanel::OnNumericText(wxCommandEvent& event)
{
    wxTextCtrl* field = TextSource(event);
    if (!field) return;
    const wxString text = wxString(field->GetValue()).Trim(true).Trim(false);
    std::int32_t number = 0;
    if (ParseRuleNumber(text, number)) {
        m_rowState->SetTextFieldContent(text);
    } else {
        // Also a number beyond 32 bits: stored, it would come back as another number.
        if (!text.empty() && text != wxS("-")) wxLogError("Non-numeric value found in number entry field.");
        m_rowState->textFieldContent = m_rowState->GetOriginalValueOrElseThis(wxS("1"));
    }
    Report();
}

void RuleComponentRowPanel::OnAlphabeticText(wxCommandEvent& event)
{
    wxTextCtrl* field = TextSource(event);
    if (!field) return;
    m_rowState->SetTextFieldContent(field->GetValue());
    Report();
}

}  // namespace Vantrel
