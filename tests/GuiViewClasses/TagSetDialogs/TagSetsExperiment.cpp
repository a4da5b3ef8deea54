#include "TagSetsExperiment.h"

#include "TestSupport.h"

#include <NonPersistentHelpers/VTElementsList.h>

#include <gtest/gtest.h>
#include <wx/filename.h>
#include <wx/uiaction.h>
#include <wx/window.h>

namespace TagSets {

using namespace Vantrel;

VTTagSet* AddSet(VTExperiment& experiment, const wxString& name, VTTagSet::TagsetContext context,
                 std::initializer_list<const char*> tags)
{
    auto* set = new VTTagSet(&experiment);
    set->SetName(name);
    set->SetContext(context);
    EXPECT_TRUE(experiment.GetElementsOfType(ElementType::TagSet).AddElement(set, -1));
    for (const char* tag : tags) EXPECT_NE(set->AddTag(tag, -1), nullptr);
    return set;
}

wxString TagNames(VTTagSet& set)
{
    wxString out;
    VTLinkT& tags = set.GetCollectionOfUsedTags_deprecated();
    for (unsigned i = 0; i < tags.Size(); ++i)
        out << (i ? " " : "") << (tags.GetUsedElementPtr(i) ? tags.GetUsedElementPtr(i)->GetName() : "?");
    return out;
}

std::size_t TagCount(VTExperiment& experiment) { return experiment.GetElementsOfType(ElementType::Tag).Size(); }

std::unique_ptr<VTExperiment> SavedAndReloaded(VTExperiment& experiment)
{
    const wxString file = wxString::FromUTF8(TestSupport::MakeTempFolder("tagsets") + "/tags.vt6");
    EXPECT_TRUE(experiment.OnSaveDocument(file)) << TestSupport::LogAsText();
    auto reloaded = std::make_unique<VTExperiment>();
    EXPECT_TRUE(reloaded->OnOpenDocument(file)) << TestSupport::LogAsText();
    wxRemoveFile(file);
    return reloaded;
}

void ClickAt(wxWindow* window, const wxPoint& point)
{
    TestSupport::PumpUntil([&] { return window->IsShownOnScreen(); });
    TestSupport::PumpFor(50);
    wxUIActionSimulator sim;
    sim.MouseMove(window->ClientToScreen(point));
    TestSupport::PumpFor(50);
    sim.MouseClick();
    // Long enough that the next click is never taken for the second of a double click.
    TestSupport::PumpFor(500);
}

}  // namespace TagSets
