#include "VTEditTrialDlg.h"

#include <wx/intl.h>

namespace Vantrel {

wxIMPLEMENT_DYNAMIC_CLASS(VTEditTrialDlg, wxDialog);

const FrameLook& VTEditTrialDlg::Look()
{
    static const FrameLook look{"Trial",
                                1,
                                wxID_ANY,
                                wxID_ANY,
                                10153,
                                10154,
                                10039,
                                wxID_ANY,
                                10216,
                                wxID_ANY,
                                10313,
                                10314,
                                10315,
                                10316,
                                10317,
                                10418,
                                3,
                                4,
                                wxTRANSLATE("Always present this trial."),
                                wxTRANSLATE("Present trial only if the following criteria "),
                                "trial \"%s\""};
    return look;
}

VTEditTrialDlg* VTEditTrialDlg::GetSingletonEditor(VTExperiment* experiment, wxWindow* listWindow, bool isNew,
                                                   bool multiInsert, bool preCreateOnly)
{
    return SingletonEditorHolder<VTEditTrialDlg>::Get(experiment, listWindow, isNew, multiInsert, preCreateOnly, [&] {
        return new VTEditTrialDlg(nullptr, experiment, preCreateOnly, listWindow, isNew, multiInsert, ID_DIALOG,
                                  _("Trial Editor"));
    });
}

VTEditTrialDlg::VTEditTrialDlg() = default;

VTEditTrialDlg::VTEditTrialDlg(wxWindow* parent, VTExperiment* experiment, bool preCreateOnly, wxWindow* listWindow,
                               bool isNew, bool multiInsert, int id, const wxString& caption, const wxPoint& pos,
                               const wxSize& size, long style)
    : BlockTrialEditorFrame<VTTrial>(experiment, listWindow, isNew, multiInsert)
{
    Create(parent, id, caption, pos, size, style);
    FinishConstruction(preCreateOnly);
}

bool VTEditTrialDlg::Create(wxWindow*, int id, const wxString& caption, const wxPoint&, const wxSize&, long)
{
    BuildFrame(id, caption, Look(), {}, &VTTrial::GetNumberOfUsedEvents, false);
    return true;
}

void VTEditTrialDlg::OnPseudoDestroy() { BlockTrialEditorFrame<VTTrial>::OnPseudoDestroy(); }

}  // namespace Vantrel
