#include "VTEditBlockDlg.h"

#include <wx/intl.h>

namespace Vantrel {

wxIMPLEMENT_DYNAMIC_CLASS(VTEditBlockDlg, wxDialog);

const FrameLook& VTEditBlockDlg::Look()
{
    static const FrameLook look{"Block",
                                0,
                                10008,
                                10045,
                                10047,
                                10048,
                                10049,
                                10050,
                                10078,
                                10258,
                                10260,
                                10261,
                                10262,
                                10263,
                                10264,
                                10265,
                                1,
                                2,
                                wxTRANSLATE("Always present this block."),
                                wxTRANSLATE("Present block only if the following criteria "),
                                "block \"%s\""};
    return look;
}

VTEditBlockDlg* VTEditBlockDlg::GetSingletonBlockEditor(VTExperiment* experiment, wxWindow* listWindow, bool isNew,
                                                        bool multiInsert, bool preCreateOnly)
{
    return SingletonEditorHolder<VTEditBlockDlg>::Get(experiment, listWindow, isNew, multiInsert, preCreateOnly, [&] {
        return new VTEditBlockDlg(nullptr, experiment, preCreateOnly, listWindow, isNew, multiInsert, ID_DIALOG,
                                  _("Block Editor"));
    });
}

VTEditBlockDlg::VTEditBlockDlg() = default;

VTEditBlockDlg::VTEditBlockDlg(wxWindow* parent, VTExperiment* experiment, bool preCreateOnly, wxWindow* listWindow,
                               bool isNew, bool multiInsert, int id, const wxString& caption, const wxPoint& pos,
                               const wxSize& size, long style)
    : BlockTrialEditorFrame<VTBlock>(experiment, listWindow, isNew, multiInsert)
{
    Create(parent, id, caption, pos, size, style);
    FinishConstruction(preCreateOnly);
}

bool VTEditBlockDlg::Create(wxWindow*, int id, const wxString& caption, const wxPoint&, const wxSize&, long)
{
    BuildFrame(id, caption, Look(), {}, &VTBlock::GetNumberOfUsedTrials, true);
    return true;
}

void VTEditBlockDlg::OnPseudoDestroy()
{
    m_ListAccessConflicts.clear();
    BlockTrialEditorFrame<VTBlock>::OnPseudoDestroy();
}

}  // namespace Vantrel
