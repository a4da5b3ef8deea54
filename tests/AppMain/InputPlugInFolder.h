#pragma once
// The two input plug-ins the editing windows are tested with, loaded through
// the real plug-in manager from a plug-in folder of their own: the q-node
// plug-in library as built, and a copy of the test input plug-in, which can be
// told to conflict with another plug-in.

#include <VTRuntime/VTPlugIn.h>

#include <wx/string.h>

namespace Vantrel {
class VTExperiment;
}

class InputPlugInFolder
{
public:
    // Loads both; the manager lists the q-node plug-in first (file-name order).
    InputPlugInFolder();
    ~InputPlugInFolder();

    Vantrel::VTPlugIn* QNode() const { return qnode_; }
    Vantrel::VTPlugIn* TestInput() const { return test_; }

    // From now on the test plug-in reports a conflict with plug-in `id` (-1: none).
    void SetTestInputConflictsWith(int id) const;

    // Stores "most_recent_input_set" as the plug-in manager would, or as raw text.
    static void RememberInputSet(const wxString& text);
    static void ForgetInputSet();

private:
    wxString testCopy_;
    Vantrel::VTPlugIn* qnode_ = nullptr;
    Vantrel::VTPlugIn* test_ = nullptr;
};

// Test input plug-in and q-node plug-in identifiers.
constexpr int kTestInputID = 9901;
constexpr int kQNodeID = 2103;
