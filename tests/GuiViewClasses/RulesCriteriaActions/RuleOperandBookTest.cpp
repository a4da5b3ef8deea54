// The operand book of a rule row: its 37 pages made lazily (or all at once by the
// first book, which measures them), the size cache in the configuration with its
// freshness rules, the registration of the page classes, greying out, and the
// item a stored value picks.

#include "RuleRowsWorld.h"

#include "RuleRowRHSChoiceBookWithHiddenCtrl.h"
#include "RuleRowRHSPanels.h"

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/choice.h>
#include <wx/config.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/frame.h>
#include <wx/stattext.h>
#include <wx/hyperlink.h>

#include <algorithm>
#include <cstdint>
#include <memory>

using namespace Vantrel;
using Book = RuleRowRHSChoiceBookWithHiddenCtrl;

namespace {

constexpr std::int64_t kNow = 1'800'000'000;
constexpr std::int64_t kLifetime = 4838399;

class OperandBook : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::ClearLog();
        m_ConfigPath = wxFileName(TestSupport::MakeTempFolder("config"), "studystation.ini").GetFullPath();
        delete wxConfigBase::Set(
            new wxFileConfig(wxString(), wxString(), m_ConfigPath, wxString(), wxCONFIG_USE_LOCAL_FILE));
        Book::SetSecondsClock([] { return kNow; });
        Book::ForgetClassWideSize();
        frame = new wxFrame(nullptr, wxID_ANY, "book", wxDefaultPosition, wxSize(900, 300));
        frame->Show();
    }
    void TearDown() override
    {
        frame->Destroy();
        delete wxConfigBase::Set(nullptr);
        Book::SetSecondsClock({});
        Book::ForgetClassWideSize();
    }

    Book* NewBook(int ownerKind = 4) { return new Book(ownerKind, frame, 10106, wxDefaultPosition, wxDefaultSize, 0); }

    void WriteCache(long version, long refresh, long height, long width, const char* leaveOut = nullptr)
    {
        wxConfigBase* config = wxConfigBase::Get();
        config->DeleteGroup("/RulesRowLayoutCaching");
        const std::pair<const char*, long> entries[] = {
            {"Version", version}, {"Refresh", refresh}, {"Height", height}, {"Width", width}};
        for (const auto& e : entries)
            if (!leaveOut || std::string(leaveOut) != e.first)
                config->Write(wxString("/RulesRowLayoutCaching/") + e.first, e.second);
    }

    wxString m_ConfigPath;
    wxFrame* frame = nullptr;
};

}  // namespace

TEST_F(OperandBook, TheFirstBookMakesAndMeasuresEveryPageAndCachesTheSize)
{
    Book* first = NewBook();
    ASSERT_EQ(first->GetPageCount(), 37u);
    EXPECT_EQ(first->GetName(), "Expression Parameters");
    wxSize largest;
    for (int i = 0; i < Book::kPageCount; ++i) {
        EXPECT_EQ(first->GetPage(size_t(i)), first->PageAtIndex(i));
        EXPECT_EQ(first->GetPageText(size_t(i)), Book::PageLabel(i));
        largest.IncTo(first->GetPage(size_t(i))->GetBestSize());
    }
    EXPECT_EQ(first->GetPageText(25), "Change background color");
    EXPECT_EQ(first->GetMinSize(), largest);
    EXPECT_EQ(first->GetBestSize(), largest);
    EXPECT_EQ(first->GetMaxSize(), largest);

    wxConfigBase* config = wxConfigBase::Get();
    EXPECT_EQ(config->ReadLong("/RulesRowLayoutCaching/Version", 0), 6);
    EXPECT_EQ(config->ReadLong("/RulesRowLayoutCaching/Refresh", 0), kNow);
    EXPECT_EQ(config->ReadLong("/RulesRowLayoutCaching/Width", 0), largest.GetWidth());
    EXPECT_EQ(config->ReadLong("/RulesRowLayoutCaching/Height", 0), largest.GetHeight());

    Book* second = NewBook();
    EXPECT_EQ(second->GetPageCount(), 0u);
    EXPECT_EQ(second->GetBestSize(), largest);
}

TEST_F(OperandBook, TheCachedSizeIsUsedOnlyWhileFreshAndWhole)
{
    struct Case
    {
        const char* name;
        long version, age, height, width;
        const char* leaveOut;
        bool used;
    };
    const Case cases[] = {
        {"fresh", 6, 10, 30, 400, nullptr, true},
        {"older version", 5, 10, 30, 400, nullptr, false},
        {"too low", 6, 10, 4, 400, nullptr, false},
        {"too narrow", 6, 10, 30, 100, nullptr, false},
        {"no width", 6, 10, 30, 400, "Width", false},
        {"no refresh time", 6, 10, 30, 400, "Refresh", false},
        {"56 days old", 6, kLifetime + 1, 30, 400, nullptr, false},
        {"a second younger", 6, kLifetime, 30, 400, nullptr, true},
        {"written in the future", 6, -3600, 30, 400, nullptr, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Book::ForgetClassWideSize();
        WriteCache(c.version, long(kNow - c.age), c.height, c.width, c.leaveOut);
        Book::GetConfigSavedSizeIfPossible();
        EXPECT_EQ(Book::FoundSizeInConfig(), c.used);
        if (c.used) {
            Book* book = NewBook();
            EXPECT_EQ(book->GetPageCount(), 0u);  // nothing to measure
            EXPECT_EQ(book->GetBestSize(), wxSize(c.width, c.height));
        }
    }
    // A measured size too small to trust is used for the process but never written.
    Book::ForgetClassWideSize();
    wxConfigBase::Get()->DeleteGroup("/RulesRowLayoutCaching");
    Book::SaveLatestSizeToConfig(wxSize(100, 30));
    Book::SaveLatestSizeToConfig(wxSize(300, 4));
    EXPECT_FALSE(wxConfigBase::Get()->HasEntry("/RulesRowLayoutCaching/Version"));
}

TEST_F(OperandBook, PagesAreMadeOnDemandOncePerIndexUnderTheirClassNames)
{
    WriteCache(6, long(kNow), 30, 400);
    RuleRows::World w;
    Book* book = NewBook();
    book->RepopulateAllShownDropDowns(&w.x);
    ASSERT_EQ(book->GetPageCount(), 0u);

    book->SetSelection(24);
    EXPECT_EQ(book->GetPageCount(), 1u);
    EXPECT_EQ(book->GetSelection(), 0);
    // An index beyond the pages (an unmapped menu id) shows the operand-less page,
    // not whatever page happens to be first in the book.
    book->SetSelection(99999);
    EXPECT_EQ(book->CurrentPageIndex(), 1);
    EXPECT_EQ(book->GetPageCount(), 2u);

    for (int i = 0; i < Book::kPageCount; ++i) {
        SCOPED_TRACE(i);
        const int position = book->EnsureChoicePanelExistence(size_t(i));
        wxWindow* page = book->PageAtIndex(i);
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(book->GetPage(size_t(position)), page);
        EXPECT_EQ(page->GetClassInfo()->GetClassName(), RhsPageClassName(RhsPageClassForIndex(i)));
        EXPECT_EQ(book->EnsureChoicePanelExistence(size_t(i)), position);
    }
    EXPECT_EQ(book->GetPageCount(), 37u);
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();

    // Pages made from an experiment list its content at once.
    auto* blocks = static_cast<RuleRowRHSPageBase*>(book->PageAtIndex(20))->FirstChoice();
    EXPECT_EQ(blocks->GetString(0), "Main");
    auto* responses = static_cast<RuleRowRHSPageBase*>(book->PageAtIndex(29))->SecondChoice();
    EXPECT_EQ(responses->GetString(responses->GetCount() - 1), "unset (no stored response)");
}

TEST_F(OperandBook, EveryPageClassAndTheBookAreRegisteredUnderTheirNames)
{
    for (int n = 1; n <= 45; ++n) {
        SCOPED_TRACE(n);
        const wxClassInfo* info = wxClassInfo::FindClass(RhsPageClassName(n));
        ASSERT_NE(info, nullptr);
        EXPECT_STREQ(info->GetBaseClassName1(), wxT("wxPanel"));
        std::unique_ptr<wxObject> page(info->CreateObject());
        ASSERT_NE(page, nullptr);
        EXPECT_EQ(static_cast<wxWindow*>(static_cast<RuleRowRHSPageBase*>(page.get()))->GetHandle(), nullptr);
    }
    const wxClassInfo* book = wxClassInfo::FindClass("RuleRowRHSChoiceBookWithHiddenCtrl");
    ASSERT_NE(book, nullptr);
    EXPECT_STREQ(book->GetBaseClassName1(), wxT("wxChoicebook"));
    EXPECT_TRUE(book->IsKindOf(wxCLASSINFO(wxChoicebook)));
    EXPECT_EQ(RhsPageIndexForClass(17), -1);
    EXPECT_EQ(RhsPageIndexForClass(38), 29);

    // A page needs the book as its parent: elsewhere it is refused its registration.
    TestSupport::ClearLog();
    auto* stray = new RuleRowRHSPanel16(nullptr, frame);
    EXPECT_TRUE(TestSupport::LogContains("RuleRowRHSPanel16 needs an operand book")) << TestSupport::LogAsText();
    stray->Destroy();
}

TEST_F(OperandBook, ALockedExperimentGreysOutEveryOperandControl)
{
    WriteCache(6, long(kNow), 30, 400);
    RuleRows::World w;
    Book* book = NewBook();
    book->RepopulateAllShownDropDowns(&w.x);
    for (int i = 0; i < Book::kPageCount; ++i) book->EnsureChoicePanelExistence(size_t(i));
    auto* page0 = static_cast<RuleRowRHSPageBase*>(book->PageAtIndex(0));
    auto* page1 = static_cast<RuleRowRHSPageBase*>(book->PageAtIndex(1));
    auto* page3 = static_cast<RuleRowRHSPageBase*>(book->PageAtIndex(3));
    const std::vector<wxWindow*>& registered = book->m_widgetsForPlayDead;
    for (wxWindow* control : {static_cast<wxWindow*>(page0->FirstChoice()), static_cast<wxWindow*>(page1->Link()),
                              static_cast<wxWindow*>(page3->SecondChoice())})
        EXPECT_NE(std::find(registered.begin(), registered.end(), control), registered.end());

    const auto all = [&](bool enabled) {
        for (wxWindow* control : registered)
            if (control->IsThisEnabled() != enabled) return false;
        return true;
    };
    w.x.SetLocked(true, "Received from the cloud");
    book->PlayDead(false);
    EXPECT_TRUE(all(false));
    w.x.SetLocked(false);
    book->PlayDead(false);
    EXPECT_TRUE(all(true));
    book->PlayDead(true);
    EXPECT_TRUE(all(false));
}

TEST_F(OperandBook, AStoredValuePicksItsItemByIdThenTextElseTheFirstNamingTheLostOne)
{
    auto* choice = new wxChoice(frame, wxID_ANY);
    const std::pair<const char*, int> items[] = {{"three", 3}, {"seven", 7}, {"nine", 9}};
    for (const auto& item : items) choice->Append(item.first, reinterpret_cast<void*>(std::intptr_t(item.second)));
    struct Case
    {
        int id;
        const char* text;
        bool negativeAllowed;
        int selected;
        const char* logged;
    };
    const Case cases[] = {
        {7, "nine", false, 1, nullptr},
        {0, "nine", false, 2, nullptr},
        {-1, "No Parameters", false, 0, nullptr},
        {-1, "", false, 0, nullptr},
        {-1, "gone", false, 0, "There is a Parameter-related error"},
        {12, "", false, 0, "Element 12 chosen in a rule is no longer listed"},
        {9, "", true, 2, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.id);
        TestSupport::ClearLog();
        choice->SetSelection(wxNOT_FOUND);
        Book::SetSelectionUsingLatestData(choice, c.id, c.text, c.negativeAllowed);
        EXPECT_EQ(choice->GetSelection(), c.selected);
        if (c.logged)
            EXPECT_TRUE(TestSupport::LogContains(c.logged)) << TestSupport::LogAsText();
        else
            EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
    }
}

TEST_F(OperandBook, TheCollectionSheetOpensFromATimerAfterARealPick)
{
    WriteCache(6, long(kNow), 30, 400);
    int opened = 0;
    Book::SetSheetOpeners({}, [&opened](const Book::SheetRequest&, const CollectionFunctionInfo&,
                                        std::function<void(const CollectionFunctionInfo&)> ok) {
        ++opened;
        CollectionFunctionInfo info;
        info.function = CollectionFunctionInfo::kAverageRT;
        ok(info);
    });
    RuleRows::World w;
    Book* book = NewBook();
    book->RepopulateAllShownDropDowns(&w.x);
    int notified = 0;
    book->SetNotificationFunctor([&notified] { ++notified; });
    book->SetSelection(3);
    book->AdjustHyperlinkForPage(14103, 30, 28000);
    book->NotifyRealHumanClick();
    book->SetSelection(30);
    EXPECT_TRUE(TestSupport::PumpUntil([&] { return opened == 1; }));
    EXPECT_EQ(book->ConstRefToCollFunc().function, CollectionFunctionInfo::kAverageRT);
    EXPECT_GE(notified, 2);  // the automatic opening, then the sheet's OK
    // Without a real click, coming back to the page opens nothing.
    book->SetSelection(3);
    book->SetSelection(30);
    TestSupport::PumpFor(400);
    EXPECT_EQ(opened, 1);
    Book::SetSheetOpeners({}, {});
}

TEST_F(OperandBook, HelpTextsPickTheMessagePageTheUnitsAndTheCounterLimits)
{
    WriteCache(6, long(kNow), 30, 400);
    RuleRows::World w;
    const auto page = [](Book* book, int index) { return static_cast<RuleRowRHSPageBase*>(book->PageAtIndex(index)); };

    Book* trialRules = NewBook(4);
    trialRules->RepopulateAllShownDropDowns(&w.x);
    trialRules->SetHelpTextById(15022);  // "Repeat current block" in a trial's rules
    EXPECT_EQ(trialRules->CurrentPageIndex(), 28);
    EXPECT_EQ(page(trialRules, 28)->Message()->GetLabel(), "Skips remaining trials in this block and restarts.");

    Book* blockRules = NewBook(2);
    blockRules->SetSelection(1);
    blockRules->SetHelpTextById(15022);
    EXPECT_EQ(blockRules->CurrentPageIndex(), 1);
    EXPECT_EQ(blockRules->PageAtIndex(3), nullptr);  // hiding the units makes no page

    trialRules->SetHelpTextById(14101);  // "Time since start of block": its unit is chosen
    EXPECT_TRUE(page(trialRules, 3)->SecondChoice()->IsShown());
    trialRules->SetHelpTextById(13094);  // "Trial's reaction time": milliseconds only
    EXPECT_FALSE(page(trialRules, 3)->SecondChoice()->IsShown());
    EXPECT_EQ(page(trialRules, 3)->SecondChoice()->GetStringSelection(), "milliseconds");

    // "Assign random number": the limits of the counter, or the message without a bounded counter.
    trialRules->SetSelection(16);
    trialRules->AdjustRandomCounterMinMaxText("Score", true);
    EXPECT_EQ(trialRules->CurrentPageIndex(), 16);
    EXPECT_EQ(page(trialRules, 16)->MinLabel()->GetLabel(), "1");
    EXPECT_EQ(page(trialRules, 16)->MaxLabel()->GetLabel(), "9");
    trialRules->AdjustRandomCounterMinMaxText("Nothing", true);
    EXPECT_EQ(page(trialRules, 16)->MinLabel()->GetLabel(), "?");

    VTExperiment unbounded;
    unbounded.GetParameters()->AddNewItem(OrderFormForParameterCreation("Loose", ParameterType::Counter));
    Book* noLimits = NewBook(4);
    noLimits->RepopulateAllShownDropDowns(&unbounded);
    noLimits->SetSelection(16);
    noLimits->SetHelpTextById(15011);
    EXPECT_EQ(noLimits->CurrentPageIndex(), 28);
    EXPECT_EQ(page(noLimits, 28)->Message()->GetLabel(), "Action works only with counters that have min/max limits.");
}
