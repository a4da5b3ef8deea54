#pragma once
// The options of one run. The experiment owns one; building copies it into the
// expanded experiment, whose copy the runtime reads when the run starts.
// The setters are virtual so that a caller's order of writes can be observed.

#include <wx/string.h>
#include <functional>

namespace Vantrel {

class VTRunOptions
{
public:
    VTRunOptions();
    virtual ~VTRunOptions();
    VTRunOptions(const VTRunOptions&) = default;
    VTRunOptions& operator=(const VTRunOptions&) = default;

    // The participant group of the run, -1 for none.
    virtual void SetGroupID(int id) { m_V.groupID = id; }
    int GetGroupID_CanReturnNegativeOne() const { return m_V.groupID; }
    // On: the run presents only the group's blocks (all when the group's run-all flag is set).
    virtual void SetBlockUseRestrictedByGroup(bool restricted) { m_V.blockUseRestrictedByGroup = restricted; }
    bool IsBlockUseRestrictedByGroup() const { return m_V.blockUseRestrictedByGroup; }
    // On: only the blocks marked selected run, overriding the group.
    virtual void SetRunSelBlocksOnlyFlag(bool on) { m_V.runSelectedBlocksOnly = on; }
    bool IsRunningSelectedBlocksOnly() const { return m_V.runSelectedBlocksOnly; }
    // With saving on and an empty file, the runtime picks a fresh name in the data folder.
    virtual void SetSaveCollectedDataFlag(bool save, const wxString& file);
    bool IsDataSaved() const { return m_V.saveData; }
    const wxString& GetDataFile() const { return m_V.dataFile; }
    virtual void SetSubjectName(const wxString& name) { m_V.subjectName = name; }
    const wxString& GetSubjectName() const { return m_V.subjectName; }
    virtual void SetSessionID(const wxString& id) { m_V.sessionID = id; }
    const wxString& GetSessionID() const { return m_V.sessionID; }
    virtual void SetScreenshotFlag(bool on) { m_V.screenshots = on; }
    bool GetScreenshotFlag() const { return m_V.screenshots; }
    virtual void SetSkipEyeTrackerCalibration(bool skip) { m_V.skipCalibration = skip; }
    bool GetSkipEyeTrackerCalibration() const { return m_V.skipCalibration; }
    void SetIsPreview(bool preview) { m_V.preview = preview; }
    bool IsPreview() const { return m_V.preview; }

    // The preview runs one temporary group without saving; Revert restores what was there.
    void ApplyPreviewSettings(int groupID);
    void RevertPreviewSettings();

    // Hand-offs to an automated-test plug-in, when the runtime has one loaded.
    void FlushTestOutput();
    void PushAssertionFailureToAutomatedTestPluginIfPossible(const wxString& text);
    static void SetAutomatedTestHooks(std::function<void()> flush, std::function<void(const wxString&)> push);

    bool operator==(const VTRunOptions& o) const;

private:
    struct Values
    {
        int groupID = -1;
        bool blockUseRestrictedByGroup = true;
        bool runSelectedBlocksOnly = false;
        bool saveData = true;
        wxString dataFile;
        wxString subjectName;
        wxString sessionID;
        bool screenshots = false;
        bool skipCalibration = false;
        bool preview = false;
        bool operator==(const Values& o) const;
    };
    Values m_V;
    Values m_BeforePreview;
    bool m_HasPreviewBackup = false;
};

}  // namespace Vantrel
