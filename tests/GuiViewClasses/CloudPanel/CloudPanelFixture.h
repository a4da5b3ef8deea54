#pragma once
// A cloud experiment panel in a frame of its own, hosted by a scripted stand-in
// for the run-task view, with the cloud-service and mail-relay doubles running.

#include "CloudDoubles.h"
#include "CloudExperimentPanel.h"
#include "CloudPanelHost.h"

#include <gtest/gtest.h>

#include <wx/frame.h>
#include <wx/string.h>

#include <memory>
#include <string>
#include <vector>

class wxButton;
class wxStaticText;
class wxTextCtrl;

namespace PanelTests {

constexpr std::uint32_t kExperimentCode = 12345678;
constexpr const char* kTaskCode = "15386598";
constexpr const char* kResearcher = "researcher@example.test";

// What the stand-in view did and will do; shared by every panel of one test.
struct HostScript
{
    std::vector<wxString> openedDocuments;
    bool openSucceeds = true;
    int closeRequests = 0;
    int exitRequests = 0;
    wxString subjectName;
    std::vector<std::uint32_t> groups{5};
    std::uint32_t groupSetting = 1;
    int drawAnswer = 0;
    // The run: what it writes into the data file when asked to save, and whether it is cancelled.
    std::string runBytes = "trial\tresponse\ttime\n1\tspace\t412\n";
    bool runCancelled = false;
    bool writesData = true;
    // Non-empty: the run failed with this reason (e.g. its data file could not be written).
    wxString runFailure;
    struct Run
    {
        wxString dataFile;
        unsigned groupId;
        bool saveData;
    };
    std::vector<Run> runs;
};

class ScriptedHost : public Vantrel::CloudPanelHost
{
public:
    ScriptedHost(HostScript& script, std::function<void()> openPanel)
        : m_script(script), m_openPanel(std::move(openPanel))
    {}
    void RunCloudExperiment(const wxString& dataFile, unsigned int groupId, bool saveData) override;
    bool WasLastRunCanceled() override { return m_script.runCancelled; }
    wxString LastRunFailure() override { return m_script.runFailure; }
    std::vector<std::uint32_t> GroupIds() override { return m_script.groups; }
    std::uint32_t CloudGroupSetting() override { return m_script.groupSetting; }
    int DrawInRange(int low, int) override { return low + m_script.drawAnswer; }
    void SetSubjectName(const wxString& name) override { m_script.subjectName = name; }
    bool OpenExperimentDocument(const wxString& path) override;
    void CloseViewOnNextIdle() override { ++m_script.closeRequests; }
    void ActivateView() override {}
    void ExitApplication() override { ++m_script.exitRequests; }

private:
    HostScript& m_script;
    std::function<void()> m_openPanel;
};

class CloudPanelTest : public ::testing::Test
{
protected:
    void SetUp() override;
    void TearDown() override;

    // A package of a few files with one experiment document, in the given format.
    static std::string SamplePackage(bool zip = false);
    // One of the packages that make_packages.py writes.
    static std::string MadePackage(const std::string& name);

    void AddExperiment(const std::string& infoFile, const std::string* package = nullptr);
    // The first panel, as the untitled document's view would make it.
    CloudExperimentPanel* ShowPanel();
    // The panel of the opened experiment, once the first one asked for it.
    CloudExperimentPanel* ReadyPanel() const { return m_readyPanel; }

    // Real typing and clicking.
    void TypeInto(wxTextCtrl* field, const wxString& text);
    void Click(wxWindow* window);

    wxTextCtrl* TaskField(CloudExperimentPanel* panel) const;
    wxStaticText* ErrorText(CloudExperimentPanel* panel) const;
    wxButton* Button(CloudExperimentPanel* panel, int id) const;
    bool ContainsLabel(wxWindow* window, const wxString& text) const;

    std::string TaskFolder() const;
    std::string DesktopFolder() const;
    int RequestCount(const std::string& path) const;

    TestDoubles::CloudDoublesEnvironment m_doubles;
    HostScript m_script;
    std::vector<wxFrame*> m_frames;
    CloudExperimentPanel* m_firstPanel = nullptr;
    CloudExperimentPanel* m_readyPanel = nullptr;
};

}  // namespace PanelTests
