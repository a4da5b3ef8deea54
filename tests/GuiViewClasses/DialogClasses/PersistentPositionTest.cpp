// Dialogs that reopen where the user left them, and the selection of an item by
// the element it carries.

#include <GuiViewClasses/DialogClasses/persdlg.h>

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/config.h>
#include <wx/display.h>
#include <wx/frame.h>

using namespace Vantrel;

namespace {

class RememberingDialog : public wxDialogPersistentPosition
{
public:
    explicit RememberingDialog(const wxString& name) : m_Name(name)
    {
        Create(nullptr, wxID_ANY, "Remembering", wxDefaultPosition, wxSize(300, 200),
               wxDEFAULT_DIALOG_STYLE | wxRESIZE_BORDER);
    }
    wxString GetPersistenceName() const override { return m_Name; }

private:
    wxString m_Name;
};

// Shows a fresh dialog of that name, lets `act` work on it, hides and destroys it.
wxRect ShowAndHide(const wxString& name, const std::function<void(wxDialog&)>& act = {})
{
    auto* dialog = new RememberingDialog(name);
    dialog->Show();
    TestSupport::PumpUntil([&] { return dialog->IsShownOnScreen(); });
    TestSupport::PumpFor(50);
    const wxRect shownAt = dialog->GetRect();
    if (act) act(*dialog);
    TestSupport::PumpFor(50);
    dialog->Hide();
    dialog->Destroy();
    return shownAt;
}

wxConfigBase& Config() { return *wxConfigBase::Get(); }

}  // namespace

TEST(PersistentPosition, AFirstOpeningLeavesItsGeometryForTheNext)
{
    const wxString name = "FirstOpeningDialog";
    EXPECT_FALSE(Config().HasGroup("/" + name));
    const wxRect placed(30, 40, 360, 250);
    ShowAndHide(name, [&](wxDialog& d) { d.SetSize(placed); });
    ASSERT_TRUE(Config().HasGroup("/" + name));
    EXPECT_EQ(Config().ReadLong("/" + name + "/window_width", -1), 360);
    EXPECT_EQ(Config().ReadLong("/" + name + "/window_height", -1), 250);
    const wxRect stored(Config().ReadLong("/" + name + "/window_x", -1),
                        Config().ReadLong("/" + name + "/window_y", -1), 360, 250);
    EXPECT_EQ(ShowAndHide(name), stored);
}

TEST(PersistentPosition, APartlyOffScreenDialogWritesNothingAndKeepsThePreviousGeometry)
{
    const wxString name = "OffScreenDialog";
    ShowAndHide(name, [](wxDialog& d) { d.SetSize(wxRect(20, 30, 300, 220)); });
    const long width = Config().ReadLong("/" + name + "/window_width", -1);
    const wxRect display = wxGetClientDisplayRect();
    ShowAndHide(name, [&](wxDialog& d) { d.SetSize(wxRect(display.GetRight() - 50, 30, 400, 220)); });
    EXPECT_EQ(Config().ReadLong("/" + name + "/window_width", -1), width);
}

TEST(PersistentPosition, StoredValuesThatDoNotFitAreIgnored)
{
    struct Case
    {
        const char* name;
        bool complete;
        wxRect rect;
    };
    const wxRect display = wxGetClientDisplayRect();
    const Case cases[] = {
        {"PartialEntriesDialog", false, wxRect(10, 10, 333, 222)},
        {"TooLargeDialog", true, wxRect(0, 0, display.width + 500, display.height + 500)},
    };
    for (const Case& c : cases) {
        Config().SetPath(wxString("/") + c.name);
        Config().Write("window_x", c.rect.x);
        Config().Write("window_y", c.rect.y);
        Config().Write("window_width", c.rect.width);
        if (c.complete) Config().Write("window_height", c.rect.height);
        Config().SetPath("/");
        wxRect rect;
        EXPECT_FALSE(wxDialogPersistentPosition::ReadStoredRect(c.name, rect)) << c.name;
        EXPECT_NE(ShowAndHide(c.name).GetSize(), c.rect.GetSize()) << c.name;
    }
}

TEST(SelectItemByVTElementPtr, SelectsTheFirstItemCarryingTheElement)
{
    auto* frame = new wxFrame(nullptr, wxID_ANY, "Choices");
    auto* choice = new wxChoice(frame, wxID_ANY);
    int a = 0, b = 0;
    choice->Append("none", static_cast<void*>(nullptr));
    choice->Append("a", &a);
    choice->Append("b", &b);
    choice->SetSelection(1);
    const auto* elementB = reinterpret_cast<const Minimal_VTElement*>(&b);
    EXPECT_EQ(VTDialogBase::SelectItemByVTElementPtr(*choice, elementB), 2);
    EXPECT_EQ(choice->GetSelection(), 2);
    EXPECT_EQ(VTDialogBase::SelectItemByVTElementPtr(*choice, reinterpret_cast<const Minimal_VTElement*>(&frame)), -1);
    EXPECT_EQ(choice->GetSelection(), 2) << "no match leaves the selection";
    EXPECT_EQ(VTDialogBase::SelectItemByVTElementPtr(*choice, nullptr), 0);
    auto* empty = new wxChoice(frame, wxID_ANY);
    EXPECT_EQ(VTDialogBase::SelectItemByVTElementPtr(*empty, nullptr), -1);
    frame->Destroy();
}
