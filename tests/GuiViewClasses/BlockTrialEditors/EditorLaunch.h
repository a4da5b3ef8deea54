#pragma once
// What the editors' GUI tests share: a list the editors are launched from, and a
// document saved, reopened and run for everyone.

#include <VTCore/VTExperiment.h>
#include <VTPlugInCommon/VTListViews.h>

#include "FixtureExperiment.h"
#include "RunDriver.h"
#include "TestSupport.h"
#include "VTRuntime/VTCompiledExperiment.h"

#include <wx/filename.h>
#include <wx/frame.h>

#include <vector>

namespace EditorLaunch {

using namespace Vantrel;

// A list of the experiment's elements of one type, each row keeping its element,
// as the editors are launched from.
struct Launcher
{
    Launcher()
    {
        frame = new wxFrame(nullptr, wxID_ANY, "lists", wxPoint(0, 0), wxSize(320, 320));
        list = new VTSimpleListView(frame, wxID_ANY, wxPoint(0, 0), wxSize(300, 300));
        list->InitColumns();
        frame->Show();
    }
    ~Launcher() { frame->Destroy(); }
    void Show(VTExperiment& x, VTElementType type, int selected)
    {
        list->Clear();
        VTElementsList& elements = x.GetElementsOfType(type);
        for (size_t i = 0; i < elements.Size(); ++i)
            list->AppendWithData(elements[i]->GetName(), reinterpret_cast<wxUIntPtr>(elements[i]));
        list->SetSelection(selected);
    }
    wxFrame* frame;
    VTSimpleListView* list;
};

// Saves the experiment, opens the file again and runs it for everyone; the data
// file's rows ("block/trial/event").
inline std::vector<wxString> SavedReopenedAndRun(VTExperiment& x)
{
    const wxString folder = TestSupport::MakeTempFolder("editors");
    const wxString document = wxFileName(folder, "edited.vt6").GetFullPath();
    if (!x.OnSaveDocument(document)) return {"not saved"};
    VTExperiment reopened;
    if (!reopened.OnOpenDocument(document)) return {"not reopened"};
    const wxString data = wxFileName(folder, "run.txt").GetFullPath();
    VTRunOptions& options = reopened.GetRunOptions();
    options.SetGroupID(int(reopened.GetGroupElementByName("Everyone")->GetID()));
    options.SetSubjectName("p01");
    options.SetSaveCollectedDataFlag(true, data);
    VTCompiledExperiment compiled({});
    if (!reopened.InstructCompiledExperimentBuilderToBuild(compiled, false)) return {"not built"};
    RunDriver driver;
    driver.FocusPresentation();
    driver.Begin();
    const bool ran = compiled.Run(false, false);
    driver.Stop();
    if (!ran) return {"not run"};
    return Fixture::DataRows(data);
}

}  // namespace EditorLaunch
