#pragma once
#include <VTCore/VTElement.h>

namespace Vantrel {

// Input plug-in id of the built-in keyboard; its responses are keys (wxKeyCode,
// letters in upper case).
constexpr int kKeyboardInputPlugInID = 2100;

// A response: one key, button or screen region of an input device.
class VTResponse : public VTElement
{
public:
    explicit VTResponse(VTExperiment* experiment);
    VTResponse(const VTResponse& source, VTExperiment* experiment = nullptr);
    ~VTResponse() override;
    static VTResponse* CreateTemporary_CallerMustDelete(const VTResponse* original, VTExperiment* experiment);

    Minimal_VTElement* CloneIntoExperiment(VTExperiment* experiment) const override;
    bool CopySettingsFrom(const Minimal_VTElement& source) override;

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
    // On-screen responses: region mode 0 anywhere, 1 automatic, 2 specific; the
    // rectangle's x, y are its centre.
    virtual int GetRegionMode() const { return m_RegionMode; }
    virtual void SetRegionMode(int mode) { m_RegionMode = mode; }
    void SetRegion(int x, int y, int w, int h)
    {
        m_X = x;
        m_Y = y;
        m_W = w;
        m_H = h;
    }
    void GetRegion(int& x, int& y, int& w, int& h) const
    {
        x = m_X;
        y = m_Y;
        w = m_W;
        h = m_H;
    }
    // Not offered in the participant-input dialog.
    virtual bool IsHiddenFromParticipant() const { return m_Hidden; }
    virtual void SetHiddenFromParticipant(bool hidden) { m_Hidden = hidden; }

private:
    int m_PlugInID = kKeyboardInputPlugInID;
    int m_KeyCode = 0;
    int m_Port = 0;
    int m_Phase = 1;
    int m_RegionMode = 0;
    int m_X = 0, m_Y = 0, m_W = 0, m_H = 0;
    bool m_Hidden = false;
};

}  // namespace Vantrel
