#include "VTEditTrialDlg.h"

#include <GuiViewClasses/BlockTrialDialogs/VTTrialListAccessPage.h>
#include <GuiViewClasses/BlockTrialDialogs/VTTrialOptionsPage.h>
#include <GuiViewClasses/BlockTrialDialogs/VTTrialTagsPage.h>

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
    BuildFrame(
        id, caption, Look(), [this](wxNotebook* book) { AddPagesBeforeRules(book); },
        [this](wxNotebook* book) { AddPagesAfterRules(book); }, &VTTrial::GetNumberOfUsedEvents, false);
    // Shuffled list items count as random; without them, the trial's own event shuffling.
    m_Frame.SetFlagFunctors(
        [this] { return m_ListAccessPage->ShufflesListItems() || m_OptionsPage->RandomizesEvents(); }, {},
        [this] { return m_TagsPage->HasTags(); });
    return true;
}

void VTEditTrialDlg::AddPagesBeforeRules(wxNotebook* book)
{
    m_ListAccessPage = new VTTrialListAccessPage(book);
    book->AddPage(m_ListAccessPage, _("List Access"));
    m_TagsPage = new VTTrialTagsPage(book, PagesExperiment());
    book->AddPage(m_TagsPage, _("Tags"));
}

void VTEditTrialDlg::AddPagesAfterRules(wxNotebook* book)
{
    m_OptionsPage = new VTTrialOptionsPage(book, PagesExperiment());
    book->AddPage(m_OptionsPage, _("Options"));
}

void VTEditTrialDlg::LoadPages(VTTrial& trial)
{
    m_ListAccessPage->AssignListAccessGuiControlStatesFromTrial(trial);
    m_TagsPage->LoadFrom(trial);
    m_OptionsPage->LoadFrom(trial);
}

void VTEditTrialDlg::WritePages(VTTrial& trial)
{
    m_ListAccessPage->PropagateListAccessSettingsOntoTrial(trial);
    m_TagsPage->WriteTo(trial);
    m_OptionsPage->WriteTo(trial);
}

void VTEditTrialDlg::OnPseudoDestroy()
{
    if (m_TagsPage) m_TagsPage->TakeDownCodeGrid();
    BlockTrialEditorFrame<VTTrial>::OnPseudoDestroy();
}

}  // namespace Vantrel
