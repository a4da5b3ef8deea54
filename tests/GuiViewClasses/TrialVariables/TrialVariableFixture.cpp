#include "TrialVariableFixture.h"

#include "TestSupport.h"

#include <GuiViewClasses/TrialVariables/VTEditTrialVariableDlg.h>
#include <VTPlugInCommon/VTListViews.h>

#include <wx/app.h>
#include <wx/choice.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/textctrl.h>

using namespace Vantrel;

namespace TrialVariableTesting {

void Settle(wxWindow* window)
{
    wxTheApp->ProcessIdle();
    TestSupport::PumpFor(60);
    if (window) window->UpdateWindowUI(wxUPDATE_UI_RECURSE);
    wxTheApp->ProcessIdle();
}

void Click(wxWindow* window)
{
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(TestSupport::PumpUntil(
        [&] {
            wxGetTopLevelParent(window)->UpdateWindowUI(wxUPDATE_UI_RECURSE);
            return window->IsShownOnScreen() && window->IsEnabled();
        },
        3000))
        << "control " << window->GetId() << " is not offered";
    TestSupport::ClickWindow(window);
    Settle();
}

void Click(wxWindow* parent, int id) { Click(parent->FindWindow(id)); }

bool EnabledNow(wxWindow* window)
{
    Settle(wxGetTopLevelParent(window));
    return window->IsEnabled();
}

void Type(wxTextCtrl* text, const wxString& value)
{
    ASSERT_NE(text, nullptr);
    text->SetFocus();
    text->SetValue(value);  // sends the text event typing sends
    Settle(wxGetTopLevelParent(text));
}

void Pick(wxWindow* window, int item)
{
    auto* choice = dynamic_cast<wxChoice*>(window);
    ASSERT_NE(choice, nullptr);
    choice->SetSelection(item);
    wxCommandEvent event(wxEVT_CHOICE, choice->GetId());
    event.SetEventObject(choice);
    event.SetInt(item);
    event.SetString(choice->GetString(unsigned(item)));
    choice->ProcessWindowEvent(event);
    Settle(wxGetTopLevelParent(choice));
}

wxString Levels(const Orbisk::Var::Variable& variable)
{
    wxString out;
    for (const Orbisk::Var::VarValue* level : variable.GetLevels())
        out << (out.empty() ? "" : "; ") << level->GetName() << "=" << level->GetText();
    return out;
}

void TrialVariableFixture::SetUpTestSuite() { wxInitAllImageHandlers(); }

void TrialVariableFixture::SetUp()
{
    TestSupport::ClearLog();
    experiment = std::make_unique<VTExperiment>();
    host = new wxFrame(nullptr, wxID_ANY, "Trial variables", wxPoint(0, 0), wxSize(320, 240));
    listView = new VTSimpleListView(host, wxID_ANY, wxPoint(0, 0), wxSize(300, 200));
    listView->InitColumns();
    host->Show();
    experiment->Modify(false);
}

void TrialVariableFixture::TearDown()
{
    host->Destroy();
    TestSupport::PumpFor(30);
    experiment.reset();
}

VTTrialVariable* TrialVariableFixture::AddVariable(int type, const wxString& name,
                                                   std::initializer_list<const char*> levelTexts)
{
    auto* element = new VTTrialVariable(experiment.get());
    element->SetName(name);
    auto* variable = Orbisk::Var::VarType::CreateNewVariable(type, name);
    int number = 0;
    for (const char* text : levelTexts) {
        Orbisk::Var::VarValue* level = variable->MakeLevelForPosition(++number);
        EXPECT_TRUE(level->SetFromText(text)) << text;
        variable->AppendLevel(level);
    }
    element->ReplaceVariable(variable, true);
    EXPECT_TRUE(Variables().AddElement(element, -1));
    Refill();
    experiment->Modify(false);
    return element;
}

VTElementsList& TrialVariableFixture::Variables() { return experiment->GetElementsOfType(ElementType::TrialVariable); }

VTTrialVariable* TrialVariableFixture::VariableAt(size_t index)
{
    return index < Variables().Size() ? dynamic_cast<VTTrialVariable*>(Variables()[index]) : nullptr;
}

void TrialVariableFixture::Refill(int selected)
{
    listView->Clear();
    for (size_t i = 0; i < Variables().Size(); ++i)
        listView->AppendWithData(Variables()[i]->GetName(), reinterpret_cast<wxUIntPtr>(Variables()[i]));
    listView->SetSelection(selected);
}

bool TrialVariableFixture::Edit(bool isNew, int typeIndex)
{
    return VTEditTrialVariableDlg::EitherExplainThatCreationIsDisallowed_Or_LaunchTrialVarDialog(
        host, experiment.get(), listView, isNew, false, typeIndex);
}

std::unique_ptr<VTExperiment> TrialVariableFixture::SaveAndReload()
{
    const wxString file = wxFileName::CreateTempFileName("trialvars") + ".vt6";
    EXPECT_TRUE(experiment->OnSaveDocument(file));
    auto reloaded = std::make_unique<VTExperiment>();
    EXPECT_TRUE(reloaded->OnOpenDocument(file));
    wxRemoveFile(file);
    return reloaded;
}

}  // namespace TrialVariableTesting
