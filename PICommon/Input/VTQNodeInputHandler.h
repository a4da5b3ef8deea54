#pragma once
// Runs the q-node panel's auto-detect button and shows which model and firmware
// were found. Pushed onto the settings panel by QNodeGUILogic; it takes itself
// off again when the panel is destroyed, so it never outlives it.

#include <wx/event.h>
#include <wx/string.h>

#include <boost/shared_ptr.hpp>

class wxWindow;
class wxWindowDestroyEvent;

namespace Orbisk {
class QPXDevice;
class OrbiskChoiceBookWithHiddenCtrl;
}  // namespace Orbisk

namespace VantrelSDK {

class VTSdkQNodeInput;
class VTSdkQpxInputSettings;

class VTQNodeInputHandler : public wxEvtHandler
{
public:
    // Pages of "hidden_choicebook_st2".
    enum Page
    {
        PAGE_SEARCHING = 0,
        PAGE_MODEL_1 = 1,
        PAGE_MODEL_2 = 2,
        PAGE_MODEL_4 = 3,
        PAGE_UNSUPPORTED_FIRMWARE = 4,
        PAGE_FIRST_GENERATION = 5,
    };

    VTQNodeInputHandler(const wxString& plugInInfo, wxWindow* panel, boost::shared_ptr<VTSdkQpxInputSettings> settings,
                        VTSdkQNodeInput* plugin);
    ~VTQNodeInputHandler() override;

    // The handler already pushed onto `panel`, or null.
    static VTQNodeInputHandler* FindOnPanel(wxWindow* panel);
    // Takes the state of a new configuration of the same panel.
    void Rebind(const wxString& plugInInfo, boost::shared_ptr<VTSdkQpxInputSettings> settings, VTSdkQNodeInput* plugin);

    void OnAutoDetect(wxCommandEvent& event);
    void SetupAdditionalGUI(unsigned modelID);

    // Shown as the firmware version: "2.2.1" for major 2 and minor 21, "0.5" below major 2.
    static wxString FormatFirmware(int major, int minor);
    static bool IsSupportedFirmware(int major, int minor);

private:
    void OnPanelDestroyed(wxWindowDestroyEvent& event);
    void ShowPage(int page);
    void ShowControl(const char* name, bool show);

    VTSdkQNodeInput* m_plugin;
    boost::shared_ptr<VTSdkQpxInputSettings> m_settings;
    boost::shared_ptr<Orbisk::QPXDevice> m_device;
    wxString m_plugInInfo;
    wxWindow* m_panel;
    Orbisk::OrbiskChoiceBookWithHiddenCtrl* m_book;

    wxDECLARE_EVENT_TABLE();
};

}  // namespace VantrelSDK
