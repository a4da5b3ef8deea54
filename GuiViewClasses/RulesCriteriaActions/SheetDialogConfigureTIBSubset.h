#pragma once
// The sheet that edits which trials of the block a block statistic counts: all
// presented trials or only the last N, optionally only those with a tag. It edits a
// private copy; the caller reads it back from its OK callback. Made once and reused:
// every opening passes through ReinitializeWithData.

#include <VTCore/TrialSubsetDescription.h>

#include <wx/bitmap.h>
#include <wx/dialog.h>
#include <wx/icon.h>

#include <functional>
#include <memory>

class wxCheckBox;
class wxChoice;
class wxRadioButton;
class wxSpinCtrl;
class wxSpinEvent;

namespace Vantrel {

class VTExperiment;

class SheetDialogConfigureTIBSubset : public wxDialog
{
public:
    enum
    {
        ID_ALL_TRIALS = 10000,
        ID_LAST_TRIALS = 10130,
        ID_COUNT = 10131,
        ID_USE_TAG = 10133,
        ID_TAG = 10116
    };

    SheetDialogConfigureTIBSubset() { Init(); }
    SheetDialogConfigureTIBSubset(wxWindow* parent, wxWindowID id, const wxString& title,
                                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                                  long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxTAB_TRAVERSAL);
    bool Create(wxWindow* parent, wxWindowID id, const wxString& title, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize,
                long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxTAB_TRAVERSAL);
    void Init();
    void CreateControls();

    void ReinitializeWithData(VTExperiment* experiment, const TrialSubsetDescription& description,
                              std::function<void()> onOk);
    // Valid after the first ReinitializeWithData.
    const TrialSubsetDescription& ConstRefToTrialSubsetDescription() const { return *m_Description; }
    void ProcessTagRelatedSettings(bool useTag);

    wxBitmap GetBitmapResource(const wxString&) { return wxNullBitmap; }
    wxIcon GetIconResource(const wxString&) { return wxNullIcon; }
    static bool ShowToolTips() { return true; }

private:
    void OnOkButton(wxCommandEvent& event);
    void OnCancelButton(wxCommandEvent& event);
    void OnRangeRadioButton(wxCommandEvent& event);
    void OnSpinValueMaxTrials(wxSpinEvent& event);
    void OnCheckLimitByTag(wxCommandEvent& event);
    void OnTagChoice(wxCommandEvent& event);
    void ReadRange();

    wxRadioButton* m_AllTrials;
    wxRadioButton* m_LastTrials;
    wxSpinCtrl* m_Count;
    wxCheckBox* m_UseTag;
    wxChoice* m_Tag;
    std::shared_ptr<TrialSubsetDescription> m_Description;
    std::function<void()> m_OnOk;
    VTExperiment* m_Experiment;

    wxDECLARE_DYNAMIC_CLASS(SheetDialogConfigureTIBSubset);
    wxDECLARE_EVENT_TABLE();
};

}  // namespace Vantrel
