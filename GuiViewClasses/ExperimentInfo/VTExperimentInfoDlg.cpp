#include "VTExperimentInfoDlg.h"

#include "MetadataFields.h"

#include <VTCore/VTExperiment.h>

#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

namespace Vantrel {

VTExperimentInfoDlg::VTExperimentInfoDlg(wxWindow* parent, VTExperiment* experiment) : m_Experiment(experiment)
{
    // Without its layout the dialog stays empty.
    if (!wxXmlResource::Get()->LoadDialog(this, parent, "dlg_experiment_info")) return;
    const VTMetadata& metadata = m_Experiment->GetMetadata();
    for (int i = 0; i < kMeta2ControlCount && *cst_Meta2ControlID[i].metaName; ++i)
        if (auto* text = dynamic_cast<wxTextCtrl*>(FindWindowByName(cst_Meta2ControlID[i].controlName, this)))
            text->ChangeValue(metadata.GetValue(cst_Meta2ControlID[i].metaName));
    Bind(wxEVT_BUTTON, &VTExperimentInfoDlg::OnOK, this, wxID_OK);
}

void VTExperimentInfoDlg::OnOK(wxCommandEvent& event)
{
    VTMetadata& metadata = m_Experiment->GetMetadata();
    const VTMetadata before = metadata;
    for (int i = 0; i < kMeta2ControlCount && *cst_Meta2ControlID[i].metaName; ++i)
        if (auto* text = dynamic_cast<wxTextCtrl*>(FindWindow(XRCID(cst_Meta2ControlID[i].controlName))))
            metadata.SetValue(cst_Meta2ControlID[i].metaName, text->GetValue());
    // A changed value is a change of the document, to be saved like any other.
    if (!(metadata == before)) m_Experiment->Modify(true);
    event.Skip();  // the default handling ends the dialog with OK
}

}  // namespace Vantrel
