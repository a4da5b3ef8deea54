// The compiled-in bundles: every dialog, panel, bitmap and icon loads by name
// from the in-memory file system, under the names the resource compiler gave.
#include "Resources/EmbeddedResources.h"
#include "TestSupport.h"

#include <VTPlugInCommon/VTListViews.h>

#include <gtest/gtest.h>
#include <wx/dialog.h>
#include <wx/frame.h>
#include <wx/radiobut.h>
#include <wx/filesys.h>
#include <wx/icon.h>
#include <wx/image.h>
#include <wx/panel.h>
#include <wx/xrc/xmlres.h>

#include <memory>

namespace {

class EmbeddedResources : public ::testing::Test
{
protected:
    static void SetUpTestSuite()
    {
        wxInitAllImageHandlers();
        wxXmlResource::Get()->InitAllHandlers();
        wxXmlResource::Get()->InsertHandler(new Vantrel::VTListViewXmlHandler);
        Init_bitmaps_XRC();
        Init_ui_db_XRC();
    }
    void SetUp() override { TestSupport::ClearLog(); }
};

struct TopLevelObject
{
    const char* name;
    const char* title;  // nullptr for panels
};

const TopLevelObject kObjects[] = {
    {"dlg_edit_event", "Event Editor"},
    {"panel_time_limit_variable", nullptr},
    {"panel_time_limit_fixed", nullptr},
    {"dlg_experiment_info", "About This Experiment"},
    {"dlg_edit_participant_group", "Group Editor"},
    {"dlg_edit_stimulus_list", "Stimulus List Editor"},
    {"panel_stimulus_file", nullptr},
    {"panel_stimulus_text", nullptr},
    {"panel_stimulus_dig_out", nullptr},
    {"panel_file_path", nullptr},
    {"dlg_participant_input", "Participant Input"},
    {"dlg_device_settings", "Device Settings"},
    {"dlg_edit_list", ""},
    {"dlg_manage_all_tag_sets", "Tag Sets"},
    {"dlg_edit_one_tag_set", "Edit Tag Set"},
    {"dlg_missing_files_locator", "Locate Missing Files"},
    {"dlg_edit_meta", "Edit Experiment Metadata"},
    {"dlg_delete_preferences", "Delete Preferences"},
    {"dlg_user_verbose_log", "Detailed Report of Experiment Run"},
};

TEST_F(EmbeddedResources, EveryDialogAndPanelLoadsWithItsTitle)
{
    auto* parent = new wxFrame(nullptr, wxID_ANY, "parent");
    for (const TopLevelObject& object : kObjects) {
        SCOPED_TRACE(object.name);
        if (object.title) {
            wxDialog dialog;
            ASSERT_TRUE(wxXmlResource::Get()->LoadDialog(&dialog, nullptr, object.name));
            EXPECT_EQ(dialog.GetTitle(), wxString(object.title));
            EXPECT_GT(dialog.GetBestSize().x, 0);
        } else {
            wxPanel* panel = wxXmlResource::Get()->LoadPanel(parent, object.name);
            ASSERT_NE(panel, nullptr);
            panel->Destroy();
        }
    }
    parent->Destroy();
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
}

TEST_F(EmbeddedResources, DeletePreferencesDialogOffersBothChoicesWithDeleteSelected)
{
    wxDialog dialog;
    ASSERT_TRUE(wxXmlResource::Get()->LoadDialog(&dialog, nullptr, "dlg_delete_preferences"));
    auto* remove = wxDynamicCast(dialog.FindWindow(XRCID("id_delete_duplicates")), wxRadioButton);
    auto* move = wxDynamicCast(dialog.FindWindow(XRCID("id_move_file")), wxRadioButton);
    ASSERT_TRUE(remove && move);
    EXPECT_EQ(remove->GetLabel(), "Delete the duplicate entries.");
    EXPECT_EQ(move->GetLabel(), "Move the preferences file.");
    EXPECT_TRUE(remove->GetValue());
    EXPECT_FALSE(move->GetValue());
    EXPECT_TRUE(move->GetToolTipText().Contains("(old)"));
    EXPECT_NE(dialog.FindWindow(wxID_OK), nullptr);
    EXPECT_NE(dialog.FindWindow(wxID_CANCEL), nullptr);
}

TEST_F(EmbeddedResources, EveryBitmapAndIconOfTheBitmapsBundleLoads)
{
    const char* bitmaps[] = {"chk_empty",          "chk_disabled",         "chk_checked",       "chk_unchecked",
                             "chk_unknown",        "chk_disabled_checked", "chk_disabled_list", "chk_checked_list",
                             "chk_unchecked_list", "chk_unknown_list",     "icon_file",         "icon_file_duplicate"};
    for (const char* name : bitmaps) {
        SCOPED_TRACE(name);
        const wxBitmap bitmap = wxXmlResource::Get()->LoadBitmap(name);
        ASSERT_TRUE(bitmap.IsOk());
        EXPECT_EQ(bitmap.GetWidth(), 16);
    }
    for (const char* name : {"icon_app", "icon_document"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(wxXmlResource::Get()->LoadIcon(name).IsOk());
    }
}

TEST_F(EmbeddedResources, FilesAreRegisteredUnderTheBundlePrefixes)
{
    wxFileSystem fs;
    const char* names[] = {
        "memory:XRC_resource/bitmaps_xrc.cpp$icon_app.ico",
        "memory:XRC_resource/bitmaps_xrc.cpp$chk_disabled_checked.PNG",
        "memory:XRC_resource/bitmaps_xrc.cpp$.._src_rc__bitmaps.xrc",
        "memory:XRC_resource/ui_db_xrc.cpp$icon_lb_delete_hover.png",
        "memory:XRC_resource/ui_db_xrc.cpp$icon_lb_new_disabled.png",
        "memory:XRC_resource/ui_db_xrc.cpp$.._src_rc__ui_db_auto_version.xrc",
    };
    for (const char* name : names) {
        SCOPED_TRACE(name);
        std::unique_ptr<wxFSFile> file(fs.OpenFile(name));
        EXPECT_NE(file, nullptr);
    }
    std::unique_ptr<wxFSFile> icon(fs.OpenFile(names[0]));
    ASSERT_NE(icon, nullptr);
    EXPECT_EQ(icon->GetMimeType(), "image/vnd.microsoft.icon");
}

TEST_F(EmbeddedResources, UnknownResourceNamesLoadNothing)
{
    wxDialog dialog;
    EXPECT_FALSE(wxXmlResource::Get()->LoadDialog(&dialog, nullptr, "dlg_no_such_dialog"));
    EXPECT_FALSE(wxXmlResource::Get()->LoadDialog(&dialog, nullptr, "DLG_DELETE_PREFERENCES"));
}

}  // namespace
