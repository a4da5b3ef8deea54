#pragma once
// Two small editors that prove the bases before the real editors arrive: one laid
// out by a resource and shaped like the participant-group editor, one built in
// code and shaped like the block editor. Each is a template over its base, so the
// base and the end-insert variant are both exercised.

#include "CountedElements.h"

#include <GuiViewClasses/DialogClasses/VTEditElementBaseDlgNoXRCT.h>
#include <GuiViewClasses/DialogClasses/VTEditElementBaseDlgT.h>

#include <gtest/gtest.h>
#include <wx/checkbox.h>
#include <wx/notebook.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/xrc/xmlres.h>

#include <string>
#include <type_traits>

// Loads the test editors' resources once per process.
void LoadTestEditorResources();

// Controls only: the name, the notes and the run-all flag; the base does the rest.
template <class Base>
class TestGroupEditor : public Base
{
public:
    // The resource the next editors are loaded from.
    static inline wxString s_Resource = "dlg_test_group_editor";

    TestGroupEditor(wxWindow* parent, Vantrel::VTExperiment* experiment, wxWindow* listWindow, bool isNew,
                    bool insertRepeatedly)
        : Base(parent, experiment, s_Resource, listWindow, isNew, insertRepeatedly, false, false, false, false)
    {
        m_RunAll = XRCCTRL(*this, "check_run_all", wxCheckBox);
    }

    void SetDialogValues(CountedGroup& group) override
    {
        Base::SetDialogValues(group);
        m_RunAll->SetValue(group.m_RunAllBlocks);
    }
    bool GetDialogValues(CountedGroup& group) override
    {
        if (!Base::GetDialogValues(group)) return false;
        group.m_RunAllBlocks = m_RunAll->GetValue();
        return true;
    }

private:
    wxCheckBox* m_RunAll = nullptr;
};

// Controls only: the name, a book of two pages with the notes on the second, and
// the button row; the base does the rest.
template <class Base>
class TestBlockEditor : public Base
{
public:
    enum
    {
        ID_NAME = 10001,
        ID_BOOK,
        ID_NOTES,
        ID_PREV,
        ID_NEXT
    };

    TestBlockEditor(wxWindow*, Vantrel::VTExperiment* experiment, wxWindow* listWindow, bool isNew,
                    bool insertRepeatedly)
        : Base(experiment, listWindow, isNew, insertRepeatedly)
    {
        this->Create(nullptr, wxID_ANY, "Block Editor", wxDefaultPosition, wxDefaultSize,
                     wxCAPTION | wxRESIZE_BORDER | wxSYSTEM_MENU | wxCLOSE_BOX | wxTAB_TRAVERSAL);
        CreateControls();
        this->GuiInitialization(false);
    }

    wxString GetPersistenceName() const override { return "BlockEditDialog"; }
    void DoInitialSetup() override { m_Notes->ChangeValue(this->TheTempObject()->GetNotes()); }
    bool GetDialogValues(CountedBlock& block) override
    {
        if (!Base::GetDialogValues(block)) return false;
        block.SetNotes(m_Notes->GetValue());
        return true;
    }

private:
    void CreateControls()
    {
        auto* top = new wxBoxSizer(wxVERTICAL);
        this->m_NameCtrl = new wxTextCtrl(this, ID_NAME, wxString(), wxDefaultPosition, wxDefaultSize, 0,
                                          wxDefaultValidator, "text_name");
        top->Add(this->m_NameCtrl, wxSizerFlags().Expand().Border(wxALL, 7));
        auto* book = new wxNotebook(this, ID_BOOK, wxDefaultPosition, wxSize(400, 200), 0, "notebook");
        auto* trials = new wxPanel(book, wxID_ANY);
        new wxCheckBox(trials, wxID_ANY, "Randomise trials", wxPoint(7, 7));
        book->AddPage(trials, "Trials");
        auto* notesPage = new wxPanel(book, wxID_ANY);
        m_Notes = new wxTextCtrl(notesPage, ID_NOTES, wxString(), wxPoint(7, 7), wxSize(300, 100), wxTE_MULTILINE,
                                 wxDefaultValidator, "edit_notes");
        book->AddPage(notesPage, "Notes");
        this->m_Book = book;
        top->Add(book, wxSizerFlags(1).Expand().Border(wxLEFT | wxRIGHT, 7));
        auto* row = new wxBoxSizer(wxHORIZONTAL);
        this->m_PrevButton = new wxButton(this, ID_PREV, "<< OK, Prev", wxDefaultPosition, wxDefaultSize, 0,
                                          wxDefaultValidator, "ID_OK_PREV");
        this->m_CancelButton = new wxButton(this, wxID_CANCEL, "Cancel", wxDefaultPosition, wxDefaultSize, 0,
                                            wxDefaultValidator, "wxID_CANCEL");
        this->m_OKButton =
            new wxButton(this, wxID_OK, "OK", wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "wxID_OK");
        this->m_NextButton = new wxButton(this, ID_NEXT, "OK, Next >>", wxDefaultPosition, wxDefaultSize, 0,
                                          wxDefaultValidator, "ID_OK_NEXT");
        row->Add(this->m_PrevButton);
        row->AddSpacer(20);
        row->Add(this->m_CancelButton);
        row->Add(this->m_OKButton);
        row->AddSpacer(20);
        row->Add(this->m_NextButton);
        this->m_NavSizer = row;
        top->Add(row, wxSizerFlags().Center().Border(wxALL, 7));
        this->SetSizerAndFit(top);
    }

    wxTextCtrl* m_Notes = nullptr;
};

// What the typed tests need to know of each kind of editor.
struct XrcEditors
{
    using Element = CountedGroup;
    using Editor = TestGroupEditor<Vantrel::VTEditElementBaseDlgT<CountedGroup>>;
    using EndInsertEditor = TestGroupEditor<Vantrel::VTEditElementEndInsertDlgT<CountedGroup>>;
    static constexpr Vantrel::VTElementType kType = Vantrel::ElementType::ParticipantGroup;
    static int& RememberedPage() { return Vantrel::VTEditElementBaseDlgT<CountedGroup>::m_LastUsedPanelIndex; }
    static const char* PersistenceName() { return "ParticipantGroupEditDialog"; }
    static void LoadResources() { LoadTestEditorResources(); }
};

struct CodeBuiltEditors
{
    using Element = CountedBlock;
    using Editor = TestBlockEditor<Vantrel::VTEditElementBaseDlgNoXRCT<CountedBlock>>;
    using EndInsertEditor = TestBlockEditor<Vantrel::VTEditElementEndInsertDlgNoXRCT<CountedBlock>>;
    static constexpr Vantrel::VTElementType kType = Vantrel::ElementType::Block;
    static int& RememberedPage() { return Vantrel::VTEditElementBaseDlgNoXRCT<CountedBlock>::m_recalledPanelIndex; }
    static const char* PersistenceName() { return "BlockEditDialog"; }
    static void LoadResources() { LoadTestEditorResources(); }
};

using EditorKinds = ::testing::Types<XrcEditors, CodeBuiltEditors>;

struct EditorKindNames
{
    template <class T>
    static std::string GetName(int)
    {
        return std::is_same<T, XrcEditors>::value ? "Xrc" : "CodeBuilt";
    }
};
