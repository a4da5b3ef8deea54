#pragma once
// A named value that path texts refer to as "$(Name)". The experiment hands out
// its folder variable (FolderPathID): the folder that holds the experiment file,
// "" while the experiment has never been saved.

#include <wx/string.h>

namespace Vantrel {

class VTExperiment;

class VantrelVariable
{
public:
    enum
    {
        FolderPathID = 44
    };

    virtual ~VantrelVariable();
    virtual wxString GetName() const = 0;
    // Writes the current value into `value`; `flags` is reserved (pass 0).
    virtual void GetValueAsText(wxString& value, int flags) const = 0;
};

// The experiment-folder variable of one experiment.
class ExperimentFolderVariable : public VantrelVariable
{
public:
    explicit ExperimentFolderVariable(const VTExperiment& experiment) : m_Experiment(experiment) {}
    ~ExperimentFolderVariable() override;
    wxString GetName() const override;
    void GetValueAsText(wxString& value, int flags) const override;

private:
    const VTExperiment& m_Experiment;
};

}  // namespace Vantrel
