#include "CloudPanelFixture.h"

#include "TestSupport.h"
#include "CloudTaskSupport/DesktopDataCopy.h"

#include <wx/button.h>
#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/stdpaths.h>
#include <wx/textctrl.h>
#include <wx/uiaction.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace PanelTests {

void ScriptedHost::RunCloudExperiment(const wxString& dataFile, unsigned int groupId, bool saveData)
{
    m_script.runs.push_back({dataFile, groupId, saveData});
    if (saveData && m_script.writesData)
        std::ofstream(std::string(dataFile.fn_str()), std::ios::binary) << m_script.runBytes;
}

bool ScriptedHost::OpenExperimentDocument(const wxString& path)
{
    m_script.openedDocuments.push_back(path);
    if (!m_script.openSucceeds) return false;
    m_openPanel();
    return true;
}

void CloudPanelTest::SetUp()
{
    CloudExperimentPanel::ForgetTaskForTesting();
    std::string error;
    ASSERT_TRUE(m_doubles.Start(&error)) << error;
    // A fresh preferences file and desktop folder for every test.
    const std::string desktop = TestSupport::MakeTempFolder("desk");
    const char* config = std::getenv("XDG_CONFIG_HOME");
    ASSERT_NE(config, nullptr);
    std::ofstream(std::string(config) + "/user-dirs.dirs") << "XDG_DESKTOP_DIR=\"" << desktop << "\"\n";
    ASSERT_EQ(DesktopFolder(), desktop);
    delete wxConfigBase::Set(
        new wxFileConfig("CloudPanelTests", wxEmptyString, TestSupport::MakeTempFolder("config") + "/preferences"));
    TestSupport::ClearLog();
}

void CloudPanelTest::TearDown()
{
    for (wxFrame* frame : m_frames) frame->Destroy();
    m_frames.clear();
    TestSupport::PumpFor(50);
    fs::remove_all(TaskFolder());
    fs::remove(TaskFolder() + ".tar.gz");
    fs::remove(TaskFolder() + ".zip");
    CloudExperimentPanel::ForgetTaskForTesting();
}

std::string CloudPanelTest::SamplePackage(bool zip)
{
    const std::string folder = TestSupport::MakeTempFolder("sample");
    fs::create_directories(folder + "/Sample/images");
    std::ofstream(folder + "/Sample/Sample.vt6") << "{\"format\": \"sample\"}\n";
    std::ofstream(folder + "/Sample/images/picture.png", std::ios::binary) << std::string(3000, '\x89');
    const std::string package = folder + (zip ? "/sample.zip" : "/sample.tar.gz");
    const std::string command = zip ? "cd '" + folder + "' && zip -qr sample.zip Sample"
                                    : "tar -C '" + folder + "' -czf '" + package + "' Sample";
    EXPECT_EQ(std::system(command.c_str()), 0);
    return TestSupport::ReadWholeFile(package);
}

std::string CloudPanelTest::MadePackage(const std::string& name)
{
    static std::string folder;
    if (folder.empty()) {
        folder = TestSupport::MakeTempFolder("made");
        const std::string command =
            std::string("/usr/bin/python3 '") + PACKAGE_MAKER + "' '" + folder + "/packages' '" + folder + "/outside'";
        EXPECT_EQ(std::system(command.c_str()), 0);
    }
    return TestSupport::ReadWholeFile(folder + "/packages/" + name);
}

void CloudPanelTest::AddExperiment(const std::string& infoFile, const std::string* package)
{
    const std::string sample = SamplePackage();
    m_doubles.Service().AddExperiment(kExperimentCode, "Sample", "2099-12-31", infoFile, package ? package : &sample);
}

CloudExperimentPanel* CloudPanelTest::ShowPanel()
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Untitled", wxPoint(20, 20), wxSize(640, 520));
    auto openPanel = [this] {
        auto* readyFrame = new wxFrame(nullptr, wxID_ANY, "Sample", wxPoint(40, 40), wxSize(640, 520));
        m_readyPanel = new CloudExperimentPanel(readyFrame, std::make_unique<ScriptedHost>(m_script, [] {}));
        readyFrame->SetSizer(new wxBoxSizer(wxVERTICAL));
        readyFrame->GetSizer()->Add(m_readyPanel, 1, wxEXPAND);
        readyFrame->Layout();
        readyFrame->Show();
        m_frames.push_back(readyFrame);
    };
    m_firstPanel = new CloudExperimentPanel(frame, std::make_unique<ScriptedHost>(m_script, openPanel));
    frame->SetSizer(new wxBoxSizer(wxVERTICAL));
    frame->GetSizer()->Add(m_firstPanel, 1, wxEXPAND);
    frame->Layout();
    frame->Show();
    m_frames.push_back(frame);
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return frame->IsShownOnScreen(); }));
    TestSupport::PumpFor(100);
    return m_firstPanel;
}

void CloudPanelTest::TypeInto(wxTextCtrl* field, const wxString& text)
{
    Click(field);
    field->SetFocus();
    TestSupport::PumpFor(50);
    wxUIActionSimulator sim;
    sim.Text(text.utf8_str());
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return field->GetValue().EndsWith(text); }, 3000))
        << "typed '" << text << "', field holds '" << field->GetValue() << "'";
}

void CloudPanelTest::Click(wxWindow* window)
{
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return window->IsShownOnScreen(); }, 3000));
    TestSupport::ClickWindow(window);
    TestSupport::PumpFor(50);
}

wxTextCtrl* CloudPanelTest::TaskField(CloudExperimentPanel* panel) const
{
    return wxDynamicCast(panel->FindWindow(CloudExperimentPanel::ID_TASK_ID), wxTextCtrl);
}

wxStaticText* CloudPanelTest::ErrorText(CloudExperimentPanel* panel) const
{
    return wxDynamicCast(panel->FindWindow(CloudExperimentPanel::ID_ERROR_TEXT), wxStaticText);
}

wxButton* CloudPanelTest::Button(CloudExperimentPanel* panel, int id) const
{
    return wxDynamicCast(panel->FindWindow(id), wxButton);
}

bool CloudPanelTest::ContainsLabel(wxWindow* window, const wxString& text) const
{
    if (window->GetLabel().Contains(text) && window->IsShown()) return true;
    for (wxWindow* child : window->GetChildren())
        if (ContainsLabel(child, text)) return true;
    return false;
}

std::string CloudPanelTest::TaskFolder() const
{
    return std::string(wxStandardPaths::Get().GetUserDataDir().fn_str()) + "/" + std::to_string(kExperimentCode);
}

std::string CloudPanelTest::DesktopFolder() const { return std::string(Vantrel::DesktopFolder().fn_str()); }

int CloudPanelTest::RequestCount(const std::string& path) const
{
    return static_cast<int>(
        const_cast<TestDoubles::CloudDoublesEnvironment&>(m_doubles).Service().RequestsTo(path).size());
}

}  // namespace PanelTests
