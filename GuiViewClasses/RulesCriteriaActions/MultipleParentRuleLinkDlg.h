#pragma once
// For one rule: which blocks (or which trials) use it. Every element of the list
// is a row, checked where it holds the rule; OK links the rule to the checked
// elements that lack it and unlinks it from the unchecked ones that hold it, then
// calls the owner back.

#include <GuiViewClasses/DialogClasses/persdlg.h>

#include <boost/function.hpp>

class wxButton;
class wxCheckListBox;
class wxStaticText;

namespace Vantrel {

class VTElementsList;
class VTRule;

class MultipleParentRuleLinkDlg : public wxDialogPersistentPosition
{
    wxDECLARE_DYNAMIC_CLASS(MultipleParentRuleLinkDlg);
    wxDECLARE_EVENT_TABLE();

public:
    static constexpr int ID_DIALOG = 10188;
    static constexpr int ID_LIST = 10189;
    static constexpr int ID_SELECT_ALL = 10190;
    static constexpr long kStyle = wxCAPTION | wxRESIZE_BORDER | wxSYSTEM_MENU | wxCLOSE_BOX | wxTAB_TRAVERSAL;

    MultipleParentRuleLinkDlg();
    MultipleParentRuleLinkDlg(VTElementsList* parents, VTRule* rule, boost::function<void()> onCommit, wxWindow* parent,
                              wxWindowID id = ID_DIALOG, const wxString& caption = wxEmptyString,
                              const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                              long style = kStyle);
    bool Create(wxWindow* parent, wxWindowID id = ID_DIALOG, const wxString& caption = wxEmptyString,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize, long style = kStyle);
    void Init();
    void CreateControls();

    wxString GetPersistenceName() const override { return "AttachRuleToMultipleParentsDialog"; }

    wxCheckListBox* GetList() const { return m_List; }
    wxStaticText* GetPrompt() const { return m_Prompt; }

    void CheckMultipleBoxesAccordingToSelection(wxCommandEvent& event);
    void OnCommitLinks(wxCommandEvent& event);
    void OnCancel(wxCommandEvent& event);
    void OnSelectAll(wxCommandEvent& event);

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips();

private:
    wxStaticText* m_Prompt;
    wxCheckListBox* m_List;
    wxButton* m_SelectAll;
    wxButton* m_Cancel;
    wxButton* m_OK;
    VTElementsList* m_Parents;
    VTRule* m_Rule;
    boost::function<void()> m_OnCommit;
};

}  // namespace Vantrel
