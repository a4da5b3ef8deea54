#include "VTPlugInCommon/VTSdkEventInstance.h"

#include "VTPlugInCommon/VTSdkEventPlugin.h"
#include "VTPlugInCommon/VTSdkPresentationSurface.h"
#include "VTPlugInCommon/VTTimer.h"

namespace VantrelSDK {

Interface_PresentationSurface::~Interface_PresentationSurface() {}

Interface_EventInstanceForRuntime::~Interface_EventInstanceForRuntime() {}
void Interface_EventInstanceForRuntime::OnTick(Interface_PresentationSurface&, unsigned long long) {}
bool Interface_EventInstanceForRuntime::TakesStepResponses() const { return false; }
void Interface_EventInstanceForRuntime::OnStepResponse(Interface_PresentationSurface&, unsigned long long,
                                                       const wxString&, bool)
{}
bool Interface_EventInstanceForRuntime::IsFinished() const { return false; }
void Interface_EventInstanceForRuntime::StopPresentation() {}
std::vector<VTSdkSegmentTime> Interface_EventInstanceForRuntime::GetSegmentTimes() const { return {}; }
unsigned long Interface_EventInstanceForRuntime::GetDroppedFrameCount() const { return 0; }
wxString Interface_EventInstanceForRuntime::TakePresentationFailure() { return wxString(); }
bool Interface_PresentationSurface::GetDrawnRect(wxRect&) const { return false; }

VTSdkEventInstance::VTSdkEventInstance(VTSdkEventPlugin& owner) : m_Owner(owner) {}
VTSdkEventInstance::~VTSdkEventInstance() {}

int VTSdkEventInstance::GetPlugInID() const { return m_Owner.GetPlugInID(); }

void VTSdkEventInstance::CopySettingsFrom(const VTSdkEventInstance& other)
{
    if (&other == this || other.GetPlugInID() != GetPlugInID()) return;
    m_Settings = other.m_Settings;
    m_StimulusText = other.m_StimulusText;
    m_LoadedFiles = other.m_LoadedFiles;
}

void VTSdkEventInstance::SetLoadedFiles(const wxString* list, int count)
{
    m_LoadedFiles.clear();
    if (!list || count <= 0) return;
    m_LoadedFiles.assign(list, list + count);
}

wxString VTSdkEventInstance::GetSetting(const wxString& key, const wxString& fallback) const
{
    auto found = m_Settings.find(key);
    return found == m_Settings.end() ? fallback : found->second;
}

long VTSdkEventInstance::GetSettingNumber(const wxString& key, long fallback, long low, long high) const
{
    long value = 0;
    if (!GetSetting(key, "").ToLong(&value) || value < low || value > high) return fallback;
    return value;
}

bool VTSdkEventInstance::PrepareStimulus(const VTSdkStimulus&, Interface_PresentationSurface&, wxString&)
{
    return true;
}

bool VTSdkEventInstance::IsPrepared(wxString&) { return true; }

unsigned long long VTSdkEventInstance::StartPresentation(Interface_PresentationSurface&)
{
    return Vantrel::VTTimer::GetTimer().GetElapsedMicroseconds();
}

}  // namespace VantrelSDK
