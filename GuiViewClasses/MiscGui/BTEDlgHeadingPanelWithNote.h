#pragma once
// The strip at the top of the block, trial and event editors: the element's name
// field ("<Kind> Name:"), the at-a-glance indicators beside it, and the element's
// note, shown as an "Add Note..." link while it is empty and otherwise as a
// "Note:" link beside the note text. Either link opens the note sheet, unless the
// editor is locked.
//
// The editor keeps the name field's value itself; the panel only sets it at start.
// The note lives in the panel until the editor commits and copies it into its
// element with UsePanelStateToMutateActualGiven...().

#include <boost/function.hpp>
#include <wx/panel.h>

class AtAGlancePanel;
class wxHyperlinkCtrl;
class wxHyperlinkEvent;
class wxStaticText;
class wxTextCtrl;

namespace Orbisk {
class OrbiskChoiceBookWithHiddenCtrl;
}

namespace Vantrel {
class Interface_MasterVTObjectEditor;
class VTBlock;
class VTEvent;
class VTTrial;
}  // namespace Vantrel

class BTEDlgHeadingPanelWithNote : public wxPanel
{
    wxDECLARE_DYNAMIC_CLASS(BTEDlgHeadingPanelWithNote);

public:
    enum
    {
        ID_HEADING_LABEL = 10023,
        ID_NAME = 10027,
        ID_AT_A_GLANCE = 10028,
        ID_LEFT_NOTE_BOOK = 10034,
        ID_NOTE_LINK = 10037,
        ID_RIGHT_NOTE_BOOK = 10038,
        ID_ADD_NOTE_LINK = 10041,
        ID_NOTE_DISPLAY = 10044
    };

    BTEDlgHeadingPanelWithNote();
    BTEDlgHeadingPanelWithNote(const wxString& kindWord, int atAGlanceKind, wxWindow* parent,
                               Vantrel::Interface_MasterVTObjectEditor* master, int id = wxID_ANY,
                               const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                               long style = wxTAB_TRAVERSAL);
    ~BTEDlgHeadingPanelWithNote() override;

    bool Create(wxWindow* parent, int id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    void Init();
    void CreateControls();

    // Loads the element's name and note and gives the name the focus.
    void InitialHeadingSetup(const wxString& name, const wxString& note);
    // Each writes the note shown in the panel into the element; nothing else changes.
    void UsePanelStateToMutateActualGivenBlock(Vantrel::VTBlock& block);
    void UsePanelStateToMutateActualGivenTrial(Vantrel::VTTrial& trial);
    void UsePanelStateToMutateActualGivenEvent(Vantrel::VTEvent& event);

    void SetHasRandomFunctor(boost::function<bool()> hasRandom);
    void SetHasLoopingFunctor(boost::function<bool()> hasLooping);
    void SetHasTagsFunctor(boost::function<bool()> hasTags);
    void SetNumChildrenFunctor(boost::function<wxString()> numChildren, bool childrenAreTrials);
    void SetNumRulesFunctor(boost::function<wxString()> numRules);

    void OnClickNoteHyperlink(wxHyperlinkEvent& event);

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips();

    wxTextCtrl* GetNameCtrl() const { return m_Name; }
    AtAGlancePanel* GetAtAGlancePanel() const { return m_AtAGlance; }
    const wxString& GetCurrentNote() const { return m_Note; }

private:
    void OnNoteModalSheetOK();
    // Both books show page 1 while there is a note, page 0 otherwise.
    void SetHiddenBooksPerCurrentNoteString();
    wxString NoteShown() const;

    wxStaticText* m_Heading;
    wxTextCtrl* m_Name;
    AtAGlancePanel* m_AtAGlance;
    Orbisk::OrbiskChoiceBookWithHiddenCtrl* m_LeftBook;
    wxHyperlinkCtrl* m_NoteLink;
    Orbisk::OrbiskChoiceBookWithHiddenCtrl* m_RightBook;
    wxHyperlinkCtrl* m_AddNoteLink;
    wxTextCtrl* m_NoteDisplay;
    wxString m_KindWord;
    int m_AtAGlanceKind = 0;
    wxString m_Note;
    Vantrel::Interface_MasterVTObjectEditor* m_Master = nullptr;
};
