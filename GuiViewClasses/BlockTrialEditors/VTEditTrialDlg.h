#pragma once
// The trial editor: one per process, reused for every trial (see
// SingletonEditorHolder), on the frame it shares with the block editor.

#include "BlockTrialEditorFrame.h"

#include <VTCore/VTTrial.h>

namespace Vantrel {

class VTTrialListAccessPage;
class VTTrialOptionsPage;
class VTTrialTagsPage;

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

    VTTrialListAccessPage* ListAccessPage() const { return m_ListAccessPage; }
    VTTrialTagsPage* TagsPage() const { return m_TagsPage; }
    VTTrialOptionsPage* OptionsPage() const { return m_OptionsPage; }

protected:
    void LoadPages(VTTrial& trial) override;
    void WritePages(VTTrial& trial) override;

private:
    void AddPagesBeforeRules(wxNotebook* book);
    void AddPagesAfterRules(wxNotebook* book);

    VTTrialListAccessPage* m_ListAccessPage = nullptr;
    VTTrialTagsPage* m_TagsPage = nullptr;
    VTTrialOptionsPage* m_OptionsPage = nullptr;
};

}  // namespace Vantrel
