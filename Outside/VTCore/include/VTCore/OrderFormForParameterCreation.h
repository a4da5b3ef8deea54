#pragma once
// The plain record of one experiment parameter, as the parameters editor hands it over.

#include <wx/string.h>
#include <cstdint>

namespace Vantrel {

namespace ParameterType {
constexpr int Timer = 2101;
constexpr int Counter = 2102;
constexpr int Response = 2103;
constexpr int Text = 2104;
constexpr int Collection = 2201;
}  // namespace ParameterType

struct OrderFormForParameterCreation
{
    OrderFormForParameterCreation() = default;
    OrderFormForParameterCreation(const wxString& name_, int type_) : name(name_), type(type_) {}

    wxString name;
    std::int32_t type = ParameterType::Counter;
    wxString text;
    std::int32_t initialValue = 0;
    std::int32_t sizeLimit = -1;  // -1: no limit
    bool saveToDataFile = true;
    wxString description;
    bool hasMin = false;
    bool hasMax = false;
    std::int32_t min = 0;
    std::int32_t max = 0;

    bool operator==(const OrderFormForParameterCreation& o) const
    {
        return name == o.name && type == o.type && text == o.text && initialValue == o.initialValue &&
               sizeLimit == o.sizeLimit && saveToDataFile == o.saveToDataFile && description == o.description &&
               hasMin == o.hasMin && hasMax == o.hasMax && min == o.min && max == o.max;
    }
    bool operator!=(const OrderFormForParameterCreation& o) const { return !(*this == o); }
};

}  // namespace Vantrel
