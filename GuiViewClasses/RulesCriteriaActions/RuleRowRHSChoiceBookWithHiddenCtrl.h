#pragma once
// The operand area of a rule row: a book of operand pages (an operator, an element
// list, a number, a text, a colour, a settings link) whose page the row's left
// side picks. Pages are made when first shown, one of each; every book is the
// size of the largest page, measured once per process and cached in the
// configuration. The book moves values between the row's state and the current
// page, fills pages from the experiment, and owns the trial subset and the
// collection function of the operand.

#include "CollectionFunctionInfo.h"
#include "GUIDataNeededByRulesHelper.h"

#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <VTCore/TrialSubsetDescription.h>

#include <boost/function.hpp>
#include <boost/shared_ptr.hpp>
#include <wx/icon.h>
#include <wx/timer.h>

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class wxChoice;
class wxHyperlinkCtrl;
class wxHyperlinkEvent;
class wxBookCtrlEvent;
class wxIdleEvent;

namespace Vantrel {

class VTExperiment;

class RuleRowRHSChoiceBookWithHiddenCtrl : public Orbisk::OrbiskChoiceBookWithHiddenCtrl
{
public:
    static constexpr int kPageCount = 37;
    static constexpr int kSettingsLinkId = 10120;

    // The sheets that edit a trial subset and a collection function live elsewhere;
    // their owner installs how they are opened (window-modal; ok is called on OK).
    struct SheetRequest
    {
        wxWindow* parent;
        VTExperiment* experiment;
        int ownerKind;
    };
    using SubsetSheetOpener = std::function<void(const SheetRequest&, const TrialSubsetDescription&,
                                                 std::function<void(const TrialSubsetDescription&)> ok)>;
    using CollectionSheetOpener = std::function<void(const SheetRequest&, const CollectionFunctionInfo&,
                                                     std::function<void(const CollectionFunctionInfo&)> ok)>;
    static void SetSheetOpeners(SubsetSheetOpener subset, CollectionSheetOpener collection);

    RuleRowRHSChoiceBookWithHiddenCtrl();
    RuleRowRHSChoiceBookWithHiddenCtrl(int ownerKind, wxWindow* parent, int id, const wxPoint& pos, const wxSize& size,
                                       long style);
    ~RuleRowRHSChoiceBookWithHiddenCtrl() override;

    bool Create(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long style);
    void SpecializedCreateControls();
    void FirstTimeOnly_CreateControls();
    void Init();

    // ---- Size.
    wxSize GetMinSize() const override;
    wxSize GetMaxSize() const override;
    wxSize GetBestSize() const { return CalculateOurSize(); }
    wxSize CalculateOurSize() const;
    static void GetConfigSavedSizeIfPossible();
    static void SaveLatestSizeToConfig(const wxSize& size);
    // Seconds since 1970 for the cache's freshness; replaceable for tests.
    static void SetSecondsClock(std::function<std::int64_t()> clock);
    // Back to no known size (a new process, as far as the books can tell).
    static void ForgetClassWideSize();
    static wxSize PreferredSize() { return m_preferredSizeBasedOnChildPanels; }
    static bool FoundSizeInConfig() { return bool(m_foundSizingInfoFromConfig); }

    static bool ShowToolTips() { return true; }
    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString&) { return wxNullIcon; }

    // ---- Pages and selection (page indexes 0..36).
    int SetSelection(size_t pageIndex) override;
    int ChangeSelection(size_t pageIndex) override;
    int EnsureChoicePanelExistence(size_t pageIndex);
    // The page made for the index, or null while it is not made.
    wxWindow* PageAtIndex(int pageIndex) const;
    // The page index of the current page; -1 without one.
    int CurrentPageIndex() const;
    static wxString PageLabel(int pageIndex);
    void NotifyRealHumanClick() { m_realHumanClick = true; }
    void SetEnablednessForAutomaticForcedEvents(bool on) { m_automaticForcedEvents = on; }
    void SetNotificationFunctor(boost::function<void()> functor) { m_notificationFunctor = functor; }
    int GetOwnerKind() const { return ownerKind; }
    VTExperiment* GetExperiment() const { return m_experiment; }

    // ---- Values between row and page.
    void PutLatestStringsIntoFieldsAndChoices(const GUIDataNeededByRulesHelper& state);
    void RefreshCurrentPage();
    void ForceEventFromSecondDropDownChoice();
    wxChoice* ForceEventFromSecondDropDownChoiceOnSpecificPanel(int pageIndex);
    static void ForceChoiceControlToEmitEvent(wxChoice* choice);
    // The item a stored value picks: by element id, else by text, else item 0.
    static void SetSelectionUsingLatestData(wxChoice* choice, int id, const wxString& text, bool negativeIdsAllowed);
    const TrialSubsetDescription& ConstRefToSubset() const { return *m_subset; }
    void AcceptNewSubsetSettings(const TrialSubsetDescription& subset);
    const CollectionFunctionInfo& ConstRefToCollFunc() const { return *m_collFunc; }
    void AcceptNewCollFuncSettings(const CollectionFunctionInfo& info);
    bool NowShowingCollectionFunction() const;
    bool WidgetUsesNegativeNumberClientData(const wxWindow* window) const;

    // ---- Links and greying out.
    void AdjustHyperlinkForPage(int menuId, int pageIndex, int submenuId);
    void AdjustTIBLink(wxHyperlinkCtrl* link, wxWindow* page);
    void PlayDead(bool dead);
    // The controls the pages registered for greying out.
    std::vector<wxWindow*> m_widgetsForPlayDead;

    // ---- Page content.
    void AdjustParamRHS(int parameterType, const wxString& lhsParameterName);
    void RespondToTagSetSelection(int tagSetId) { RespondToTagSetSelection_Private(tagSetId, false, false); }
    void RespondToTagSetSelection_Private(int tagSetId, bool forcePage26, bool forcePage27);
    void RespondToTrialVariableSelection(int trialLevelId) { RespondToTrialVariableSelection_Private(trialLevelId); }
    void RespondToTrialVariableSelection_Private(int trialLevelId);
    void PopulateParticularFineGrainedTagsForGivenTagSet(int tagSetId);
    void RespondToSelectionForTagBasedCriteria(int tagSetId, GUIDataNeededByRulesHelper& state);
    void PopulateTrialLevelDropdownForExpressions(int trialLevelId);
    void RespondToSelectionForLevelBasedCriteria(int trialLevelId, GUIDataNeededByRulesHelper& state);
    void PopulateTrialLevelDropdownForActions(int trialLevelId);
    void RespondToSelectionForLevelBasedActions(int trialLevelId, GUIDataNeededByRulesHelper& state);
    void SetHelpTextById(int menuId);
    void PossiblyHideTheCounterMinMaxText_ShowHelpTextInstead();
    void SetVisibilityForSecondsMinutesChoiceDropdown(bool show);
    void AdjustRandomCounterMinMaxText(const wxString& counterName, bool force);
    void RepopulateAllShownDropDowns(VTExperiment* experiment);

    // ---- Events.
    void OnPageChanged(wxBookCtrlEvent& event);
    void OnClickSubsetHyperlink(wxHyperlinkEvent& event);
    void OnVarSubsetLink(wxHyperlinkEvent& event);
    void OnCollFunctionLink(wxHyperlinkEvent& event);
    void OnIdle(wxIdleEvent& event);
    void OnOkTibSubsetSheet(const TrialSubsetDescription& subset);
    void OnOkCollFuncSheet(const CollectionFunctionInfo& info);

protected:
    wxSize DoGetBestSize() const override { return CalculateOurSize(); }

private:
    wxWindow* MakePage(int pageIndex, VTExperiment* experiment);
    void AddPageKeepingIndexes(wxWindow* page, const wxString& label);
    void SetMessageOnPage28(const wxString& message);
    void HideUnitsChoiceIfPage3Exists();
    void OnAutoOpenTimer(wxTimerEvent& event);
    template <class Opener, class Value, class Ok>
    void OpenSheetSoon(const wxHyperlinkEvent& event, const Opener& opener, const Value& value, Ok ok,
                       const char* missing);

    std::array<wxWindow*, kPageCount> m_pages{};
    int ownerKind = -1;
    bool m_automaticForcedEvents = true;
    bool m_pendingAutoOpenCollSheet = false;
    bool m_realHumanClick = false;
    int m_lastPageIndex = -1;
    bool m_addingPage = false;
    VTExperiment* m_experiment = nullptr;
    boost::function<void()> m_notificationFunctor;
    int m_linkContextId = -1;
    boost::shared_ptr<TrialSubsetDescription> m_subset;
    boost::shared_ptr<CollectionFunctionInfo> m_collFunc;
    wxTimer m_autoOpenTimer;

    static wxSize m_preferredSizeBasedOnChildPanels;
    static boost::shared_ptr<wxSize> m_foundSizingInfoFromConfig;

    wxDECLARE_EVENT_TABLE();
    wxDECLARE_DYNAMIC_CLASS(RuleRowRHSChoiceBookWithHiddenCtrl);
};

}  // namespace Vantrel
