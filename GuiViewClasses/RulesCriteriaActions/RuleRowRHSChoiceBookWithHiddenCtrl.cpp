// The operand book: lazy pages, the size cache, selection, values between the
// row's state and the current page, the settings links and greying out.

#include "RuleRowRHSChoiceBookWithHiddenCtrl.h"

#include "RuleRowRHSPanels.h"
#include "RulesHelperMappings.h"

#include <Resources/BitmapRsrc.h>
#include <VTCore/VTElementType.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTTagSet.h>

#include <wx/choice.h>
#include <wx/clrpicker.h>
#include <wx/config.h>
#include <wx/hyperlink.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/textctrl.h>

#include <chrono>
#include <cstdint>
#include <limits>

namespace Vantrel {

namespace {

const wxColour kPageBackground(230, 239, 247, 255);

constexpr long kCacheVersion = 6;
constexpr std::int64_t kCacheLifetimeSeconds = 4838399;  // 56 days less a second
constexpr int kNoPageIndex = -1;

std::function<std::int64_t()>& SecondsClock()
{
    static std::function<std::int64_t()> clock;
    return clock;
}

// Whole seconds since 1970; -1 outside what the cache's entries can hold.
std::int64_t NowSeconds()
{
    const std::int64_t now =
        SecondsClock()
            ? SecondsClock()()
            : std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
                  .count();
    return now < 0 || now >= std::numeric_limits<std::int32_t>::max() ? -1 : now;
}

wxConfigBase* Config() { return wxConfigBase::Get(true); }

RuleRowRHSChoiceBookWithHiddenCtrl::SubsetSheetOpener& SubsetOpener()
{
    static RuleRowRHSChoiceBookWithHiddenCtrl::SubsetSheetOpener opener;
    return opener;
}
RuleRowRHSChoiceBookWithHiddenCtrl::CollectionSheetOpener& CollectionOpener()
{
    static RuleRowRHSChoiceBookWithHiddenCtrl::CollectionSheetOpener opener;
    return opener;
}

void ShowInItsSizer(wxWindow* window, bool show)
{
    if (wxSizer* sizer = window->GetContainingSizer()) {
        sizer->Show(window, show, true);
        sizer->Layout();
    } else {
        window->Show(show);
    }
}

}  // namespace

wxSize RuleRowRHSChoiceBookWithHiddenCtrl::m_preferredSizeBasedOnChildPanels(0, 0);
boost::shared_ptr<wxSize> RuleRowRHSChoiceBookWithHiddenCtrl::m_foundSizingInfoFromConfig;

wxIMPLEMENT_DYNAMIC_CLASS(RuleRowRHSChoiceBookWithHiddenCtrl, wxChoicebook);

wxBEGIN_EVENT_TABLE(RuleRowRHSChoiceBookWithHiddenCtrl, Orbisk::OrbiskChoiceBookWithHiddenCtrl)
    EVT_CHOICEBOOK_PAGE_CHANGED(wxID_ANY, RuleRowRHSChoiceBookWithHiddenCtrl::OnPageChanged)
    EVT_HYPERLINK(RuleRowRHSChoiceBookWithHiddenCtrl::kSettingsLinkId,
                  RuleRowRHSChoiceBookWithHiddenCtrl::OnClickSubsetHyperlink)
    EVT_IDLE(RuleRowRHSChoiceBookWithHiddenCtrl::OnIdle)
wxEND_EVENT_TABLE()

void RuleRowRHSChoiceBookWithHiddenCtrl::SetSheetOpeners(SubsetSheetOpener subset, CollectionSheetOpener collection)
{
    SubsetOpener() = std::move(subset);
    CollectionOpener() = std::move(collection);
}

RuleRowRHSChoiceBookWithHiddenCtrl::RuleRowRHSChoiceBookWithHiddenCtrl() { Init(); }

RuleRowRHSChoiceBookWithHiddenCtrl::RuleRowRHSChoiceBookWithHiddenCtrl(int ownerKind_, wxWindow* parent, int id,
                                                                       const wxPoint& pos, const wxSize& size,
                                                                       long style)
{
    Init();
    ownerKind = ownerKind_;
    if (!m_foundSizingInfoFromConfig && m_preferredSizeBasedOnChildPanels.GetWidth() < 1)
        GetConfigSavedSizeIfPossible();
    Create(parent, id, pos, size, style);
    m_autoOpenTimer.SetOwner(this);
    Bind(wxEVT_TIMER, &RuleRowRHSChoiceBookWithHiddenCtrl::OnAutoOpenTimer, this, m_autoOpenTimer.GetId());
}

RuleRowRHSChoiceBookWithHiddenCtrl::~RuleRowRHSChoiceBookWithHiddenCtrl() { m_autoOpenTimer.Stop(); }

void RuleRowRHSChoiceBookWithHiddenCtrl::Init()
{
    m_pages.fill(nullptr);
    // Never null from here on, also in a book made from its class name.
    m_subset.reset(new TrialSubsetDescription());
    m_collFunc.reset(new CollectionFunctionInfo());
}

bool RuleRowRHSChoiceBookWithHiddenCtrl::Create(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                                                long style)
{
    Orbisk::OrbiskChoiceBookWithHiddenCtrl::Create(parent, id, pos, size, style);
    SpecializedCreateControls();
    return true;
}

void RuleRowRHSChoiceBookWithHiddenCtrl::SpecializedCreateControls()
{
    if (!m_foundSizingInfoFromConfig && m_preferredSizeBasedOnChildPanels.GetWidth() <= 0)
        FirstTimeOnly_CreateControls();
}

void RuleRowRHSChoiceBookWithHiddenCtrl::FirstTimeOnly_CreateControls()
{
    SetName(wxS("Expression Parameters"));
    for (int index = 0; index < kPageCount; ++index) {
        if (m_pages[index]) continue;
        AddPageKeepingIndexes(MakePage(index, nullptr), PageLabel(index));
    }
}

wxString RuleRowRHSChoiceBookWithHiddenCtrl::PageLabel(int pageIndex)
{
    static const char* const labels[kPageCount] = {"Compare to Parameter",
                                                   "No RHS Operand",
                                                   "Compare to Number",
                                                   "Compare to Reaction Time",
                                                   "Compare to Percentage",
                                                   "Compare to String",
                                                   "Compare to Trial's Tag",
                                                   "Compare to Trial Variable Level",
                                                   "Reset parameter",
                                                   "Store participant's response",
                                                   "Store participant's typed text",
                                                   "Set text parameter",
                                                   "Append to text parameter",
                                                   "Set counter value",
                                                   "Increment counter",
                                                   "Decrement counter",
                                                   "Assign random number",
                                                   "Clear collection",
                                                   "Add trial to collection",
                                                   "Exit block",
                                                   "Present block",
                                                   "Present event",
                                                   "Increment trial level",
                                                   "Decrement trial level",
                                                   "Set trial level",
                                                   "Change background color",
                                                   "Set trial's tag (event level only)",
                                                   "Set tag on all trials in block",
                                                   "MULTI-Purpose Error Text panel",
                                                   "Compare to Response",
                                                   "RHS for Collections Parameters",
                                                   "Set text parameter",
                                                   "Append to text parameter",
                                                   "Set counter value",
                                                   "Increment counter",
                                                   "Decrement counter",
                                                   "Timer Parameter"};
    return pageIndex >= 0 && pageIndex < kPageCount ? wxGetTranslation(wxString::FromUTF8(labels[pageIndex]))
                                                    : wxString();
}

// Makes the page of an index (its class by name) and stores it; not yet in the book.
wxWindow* RuleRowRHSChoiceBookWithHiddenCtrl::MakePage(int pageIndex, VTExperiment* experiment)
{
    const wxString className = RhsPageClassName(RhsPageClassForIndex(pageIndex));
    auto* page = dynamic_cast<RuleRowRHSPageBase*>(wxCreateDynamicObject(className));
    if (!page) {
        wxLogError("Operand page class %s is not registered.", className);
        return nullptr;
    }
    page->Construct(experiment, this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER);
    page->SetBackgroundColour(kPageBackground);
    m_pages[pageIndex] = page;
    return page;
}

// ---- Size.

wxSize RuleRowRHSChoiceBookWithHiddenCtrl::GetMinSize() const { return CalculateOurSize(); }
wxSize RuleRowRHSChoiceBookWithHiddenCtrl::GetMaxSize() const { return CalculateOurSize(); }

wxSize RuleRowRHSChoiceBookWithHiddenCtrl::CalculateOurSize() const
{
    if (m_foundSizingInfoFromConfig) m_preferredSizeBasedOnChildPanels = *m_foundSizingInfoFromConfig;
    if (m_preferredSizeBasedOnChildPanels.GetWidth() > 0) return m_preferredSizeBasedOnChildPanels;
    wxSize largest(0, 0);
    for (size_t i = 0; i < GetPageCount(); ++i) largest.IncTo(GetPage(i)->GetBestSize());
    m_preferredSizeBasedOnChildPanels = largest;
    SaveLatestSizeToConfig(largest);
    return m_preferredSizeBasedOnChildPanels;
}

void RuleRowRHSChoiceBookWithHiddenCtrl::GetConfigSavedSizeIfPossible()
{
    if (m_foundSizingInfoFromConfig) return;
    wxConfigBase* config = Config();
    if (!config) return;
    long version = 0, refresh = 0, height = 0, width = 0;
    const bool found = config->Read(wxS("/RulesRowLayoutCaching/Version"), &version, 0) &
                       config->Read(wxS("/RulesRowLayoutCaching/Refresh"), &refresh, 0) &
                       config->Read(wxS("/RulesRowLayoutCaching/Height"), &height, 0) &
                       config->Read(wxS("/RulesRowLayoutCaching/Width"), &width, 0);
    const std::int64_t age = NowSeconds() - std::int64_t(refresh);
    if (found && version == kCacheVersion && height >= 5 && width >= 101 && age <= kCacheLifetimeSeconds)
        m_foundSizingInfoFromConfig.reset(new wxSize(int(width), int(height)));
}

void RuleRowRHSChoiceBookWithHiddenCtrl::SaveLatestSizeToConfig(const wxSize& size)
{
    if (size.GetHeight() < 5 || size.GetWidth() < 101) return;
    wxConfigBase* config = Config();
    if (!config) return;
    config->Write(wxS("/RulesRowLayoutCaching/Version"), kCacheVersion);
    config->Write(wxS("/RulesRowLayoutCaching/Refresh"), long(NowSeconds()));
    config->Write(wxS("/RulesRowLayoutCaching/Height"), long(size.GetHeight()));
    config->Write(wxS("/RulesRowLayoutCaching/Width"), long(size.GetWidth()));
    config->Flush();
}

void RuleRowRHSChoiceBookWithHiddenCtrl::SetSecondsClock(std::function<std::int64_t()> clock)
{
    SecondsClock() = std::move(clock);
}

void RuleRowRHSChoiceBookWithHiddenCtrl::ForgetClassWideSize()
{
    m_preferredSizeBasedOnChildPanels = wxSize(0, 0);
    m_foundSizingInfoFromConfig.reset();
}

wxBitmap RuleRowRHSChoiceBookWithHiddenCtrl::GetBitmapResource(const wxString& name) { return GetBitmapRsrc(name); }

// ---- Pages and selection.

int RuleRowRHSChoiceBookWithHiddenCtrl::EnsureChoicePanelExistence(size_t pageIndex)
{
    // An index without a page (an unmapped menu id) shows the operand-less page.
    const int index = pageIndex < size_t(kPageCount) ? int(pageIndex) : 1;
    if (!m_pages[index]) {
        const bool tagPage = index == 26 || index == 27;
        wxWindow* page = MakePage(index, tagPage ? nullptr : m_experiment);
        if (!page) return 0;
        if (tagPage && m_experiment)
            static_cast<RuleRowRHSPageBase*>(page)->RepopulateUsingExperimentData(this, m_experiment);
        AddPageKeepingIndexes(page, wxString());
        return int(GetPageCount()) - 1;
    }
    const int position = FindPage(m_pages[index]);
    return position == wxNOT_FOUND ? 0 : position;
}

wxWindow* RuleRowRHSChoiceBookWithHiddenCtrl::PageAtIndex(int pageIndex) const
{
    return pageIndex >= 0 && pageIndex < kPageCount ? m_pages[pageIndex] : nullptr;
}

int RuleRowRHSChoiceBookWithHiddenCtrl::CurrentPageIndex() const
{
    const wxWindow* current = GetCurrentPage();
    for (int i = 0; current && i < kPageCount; ++i)
        if (m_pages[i] == current) return i;
    return kNoPageIndex;
}

// The toolkit selects the first page added to an empty book by position, through
// the same calls that take page indexes here; while a page is added they are its.
void RuleRowRHSChoiceBookWithHiddenCtrl::AddPageKeepingIndexes(wxWindow* page, const wxString& label)
{
    if (!page) return;
    m_addingPage = true;
    AddPage(page, label, false, -1);
    m_addingPage = false;
}

int RuleRowRHSChoiceBookWithHiddenCtrl::SetSelection(size_t pageIndex)
{
    if (m_addingPage) return Orbisk::OrbiskChoiceBookWithHiddenCtrl::SetSelection(pageIndex);
    if (pageIndex == 30 && m_lastPageIndex != 30 && m_realHumanClick) m_pendingAutoOpenCollSheet = true;
    const int position = EnsureChoicePanelExistence(pageIndex);
    m_lastPageIndex = int(pageIndex);
    return Orbisk::OrbiskChoiceBookWithHiddenCtrl::SetSelection(size_t(position));
}

int RuleRowRHSChoiceBookWithHiddenCtrl::ChangeSelection(size_t pageIndex)
{
    if (m_addingPage) return Orbisk::OrbiskChoiceBookWithHiddenCtrl::ChangeSelection(pageIndex);
    return Orbisk::OrbiskChoiceBookWithHiddenCtrl::ChangeSelection(size_t(EnsureChoicePanelExistence(pageIndex)));
}

// ---- Values between row and page.

void RuleRowRHSChoiceBookWithHiddenCtrl::PutLatestStringsIntoFieldsAndChoices(const GUIDataNeededByRulesHelper& state)
{
    m_subset.reset(new TrialSubsetDescription(state.trialSubset));
    AcceptNewCollFuncSettings(state.collectionFunction);
    wxWindow* page = GetCurrentPage();
    if (!page) return;
    if (auto* choice = dynamic_cast<wxChoice*>(page->FindWindow("rule_rhs_choice1"))) {
        SetSelectionUsingLatestData(choice, state.elementIdOne, state.choiceString,
                                    WidgetUsesNegativeNumberClientData(choice));
        RespondToTagSetSelection_Private(state.elementIdOne, false, false);
        RespondToTrialVariableSelection_Private(state.elementIdOne);
    }
    if (auto* choice = dynamic_cast<wxChoice*>(page->FindWindow("rule_rhs_choice2")))
        SetSelectionUsingLatestData(choice, state.elementIdTwo, state.secondChoiceString,
                                    WidgetUsesNegativeNumberClientData(choice));
    if (auto* field = dynamic_cast<wxTextCtrl*>(page->FindWindow("rule_rhs_field1")))
        field->ChangeValue(state.textFieldContent);
    if (auto* picker = dynamic_cast<wxColourPickerCtrl*>(page->FindWindow("rule_color_picker")))
        picker->SetColour(state.colour);
    if (page->FindWindow("rule_rhs_units_label"))
        state.collectionFunction.AdjustVisiblePanelsForCurrentInfo(page, m_experiment);
}

void RuleRowRHSChoiceBookWithHiddenCtrl::SetSelectionUsingLatestData(wxChoice* choice, int id, const wxString& text,
                                                                     bool negativeIdsAllowed)
{
    if (!choice) return;
    const unsigned count = choice->GetCount();
    if ((id >= 1 || negativeIdsAllowed) && count > 0 && choice->HasClientUntypedData()) {
        for (unsigned i = 0; i < count; ++i)
            if (int(std::intptr_t(choice->GetClientData(i))) == id) {
                choice->SetSelection(int(i));
                return;
            }
    }
    const int byText = choice->FindString(text, true);
    if (!text.empty() && byText != wxNOT_FOUND) {
        choice->SetSelection(byText);
        return;
    }
    if (count == 0) return;
    choice->SetSelection(0);
    if (id >= 1)
        // An element chosen once and deleted since: the row now shows another one.
        wxLogError("Element %d chosen in a rule is no longer listed; \"%s\" is shown in its place.", id,
                   choice->GetString(0));
    else if (id == -1 && !text.empty() && text != wxS("No Parameters"))
        wxLogError("There is a Parameter-related error in one of the Rules/Feedbacks. Please verify they're correct "
                   "and re-save them.");
}

void RuleRowRHSChoiceBookWithHiddenCtrl::RefreshCurrentPage()
{
    wxWindow* page = GetCurrentPage();
    if (!page) return;
    if (wxWindow* first = page->FindWindow("rule_rhs_choice1")) {
        auto* choice = dynamic_cast<wxChoice*>(first);
        if (choice)
            ForceChoiceControlToEmitEvent(choice);
        else
            wxLogError("Drop-down list is null.");
    }
    ForceEventFromSecondDropDownChoiceOnSpecificPanel(-1);
    if (auto* field = dynamic_cast<wxTextCtrl*>(page->FindWindow("rule_rhs_field1")))
        field->SetValue(field->GetValue());
    if (auto* picker = dynamic_cast<wxColourPickerCtrl*>(page->FindWindow("rule_color_picker"))) {
        wxColourPickerEvent event(picker, picker->GetId(), picker->GetColour());
        picker->GetEventHandler()->ProcessEvent(event);
    }
}

void RuleRowRHSChoiceBookWithHiddenCtrl::ForceEventFromSecondDropDownChoice()
{
    ForceEventFromSecondDropDownChoiceOnSpecificPanel(-1);
}

wxChoice* RuleRowRHSChoiceBookWithHiddenCtrl::ForceEventFromSecondDropDownChoiceOnSpecificPanel(int pageIndex)
{
    wxWindow* page = nullptr;
    if (pageIndex >= 0) {
        EnsureChoicePanelExistence(size_t(pageIndex));
        page = PageAtIndex(pageIndex);
    } else {
        page = GetCurrentPage();
    }
    if (!page) return nullptr;
    wxWindow* second = page->FindWindow("rule_rhs_choice2");
    if (!second) return nullptr;
    auto* choice = dynamic_cast<wxChoice*>(second);
    if (!choice) {
        wxLogError("Drop-down list is null.");
        return nullptr;
    }
    ForceChoiceControlToEmitEvent(choice);
    return choice;
}

void RuleRowRHSChoiceBookWithHiddenCtrl::ForceChoiceControlToEmitEvent(wxChoice* choice)
{
    if (!choice) {
        wxLogError("Drop-down list is null.");
        return;
    }
    const int selection = choice->GetSelection();
    if (selection < 0) return;
    wxCommandEvent event(wxEVT_CHOICE, choice->GetId());
    event.SetInt(selection);
    event.SetString(choice->GetString(unsigned(selection)));
    event.SetEventObject(choice);
    if (choice->HasClientObjectData())
        event.SetClientObject(choice->GetClientObject(unsigned(selection)));
    else if (choice->HasClientUntypedData())
        event.SetClientData(choice->GetClientData(unsigned(selection)));
    choice->GetEventHandler()->ProcessEvent(event);
}

void RuleRowRHSChoiceBookWithHiddenCtrl::AcceptNewSubsetSettings(const TrialSubsetDescription& subset)
{
    m_subset.reset(new TrialSubsetDescription(subset));
}

void RuleRowRHSChoiceBookWithHiddenCtrl::AcceptNewCollFuncSettings(const CollectionFunctionInfo& info)
{
    m_collFunc.reset(new CollectionFunctionInfo());
    *m_collFunc = info;
}

bool RuleRowRHSChoiceBookWithHiddenCtrl::NowShowingCollectionFunction() const
{
    const wxWindow* page = GetCurrentPage();
    return page && page->FindWindow("rule_rhs_units_label");
}

bool RuleRowRHSChoiceBookWithHiddenCtrl::WidgetUsesNegativeNumberClientData(const wxWindow* window) const
{
    if (!window) return false;
    for (int index : {29, 6})
        if (auto* page = static_cast<RuleRowRHSPageBase*>(m_pages[index]))
            if (page->SecondChoice() == window) return true;
    return false;
}

// ---- Links and greying out.

void RuleRowRHSChoiceBookWithHiddenCtrl::AdjustHyperlinkForPage(int menuId, int pageIndex, int submenuId)
{
    const int position = EnsureChoicePanelExistence(size_t(std::max(pageIndex, 0)));
    wxWindow* page = position < int(GetPageCount()) ? GetPage(size_t(position)) : nullptr;
    if (!page) return;
    if (auto* link = dynamic_cast<wxHyperlinkCtrl*>(page->FindWindow("settings_hyperlink"))) {
        using Mappings = RulesHelperMappingsFromLeftSideToRightSideAndMore;
        if (menuId >= 14098 && menuId <= 14100) {
            ShowInItsSizer(link, true);
            m_linkContextId = submenuId;
            AdjustTIBLink(link, nullptr);
        } else if (submenuId >= 0 && Mappings::TheIdBelongsToCollParameterSubmenu(submenuId)) {
            ShowInItsSizer(link, true);
            m_linkContextId = submenuId;
        } else {
            ShowInItsSizer(link, false);
        }
    }
    if (wxWindow* hint = page->FindWindow("id_helptext_zero_timer")) ShowInItsSizer(hint, menuId == 15047);
}

void RuleRowRHSChoiceBookWithHiddenCtrl::AdjustTIBLink(wxHyperlinkCtrl* link, wxWindow* page)
{
    if (!link && !page) {
        wxLogError("Unable to locate non-null TIB hyperlink.");
        return;
    }
    wxString tagName;
    const int tagId = m_subset->GetRangeTagID();
    if (tagId > 0 && m_experiment)
        if (const auto* tag = dynamic_cast<const VTTag*>(
                m_experiment->LookupElementByTypeAndID(ElementType::Tag, std::uint32_t(tagId))))
            tagName = tag->GetName();
    const wxString summary = m_subset->GetFriendlySummaryText(tagName);
    if (!link) link = dynamic_cast<wxHyperlinkCtrl*>(page->FindWindow("settings_hyperlink"));
    if (!link) {
        wxLogError("Unable to locate link for showing: %s", summary);
        return;
    }
    link->SetLabel(summary);
    if (wxSizer* sizer = link->GetContainingSizer()) sizer->Layout();
}

void RuleRowRHSChoiceBookWithHiddenCtrl::PlayDead(bool dead)
{
    wxString reason;
    if (m_experiment) dead = dead || m_experiment->IsLocked(reason);
    for (wxWindow* window : m_widgetsForPlayDead) window->Enable(!dead);
}

// ---- Events.

void RuleRowRHSChoiceBookWithHiddenCtrl::OnPageChanged(wxBookCtrlEvent& event)
{
    event.Skip();
    if (m_automaticForcedEvents) RefreshCurrentPage();
}

void RuleRowRHSChoiceBookWithHiddenCtrl::OnClickSubsetHyperlink(wxHyperlinkEvent& event)
{
    if (m_linkContextId >= 0 &&
        RulesHelperMappingsFromLeftSideToRightSideAndMore::TheIdBelongsToCollParameterSubmenu(m_linkContextId))
        OnCollFunctionLink(event);
    else
        OnVarSubsetLink(event);
}

// Opened once the click's handling is over: a window-modal sheet shown from inside
// another control's event can lose its first input. A disabled link opens nothing.
template <class Opener, class Value, class Ok>
void RuleRowRHSChoiceBookWithHiddenCtrl::OpenSheetSoon(const wxHyperlinkEvent& event, const Opener& opener,
                                                       const Value& value, Ok ok, const char* missing)
{
    const auto* source = dynamic_cast<wxWindow*>(event.GetEventObject());
    if (source && !source->IsEnabled()) return;
    CallAfter([this, &opener, value, ok, missing] {
        if (!opener) {
            wxLogError(missing);
            return;
        }
        opener({wxGetTopLevelParent(this), m_experiment, ownerKind}, value, ok);
    });
}

void RuleRowRHSChoiceBookWithHiddenCtrl::OnVarSubsetLink(wxHyperlinkEvent& event)
{
    OpenSheetSoon(
        event, SubsetOpener(), *m_subset, [this](const TrialSubsetDescription& subset) { OnOkTibSubsetSheet(subset); },
        "The trials-in-block subset sheet is not available.");
}

void RuleRowRHSChoiceBookWithHiddenCtrl::OnCollFunctionLink(wxHyperlinkEvent& event)
{
    OpenSheetSoon(
        event, CollectionOpener(), *m_collFunc, [this](const CollectionFunctionInfo& info) { OnOkCollFuncSheet(info); },
        "The collection option sheet is not available.");
}

void RuleRowRHSChoiceBookWithHiddenCtrl::OnOkTibSubsetSheet(const TrialSubsetDescription& subset)
{
    *m_subset = subset;
    AdjustTIBLink(nullptr, GetCurrentPage());
    if (m_notificationFunctor) m_notificationFunctor();
}

void RuleRowRHSChoiceBookWithHiddenCtrl::OnOkCollFuncSheet(const CollectionFunctionInfo& info)
{
    *m_collFunc = info;
    if (wxWindow* page = GetCurrentPage()) m_collFunc->AdjustVisiblePanelsForCurrentInfo(page, m_experiment);
    if (m_notificationFunctor) m_notificationFunctor();
}

void RuleRowRHSChoiceBookWithHiddenCtrl::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    if (m_realHumanClick)
        if (wxWindow* page = GetCurrentPage())
            if (page->GetSizer()) page->GetSizer()->Layout();
    if (m_pendingAutoOpenCollSheet && CurrentPageIndex() == 30) {
        m_pendingAutoOpenCollSheet = false;
        m_collFunc->AdjustVisiblePanelsForCurrentInfo(m_pages[30], m_experiment);
        if (m_notificationFunctor) m_notificationFunctor();
        // The sheet follows a moment later, from a timer: the GUI thread never sleeps for it.
        m_autoOpenTimer.StartOnce(250);
    }
    m_realHumanClick = false;
}

void RuleRowRHSChoiceBookWithHiddenCtrl::OnAutoOpenTimer(wxTimerEvent&)
{
    auto* page = static_cast<RuleRowRHSPageBase*>(m_pages[30]);
    if (!page || !page->Link()) return;
    wxHyperlinkEvent click(page->Link(), page->Link()->GetId(), wxString());
    OnCollFunctionLink(click);
}

}  // namespace Vantrel
