#pragma once
// Experiments with tag sets for the tag editors' tests, and the clicks these
// tests make on list rows and grid cells.

#include <VTCore/VTExperiment.h>
#include <VTCore/VTTagSet.h>

#include <wx/string.h>

#include <initializer_list>
#include <memory>

class wxPoint;
class wxWindow;

namespace TagSets {

// Appends a set of that context with the tags named, in order.
Vantrel::VTTagSet* AddSet(Vantrel::VTExperiment& experiment, const wxString& name,
                          Vantrel::VTTagSet::TagsetContext context, std::initializer_list<const char*> tags);
// "Red Green": the names of a set's tags in its order.
wxString TagNames(Vantrel::VTTagSet& set);
// The number of tags the experiment holds.
std::size_t TagCount(Vantrel::VTExperiment& experiment);
// Saves the experiment and loads it into a new one.
std::unique_ptr<Vantrel::VTExperiment> SavedAndReloaded(Vantrel::VTExperiment& experiment);

// A real left click at a point of `window` (client coordinates).
void ClickAt(wxWindow* window, const wxPoint& point);

}  // namespace TagSets
