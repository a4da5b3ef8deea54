#pragma once
// "About This Experiment": five fixed fields, each stored as one metadata pair of
// the experiment. OK stores all five (empty ones too) and marks the experiment
// modified when a value changed; Cancel stores nothing.

#include <GuiViewClasses/DialogClasses/persdlg.h>

namespace Vantrel {

class VTExperiment;

class VTExperimentInfoDlg : public wxDialogPersistentPosition
{
public:
    VTExperimentInfoDlg(wxWindow* parent, VTExperiment* experiment);

    wxString GetPersistenceName() const override { return "VTExperimentInfoDlg"; }

private:
    void OnOK(wxCommandEvent& event);

    VTExperiment* m_Experiment;
};

}  // namespace Vantrel
