#include <NonPersistentHelpers/VTElementsList.h>
#include <NonPersistentHelpers/VTLinkT.h>
#include <VTCore/VTElements.h>
#include <VTCore/VTExperiment.h>

#include "TestSupport.h"

#include <QBuffer>
#include <QDataStream>
#include <gtest/gtest.h>
#include <wx/datstrm.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include <algorithm>

using namespace Vantrel;

namespace {

int CountLogged(const wxString& fragment)
{
    return int(std::count_if(TestSupport::RecordedLog().begin(), TestSupport::RecordedLog().end(),
                             [&](const TestSupport::LoggedRecord& r) { return r.text.Contains(fragment); }));
}

std::vector<std::uint32_t> IDs(const VTLinkT& links)
{
    std::vector<std::uint32_t> ids;
    for (const auto& e : links.Entries()) ids.push_back(e.elementID);
    return ids;
}

class Links : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::ClearLog();
        for (int i = 0; i < 4; ++i) {
            auto* t = new VTTrial(&experiment);
            t->SetName(wxString::Format("T%d", i));
            experiment.GetElementsOfType(ElementType::Trial).AddElement(t, -1);
            trials.push_back(t);
        }
    }

    VTExperiment experiment;
    std::vector<VTTrial*> trials;
};

const wxString kUnresolved = "Vantrel was unable to resolve a link to a trial, please report this to Orbisk.";

}  // namespace

TEST_F(Links, AddResolveAndUniqueness)
{
    VTUsedElements links(&experiment, ElementType::Trial);
    EXPECT_TRUE(links.CollectionIsEnforcingUniquenessOfElements());
    EXPECT_TRUE(links.AddChildElement(trials[0], 7));
    EXPECT_FALSE(links.AddChildElement(trials[0], 8));
    EXPECT_TRUE(links.AddChildElement(trials[2], 9));
    EXPECT_EQ(IDs(links), (std::vector<std::uint32_t>{trials[0]->GetID(), trials[2]->GetID()}));
    EXPECT_EQ(links.GetExtraData(1), 9u);
    EXPECT_EQ(links.GetIndexByExtraData(9), 1);
    EXPECT_EQ(links.GetIndexByID(trials[3]->GetID()), -1);
    EXPECT_TRUE(links.ContainsThisElement(trials[2]));
    EXPECT_FALSE(links.ContainsThisElement(nullptr));

    // Pointers are caches: wiped, they resolve again by id.
    links.WipeCleanAllElementPointers();
    EXPECT_EQ(links.Entries()[1].element, nullptr);
    EXPECT_EQ(links.GetUsedElementPtr(1), trials[2]);
    EXPECT_EQ(links.Entries()[1].element, trials[2]);

    VTUsedElements repeats(&experiment, ElementType::Trial);
    repeats.SetEnforceUniqueness(false);
    EXPECT_TRUE(repeats.AddChildElement(trials[1], 0));
    EXPECT_TRUE(repeats.AddChildElement(trials[1], 0));
    EXPECT_EQ(repeats.Size(), 2u);
    EXPECT_EQ(repeats.CountElementsWithExtraData(0), 2);
}

TEST_F(Links, PurgeDropsVanishedElementsWithOneWarningEach)
{
    VTUsedElements links(&experiment, ElementType::Trial);
    for (VTTrial* t : trials) links.AddChildElement(t, 0);
    const std::uint32_t gone = trials[3]->GetID();
    experiment.GetElementsOfType(ElementType::Trial).RemoveElement_only_called_by_VTBlock(trials[3]);
    delete trials[3];  // the link still caches the pointer

    // Removing entry 0 clears the caches behind it; entry 3 no longer resolves.
    EXPECT_TRUE(links.RemoveElementByIndex_BEHAVIOR_WARNING_CanRemoveMultipleItems(0));
    EXPECT_EQ(IDs(links), (std::vector<std::uint32_t>{trials[1]->GetID(), trials[2]->GetID()}));
    EXPECT_EQ(links.GetIndexByID(gone), -1);
    EXPECT_EQ(CountLogged(kUnresolved), 1);

    EXPECT_FALSE(links.RemoveElementByIndex_BEHAVIOR_WARNING_CanRemoveMultipleItems(5));
    EXPECT_FALSE(links.RemoveUsedElement_BEHAVIOR_WARNING_CanRemoveMultipleItems(trials[0]));
    EXPECT_TRUE(links.RemoveUsedElement_BEHAVIOR_WARNING_CanRemoveMultipleItems(trials[2]));
    EXPECT_EQ(IDs(links), (std::vector<std::uint32_t>{trials[1]->GetID()}));

    // Refresh keeps unresolvable entries with a null pointer; the purge drops them.
    links.AppendLinkForLoading(9999, 0);
    links.RefreshAllElementPointers();
    EXPECT_EQ(links.Size(), 2u);
    EXPECT_EQ(links.Entries()[1].element, nullptr);
    links.RefreshPointers_And_PurgeElementsWithUnrecognizedIDs(false);
    EXPECT_EQ(links.Size(), 1u);
    EXPECT_EQ(CountLogged(kUnresolved), 1);  // quiet purge
}

TEST_F(Links, PurgingManyEntriesStaysLinear)
{
    VTUsedElements links(&experiment, ElementType::Trial);
    links.SetEnforceUniqueness(false);
    for (std::uint32_t i = 0; i < 200000; ++i) links.AppendLinkForLoading(i % 2 ? trials[1]->GetID() : 900000 + i, i);
    links.RefreshPointers_And_PurgeElementsWithUnrecognizedIDs(false);
    ASSERT_EQ(links.Size(), 100000u);
    EXPECT_EQ(links.GetExtraData(0), 1u);
    EXPECT_EQ(links.Entries().back().element, trials[1]);
}

TEST_F(Links, SortsAreStableAndFollowTheirKeys)
{
    VTUsedElements links(&experiment, ElementType::Trial);
    const std::uint32_t extra[] = {3, 1, 3, 2};
    for (int i = 0; i < 4; ++i) links.AddChildElement(trials[i], extra[i]);
    links.SortByExtraData();
    EXPECT_EQ(IDs(links), (std::vector<std::uint32_t>{trials[1]->GetID(), trials[3]->GetID(), trials[0]->GetID(),
                                                      trials[2]->GetID()}));  // the two 3s keep their order

    const int child[] = {4, 2, 1, 3};
    for (int i = 0; i < 4; ++i) trials[i]->SetChildNumForRandomization(child[i]);
    links.SortByChildNum();
    EXPECT_EQ(IDs(links), (std::vector<std::uint32_t>{trials[2]->GetID(), trials[1]->GetID(), trials[3]->GetID(),
                                                      trials[0]->GetID()}));

    // List order; an element no longer in the list (but alive and cached) comes first.
    std::unique_ptr<VTTrial> detached(trials[1]);
    experiment.GetElementsOfType(ElementType::Trial).RemoveElement_only_called_by_VTBlock(trials[1]);
    links.SortByOrderInVTElementsList();
    EXPECT_EQ(IDs(links), (std::vector<std::uint32_t>{trials[1]->GetID(), trials[0]->GetID(), trials[2]->GetID(),
                                                      trials[3]->GetID()}));
}

TEST_F(Links, CopiesAcrossListsAndExperiments)
{
    VTUsedElements source(&experiment, ElementType::Trial);
    source.AddChildElement(trials[0], 5);
    source.AddChildElement(trials[1], 6);

    VTUsedElements copy(source);
    EXPECT_EQ(copy.GetOwningExperiment(), &experiment);
    EXPECT_EQ(copy.Entries()[1].element, trials[1]);

    VTExperiment other;
    VTUsedElements overwritten(&other, ElementType::Event);
    overwritten.AppendLinkForLoading(77, 0);
    source.AppendLinkForLoading(4242, 1);  // not in the experiment: skipped by the copy
    overwritten.OverwriteWithCopiedInfo_UsesVTCodesLinker(source);
    EXPECT_EQ(overwritten.GetLinkedType(), ElementType::Trial);
    EXPECT_EQ(overwritten.GetOwningExperiment(), &other);
    EXPECT_EQ(IDs(overwritten), (std::vector<std::uint32_t>{trials[0]->GetID(), trials[1]->GetID()}));
    EXPECT_EQ(overwritten.GetExtraData(1), 6u);

    VTUsedElements appended(&experiment, ElementType::Trial);
    appended.AddChildElement(trials[0], 0);
    appended.AppendGivenElements_OmitCheckingForDuplicates(source);
    EXPECT_EQ(appended.Size(), 4u);  // duplicates and unresolved kept, unchecked
    VTUsedElements events(&experiment, ElementType::Event);
    events.AppendGivenElements_OmitCheckingForDuplicates(source);
    EXPECT_TRUE(events.Empty());
}

TEST_F(Links, TagsWithoutTheirSetAreNotCopied)
{
    auto* set = new VTTagSet(&experiment);
    experiment.GetElementsOfType(ElementType::TagSet).AddElement(set, -1);
    VTTag* kept = set->AddTag("kept");
    auto* orphan = new VTTag(&experiment);
    orphan->SetParentTagSetID(12345);
    experiment.GetElementsOfType(ElementType::Tag).AddElement(orphan, -1);

    VTUsedElements tags(&experiment, ElementType::Tag);
    tags.AddChildElement(kept, 0);
    tags.AddChildElement(orphan, 0);
    VTUsedElements copy(&experiment, ElementType::Tag);
    copy.OverwriteWithCopiedInfo_UsesVTCodesLinker(tags);
    EXPECT_EQ(IDs(copy), (std::vector<std::uint32_t>{kept->GetID()}));
}

TEST_F(Links, QtStreamRoundTripAndTruncation)
{
    VTUsedElements links(&experiment, ElementType::Trial);
    links.SetEnforceUniqueness(false);
    links.AddChildElement(trials[2], 11);
    links.AddChildElement(trials[2], 12);  // both written
    links.AddChildElement(trials[0], 0xFFFFFFFFu);
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        EXPECT_TRUE(links.OnSaveToFile(out));
    }
    EXPECT_EQ(bytes.size(), 1 + 4 + 4 + 3 * 8);

    VTUsedElements read(&experiment, ElementType::Event);
    {
        QDataStream in(bytes);
        ASSERT_TRUE(read.OnReadFromFile(1, in));
    }
    EXPECT_FALSE(read.CollectionIsEnforcingUniquenessOfElements());
    EXPECT_EQ(read.GetLinkedType(), ElementType::Trial);
    EXPECT_EQ(IDs(read), IDs(links));
    EXPECT_EQ(read.GetExtraData(2), 0xFFFFFFFFu);
    EXPECT_EQ(read.Entries()[0].element, nullptr);  // resolved only on refresh

    // Every truncation fails and leaves the list as it was.
    for (int cut = 0; cut < bytes.size(); ++cut) {
        VTUsedElements partial(&experiment, ElementType::Event);
        partial.AppendLinkForLoading(99, 1);
        QDataStream in(bytes.left(cut));
        EXPECT_FALSE(partial.OnReadFromFile(1, in)) << "cut " << cut;
        EXPECT_EQ(IDs(partial), (std::vector<std::uint32_t>{99}));
        EXPECT_EQ(partial.GetLinkedType(), ElementType::Event);
    }
}

TEST_F(Links, QtStreamCountsAreNotTrusted)
{
    struct Case
    {
        qint32 count;
        int entries;
        bool ok;
        std::size_t size;
    };
    const Case cases[] = {{0, 0, true, 0}, {-5, 0, true, 0}, {2, 2, true, 2}, {0x7FFFFFFF, 1, false, 0}};
    for (const Case& c : cases) {
        QByteArray bytes;
        {
            QDataStream out(&bytes, QIODevice::WriteOnly);
            out << true << qint32(ElementType::Trial) << c.count;
            for (int i = 0; i < c.entries; ++i) out << qint32(100 + i) << qint32(i);
        }
        VTUsedElements read(&experiment, ElementType::Trial);
        QDataStream in(bytes);
        EXPECT_EQ(read.OnReadFromFile(1, in), c.ok) << c.count;
        EXPECT_EQ(read.Size(), c.size) << c.count;
    }
}

TEST_F(Links, OlderWideStreamRoundTripAndTruncation)
{
    wxMemoryOutputStream memory;
    {
        wxDataOutputStream out(memory);
        out.Write8(1);
        out.Write32(wxUint32(ElementType::Block));
        out.Write32(2);
        out.Write32(500);
        out.Write32(1);
        out.Write32(501);
        out.Write32(2);
    }
    std::vector<char> bytes(memory.GetLength());
    memory.CopyTo(bytes.data(), bytes.size());

    {
        wxMemoryInputStream raw(bytes.data(), bytes.size());
        wxDataInputStream in(raw);
        VTUsedElements read(&experiment, ElementType::Trial);
        ASSERT_TRUE(read.OnReadFromFile(1, in));
        EXPECT_TRUE(read.CollectionIsEnforcingUniquenessOfElements());
        EXPECT_EQ(read.GetLinkedType(), ElementType::Block);
        EXPECT_EQ(IDs(read), (std::vector<std::uint32_t>{500, 501}));
        EXPECT_EQ(read.GetExtraData(1), 2u);
    }
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        wxMemoryInputStream raw(bytes.data(), cut);
        wxDataInputStream in(raw);
        VTUsedElements read(&experiment, ElementType::Trial);
        EXPECT_FALSE(read.OnReadFromFile(1, in)) << "cut " << cut;
        EXPECT_TRUE(read.Empty());
        EXPECT_EQ(read.GetLinkedType(), ElementType::Trial);
    }
}
