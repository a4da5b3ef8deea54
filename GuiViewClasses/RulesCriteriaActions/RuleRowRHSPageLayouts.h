#pragma once
// What each operand page holds, as data: its controls left to right, which of
// them the book greys out, its operator filler and what it lists from the
// experiment. One builder makes every page from these.

#include <wx/defs.h>

#include <vector>

class wxChoice;

namespace Vantrel {

struct RhsControlLayout
{
    enum class Kind
    {
        Link,
        Choice,
        Field,
        Label,
        Spacer,
        Picker
    };
    // Which member of the page the control becomes.
    enum class Role
    {
        None,
        Choice1,
        Choice2,
        Field,
        Link,
        Picker,
        Message,
        FixedUnits,
        MinLabel,
        MaxLabel
    };
    explicit RhsControlLayout(Kind kind_, int id_ = wxID_ANY, const char* text_ = "")
        : kind(kind_), id(id_), text(text_)
    {}

    Kind kind;
    int id = wxID_ANY;
    const char* text = "";  // label, initial value, or the selected item
    std::vector<const char*> items;
    const char* name = "";
    int flags = 0;  // sizer sides
    int border = 0;
    int width = -1;  // fields and spacers
    int height = -1;
    int proportion = 0;
    Role role = Role::None;
    bool registered = false;
    bool grey = false;
    bool inLimitsSizer = false;
};

struct RhsPageLayout
{
    enum class Refill
    {
        None,
        Parameters,       // of parameterType; -1: every kind but collections
        BoundedCounters,  // counters with both limits
        Elements,         // of elementType (events: non-list ones only)
        LevelAction,      // trial levels, then the book fills the levels
        TagAction,        // tag sets, then the book fills the tags of page tagPage
        Responses,        // responses, then "unset (no stored response)"
        BothParameters    // both lists: of parameterType
    };
    std::vector<RhsControlLayout> controls;
    void (*filler)(wxChoice*) = nullptr;
    Refill refill = Refill::None;
    int parameterType = -1;
    int elementType = -1;
    int tagPage = -1;
};

// The description of page class 1..45.
const RhsPageLayout& RhsPageLayoutForClass(int classNumber);

}  // namespace Vantrel
