// The information dialog and the metadata grid: what they show, what reaches the
// experiment's metadata on OK (nothing on Cancel), and that it is saved.
#include "Resources/EmbeddedResources.h"
#include "ScriptedDialog.h"
#include "TestSupport.h"
#include "WindowLayout.h"

#include <GuiViewClasses/ExperimentInfo/VTExperimentInfoDlg.h>
#include <GuiViewClasses/ExperimentInfo/VTMetadataDlg.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTMetadata.h>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/config.h>
#include <wx/dcclient.h>
#include <wx/display.h>
#include <wx/filename.h>
#include <wx/grid.h>
#include <wx/image.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

#include <utility>
#include <vector>

using namespace Vantrel;

namespace {

void Settle()
{
    wxTheApp->ProcessIdle();
    TestSupport::PumpFor(80);
    wxTheApp->ProcessIdle();
}

wxTextCtrl* Text(wxDialog& d, const char* name) { return dynamic_cast<wxTextCtrl*>(d.FindWindow(XRCID(name))); }

wxGrid* Grid(wxDialog& d) { return dynamic_cast<wxGrid*>(d.FindWindow(XRCID("id_metadata"))); }

// Types into a cell as a user does: cursor there, the cell editor opened, text
// entered, the editor closed.
void TypeInCell(wxGrid* grid, int row, int col, const wxString& text)
{
    grid->SetGridCursor(row, col);
    grid->EnableCellEditControl();
    ASSERT_TRUE(grid->IsCellEditControlShown()) << row << "," << col << " is read-only";
    wxGridCellEditor* editor = grid->GetCellEditor(row, col);
    auto* field = dynamic_cast<wxTextCtrl*>(editor->GetControl());
    editor->DecRef();
    ASSERT_NE(field, nullptr);
    field->SetValue(text);
    grid->DisableCellEditControl();
    Settle();
}

// "name=value; ..." of every grid row.
wxString GridRows(wxGrid* grid)
{
    wxString out;
    for (int row = 0; row < grid->GetNumberRows(); ++row)
        out << grid->GetCellValue(row, 0) << "=" << grid->GetCellValue(row, 1) << "; ";
    return out;
}

wxString Pairs(const VTMetadata& metadata)
{
    wxString out;
    for (const VTMetaDataEntry& e : metadata.m_Entries) out << e.name << "=" << e.value << "; ";
    return out;
}

class ExperimentInfo : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        wxInitAllImageHandlers();
        wxXmlResource::Get()->InitAllHandlers();
        Init_bitmaps_XRC();
        Init_ui_db_XRC();
    }
    void SetUp() override
    {
        TestSupport::ClearLog();
        experiment.Modify(false);
    }
    VTExperiment experiment;
};

TEST_F(ExperimentInfo, InformationStoredUnderItsNamesOnOkOnly)
{
    experiment.GetMetadata().SetValue("Contrubutors", "Ann\nBo");
    experiment.GetMetadata().SetValue("Description", "old");
    {
        ScriptedDialog script([&](wxDialog& d) {
            EXPECT_EQ(d.GetTitle(), "About This Experiment");
            EXPECT_EQ(Text(d, "edit_contributors")->GetValue(), "Ann\nBo");
            Text(d, "edit_descr")->SetValue("changed, then cancelled");
            ScriptedDialog::Click(d, wxID_CANCEL);
        });
        VTExperimentInfoDlg dialog(nullptr, &experiment);
        EXPECT_EQ(dialog.ShowModal(), wxID_CANCEL);
    }
    EXPECT_EQ(Pairs(experiment.GetMetadata()), "Contrubutors=Ann\nBo; Description=old; ");
    EXPECT_FALSE(experiment.IsModified());

    {
        ScriptedDialog script([&](wxDialog& d) {
            Text(d, "edit_pi")->SetValue("Pia");
            Text(d, "edit_first_author")->SetValue("Max");
            Text(d, "edit_descr")->SetValue("");
            Text(d, "edit_paper")->SetValue("Doe 1999");
            ScriptedDialog::Click(d, wxID_OK);
        });
        VTExperimentInfoDlg dialog(nullptr, &experiment);
        EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    }
    // All five names, an empty field as an empty value.
    EXPECT_EQ(Pairs(experiment.GetMetadata()),
              "Contrubutors=Ann\nBo; Description=; Author=Max; P.I.=Pia; Original Paper=Doe 1999; ");
    EXPECT_TRUE(experiment.IsModified());

    // OK without a change leaves the document unmodified.
    experiment.Modify(false);
    {
        ScriptedDialog script([&](wxDialog& d) { ScriptedDialog::Click(d, wxID_OK); });
        VTExperimentInfoDlg dialog(nullptr, &experiment);
        EXPECT_EQ(dialog.ShowModal(), wxID_OK);
    }
    EXPECT_FALSE(experiment.IsModified());
}

TEST_F(ExperimentInfo, MetadataGridKeepsOneEmptyLastRowAndStoresNamedRowsOnOk)
{
    experiment.GetMetadata().SetValue("Author", "Max");
    ScriptedDialog script([&](wxDialog& d) {
        EXPECT_EQ(d.GetTitle(), "Edit Experiment Metadata");
        wxGrid* grid = Grid(d);
        ASSERT_NE(grid, nullptr);
        EXPECT_EQ(GridRows(grid), "Author=Max; =; ");
        EXPECT_TRUE(grid->IsReadOnly(0, 0));
        EXPECT_EQ(grid->GetCellTextColour(0, 0), *wxBLUE);
        TypeInCell(grid, 1, 0, "x");
        EXPECT_EQ(grid->GetNumberRows(), 3);
        TypeInCell(grid, 1, 1, "1");
        TypeInCell(grid, 2, 0, "gone");
        TypeInCell(grid, 3, 0, "y");
        TypeInCell(grid, 3, 1, "2");
        EXPECT_EQ(GridRows(grid), "Author=Max; x=1; gone=; y=2; =; ");
        TypeInCell(grid, 2, 0, "");  // a middle row whose name is cleared goes
        EXPECT_EQ(GridRows(grid), "Author=Max; x=1; y=2; =; ");
        TypeInCell(grid, 3, 1, "orphan");  // values never add rows
        EXPECT_EQ(grid->GetNumberRows(), 4);
        TypeInCell(grid, 0, 1, "Moritz");
        ScriptedDialog::Click(d, wxID_OK);
    });
    EXPECT_TRUE(VTMetadataDlg::EditExperimentMetadata(nullptr, &experiment));
    EXPECT_EQ(Pairs(experiment.GetMetadata()), "Author=Moritz; x=1; y=2; ");
    EXPECT_TRUE(experiment.IsModified());
}

// The dialog opens wide enough for its title beside a title bar's buttons, and for
// each value on one line in the Value column, without a horizontal scroll bar;
// never wider than the screen.
TEST_F(ExperimentInfo, MetadataDialogOpensWideEnoughForItsTitleAndValues)
{
    wxConfigBase::Get()->DeleteGroup("/VTMetadataDlg");  // no remembered geometry
    const wxString longValue = "Visual search with a distractor set of twenty-four rotated letters";
    const struct
    {
        const char* what;
        std::vector<std::pair<wxString, wxString>> pairs;
    } cases[] = {
        {"short values", {{"Author", "Max"}}},
        {"a long value", {{"Author", "Max"}, {"Paradigm", longValue}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        wxConfigBase::Get()->DeleteGroup("/VTMetadataDlg");
        experiment.GetMetadata().m_Entries.clear();
        for (const auto& pair : c.pairs) experiment.GetMetadata().SetValue(pair.first, pair.second);
        ScriptedDialog script([&](wxDialog& d) {
            Settle();
            wxGrid* grid = Grid(d);
            wxClientDC dc(&d);
            dc.SetFont(d.GetFont().Bold());
            EXPECT_GE(d.GetSize().x, dc.GetTextExtent(d.GetTitle()).x + 90);
            for (const auto& pair : c.pairs)
                EXPECT_GE(grid->GetColSize(1), grid->GetTextExtent(pair.second).x) << pair.second;
            EXPECT_LE(grid->GetColSize(0) + grid->GetColSize(1), grid->GetGridWindow()->GetClientSize().x);
            EXPECT_LE(d.GetSize().x, 1280);
            EXPECT_TRUE(wxDisplay(static_cast<const wxWindow*>(&d)).GetClientArea().Contains(d.GetScreenRect()));
            EXPECT_EQ(TestSupport::LayoutFaults(&d).utf8_string(), "");
            ScriptedDialog::Click(d, wxID_CANCEL);
        });
        EXPECT_FALSE(VTMetadataDlg::EditExperimentMetadata(nullptr, &experiment));
    }
}

TEST_F(ExperimentInfo, MetadataCancelAndUnchangedOkLeaveTheExperiment)
{
    experiment.GetMetadata().SetValue("own", "v");
    {
        ScriptedDialog script([&](wxDialog& d) {
            EXPECT_EQ(GridRows(Grid(d)), "own=v; =; ");
            EXPECT_FALSE(Grid(d)->IsReadOnly(0, 0));
            TypeInCell(Grid(d), 0, 1, "changed");
            ScriptedDialog::Click(d, wxID_CANCEL);
        });
        EXPECT_FALSE(VTMetadataDlg::EditExperimentMetadata(nullptr, &experiment));
    }
    {
        ScriptedDialog script([&](wxDialog& d) { ScriptedDialog::Click(d, wxID_OK); });
        EXPECT_FALSE(VTMetadataDlg::EditExperimentMetadata(nullptr, &experiment));
    }
    EXPECT_EQ(Pairs(experiment.GetMetadata()), "own=v; ");
    EXPECT_FALSE(experiment.IsModified());
}

TEST(Metadata, PredefinedNamesAndValuesSurviveSaveAndReload)
{
    for (const char* name : {"Author", "P.I.", "Contrubutors", "Description", "Original Paper"})
        EXPECT_TRUE(VTMetadata::IsPredefinedName(name)) << name;
    EXPECT_FALSE(VTMetadata::IsPredefinedName("Contributors"));

    VTExperiment experiment;
    experiment.GetMetadata().SetValue("Contrubutors", "Ann\nBo");
    experiment.GetMetadata().m_Entries.push_back({"dup", "1"});
    experiment.GetMetadata().m_Entries.push_back({"dup", " 2 "});
    EXPECT_EQ(experiment.GetMetadata().GetValue("absent"), "");
    const wxString file = wxFileName::CreateTempFileName("meta") + ".vt6";
    ASSERT_TRUE(experiment.OnSaveDocument(file));
    VTExperiment reloaded;
    ASSERT_TRUE(reloaded.OnOpenDocument(file));
    wxRemoveFile(file);
    EXPECT_EQ(Pairs(reloaded.GetMetadata()), "Contrubutors=Ann\nBo; dup=1; dup= 2 ; ");
}

}  // namespace
