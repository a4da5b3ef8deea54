#include <VTCore/VTRunOptions.h>

#include <utility>

namespace Vantrel {

namespace {
std::function<void()>& FlushHook()
{
    static std::function<void()> hook;
    return hook;
}
std::function<void(const wxString&)>& PushHook()
{
    static std::function<void(const wxString&)> hook;
    return hook;
}
}  // namespace

bool VTRunOptions::Values::operator==(const Values& o) const
{
    return groupID == o.groupID && blockUseRestrictedByGroup == o.blockUseRestrictedByGroup &&
           runSelectedBlocksOnly == o.runSelectedBlocksOnly && saveData == o.saveData && dataFile == o.dataFile &&
           subjectName == o.subjectName && sessionID == o.sessionID && screenshots == o.screenshots &&
           skipCalibration == o.skipCalibration && preview == o.preview;
}

VTRunOptions::VTRunOptions() = default;
VTRunOptions::~VTRunOptions() = default;

void VTRunOptions::SetSaveCollectedDataFlag(bool save, const wxString& file)
{
    m_V.saveData = save;
    m_V.dataFile = file;
}

void VTRunOptions::ApplyPreviewSettings(int groupID)
{
    if (!m_HasPreviewBackup) {
        m_BeforePreview = m_V;
        m_HasPreviewBackup = true;
    }
    m_V.groupID = groupID;
    m_V.blockUseRestrictedByGroup = true;
    m_V.runSelectedBlocksOnly = false;
    m_V.saveData = false;
    m_V.dataFile.clear();
    m_V.screenshots = false;
    m_V.skipCalibration = true;
    m_V.preview = true;
}

void VTRunOptions::RevertPreviewSettings()
{
    if (!m_HasPreviewBackup) return;
    m_V = m_BeforePreview;
    m_HasPreviewBackup = false;
}

void VTRunOptions::FlushTestOutput()
{
    if (FlushHook()) FlushHook()();
}

void VTRunOptions::PushAssertionFailureToAutomatedTestPluginIfPossible(const wxString& text)
{
    if (PushHook()) PushHook()(text);
}

void VTRunOptions::SetAutomatedTestHooks(std::function<void()> flush, std::function<void(const wxString&)> push)
{
    FlushHook() = std::move(flush);
    PushHook() = std::move(push);
}

bool VTRunOptions::operator==(const VTRunOptions& o) const { return m_V == o.m_V; }

}  // namespace Vantrel
