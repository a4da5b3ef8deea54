#include "BTEDlgHeadingPanelWithNote.h"

#include "AtAGlancePanel.h"

#include <GuiViewClasses/DialogClasses/Interface_MasterVTObjectEditor.h>
#include <Resources/BitmapRsrc.h>
#include <UserInterface/Dialogs/NoteModalSheet.h>
#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <VTCore/VTBlock.h>
#include <VTCore/VTEvent.h>
#include <VTCore/VTTrial.h>

#include <wx/hyperlink.h>
#include <wx/icon.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

wxIMPLEMENT_DYNAMIC_CLASS(BTEDlgHeadingPanelWithNote, wxPanel);

BTEDlgHeadingPanelWithNote::BTEDlgHeadingPanelWithNote() { Init(); }

BTEDlgHeadingPanelWithNote::BTEDlgHeadingPanelWithNote(const wxString& kindWord, int atAGlanceKind, wxWindow* parent,
                                                       Vantrel::Interface_MasterVTObjectEditor* master, int id,
                                                       const wxPoint& pos, const wxSize& size, long style)
    : m_KindWord(kindWord), m_AtAGlanceKind(atAGlanceKind), m_Master(master)
{
    Init();
    Create(parent, id, pos, size, style);
}

BTEDlgHeadingPanelWithNote::~BTEDlgHeadingPanelWithNote() = default;

void BTEDlgHeadingPanelWithNote::Init()
{
    m_Heading = nullptr;
    m_Name = nullptr;
    m_AtAGlance = nullptr;
    m_LeftBook = m_RightBook = nullptr;
    m_NoteLink = m_AddNoteLink = nullptr;
    m_NoteDisplay = nullptr;
    m_Note.clear();
}

bool BTEDlgHeadingPanelWithNote::Create(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long style)
{
    wxPanel::Create(parent, id, pos, size, style);
    CreateControls();
    if (GetSizer()) GetSizer()->Fit(this);
    return true;
}

void BTEDlgHeadingPanelWithNote::CreateControls()
{
    auto* grid = new wxFlexGridSizer(2, 2, 0, 0);
    grid->AddGrowableCol(1);
    SetSizer(grid);

    m_Heading = new wxStaticText(this, ID_HEADING_LABEL, _("Block Name:"));
    grid->Add(m_Heading, wxSizerFlags().Right().CenterVertical().Border(wxRIGHT, 5));
    auto* nameRow = new wxBoxSizer(wxHORIZONTAL);
    m_Name = new wxTextCtrl(this, ID_NAME);
    nameRow->Add(m_Name, wxSizerFlags(3).CenterVertical());
    nameRow->Add(30, 4, 1, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_AtAGlance =
        new AtAGlancePanel(m_AtAGlanceKind, this, ID_AT_A_GLANCE, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL);
    nameRow->Add(m_AtAGlance, wxSizerFlags().CenterVertical());
    grid->Add(nameRow, wxSizerFlags().Expand().Border(wxTOP | wxLEFT | wxRIGHT, 5));

    auto link = [](wxWindow* parent, int id, const wxString& label) {
        auto* hyperlink = new wxHyperlinkCtrl(parent, id, label, wxString(), wxDefaultPosition, wxDefaultSize,
                                              wxHL_CONTEXTMENU | wxHL_ALIGN_LEFT | wxBORDER_NONE);
        const wxColour blue(0, 0, 255);
        hyperlink->SetNormalColour(blue);
        hyperlink->SetVisitedColour(blue);
        hyperlink->SetHoverColour(blue);
        return hyperlink;
    };
    auto page = [](wxWindow* book, int id) {
        return new wxPanel(book, id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxBORDER_NONE);
    };

    m_LeftBook =
        new Orbisk::OrbiskChoiceBookWithHiddenCtrl(this, ID_LEFT_NOTE_BOOK, wxDefaultPosition, wxDefaultSize, 0, false);
    m_LeftBook->AddPage(page(m_LeftBook, 10035), "0", false, -1);
    wxPanel* notePage = page(m_LeftBook, 10036);
    m_NoteLink = link(notePage, ID_NOTE_LINK, _("Note:"));
    auto* noteSizer = new wxBoxSizer(wxVERTICAL);
    noteSizer->Add(m_NoteLink, wxSizerFlags().Right());
    notePage->SetSizer(noteSizer);
    m_LeftBook->AddPage(notePage, "1", false, -1);
    grid->Add(m_LeftBook, wxSizerFlags().Right().Border(wxLEFT | wxRIGHT | wxBOTTOM, 5));

    m_RightBook = new Orbisk::OrbiskChoiceBookWithHiddenCtrl(this, ID_RIGHT_NOTE_BOOK, wxDefaultPosition, wxDefaultSize,
                                                             0, false);
    wxPanel* addPage = page(m_RightBook, 10034);
    m_AddNoteLink = link(addPage, ID_ADD_NOTE_LINK, _("Add Note..."));
    auto* addSizer = new wxBoxSizer(wxVERTICAL);
    addSizer->Add(m_AddNoteLink);
    addPage->SetSizer(addSizer);
    m_RightBook->AddPage(addPage, "0", false, -1);
    wxPanel* displayPage = page(m_RightBook, 10036);
    m_NoteDisplay = new wxTextCtrl(displayPage, ID_NOTE_DISPLAY, wxString(), wxDefaultPosition, wxSize(-1, 45),
                                   wxTE_MULTILINE | wxTE_READONLY | wxTE_WORDWRAP | wxBORDER_SIMPLE);
    m_NoteDisplay->SetForegroundColour(wxColour(80, 80, 80));
    m_NoteDisplay->SetBackgroundColour(wxColour(255, 255, 239));
    m_NoteDisplay->Disable();
    auto* displaySizer = new wxBoxSizer(wxVERTICAL);
    displaySizer->Add(m_NoteDisplay, wxSizerFlags(1).Expand());
    displayPage->SetSizer(displaySizer);
    m_RightBook->AddPage(displayPage, "1", false, -1);
    grid->Add(m_RightBook, wxSizerFlags().Expand().Border(wxLEFT | wxRIGHT | wxBOTTOM, 5));

    m_Heading->SetLabel(wxString::Format(_("%s Name:"), m_KindWord));
    Bind(wxEVT_HYPERLINK, &BTEDlgHeadingPanelWithNote::OnClickNoteHyperlink, this, ID_NOTE_LINK);
    Bind(wxEVT_HYPERLINK, &BTEDlgHeadingPanelWithNote::OnClickNoteHyperlink, this, ID_ADD_NOTE_LINK);
    SetHiddenBooksPerCurrentNoteString();
}

void BTEDlgHeadingPanelWithNote::InitialHeadingSetup(const wxString& name, const wxString& note)
{
    m_Name->ChangeValue(name);
    m_NoteDisplay->ChangeValue(note);
    m_Note = note;
    m_Name->SetFocus();
    SetHiddenBooksPerCurrentNoteString();
}

wxString BTEDlgHeadingPanelWithNote::NoteShown() const { return m_NoteDisplay->GetValue(); }

void BTEDlgHeadingPanelWithNote::UsePanelStateToMutateActualGivenBlock(Vantrel::VTBlock& block)
{
    block.SetNotes(NoteShown());
}

void BTEDlgHeadingPanelWithNote::UsePanelStateToMutateActualGivenTrial(Vantrel::VTTrial& trial)
{
    trial.SetNotes(NoteShown());
}

void BTEDlgHeadingPanelWithNote::UsePanelStateToMutateActualGivenEvent(Vantrel::VTEvent& event)
{
    event.SetNotes(NoteShown());
}

void BTEDlgHeadingPanelWithNote::SetHasRandomFunctor(boost::function<bool()> f) { m_AtAGlance->SetHasRandomFunctor(f); }
void BTEDlgHeadingPanelWithNote::SetHasLoopingFunctor(boost::function<bool()> f)
{
    m_AtAGlance->SetHasLoopingFunctor(f);
}
void BTEDlgHeadingPanelWithNote::SetHasTagsFunctor(boost::function<bool()> f) { m_AtAGlance->SetHasTagsFunctor(f); }
void BTEDlgHeadingPanelWithNote::SetNumChildrenFunctor(boost::function<wxString()> f, bool childrenAreTrials)
{
    m_AtAGlance->SetNumChildrenFunctor(f, childrenAreTrials);
}
void BTEDlgHeadingPanelWithNote::SetNumRulesFunctor(boost::function<wxString()> f)
{
    m_AtAGlance->SetNumRulesFunctor(f);
}

void BTEDlgHeadingPanelWithNote::OnClickNoteHyperlink(wxHyperlinkEvent&)
{
    if (m_Master && m_Master->DialogIsLocked()) return;
    NoteModalSheetBox(wxGetTopLevelParent(this), &m_Note, [this] { OnNoteModalSheetOK(); });
}

void BTEDlgHeadingPanelWithNote::OnNoteModalSheetOK()
{
    m_Note.Trim(true);
    m_NoteDisplay->ChangeValue(m_Note);
    SetHiddenBooksPerCurrentNoteString();
}

void BTEDlgHeadingPanelWithNote::SetHiddenBooksPerCurrentNoteString()
{
    const size_t page = m_Note.empty() ? 0 : 1;
    m_LeftBook->SetSelection(page);
    m_RightBook->SetSelection(page);
    Layout();
}

wxBitmap BTEDlgHeadingPanelWithNote::GetBitmapResource(const wxString& name) { return Vantrel::GetBitmapRsrc(name); }

wxIcon BTEDlgHeadingPanelWithNote::GetIconResource(const wxString&) { return wxNullIcon; }

bool BTEDlgHeadingPanelWithNote::ShowToolTips() { return true; }
