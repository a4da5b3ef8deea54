#pragma once
// The trial editor: one per process, reused for every trial (see
// SingletonEditorHolder), on the frame it shares with the block editor.

#include "BlockTrialEditorFrame.h"

#include <VTCore/VTTrial.h>

#include <vector>

namespace Vantrel {

class VTTrial;

class VTEditTrialDlg : public BlockTrialEditorFrame<VTTrial>
{
    wxDECLARE_DYNAMIC_CLASS(VTEditTrialDlg);

public:
    static constexpr int ID_DIALOG = 10163;
    static const FrameLook& Look();

    static VTEditTrialDlg* GetSingletonEditor(VTExperiment* experiment, wxWindow* listWindow, bool isNew,
                                              bool multiInsert, bool preCreateOnly);

    VTEditTrialDlg();
    VTEditTrialDlg(wxWindow* parent, VTExperiment* experiment, bool preCreateOnly, wxWindow* listWindow, bool isNew,
                   bool multiInsert, int id = ID_DIALOG, const wxString& caption = wxEmptyString,
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                   long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    bool Create(wxWindow* parent, int id = ID_DIALOG, const wxString& caption = wxEmptyString,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER | wxTAB_TRAVERSAL);

    wxString GetPersistenceName() const override { return "TrialEditDialog"; }
    void OnPseudoDestroy() override;
};

}  // namespace Vantrel
