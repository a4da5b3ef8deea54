#pragma once
// An experiment made ready to run, and its run.
//
// The program builds it with VTExperiment::InstructCompiledExperimentBuilderToBuild,
// which hands back the expanded copy that this object owns (null, with the reason
// logged, when it cannot run: no blocks, a participant group without blocks, more
// trials or events than a run may hold, an event that nothing but Escape could
// end (a preview may hold such an event), or a rule or "When to Present" the run
// reaches that uses what a run cannot carry out or names an element that is gone:
// see docs/rules.md). The copy's run options may
// be changed after building; Run() reads them when it starts:
//  - the group (-1: the experiment's first group; no groups: every block),
//  - block restriction: on = the group's blocks in its order (every block when the
//    group runs all of them); off = every block,
//  - selected blocks only: only blocks marked selected, in the experiment's order,
//  - saving with its data file (an absolute path as it is; a relative name or an
//    empty one, which gets a fresh name, in the experiment's preferred data folder:
//    VTDataFolder), subject name and session,
//  - the input devices the experiment names (none named: the keyboard alone).

#include <wx/string.h>

#include <boost/function.hpp>

#include <memory>

#include "VTRuntime/VTRunEngine.h"

namespace Vantrel {

class Interface_ExpandedRunnableExperiment;
class VTExperiment;

class VTCompiledExperiment
{
public:
    // `onEnd` is called once when a run has ended, before Run returns, with (true, true).
    explicit VTCompiledExperiment(boost::function<void(bool, bool)> onEnd);
    ~VTCompiledExperiment();
    VTCompiledExperiment(const VTCompiledExperiment&) = delete;
    VTCompiledExperiment& operator=(const VTCompiledExperiment&) = delete;

    // Returns only when the run has ended. Runs pass (false, false); the preview passes
    // (true, showGrid) and saves nothing. True when the run completed (not cancelled).
    bool Run(bool preview, bool showGrid);

    Interface_ExpandedRunnableExperiment* GetExpandedExperiment() const { return m_Expanded.get(); }
    VTRunOutcome GetLastOutcome() const { return m_LastOutcome; }
    const VTRunReport& GetLastReport() const { return m_LastReport; }
    // The data file of the last run ("" when nothing was saved).
    const wxString& GetLastDataFile() const { return m_LastDataFile; }

    // The plan the expanded experiment gives with its current run options.
    static VTRunPlan BuildPlan(VTExperiment& experiment, wxString* whyEmpty = nullptr);
    // A fresh data-file path in the default data folder.
    static wxString MakeAutomaticDataFilePath(const wxString& experimentName, const wxString& subjectName);

    // Used by the builder.
    void AdoptExpanded(Interface_ExpandedRunnableExperiment* expanded, const wxString& experimentName);

private:
    boost::function<void(bool, bool)> m_OnEnd;
    std::unique_ptr<Interface_ExpandedRunnableExperiment> m_Expanded;
    wxString m_ExperimentName;
    VTRunOutcome m_LastOutcome = VTRunOutcome::NotStarted;
    VTRunReport m_LastReport;
    wxString m_LastDataFile;
};

// Makes sure the data model builds through this runtime (also done when the library loads).
void RegisterRuntimeWithCore();

}  // namespace Vantrel
