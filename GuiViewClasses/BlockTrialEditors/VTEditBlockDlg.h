#pragma once
// The block editor: one per process, reused for every block (see
// SingletonEditorHolder), on the frame it shares with the trial editor.

#include "BlockTrialEditorFrame.h"

#include <VTCore/VTBlock.h>

#include <wx/arrstr.h>

class wxBookCtrlEvent;

namespace Vantrel {

class VTBlockExtraActionsPage;
class VTBlockLoopingPage;
class VTBlockRandomizePage;

class VTEditBlockDlg : public BlockTrialEditorFrame<VTBlock>
{
    wxDECLARE_DYNAMIC_CLASS(VTEditBlockDlg);

public:
    static constexpr int ID_DIALOG = 10007;
    static const FrameLook& Look();

    static VTEditBlockDlg* GetSingletonBlockEditor(VTExperiment* experiment, wxWindow* listWindow, bool isNew,
                                                   bool multiInsert, bool preCreateOnly);

    VTEditBlockDlg();
    VTEditBlockDlg(wxWindow* parent, VTExperiment* experiment, bool preCreateOnly, wxWindow* listWindow, bool isNew,
                   bool multiInsert, int id = ID_DIALOG, const wxString& caption = wxEmptyString,
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                   long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    bool Create(wxWindow* parent, int id = ID_DIALOG, const wxString& caption = wxEmptyString,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER | wxTAB_TRAVERSAL);

    wxString GetPersistenceName() const override { return "BlockEditDialog"; }
    void OnPseudoDestroy() override;

    // Trials whose list-access randomisation conflicts with the block's; filled on each load.
    const wxArrayString& ListAccessConflicts() const;
    VTBlockRandomizePage* RandomizePage() const { return m_RandomizePage; }
    VTBlockLoopingPage* LoopingPage() const { return m_LoopingPage; }
    VTBlockExtraActionsPage* ExtraActionsPage() const { return m_ExtraActionsPage; }

protected:
    void LoadPages(VTBlock& block) override;
    void WritePages(VTBlock& block) override;

private:
    void AddPages(wxNotebook* book);
    // Changing the count selects "N times" only while the Looping page shows, so
    // values loaded into it meanwhile select nothing.
    void OnNotebookPageChanging(wxBookCtrlEvent& event);

    VTBlockRandomizePage* m_RandomizePage = nullptr;
    VTBlockLoopingPage* m_LoopingPage = nullptr;
    VTBlockExtraActionsPage* m_ExtraActionsPage = nullptr;
};

}  // namespace Vantrel
