#include "VTEditBlockDlg.h"

#include <GuiViewClasses/BlockTrialDialogs/VTBlockExtraActionsPage.h>
#include <GuiViewClasses/BlockTrialDialogs/VTBlockLoopingPage.h>
#include <GuiViewClasses/BlockTrialDialogs/VTBlockRandomizePage.h>

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
    BuildFrame(
        id, caption, Look(), [this](wxNotebook* book) { AddPages(book); }, {}, &VTBlock::GetNumberOfUsedTrials, true);
    m_Frame.SetFlagFunctors([this] { return m_RandomizePage->RandomizesTrials(); },
                            [this] { return m_LoopingPage->HasLooping(); }, {});
    m_Frame.m_Notebook->Bind(wxEVT_NOTEBOOK_PAGE_CHANGING, &VTEditBlockDlg::OnNotebookPageChanging, this);
    // "When to Present" shows first.
    m_LoopingPage->SetCountSelectsNTimes(false);
    return true;
}

void VTEditBlockDlg::AddPages(wxNotebook* book)
{
    m_RandomizePage = new VTBlockRandomizePage(book, PagesExperiment());
    book->AddPage(m_RandomizePage, _("Randomize"));
    m_LoopingPage = new VTBlockLoopingPage(book);
    book->AddPage(m_LoopingPage, _("Looping"));
    m_ExtraActionsPage = new VTBlockExtraActionsPage(book);
    book->AddPage(m_ExtraActionsPage, _("Extra Actions"));
}

void VTEditBlockDlg::OnNotebookPageChanging(wxBookCtrlEvent& event)
{
    event.Skip();
    const int selection = event.GetSelection();
    m_LoopingPage->SetCountSelectsNTimes(selection != wxNOT_FOUND &&
                                         m_Frame.m_Notebook->GetPage(size_t(selection)) == m_LoopingPage);
}

void VTEditBlockDlg::LoadPages(VTBlock& block)
{
    m_ExtraActionsPage->LoadFrom(block);
    m_RandomizePage->LoadFrom(block);
    m_LoopingPage->LoadFrom(block);
}

void VTEditBlockDlg::WritePages(VTBlock& block)
{
    m_ExtraActionsPage->WriteTo(block);
    m_RandomizePage->WriteTo(block);
    m_LoopingPage->WriteTo(block);
}

const wxArrayString& VTEditBlockDlg::ListAccessConflicts() const { return m_RandomizePage->GetConflictingTrials(); }

void VTEditBlockDlg::OnPseudoDestroy()
{
    if (m_RandomizePage) m_RandomizePage->ForgetConflictingTrials();
    BlockTrialEditorFrame<VTBlock>::OnPseudoDestroy();
}

}  // namespace Vantrel
