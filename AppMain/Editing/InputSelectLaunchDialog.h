#pragma once
// Asks which input device (input plug-in, or the last known set of several)
// an open experiment is to use, and loads that choice into the experiment on
// OK. A warning page shows while the chosen set of devices may conflict.

#include <wx/dialog.h>

#include <memory>

class wxBoxSizer;
class wxChoice;
class wxStaticText;
class InputPluginLaunchDialogHelper;

namespace Orbisk {
class OrbiskChoiceBookWithHiddenCtrl;
}

namespace Vantrel {
class VTExperiment;
}

class InputSelectLaunchDialog : public wxDialog
{
    wxDECLARE_DYNAMIC_CLASS(InputSelectLaunchDialog);
    wxDECLARE_EVENT_TABLE();

public:
    enum
    {
        ID_MORE_INFORMATION = 10192,
        ID_CONFLICT_BOOK = 10193,
        ID_NO_CONFLICT_PAGE = 10194,
        ID_CONFLICT_PAGE = 10195,
        ID_INPUT_CHOICE = 10280
    };
    // The conflict book's pages.
    enum ConflictPage
    {
        PAGE_NO_CONFLICT = 0,
        PAGE_CONFLICT = 1
    };

    InputSelectLaunchDialog();
    // `loadFlag` goes unchanged to the data model when the choice is loaded.
    InputSelectLaunchDialog(bool loadFlag, wxWindow* parent, Vantrel::VTExperiment* experiment, int id = wxID_ANY,
                            const wxString& caption = _("Input Device"), const wxPoint& pos = wxDefaultPosition,
                            const wxSize& size = wxDefaultSize, long style = wxDEFAULT_DIALOG_STYLE);
    ~InputSelectLaunchDialog() override;

    bool Create(wxWindow* parent, int id, const wxString& caption, const wxPoint& pos, const wxSize& size, long style);
    void Init();
    void CreateControls();

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips() { return true; }

private:
    void OnDone(wxCommandEvent& event);
    void OnPluginChoice(wxCommandEvent& event);
    void OnCharHook(wxKeyEvent& event);

    wxChoice* m_InputChoice;
    Orbisk::OrbiskChoiceBookWithHiddenCtrl* m_ConflictBook;
    wxBoxSizer* m_ConflictPageSizer;
    wxStaticText* m_ConflictText;
    std::shared_ptr<InputPluginLaunchDialogHelper> m_PluginChooser;
    Vantrel::VTExperiment* m_Experiment = nullptr;
    bool m_LoadFlag = false;
};
