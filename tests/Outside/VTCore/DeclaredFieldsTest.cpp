// The round-trip guard: every declared field of every element type (and of the
// experiment) is given a value other than its default, from the declarations
// themselves; saving and loading, making a working copy and committing it back
// must all keep every one of them.

#include "FieldKinds.h"

#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/ElementDocumentText.h>
#include <VTCore/VTElements.h>
#include <VTCore/VTExperiment.h>

#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/filename.h>

#include <map>
#include <memory>

using namespace Vantrel;

namespace {

const VTElementType kTypesWithClass[] = {
    ElementType::Block,  ElementType::Trial,    ElementType::Event,    ElementType::TrialVariable,
    ElementType::Rule,   ElementType::Response, ElementType::StimList, ElementType::ParticipantGroup,
    ElementType::TagSet, ElementType::Tag};

// Ids of existing elements, so filled references resolve.
ElementIdSource IdsOf(VTExperiment& x)
{
    return [&x](VTElementType type, unsigned salt) -> std::uint32_t {
        VTElementsList& list = x.GetReadOnlyElementsOfType(type);
        return list.Empty() ? 0 : list[salt % list.Size()]->GetID();
    };
}

// Three elements of every type, each declared field changed from its default;
// `blank` keeps an unchanged copy of each, keyed by (type, id).
struct FilledExperiment
{
    VTExperiment x;
    std::map<std::pair<VTElementType, std::uint32_t>, std::unique_ptr<Minimal_VTElement>> blank;

    FilledExperiment()
    {
        for (VTElementType type : kTypesWithClass)
            for (int n = 0; n < 3; ++n) {
                Minimal_VTElement* el = NewElementOfType(type, &x);
                x.GetElementsOfType(type).AddElement(el, -1);
                blank[{type, el->GetID()}].reset(el->CloneIntoExperiment(nullptr));
            }
        const ElementIdSource ids = IdsOf(x);
        for (VTElementType type : kTypesWithClass) {
            VTElementsList& list = x.GetElementsOfType(type);
            for (std::size_t i = 0; i < list.Size(); ++i)
                for (const ElementField* field : list[i]->GetFieldTable().Fields()) field->MakeDifferent(*list[i], ids);
        }
        for (const auto* field : VTExperiment::FieldTable().Fields()) field->MakeDifferent(x, ids);
        x.RefreshAllElementLinks();
    }
};

std::string Join(const std::vector<std::string>& lines)
{
    std::string s;
    for (const auto& line : lines) s += line + "\n";
    return s;
}

// Field by field, every element of `a` against the element with its id in `b`.
void ExpectSameElements(VTExperiment& a, VTExperiment& b, const char* what)
{
    for (VTElementType type : kTypesWithClass) {
        VTElementsList& list = a.GetReadOnlyElementsOfType(type);
        ASSERT_EQ(b.GetReadOnlyElementsOfType(type).Size(), list.Size()) << what << " type " << type;
        for (std::size_t i = 0; i < list.Size(); ++i) {
            Minimal_VTElement* other = b.LookupElementByTypeAndID(type, list[i]->GetID());
            ASSERT_NE(other, nullptr) << what << " type " << type << " id " << list[i]->GetID();
            EXPECT_EQ(Join(list[i]->GetFieldTable().Differences(*list[i], *other)), "")
                << what << ": " << list[i]->GetTypeName() << " " << list[i]->GetID();
        }
    }
    EXPECT_EQ(Join(VTExperiment::FieldTable().Differences(a, b)), "") << what << ": the experiment";
}

class DeclaredFields : public ::testing::Test
{
protected:
    void SetUp() override { TestSupport::ClearLog(); }
};

}  // namespace

TEST_F(DeclaredFields, EveryDeclaredFieldIsFilledWithAValueOtherThanItsDefault)
{
    FilledExperiment filled;
    for (const auto& [key, blank] : filled.blank) {
        Minimal_VTElement* el = filled.x.LookupElementByTypeAndID(key.first, key.second);
        ASSERT_NE(el, nullptr);
        const std::vector<std::string> changed = el->GetFieldTable().Differences(*el, *blank);
        EXPECT_EQ(changed.size(), el->GetFieldTable().Fields().size())
            << el->GetTypeName() << " " << el->GetID() << ": only\n"
            << Join(changed);
    }
}

TEST_F(DeclaredFields, SavingAndLoadingKeepsEveryDeclaredField)
{
    FilledExperiment filled;
    const wxString file = wxString::FromUTF8(TestSupport::MakeTempFolder("fields") + "/every-field.vt6");
    ASSERT_TRUE(filled.x.OnSaveDocument(file)) << TestSupport::LogAsText();

    VTExperiment loaded;
    ASSERT_TRUE(loaded.OnOpenDocument(file)) << TestSupport::LogAsText();
    EXPECT_TRUE(TestSupport::RecordedLog().empty()) << TestSupport::LogAsText();
    ExpectSameElements(filled.x, loaded, "loaded");
}

TEST_F(DeclaredFields, WorkingCopiesKeepEveryDeclaredFieldAndCommitItBack)
{
    FilledExperiment filled;
    for (const auto& [key, blank] : filled.blank) {
        Minimal_VTElement* el = filled.x.LookupElementByTypeAndID(key.first, key.second);
        std::unique_ptr<Minimal_VTElement> copy(el->CloneIntoExperiment(nullptr));
        EXPECT_EQ(copy->GetOwningExperiment(), nullptr);
        EXPECT_EQ(Join(el->GetFieldTable().Differences(*el, *copy)), "") << el->GetTypeName() << " copy";
        // Committing into an element that still has its defaults gives the same settings.
        ASSERT_TRUE(blank->CopySettingsFrom(*copy));
        EXPECT_EQ(Join(el->GetFieldTable().Differences(*el, *blank)), "") << el->GetTypeName() << " commit";
    }
}

namespace {

// A test element: one field stored normally, one whose kind forgets to write it,
// as a new field whose saving was left out would.
class GuardProbe : public VTElement
{
public:
    explicit GuardProbe(VTExperiment* x) : VTElement(ElementType::Rule, x) {}
    GuardProbe(const GuardProbe& source, VTExperiment* x) : VTElement(source, x) { CopyDeclaredFields(source); }
    Minimal_VTElement* CloneIntoExperiment(VTExperiment* x) const override { return new GuardProbe(*this, x); }
    const ElementFieldTable& GetFieldTable() const override { return withUnsaved ? Unsaved() : Saved(); }

    static const ElementFieldTable& Saved()
    {
        static const ElementFieldTable table(&ElementBaseFieldTable(),
                                             ElementMember("stored", &GuardProbe::m_Stored, Whole<int>()));
        return table;
    }
    static const ElementFieldTable& Unsaved()
    {
        struct NotWritten : IntKind<int>
        {
            void Write(const int&, QJsonObject&, const char*) const {}
        };
        static const ElementFieldTable table(&Saved(),
                                             ElementMember("forgotten", &GuardProbe::m_Forgotten, NotWritten()));
        return table;
    }

    bool withUnsaved = false;
    int m_Stored = 0;
    int m_Forgotten = 0;
};

// The guard for one element: fill, write, read into a fresh one, compare.
std::vector<std::string> RoundTripDifferences(GuardProbe& filled, GuardProbe& fresh)
{
    const ElementIdSource none = [](VTElementType, unsigned) { return 0u; };
    for (const ElementField* field : filled.GetFieldTable().Fields()) field->MakeDifferent(filled, none);
    wxString error;
    EXPECT_TRUE(ElementFromDocumentText(fresh, ElementToDocumentText(filled), error)) << error;
    return filled.GetFieldTable().Differences(filled, fresh);
}

}  // namespace

TEST_F(DeclaredFields, AFieldLeftOutOfSavingFailsTheGuard)
{
    GuardProbe stored(nullptr), storedFresh(nullptr);
    EXPECT_TRUE(RoundTripDifferences(stored, storedFresh).empty());

    GuardProbe probe(nullptr), probeFresh(nullptr);
    probe.withUnsaved = probeFresh.withUnsaved = true;
    const std::vector<std::string> differences = RoundTripDifferences(probe, probeFresh);
    ASSERT_EQ(differences.size(), 1u) << Join(differences);
    EXPECT_EQ(differences[0], "forgotten: 1 / 0");
}
