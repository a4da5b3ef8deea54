#pragma once
// The sheet in which a collection criterion's function is picked: how many or what
// share of its trials carry a tag, their average reaction time, whether it holds the
// current trial (trial criteria and trial rules only), or whether it is full. It
// edits a private copy; the caller reads it back from its OK callback. Made once and
// reused: every opening passes through ReinitializeWithData.

#include "CollectionFunctionInfo.h"
#include <VTPlugInCommon/VTPanels.h>

#include <wx/bitmap.h>
#include <wx/dialog.h>
#include <wx/icon.h>

#include <functional>
#include <memory>

class wxChoice;
class wxRadioButton;

namespace Vantrel {

class VTExperiment;

class SheetDialogCollectionExpression : public wxDialog, public Orbisk::Interface_WindowThatCanParentClickableText
{
public:
    enum
    {
        ID_TAGGED = 10083,
        ID_TAG_FUNCTION = 10084,
        ID_TAGGED_TEXT = 10112,
        ID_TAG = 10085,
        ID_AVERAGE_RT = 10003,
        ID_MEMBERSHIP = 10005,
        ID_CONTAINS = 10001,
        ID_CURRENT_TRIAL_TEXT = 10115,
        ID_FULL = 10004
    };

    SheetDialogCollectionExpression() { Init(); }
    SheetDialogCollectionExpression(wxWindow* parent, int id, const wxString& title,
                                    const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                                    long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER |
                                                 wxTAB_TRAVERSAL);
    bool Create(wxWindow* parent, int id, const wxString& title, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize,
                long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    void Init();
    void CreateControls();

    // context: 1 block criteria, 2 block rules, 3 trial criteria, 4 trial rules, 5 event feedback.
    void ReinitializeWithData(VTExperiment* experiment, const CollectionFunctionInfo& info, std::function<void()> onOk,
                              int context);
    // Valid after the first ReinitializeWithData.
    const CollectionFunctionInfo& ConstRefToCollFunc() const { return *m_Info; }

    void OnStaticTextRightClick(int x, int y, long id) override { ReactToStaticClicking(x, y, id); }
    void OnStaticTextLeftClick(int x, int y, long id) override { ReactToStaticClicking(x, y, id); }

    wxBitmap GetBitmapResource(const wxString&) { return wxNullBitmap; }
    wxIcon GetIconResource(const wxString&) { return wxNullIcon; }
    static bool ShowToolTips() { return true; }

private:
    void OnOkButton(wxCommandEvent& event);
    void OnCancelButton(wxCommandEvent& event);
    void OnRangeRadioButton(wxCommandEvent& event);
    void OnChoiceTagFunction(wxCommandEvent& event);
    void OnChoiceTagName(wxCommandEvent& event);
    void OnChoiceDoesDoesnt(wxCommandEvent& event);
    void ReactToStaticClicking(int x, int y, long id);
    // Writes the checked radio button's function into the edited record.
    void ReadControls();

    wxRadioButton* m_Tagged;
    wxChoice* m_TagFunction;
    wxChoice* m_Tag;
    wxRadioButton* m_AverageRT;
    wxRadioButton* m_Membership;
    wxChoice* m_Contains;
    Orbisk::wxStaticWithEvents* m_CurrentTrialText;
    wxRadioButton* m_Full;
    std::function<void()> m_OnOk;
    std::shared_ptr<CollectionFunctionInfo> m_Info;
    VTExperiment* m_Experiment;
    int m_Context;

    wxDECLARE_DYNAMIC_CLASS(SheetDialogCollectionExpression);
    wxDECLARE_EVENT_TABLE();
};

}  // namespace Vantrel
