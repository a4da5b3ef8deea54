#include "VTPlugInCommon/VTHwQpxDevice.h"

#include "QPXDriver/QPXDevice.h"

#include <wx/log.h>
#include <wx/utils.h>

#include <algorithm>

namespace VantrelSDK {

VTHwQpxModelInfo::VTHwQpxModelInfo(unsigned modelID, const wxString& displayName, const std::string& devicePath)
    : m_ModelID(modelID), m_DisplayName(displayName), m_DevicePath(devicePath)
{}

VTHwQpxModelInfo::~VTHwQpxModelInfo() {}

VTHwQpxDevice::VTHwQpxDevice() {}

VTHwQpxDevice::~VTHwQpxDevice() {}

void VTHwQpxDevice::CloseAll()
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    m_Open.clear();
}

void VTHwQpxDevice::ForgetDisconnectedLocked()
{
    // A line only shows it has gone when read; what the reads bring stays queued.
    for (const auto& device : m_Open) device->PollForResponse();
    m_Open.erase(std::remove_if(m_Open.begin(), m_Open.end(),
                                [](const boost::shared_ptr<Orbisk::QPXDevice>& d) { return !d->IsConnected(); }),
                 m_Open.end());
}

boost::shared_ptr<Orbisk::QPXDevice> VTHwQpxDevice::FindOpenLocked(unsigned modelID) const
{
    for (const auto& device : m_Open) {
        if (device->IsConnected() && device->GetDeviceConfig().GetModelNumber() == modelID) return device;
    }
    return {};
}

void VTHwQpxDevice::ScanLocked(int attempts)
{
    ForgetDisconnectedLocked();
    attempts = std::max(1, attempts);
    for (const std::string& path : Orbisk::QPXDevice::CandidatePaths()) {
        const bool held = std::any_of(m_Open.begin(), m_Open.end(), [&](const boost::shared_ptr<Orbisk::QPXDevice>& d) {
            return d->GetPath() == path;
        });
        if (held) continue;
        for (int attempt = 0; attempt < attempts; ++attempt) {
            Orbisk::QPXOpenResult result = Orbisk::QPXOpenResult::Refused;
            std::string reason;
            boost::shared_ptr<Orbisk::QPXDevice> device =
                Orbisk::QPXDevice::Open(path, kIdentifyTimeoutMs, result, reason);
            if (device) {
                m_Open.push_back(device);
                break;
            }
            wxLogVerbose("QPX detection skipped %s", wxString::FromUTF8(reason.c_str()));
            // Only a port that was opened but kept quiet deserves another try.
            if (result != Orbisk::QPXOpenResult::NoAnswer) break;
        }
    }
}

boost::shared_ptr<VTHwQpxModelInfo> VTHwQpxDevice::AutoDetectQpxModel(wxWindow* parent,
                                                                      const std::vector<unsigned>& modelIDs,
                                                                      const wxString& familyName, int attempts)
{
    std::unique_ptr<wxBusyCursor> busy;
    if (parent) busy.reset(new wxBusyCursor);
    std::lock_guard<std::mutex> lock(m_Mutex);
    wxLogVerbose("Looking for a %s", familyName);
    ScanLocked(attempts);
    boost::shared_ptr<Orbisk::QPXDevice> chosen;
    for (unsigned wanted : modelIDs) {
        chosen = FindOpenLocked(wanted);
        if (chosen) break;
    }
    if (!chosen && !m_Open.empty()) chosen = m_Open.front();
    if (!chosen) return {};
    const Orbisk::DeviceConfig config = chosen->GetDeviceConfig();
    return boost::shared_ptr<VTHwQpxModelInfo>(new VTHwQpxModelInfo(
        config.GetModelNumber(), wxString::FromUTF8(config.GetDeviceName().c_str()), chosen->GetPath()));
}

bool VTHwQpxDevice::IsModelAvailable(unsigned modelID)
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    ForgetDisconnectedLocked();
    if (FindOpenLocked(modelID)) return true;
    ScanLocked(kDefaultAttempts);
    return static_cast<bool>(FindOpenLocked(modelID));
}

boost::shared_ptr<Orbisk::QPXDevice> VTHwQpxDevice::OpenModel(unsigned modelID)
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    ForgetDisconnectedLocked();
    boost::shared_ptr<Orbisk::QPXDevice> device = FindOpenLocked(modelID);
    if (device) return device;
    ScanLocked(kDefaultAttempts);
    return FindOpenLocked(modelID);
}

void VTHwQpxDevice::OnEndExperimentBeforeBase()
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    for (const auto& device : m_Open) {
        device->PollForResponse();
        device->ClearResponseQueue();
    }
}

void VTHwQpxDevice::OnEndExperimentAfterBase()
{
    std::lock_guard<std::mutex> lock(m_Mutex);
    ForgetDisconnectedLocked();
}

}  // namespace VantrelSDK
