#pragma once
// What the block editor and the trial editor share: the heading with name and
// note, a notebook whose first page is "When to Present" and whose last is
// "Rules", and a bottom bar that shows either the dialog's OK / Cancel / Prev /
// Next or, while edits of a rule are not applied yet, Apply / Cancel Rule Changes
// (OK stays disabled then, so the element is never committed with half-edited
// rules). The twins differ only in their FrameLook (ids, texts, contexts) and in
// their own pages: those between "When to Present" and "Rules", and those after
// "Rules". Every load fills the pages from the working copy, so a reused editor
// never shows the previous element's values.

#include <GuiViewClasses/DialogClasses/VTEditElementBaseDlgNoXRCT.h>
#include <GuiViewClasses/RulesCriteriaActions/Interface_OuterContainerForExpressions.h>

#include <VTCore/MetaTFPredicate.h>

#include <boost/shared_ptr.hpp>
#include <wx/hyperlink.h>
#include <wx/notebook.h>

#include <functional>

class BTEDlgHeadingPanelWithNote;
class wxPanel;
class wxRadioButton;
class wxScrolledWindow;
class wxStaticText;

namespace Orbisk {
class OrbiskChoiceBookWithHiddenCtrl;
}

namespace Vantrel {

class CriteriaExpressionPanel;
class RulesPanel;
class VTBlock;
class VTTrial;

// Identifiers and texts of one twin.
struct FrameLook
{
    wxString kindWord;  // "Block" / "Trial"
    int headingKind;    // 0 blocks, 1 trials
    int headingId, notebookId, alwaysId, onlyIfId, linkId, scrollerId, rulesId, bottomBookId;
    int prevId, nextId, rulePanelId, ruleLabelId, cancelRulesId, applyId;
    int criteriaContext;      // 1 blocks, 3 trials
    int rulesContext;         // 2 blocks, 4 trials
    const char* always;       // "Always present this block."
    const char* onlyIf;       // "Present block only if the following criteria "
    const char* description;  // "block \"%s\"": the predicate's name
};

// The frame's controls and behaviour, independent of the element type. The twins
// reach it through BlockTrialEditorFrame<T>.
class BlockTrialFrameParts
{
public:
    using AddPages = std::function<void(wxNotebook*)>;
    // Builds the frame in `dialog`; addPages adds the twin's own pages between
    // "When to Present" and "Rules", addPagesAfterRules those after "Rules".
    void Build(wxDialog* dialog, Interface_MasterVTObjectEditor* master, Interface_OuterContainerForExpressions* outer,
               const FrameLook& look, const AddPages& addPages, const AddPages& addPagesAfterRules = {});

    void OnChangeWhenToRun_BLK_TRL();
    void OnClickWTPHyperlink_BLK_TRL();
    void OnEntryIntoDirtyState_BLK_TRL(const wxString& text);
    void MakeDialogBeUsingTheNormalOKPanel_BLK_TRL(bool okAllowed);
    void OnPanelRowCountChanged_BLK_TRL(wxWindow* panel);
    void OnPseudoDestroy_BLK_TRL();
    // Loads "When to Present" from the stored predicate (null: always).
    void LoadWhenToPresent_BLK_TRL(VTExperiment* experiment, boost::shared_ptr<MetaTFPredicate> predicate);
    // The predicate to store: null while "always" is on. Commits the rows first.
    boost::shared_ptr<MetaTFPredicate> TakeWhenToPresent_BLK_TRL(VTExperiment* experiment, const wxString& name);
    // Logs when values are taken while rule edits are still open.
    void GuardAgainstOpenRuleEdits_BLK_TRL() const;
    bool RuleEditingBarShown() const;
    wxTextCtrl* HeadingName() const;
    void InitialHeading_BLK_TRL(const wxString& name, const wxString& note);
    void ResetRulesForElement(Interface_UsesRules* element);
    void SetRuleLinkCallback(std::function<void(VTRule*, bool)> callback);
    void SetCountFunctors(std::function<wxString()> children, bool childrenAreTrials, std::function<wxString()> rules);
    // The heading's at-a-glance flags; a null looping or tags query leaves that flag off.
    void SetFlagFunctors(std::function<bool()> random, std::function<bool()> looping, std::function<bool()> tags);
    void WriteNote(VTBlock& block);
    void WriteNote(VTTrial& trial);
    void ApplyRuleEdits_BLK_TRL();
    void CancelRuleEdits_BLK_TRL();

    const FrameLook* m_Look = nullptr;
    BTEDlgHeadingPanelWithNote* m_Heading = nullptr;
    wxNotebook* m_Notebook = nullptr;
    wxRadioButton* m_Always = nullptr;
    wxRadioButton* m_OnlyIf = nullptr;
    wxHyperlinkCtrl* m_AreMet = nullptr;
    wxSizer* m_OnlyIfSizer = nullptr;
    wxScrolledWindow* m_CriteriaScroller = nullptr;
    CriteriaExpressionPanel* m_Criteria = nullptr;
    bool m_CriteriaInUse = false;
    RulesPanel* m_Rules = nullptr;
    Orbisk::OrbiskChoiceBookWithHiddenCtrl* m_BottomBook = nullptr;
    wxButton* m_Prev = nullptr;
    wxButton* m_Cancel = nullptr;
    wxButton* m_OK = nullptr;
    wxButton* m_Next = nullptr;
    wxSizer* m_NavSizer = nullptr;
    wxPanel* m_RulePanel = nullptr;
    wxStaticText* m_RuleLabel = nullptr;
    wxButton* m_CancelRules = nullptr;
    wxButton* m_Apply = nullptr;
};

template <class T>
class BlockTrialEditorFrame : public VTEditElementBaseDlgNoXRCT<T>, public Interface_OuterContainerForExpressions
{
    using Base = VTEditElementBaseDlgNoXRCT<T>;

public:
    BlockTrialEditorFrame(VTExperiment* experiment, wxWindow* listWindow, bool isNew, bool multiInsert)
        : Base(experiment, listWindow, isNew, multiInsert)
    {}
    BlockTrialEditorFrame() = default;
    ~BlockTrialEditorFrame() override { Base::SimulateDestruction(); }

    void OnPanelRowCountChanged(wxWindow* panel) override { m_Frame.OnPanelRowCountChanged_BLK_TRL(panel); }
    void OnEntryIntoDirtyState_EditsHaveBegun(wxString text) override { m_Frame.OnEntryIntoDirtyState_BLK_TRL(text); }
    void OnPseudoDestroy() override
    {
        if (!m_Frame.m_Rules) return;  // made by the default constructor and never created
        m_Frame.MakeDialogBeUsingTheNormalOKPanel_BLK_TRL(this->SubmissionShouldBeAllowed());
        m_Frame.OnPseudoDestroy_BLK_TRL();
    }
    void ClearDialog() {}
    // The frame's own write-back after the base's; the twins add their pages'.
    bool GetDialogValues(T& element) override
    {
        const bool named = Base::GetDialogValues(element);
        GetFrameValues(element);
        WritePages(element);
        return named;
    }
    void SetDialogValues(T& element) override
    {
        Base::SetDialogValues(element);
        SetFrameValues(element);
        LoadPages(element);
        this->Layout();
    }

    BlockTrialFrameParts& Frame() { return m_Frame; }

protected:
    // Window and controls; the base's handles follow the frame's members.
    // The heading counts the working copy's children (trials or events) and rules.
    void BuildFrame(int id, const wxString& caption, const FrameLook& look,
                    const BlockTrialFrameParts::AddPages& addPages,
                    const BlockTrialFrameParts::AddPages& addPagesAfterRules, unsigned (T::*children)() const,
                    bool childrenAreTrials)
    {
        this->SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
        wxDialog::Create(nullptr, id, caption, wxDefaultPosition, wxDefaultSize,
                         wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
        m_Frame.Build(this, this, this, look, addPages, addPagesAfterRules);
        this->m_NameCtrl = m_Frame.HeadingName();
        this->m_Book = m_Frame.m_Notebook;
        this->m_OKButton = m_Frame.m_OK;
        this->m_CancelButton = m_Frame.m_Cancel;
        this->m_NextButton = m_Frame.m_Next;
        this->m_PrevButton = m_Frame.m_Prev;
        this->m_NavSizer = m_Frame.m_NavSizer;
        this->Bind(
            wxEVT_BUTTON, [this](wxCommandEvent& e) { OnCancelRuleEdits_BLK_TRL(e); }, look.cancelRulesId);
        this->Bind(
            wxEVT_BUTTON, [this](wxCommandEvent& e) { OnApplyRuleEdits_BLK_TRL(e); }, look.applyId);
        this->Bind(
            wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { m_Frame.OnChangeWhenToRun_BLK_TRL(); }, look.alwaysId);
        this->Bind(
            wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { m_Frame.OnChangeWhenToRun_BLK_TRL(); }, look.onlyIfId);
        this->Bind(
            wxEVT_HYPERLINK, [this](wxHyperlinkEvent&) { m_Frame.OnClickWTPHyperlink_BLK_TRL(); }, look.linkId);
        m_Frame.SetRuleLinkCallback(
            [this](VTRule* rule, bool attach) { this->EditOriginalObjectLinkToRule(rule, attach); });
        m_Frame.SetCountFunctors(CountOf(children), childrenAreTrials, CountOf(&T::GetNumberOfUsedRules));
        if (this->GetSizer()) this->GetSizer()->SetSizeHints(this);
    }
    // The last steps of a twin's constructor, after its Create.
    void FinishConstruction(bool preCreateOnly)
    {
        this->GuiInitialization(preCreateOnly);
        this->SetMinSize(this->GetBestSize());
    }
    std::function<wxString()> CountOf(unsigned (T::*of)() const)
    {
        return [this, of]() -> wxString {
            T* element = this->TheTempObject();
            return element ? wxString::Format("%d", int((element->*of)())) : wxString();
        };
    }

    void OnCancelRuleEdits_BLK_TRL(wxCommandEvent& event)
    {
        event.Skip();
        m_Frame.MakeDialogBeUsingTheNormalOKPanel_BLK_TRL(this->SubmissionShouldBeAllowed());
        m_Frame.CancelRuleEdits_BLK_TRL();
    }
    void OnApplyRuleEdits_BLK_TRL(wxCommandEvent& event)
    {
        event.Skip();
        m_Frame.MakeDialogBeUsingTheNormalOKPanel_BLK_TRL(this->SubmissionShouldBeAllowed());
        m_Frame.ApplyRuleEdits_BLK_TRL();
    }
    // The twin's own pages: filled from the working copy on every load, written
    // into it on every commit (OK, OK-and-previous, OK-and-next).
    virtual void LoadPages(T&) {}
    virtual void WritePages(T&) {}
    // The experiment the pages work in; none for an editor made for run-time creation.
    VTExperiment* PagesExperiment() const { return this->m_pImpl ? this->TheExperiment() : nullptr; }

    void DoInitialSetup() override
    {
        if (T* element = this->TheTempObject()) m_Frame.InitialHeading_BLK_TRL(element->GetName(), element->GetNotes());
    }

    // Loading and taking the frame's own values; the twins call these from
    // SetDialogValues and GetDialogValues.
    void SetFrameValues(T& element)
    {
        m_Frame.LoadWhenToPresent_BLK_TRL(this->TheExperiment(),
                                          element.GetCopyOfExpressionOrElseNull(this->TheExperiment()));
        m_Frame.ResetRulesForElement(&element);
        m_Frame.OnChangeWhenToRun_BLK_TRL();
    }
    void GetFrameValues(T& element)
    {
        m_Frame.GuardAgainstOpenRuleEdits_BLK_TRL();
        m_Frame.WriteNote(element);
        const wxString name = wxString::Format(m_Frame.m_Look->description, element.GetName());
        element.ReplaceWhenToPresentExpression(m_Frame.TakeWhenToPresent_BLK_TRL(this->TheExperiment(), name));
    }

    BlockTrialFrameParts m_Frame;
};

}  // namespace Vantrel

namespace Vantrel {

// The one editor of a class, reused for every element: made on first need (a
// pre-create leaves it holding no element), given a fresh working copy on every
// later call, and deleted when its experiment goes, so it never keeps a pointer
// into a destroyed experiment.
template <class Editor>
class SingletonEditorHolder
{
public:
    template <class Make>
    static Editor* Get(VTExperiment* experiment, wxWindow* listWindow, bool isNew, bool multiInsert, bool preCreateOnly,
                       Make make)
    {
        if (!experiment) return s_Instance;
        if (s_Instance && s_Instance->TheExperiment() != experiment) Discard();
        if (!s_Instance) {
            RegisterNoticeOnce();
            s_Instance = make();
            if (preCreateOnly) s_Instance->SimulateDestruction();
            return s_Instance;
        }
        if (!preCreateOnly) s_Instance->SimulateRepeatOfConstructor(experiment, listWindow, isNew, multiInsert);
        return s_Instance;
    }
    static Editor* Current() { return s_Instance; }

private:
    static void Discard()
    {
        Editor* instance = s_Instance;
        s_Instance = nullptr;
        delete instance;
    }
    static void RegisterNoticeOnce()
    {
        static const bool registered = [] {
            VTExperiment::AddDestructionNotice([](VTExperiment* gone) {
                if (s_Instance && s_Instance->TheExperiment() == gone) Discard();
            });
            return true;
        }();
        (void)registered;
    }
    static inline Editor* s_Instance = nullptr;
};

}  // namespace Vantrel
