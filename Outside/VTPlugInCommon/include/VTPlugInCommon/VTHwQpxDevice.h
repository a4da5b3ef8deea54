#pragma once
// The hardware wrapper over the QPX driver that input plug-ins use to find and
// open the maker's response devices (the q-node among them).
//
// One open device per model number is kept and shared, so a settings panel and
// a run talk over the same connection and never fight over the serial line.
// Detection looks at Orbisk::QPXDevice::CandidatePaths() (VANTREL_QPX_DEVICE
// first, then /dev/ttyUSB*, /dev/ttyACM*); ports that are busy, absent or answer
// something else are skipped after a bounded wait.

#include <wx/string.h>

#include <boost/shared_ptr.hpp>

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "VTPlugInCommon/VTSdkExport.h"

class wxWindow;

namespace Orbisk {
class QPXDevice;
}

namespace VantrelSDK {

// What detection found: the model number and the name to show.
class VTSDK_API VTHwQpxModelInfo
{
public:
    VTHwQpxModelInfo(unsigned modelID, const wxString& displayName, const std::string& devicePath);
    virtual ~VTHwQpxModelInfo();

    unsigned GetModelID() const { return m_ModelID; }
    wxString GetDisplayName() const { return m_DisplayName; }
    std::string GetDevicePath() const { return m_DevicePath; }

private:
    unsigned m_ModelID;
    wxString m_DisplayName;
    std::string m_DevicePath;
};

class VTSDK_API VTHwQpxDevice
{
public:
    // How long one identification attempt waits for an answer.
    static constexpr int kIdentifyTimeoutMs = 250;
    // Identification tries per port when a model is looked for by number.
    static constexpr int kDefaultAttempts = 2;

    VTHwQpxDevice();
    virtual ~VTHwQpxDevice();
    VTHwQpxDevice(const VTHwQpxDevice&) = delete;
    VTHwQpxDevice& operator=(const VTHwQpxDevice&) = delete;

    // Looks for a QPX device, preferring one whose model is in `modelIDs`; when
    // none of those is connected, any QPX device found is described (so the caller
    // can tell the user what is there). Null when nothing answers. `attempts`
    // identification tries are made per port (at least one). With a parent window
    // the pointer shows busy meanwhile. `familyName` names the wanted family in the
    // verbose log only.
    virtual boost::shared_ptr<VTHwQpxModelInfo> AutoDetectQpxModel(wxWindow* parent,
                                                                   const std::vector<unsigned>& modelIDs,
                                                                   const wxString& familyName, int attempts);
    // True when a device of that model is connected now.
    virtual bool IsModelAvailable(unsigned modelID);
    // The shared open device of that model, opened when needed; null when none is connected.
    virtual boost::shared_ptr<Orbisk::QPXDevice> OpenModel(unsigned modelID);

    // Called just before the input plug-in's base end of run: drops the input
    // that is left, so stale presses never reach a settings panel.
    virtual void OnEndExperimentBeforeBase();
    // Called just after it: forgets devices whose line has gone.
    virtual void OnEndExperimentAfterBase();

    // Closes every device this wrapper holds.
    void CloseAll();

private:
    void ForgetDisconnectedLocked();
    // Opens every candidate port not already held; each identified device joins m_Open.
    void ScanLocked(int attempts);
    boost::shared_ptr<Orbisk::QPXDevice> FindOpenLocked(unsigned modelID) const;

    std::mutex m_Mutex;
    std::vector<boost::shared_ptr<Orbisk::QPXDevice>> m_Open;
};

}  // namespace VantrelSDK
