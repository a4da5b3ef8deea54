#pragma once
// The editor of an on-screen response (a mouse button, or an eye tracker's area of
// interest), built in code: the action and its phase, and where on the screen it
// counts: anywhere, where the visual stimulus is drawn, or a rectangle given by its
// centre (pixels from the screen's centre, y growing downwards), width and height.
//
// The window shows and reads the response itself (Interface_ResponseWindow), called
// by the data model while the base editor loads and stores the working copy.

#include "VTEditResponseDlg.h"

#include <VTPlugInCommon/VTSdkResponses.h>
#include <VTPlugInCommon/VTSdkWindowHelpers.h>

class wxBoxSizer;
class wxChoice;
class wxRadioButton;
class wxSpinCtrl;
class wxStaticText;

class GUIDialogOnScreenResponse : public Vantrel::VTEditResponseDlg, public Interface_ResponseWindow
{
public:
    GUIDialogOnScreenResponse(wxWindow* parent, Vantrel::VTExperiment* experiment, wxWindow* listWindow, bool isNew,
                              bool insertRepeatedly,
                              boost::shared_ptr<VantrelSDK::Interface_EditResponseWindowHelper> helper,
                              wxWindowID id = 10040, const wxString& caption = _("Mouse Response"),
                              const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                              long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxTAB_TRAVERSAL);
    ~GUIDialogOnScreenResponse() override;

    void StoreWindowWidgetStatesOntoResponseObj(VantrelSDK::VTSdkBaseResponse& response) const override;
    bool ApplyResponseValuesToWindow(const VantrelSDK::VTSdkBaseResponse& response, bool isEyeTracker) override;

    // Control ids.
    enum
    {
        ID_NAME_LABEL = 10002,
        ID_NAME = 10003,
        ID_ACTION = 10004,
        ID_PHASE = 10005,
        ID_SPECIFIC = 10006,
        ID_ANYWHERE = 10008,
        ID_AUTOMATIC = 10011,
        ID_HEIGHT = 10019,
        ID_WIDTH = 10024,
        ID_Y = 10026,
        ID_X = 10027
    };

    void StoreKeyOrActionOntoResponseObj(VantrelSDK::VTSdkOnScreenResp& response) const;
    void SetupForMouse();
    void SetupForEyetracker();
    void SetEnablednessForLocationSpinners(bool enable);
    void AnySpinActionCausesRadioSelection();
    void OnChoiceResponseNameDropdown(wxCommandEvent& event);

private:
    void CreateControls();
    void OnSpinEvent(wxCommandEvent& event);
    void OnSpinTextEvent(wxCommandEvent& event);
    void OnIdle(wxIdleEvent& event);
    void RunChoiceRule();
    bool IsInsideSpin(const wxWindow* window) const;
    // The presentation screen's size; the display's when the presenter knows none.
    static wxSize ScreenSize();

    bool m_IsEyeTracker = false;
    wxWindow* m_LastFocus = nullptr;
    wxStaticText* m_Example = nullptr;
    wxBoxSizer* m_ActionSizer = nullptr;
    wxStaticText* m_Being = nullptr;
    wxChoice* m_Action = nullptr;
    wxChoice* m_Phase = nullptr;
    wxRadioButton* m_Anywhere = nullptr;
    wxRadioButton* m_Automatic = nullptr;
    wxRadioButton* m_Specific = nullptr;
    wxSpinCtrl* m_X = nullptr;
    wxSpinCtrl* m_Y = nullptr;
    wxSpinCtrl* m_Width = nullptr;
    wxSpinCtrl* m_Height = nullptr;
    // What was shown, so a code or phase the choices cannot show is kept until the
    // user picks another entry: showing and storing leave a response unchanged.
    int m_ShownCode = 0;
    int m_ShownActionIndex = -1;
    int m_ShownPhase = 1;
    int m_ShownPhaseIndex = -1;
};
