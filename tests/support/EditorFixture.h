#pragma once
// An experiment with three elements of the editors' type, a host window with the
// two kinds of launching list (a list view and a choice) and the drivers that
// work an editor through real clicks and text entry while it runs modally.
// `Kinds` names the `Element` (which counts its live copies in `Live()`, so a
// leaked working copy fails the test), its `Editor`, its element type `kType`,
// and `LoadResources()` for the layouts the editors need.

#include "EditorDriver.h"
#include "ScriptedDialog.h"
#include "TestSupport.h"

#include <GuiViewClasses/DialogClasses/ElementEditorCore.h>
#include <GuiViewClasses/DialogClasses/Interface_MasterVTObjectEditor.h>
#include <GuiViewClasses/MiscGui/EditVTElementT.h>
#include <VTCore/VTExperiment.h>
#include <VTPlugInCommon/VTListViews.h>

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/frame.h>

#include <functional>
#include <memory>
#include <vector>

template <class Kinds>
class EditorFixture : public ::testing::Test
{
protected:
    using Element = typename Kinds::Element;

    void SetUp() override
    {
        Kinds::LoadResources();
        TestSupport::ClearLog();
        experiment = std::make_unique<Vantrel::VTExperiment>();
        for (const char* name : {"Alpha", "Beta", "Gamma"}) Add(name);
        host = new wxFrame(nullptr, wxID_ANY, "Lists", wxPoint(0, 0), wxSize(320, 320));
        listView = new Vantrel::VTSimpleListView(host, wxID_ANY, wxPoint(0, 0), wxSize(300, 150));
        listView->InitColumns();
        choice = new wxChoice(host, wxID_ANY, wxPoint(0, 160), wxSize(300, -1));
        host->Show();
        Refill();
        experiment->Modify(false);
    }

    void TearDown() override
    {
        host->Destroy();
        // Launchers destroy their editors lazily; every working copy must be gone
        // once they are, whatever path the editor took.
        TestSupport::PumpUntil([&] { return Element::Live() == Count(); }, 3000);
        EXPECT_EQ(Element::Live(), Count()) << "a working copy leaked";
        experiment.reset();
        EXPECT_EQ(Element::Live(), 0);
    }

    Element* Add(const wxString& name)
    {
        auto* element = new Element(experiment.get());
        element->SetName(name);
        EXPECT_TRUE(Elements().AddElement(element, -1));
        return element;
    }
    Vantrel::VTElementsList& Elements() { return experiment->GetElementsOfType(Kinds::kType); }
    int Count() { return experiment ? int(Elements().Size()) : 0; }
    Element* At(int i) { return static_cast<Element*>(Elements()[size_t(i)]); }
    std::vector<wxString> Names()
    {
        std::vector<wxString> names;
        for (int i = 0; i < Count(); ++i) names.push_back(At(i)->GetName());
        return names;
    }

    // Both lists show the experiment's elements, each row keeping its element.
    void Refill()
    {
        listView->Clear();
        choice->Clear();
        for (int i = 0; i < Count(); ++i) {
            listView->AppendWithData(At(i)->GetName(), reinterpret_cast<wxUIntPtr>(At(i)));
            choice->Append(At(i)->GetName(), static_cast<void*>(At(i)));
        }
    }
    void Select(int row)
    {
        listView->SetSelection(row);
        choice->SetSelection(row);
    }

    // Launches the editor through the launcher with the lock check; `script` works
    // the dialog and must end it. `opened` receives how many dialogs were shown.
    template <class Dlg = typename Kinds::Editor>
    bool Launch(wxWindow* list, bool isNew, bool insertRepeatedly, std::function<void(wxDialog&)> script,
                int* opened = nullptr)
    {
        ScriptedDialog hook([&](wxDialog& dialog) {
            editor = dynamic_cast<Dlg*>(&dialog);
            script(dialog);
        });
        const bool result = Vantrel::FriendToElementDialogs::EitherExplainThatCreationIsDisallowed_Or_LaunchDialog<Dlg>(
            host, experiment.get(), list, isNew, insertRepeatedly, -1, 0, {});
        if (opened) *opened = hook.Opened();
        editor = nullptr;
        return result;
    }

    std::unique_ptr<Vantrel::VTExperiment> experiment;
    wxFrame* host = nullptr;
    Vantrel::VTSimpleListView* listView = nullptr;
    wxChoice* choice = nullptr;
    // The running editor, while a script runs.
    Vantrel::Interface_MasterVTObjectEditor* editor = nullptr;
};
