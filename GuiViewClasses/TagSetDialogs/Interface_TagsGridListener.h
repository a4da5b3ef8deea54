#pragma once

namespace Vantrel {

// Told when the user changed the chosen tag of one column of a tags grid.
class Interface_TagsGridListener
{
public:
    virtual ~Interface_TagsGridListener() = default;
    // The id of the tag set whose column was clicked.
    virtual void OnTagChanged(int tagsetId) = 0;
};

}  // namespace Vantrel
