#pragma once
#include <VTCore/VTElement.h>

class wxWindow;

namespace VantrelSDK {
class Interface_EditResponseWindowHelper;
}

namespace Vantrel {

// Input plug-in ids the model knows by number.
namespace InputPlugIn {
// The built-in keyboard; its responses are keys (wxKeyCode, letters in upper case).
constexpr int Keyboard = 2100;
constexpr int QNode = 2103;
// Mouse buttons on the presentation window.
constexpr int Mouse = 2250;
// Eye trackers come with a calibration before the run.
constexpr int EyeTrackerA = 2411;
constexpr int EyeTrackerB = 2413;
inline bool IsEyeTracker(int id) { return id == EyeTrackerA || id == EyeTrackerB; }
// Devices whose responses are places on the screen (edited in the on-screen response editor).
inline bool IsOnScreen(int id) { return id == Mouse || IsEyeTracker(id); }
}  // namespace InputPlugIn
constexpr int kKeyboardInputPlugInID = InputPlugIn::Keyboard;

// An on-screen response's rectangle: x, y its centre, origin at the screen's centre.
struct VTResponseRegion
{
    int x = 0, y = 0, width = 0, height = 0;
    bool operator==(const VTResponseRegion& o) const
    {
        return x == o.x && y == o.y && width == o.width && height == o.height;
    }
};

// A response: one key, button or screen region of an input device.
class VTResponse : public VTElement
{
public:
    explicit VTResponse(VTExperiment* experiment);
    VTResponse(const VTResponse& source, VTExperiment* experiment = nullptr);
    ~VTResponse() override;
    static VTResponse* CreateTemporary_CallerMustDelete(const VTResponse* original, VTExperiment* experiment);

    Minimal_VTElement* CloneIntoExperiment(VTExperiment* experiment) const override;
    static const ElementFieldTable& FieldTable();
    const ElementFieldTable& GetFieldTable() const override { return FieldTable(); }

    // The input plug-in that delivers it.
    virtual int GetPlugInID() const { return m_PlugInID; }
    virtual void SetPlugInID(int id) { m_PlugInID = id; }
    // Key (or key-or-action code) and port as the device reports them.
    virtual int GetKeyCode() const { return m_KeyCode; }
    virtual void SetKeyCode(int code) { m_KeyCode = code; }
    virtual int GetPortNumber() const { return m_Port; }
    virtual void SetPortNumber(int port) { m_Port = port; }
    // 1 pressed, 2 released.
    virtual int GetPhase() const { return m_Phase; }
    virtual void SetPhase(int phase) { m_Phase = phase; }
    // On-screen responses: where on the screen the response counts.
    static constexpr int kRegionModeAnywhere = 0;
    static constexpr int kRegionModeAutomatic = 1;
    static constexpr int kRegionModeSpecific = 2;  // the rectangle of GetRegion
    virtual int GetRegionMode() const { return m_RegionMode; }
    virtual void SetRegionMode(int mode) { m_RegionMode = mode; }
    void SetRegion(int x, int y, int w, int h) { m_Region = VTResponseRegion{x, y, w, h}; }
    void GetRegion(int& x, int& y, int& w, int& h) const
    {
        x = m_Region.x;
        y = m_Region.y;
        w = m_Region.width;
        h = m_Region.height;
    }
    // An editor window shows this response: through the window's own response-window
    // interface when it has one, else through the input plug-in's helper. The input
    // support of the runtime does the work; without it, false.
    bool
    InstructUnderlyingResponseObjectToMutateThisWindow(wxWindow* window,
                                                       VantrelSDK::Interface_EditResponseWindowHelper* helper) const;
    // Reads the window into this response (an editor's working copy); when the window
    // holds valid settings, commits it: into `stored`, or, for a new response (`stored`
    // null), this very object joins the experiment's responses. False keeps the editor open.
    bool MediateAndAllowWindowToMutateResponseObject(const wxWindow* window,
                                                     VantrelSDK::Interface_EditResponseWindowHelper* helper,
                                                     VTResponse* stored);

    // Not offered in the participant-input dialog.
    virtual bool IsHiddenFromParticipant() const { return m_Hidden; }
    virtual void SetHiddenFromParticipant(bool hidden) { m_Hidden = hidden; }

private:
    int m_PlugInID = InputPlugIn::Keyboard;
    int m_KeyCode = 0;
    int m_Port = 0;
    int m_Phase = 1;
    int m_RegionMode = kRegionModeAnywhere;
    VTResponseRegion m_Region;
    bool m_Hidden = false;
};

}  // namespace Vantrel
