// The editing configuration's menu bar and toolbar against their tables, and
// the menu's accelerators as a user presses them.
#include "AppMain/Editing/DummyWindowForMainMenuBarCode.h"
#include "AppMain/Editing/VTToolBar.h"
#include "TestSupport.h"

#include <VTPlugInCommon/OrbiskImagesArtworkEtc.h>

#include <gtest/gtest.h>
#include <wx/accel.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/menu.h>
#include <wx/stockitem.h>
#include <wx/translation.h>
#include <wx/uiaction.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <utility>
#include <vector>

namespace {

struct ExpectedItem
{
    int id;  // wxID_SEPARATOR for a separator row
    const char* label;
    const char* help;
    int accelFlags;  // -1: the item has no accelerator
    int accelKey;
    int submenuItems;  // -1: no submenu
};

const ExpectedItem kSep{wxID_SEPARATOR, "", "", -1, 0, -1};

struct ExpectedMenu
{
    const char* title;
    std::vector<ExpectedItem> items;
};

const std::vector<ExpectedMenu>& ExpectedMenus()
{
    static const std::vector<ExpectedMenu> menus = {
        {"&File",
         {{5002, "&New", "Opens a new window", -1, 0, -1},
          {5000, "&Open\tCtrl-O", "", wxACCEL_CTRL, 'O', -1},
          {5001, "&Close\tCtrl-W", "", wxACCEL_CTRL, 'W', -1},
          {5003, "&Save\tCtrl-S", "", wxACCEL_CTRL, 'S', -1},
          {5004, "Save &As...", "", -1, 0, -1},
          {10002, "Create an Experiment Pac&kage...\tCtrl-K", "", wxACCEL_CTRL, 'K', -1},
          kSep,
          {10032, "Publish...", "", -1, 0, -1},
          {10033, "Cloud Dashboard...", "", -1, 0, -1},
          kSep,
          {5006, "E&xit", "", -1, 0, -1}}},
        {"&Edit",
         {{5007, "&Undo\tCtrl-Z", "", wxACCEL_CTRL, 'Z', -1},
          kSep,
          {5031, "Cu&t\tCtrl-X", "", wxACCEL_CTRL, 'X', -1},
          {5032, "&Copy\tCtrl-C", "", wxACCEL_CTRL, 'C', -1},
          {5033, "&Paste\tCtrl-V", "", wxACCEL_CTRL, 'V', -1},
          {5034, "Delete", "", -1, 0, -1},
          kSep,
          {10004, "One &New Block...\tCtrl-N", "", wxACCEL_CTRL, 'N', -1},
          {10005, "Many New Blocks...", "", -1, 0, -1},
          {10007, "&Edit Block...\tCtrl-E", "", wxACCEL_CTRL, 'E', -1},
          {10008, "&Select", "", -1, 0, 2}}},
        {"E&xperiment",
         {{10011, "&Tag Sets...", "", -1, 0, -1},
          {10012, "Participant &Input...", "", -1, 0, -1},
          {10013, "Participant &Groups...", "", -1, 0, -1},
          {10014, "&Parameters...", "", -1, 0, -1},
          {10015, "Trial Le&vels...", "", -1, 0, -1},
          {10067, "Event Marking", "", -1, 0, 3},
          kSep,
          {10016, "&Stimulus Lists...", "", -1, 0, -1},
          {10017, "&Expand Events That Use Lists...", "", -1, 0, -1},
          kSep,
          {10018, "&Options...", "", -1, 0, -1},
          {10019, "&About This Experiment...", "", -1, 0, -1},
          {10020, "&Lock", "Lock experiment to prevent accidental editing", -1, 0, -1},
          kSep,
          {10021, "&Run...\tCtrl-R", "", wxACCEL_CTRL, 'R', -1}}},
        {"&Help",
         {{5015, "&Download Vantrel Manual...\tF1", "", wxACCEL_NORMAL, WXK_F1, -1},
          {10028, "Send Us &Feedback...", "", -1, 0, -1},
          kSep,
          {10029, "Experiments on the Web", "", -1, 0, -1},
          kSep,
          {5014, "&About Study Station...", "", -1, 0, -1}}},
    };
    return menus;
}

void ExpectItem(const wxMenuItem* item, const ExpectedItem& expected)
{
    SCOPED_TRACE(wxString(expected.label).utf8_string());
    if (expected.id == wxID_SEPARATOR) {
        EXPECT_TRUE(item->IsSeparator());
        return;
    }
    EXPECT_EQ(item->GetId(), expected.id);
    EXPECT_EQ(item->GetItemLabel(), wxString(expected.label));
    // An item given no help text shows the GUI library's stock help of a standard identifier.
    const wxString help = *expected.help ? wxString(expected.help) : wxGetStockHelpString(expected.id);
    EXPECT_EQ(item->GetHelp(), help);
    EXPECT_EQ(item->GetKind(), expected.id == 10020 ? wxITEM_CHECK : wxITEM_NORMAL);
    std::unique_ptr<wxAcceleratorEntry> accel(item->GetAccel());
    EXPECT_EQ(accel ? accel->GetFlags() : -1, expected.accelFlags);
    EXPECT_EQ(accel ? accel->GetKeyCode() : 0, expected.accelKey);
    const wxMenu* submenu = item->GetSubMenu();
    EXPECT_EQ(submenu ? static_cast<int>(submenu->GetMenuItemCount()) : -1, expected.submenuItems);
}

TEST(MenuBar, HoldsTheFourMenusWithEveryItemOfTheTable)
{
    std::unique_ptr<wxMenuBar> bar(DummyWindowForMainMenuBarCode::CreateMenuBar());
    const auto& menus = ExpectedMenus();
    ASSERT_EQ(bar->GetMenuCount(), menus.size());
    for (size_t m = 0; m < menus.size(); ++m) {
        SCOPED_TRACE(menus[m].title);
        EXPECT_EQ(bar->GetMenuLabel(m), wxString(menus[m].title));
        const wxMenuItemList& items = bar->GetMenu(m)->GetMenuItems();
        ASSERT_EQ(items.size(), menus[m].items.size());
        size_t i = 0;
        for (const wxMenuItem* item : items) ExpectItem(item, menus[m].items[i++]);
    }

    // The submenus, in their own order: Event Marking's identifiers are not in label order.
    const struct
    {
        int id;
        const char* label;
        int accelKey;
    } submenuRows[] = {{10009, "&All\tCtrl-A", 'A'},
                       {10010, "&None", 0},
                       {10034, "TTL...", 0},
                       {10036, "BIOPAC AcqKnowledge...", 0},
                       {10035, "Lab Streaming Layer (LSL)...", 0}};
    const wxMenu* select = bar->FindItem(10008)->GetSubMenu();
    const wxMenu* marking = bar->FindItem(10067)->GetSubMenu();
    for (size_t r = 0; r < 5; ++r) {
        const wxMenu* sub = r < 2 ? select : marking;
        const wxMenuItem* item = sub->FindItemByPosition(r < 2 ? r : r - 2);
        SCOPED_TRACE(submenuRows[r].label);
        EXPECT_EQ(item->GetId(), submenuRows[r].id);
        EXPECT_EQ(item->GetItemLabel(), wxString(submenuRows[r].label));
        std::unique_ptr<wxAcceleratorEntry> accel(item->GetAccel());
        EXPECT_EQ(accel ? accel->GetKeyCode() : 0, submenuRows[r].accelKey);
    }
}

TEST(MenuBar, EveryCallGivesAnIndependentBarAndLockIsTheOnlyCheckItemUnticked)
{
    std::unique_ptr<wxMenuBar> first(DummyWindowForMainMenuBarCode::CreateMenuBar());
    std::unique_ptr<wxMenuBar> second(DummyWindowForMainMenuBarCode::CreateMenuBar());
    ASSERT_NE(first.get(), second.get());
    EXPECT_NE(first->GetMenu(0), second->GetMenu(0));
    int checkItems = 0;
    for (size_t m = 0; m < first->GetMenuCount(); ++m) {
        for (const wxMenuItem* item : first->GetMenu(m)->GetMenuItems()) {
            if (!item->IsCheckable()) continue;
            ++checkItems;
            EXPECT_EQ(item->GetId(), 10020);
            EXPECT_FALSE(item->IsChecked());
        }
        EXPECT_EQ(first->GetMenu(m)->GetMenuItemCount(), second->GetMenu(m)->GetMenuItemCount());
    }
    EXPECT_EQ(checkItems, 1);
    // Changing one bar leaves the other as it was.
    first->FindItem(10020)->Check(true);
    EXPECT_FALSE(second->FindItem(10020)->IsChecked());
    EXPECT_EQ(second->FindItem(wxID_ABOUT)->GetItemLabel(), "&About Study Station...");
}

TEST(MenuBar, TheFrameClassCannotBeCreatedByName)
{
    const wxClassInfo* info = wxClassInfo::FindClass("DummyWindowForMainMenuBarCode");
    ASSERT_NE(info, nullptr);
    EXPECT_FALSE(info->IsDynamic());
    EXPECT_TRUE(info->IsKindOf(wxCLASSINFO(wxMDIParentFrame)));
}

// A frame that records the commands it receives.
class CommandFrame : public wxFrame
{
public:
    CommandFrame() : wxFrame(nullptr, wxID_ANY, "Editing bars", wxPoint(30, 30), wxSize(640, 360))
    {
        Bind(wxEVT_MENU, [this](wxCommandEvent& e) { commands.push_back(e.GetId()); });
    }
    std::vector<int> commands;
};

// Each accelerator of the menu sends its command and no other. The toolkit adds no
// shortcut of its own to items whose label names none: Ctrl+N is "One New Block..."
// only (not File>New too), and Ctrl+Q (File>Exit's stock shortcut) sends nothing,
// so Ctrl+R, pressed after it, is the first command to arrive.
TEST(MenuBar, AcceleratorsOnAFrameSendTheirCommands)
{
    auto* frame = new CommandFrame;
    frame->SetMenuBar(DummyWindowForMainMenuBarCode::CreateMenuBar());
    frame->Show();
    frame->Raise();
    ASSERT_TRUE(TestSupport::PumpUntil([&] { return frame->IsShownOnScreen() && frame->IsActive(); }));
    TestSupport::PumpFor(100);
    wxUIActionSimulator sim;
    struct Key
    {
        int key, modifiers;
    };
    const struct
    {
        std::vector<Key> keys;
        int id;
    } presses[] = {{{{'r', wxMOD_CONTROL}}, 10021}, {{{'o', wxMOD_CONTROL}}, wxID_OPEN},
                   {{{'k', wxMOD_CONTROL}}, 10002}, {{{WXK_F1, wxMOD_NONE}}, wxID_HELP_CONTENTS},
                   {{{'n', wxMOD_CONTROL}}, 10004}, {{{'q', wxMOD_CONTROL}, {'r', wxMOD_CONTROL}}, 10021}};
    for (const auto& press : presses) {
        SCOPED_TRACE(press.id);
        frame->commands.clear();
        for (const Key& key : press.keys) sim.Char(key.key, key.modifiers);
        EXPECT_TRUE(TestSupport::PumpUntil([&] { return !frame->commands.empty(); }, 3000));
        TestSupport::PumpFor(100);  // a second command, had one been sent, is in by now
        EXPECT_EQ(frame->commands, std::vector<int>{press.id});
    }
    frame->Destroy();
    TestSupport::PumpFor(20);
}

// A message catalogue in the .mo format, built in memory from pairs.
std::string MessageCatalogue(const std::vector<std::pair<std::string, std::string>>& pairs)
{
    const uint32_t count = static_cast<uint32_t>(pairs.size());
    const uint32_t originals = 28, translations = originals + 8 * count;
    uint32_t text = translations + 8 * count;
    std::vector<uint32_t> header{0x950412de, 0, count, originals, translations, 0, 0};
    std::vector<uint32_t> tables;
    std::string strings;
    for (int pass = 0; pass < 2; ++pass) {
        for (const auto& pair : pairs) {
            const std::string& s = pass == 0 ? pair.first : pair.second;
            tables.push_back(static_cast<uint32_t>(s.size()));
            tables.push_back(text + static_cast<uint32_t>(strings.size()));
            strings += s;
            strings += '\0';
        }
    }
    std::string bytes(reinterpret_cast<const char*>(header.data()), header.size() * 4);
    bytes.append(reinterpret_cast<const char*>(tables.data()), tables.size() * 4);
    return bytes + strings;
}

class MemoryCatalogueLoader : public wxTranslationsLoader
{
public:
    explicit MemoryCatalogueLoader(std::string data) : data_(std::move(data)) {}
    wxMsgCatalog* LoadCatalog(const wxString& domain, const wxString&) override
    {
        return wxMsgCatalog::CreateFromData(wxScopedCharBuffer::CreateNonOwned(data_.data(), data_.size()), domain);
    }
    wxArrayString GetAvailableTranslations(const wxString&) const override { return wxArrayString(1, "de"); }

private:
    std::string data_;
};

TEST(MenuBar, TheAboutItemTranslatesAroundTheProgramName)
{
    auto* translations = new wxTranslations;
    wxTranslations::Set(translations);
    translations->SetLoader(new MemoryCatalogueLoader(MessageCatalogue({{"&About ", "\xc3\x9c&ber "},
                                                                        {"...", " \xe2\x80\xa6"},
                                                                        {"&Help", "&Hilfe"},
                                                                        {"Study Station", "Lernplatz"}})));
    translations->SetLanguage("de");
    ASSERT_TRUE(translations->AddCatalog("studystation"));
    std::unique_ptr<wxMenuBar> bar(DummyWindowForMainMenuBarCode::CreateMenuBar());
    wxTranslations::Set(nullptr);
    EXPECT_EQ(bar->GetMenuLabel(3), "&Hilfe");
    EXPECT_EQ(bar->FindItem(wxID_ABOUT)->GetItemLabel(), wxString::FromUTF8("\xc3\x9c&ber Study Station \xe2\x80\xa6"));
}

bool SamePixels(const wxBitmap& a, const wxBitmap& b)
{
    if (!a.IsOk() || !b.IsOk() || a.GetSize() != b.GetSize()) return false;
    const wxImage ia = a.ConvertToImage(), ib = b.ConvertToImage();
    return memcmp(ia.GetData(), ib.GetData(), static_cast<size_t>(ia.GetWidth()) * ia.GetHeight() * 3) == 0;
}

struct ExpectedTool
{
    int id;  // wxID_SEPARATOR for a separator
    const char* label;
    const char* shortHelp;
    const char* longHelp;
    const char* picture;
};

const ExpectedTool kToolTable[] = {
    {5000, "Open", "Open Experiment", "Open Experiment", "icon_open"},
    {5003, "Save", "Save Experiment", "Save Experiment", "icon_save"},
    {wxID_SEPARATOR, "", "", "", ""},
    {5031, "Cut", "Cut", "Cut the selection and put it on the clipboard", "icon_cut"},
    {5032, "Copy", "Copy", "Copy the selection and put it on the clipboard", "icon_copy"},
    {5033, "Paste", "Paste", "Insert Clipboard contents", "icon_paste"},
    {wxID_SEPARATOR, "", "", "", ""},
    {10117, "New Item", "New Item", "New Item", "vt_add"},
    {10118, "Edit Item", "Edit Item", "Edit selected item", "vt_edit"},
    {10119, "Delete Item", "Delete Item", "Delete selected item(s)", "vt_delete"},
    {wxID_SEPARATOR, "", "", "", ""},
    {10144, "Move Down", "Move Down", "Move selected item(s) down", "vt_nav_down"},
    {10145, "Move Up", "Move Up", "Move selected item(s) up", "vt_nav_up"},
    {wxID_SEPARATOR, "", "", "", ""},
    {10146, "Run", "Run", "Run experiment", "icon_run"},
};

void ExpectToolTable(const wxToolBar* toolbar)
{
    EXPECT_EQ(toolbar->GetToolPacking(), 0);
    ASSERT_EQ(toolbar->GetToolsCount(), 15u);
    for (size_t i = 0; i < 15; ++i) {
        const ExpectedTool& expected = kToolTable[i];
        const wxToolBarToolBase* tool = toolbar->GetToolByPos(static_cast<int>(i));
        SCOPED_TRACE(expected.label);
        if (expected.id == wxID_SEPARATOR) {
            EXPECT_TRUE(tool->IsSeparator());
            continue;
        }
        EXPECT_EQ(tool->GetId(), expected.id);
        EXPECT_EQ(tool->GetKind(), wxITEM_NORMAL);
        EXPECT_EQ(tool->GetLabel(), expected.label);
        EXPECT_EQ(tool->GetShortHelp(), expected.shortHelp);
        EXPECT_EQ(tool->GetLongHelp(), expected.longHelp);
        EXPECT_EQ(tool->GetClientData(), nullptr);
        const wxString picture(expected.picture);
        using Artwork = Orbisk::OrbiskImagesArtworkEtc;
        EXPECT_TRUE(SamePixels(tool->GetNormalBitmap(), Artwork::GetIcon_ToolBarIcon(picture + ".png")));
        EXPECT_TRUE(SamePixels(tool->GetDisabledBitmap(), Artwork::GetIcon_ToolBarIcon(picture + "_disabled.png")));
    }
}

TEST(Toolbar, FillsItsOwnClassAndAPlainToolbarWithTheTable)
{
    auto* frame = new CommandFrame;
    auto* own = new VTToolBar(frame, wxID_ANY);
    frame->SetToolBar(own);
    VTToolBar::CreateToolbarItems(own);
    ExpectToolTable(own);

    auto* other = new wxFrame(nullptr, wxID_ANY, "plain");
    wxToolBar* plain = other->CreateToolBar();
    VTToolBar::CreateToolbarItems(plain);
    ExpectToolTable(plain);

    const wxClassInfo* info = wxClassInfo::FindClass("VTToolBar");
    ASSERT_NE(info, nullptr);
    EXPECT_TRUE(info->IsDynamic());
    EXPECT_TRUE(info->IsKindOf(wxCLASSINFO(wxToolBar)));
    other->Destroy();
    frame->Destroy();
    TestSupport::PumpFor(20);
}

TEST(Toolbar, BitmapResourcesKnowTheTwentySixPictureNamesOnly)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "resources");
    auto* toolbar = new VTToolBar(frame, wxID_ANY);
    for (const char* name : {"icon_help.png", "icon_help_disabled.png", "icon_new.png", "vt_nav_up_disabled.png"}) {
        SCOPED_TRACE(name);
        EXPECT_TRUE(
            SamePixels(toolbar->GetBitmapResource(name), Orbisk::OrbiskImagesArtworkEtc::GetIcon_ToolBarIcon(name)));
    }
    for (const char* name :
         {"", "icon_help", "ICON_HELP.png", "icon_help_disabled_disabled.png", "icon_warning_std.png"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(toolbar->GetBitmapResource(name).IsOk());
    }
    EXPECT_FALSE(toolbar->GetIconResource("icon_help.png").IsOk());
    frame->Destroy();
    TestSupport::PumpFor(20);
}

}  // namespace
