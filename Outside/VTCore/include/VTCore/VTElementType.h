#pragma once
// The element types of an experiment. Their numbers are stored in documents and
// passed around as plain 32-bit integers, so they are constants, not an enum class.

#include <cstdint>

namespace Vantrel {

using VTElementType = std::int32_t;

namespace ElementType {
constexpr VTElementType Block = 0;
constexpr VTElementType Trial = 1;
constexpr VTElementType Event = 2;
constexpr VTElementType TrialVariable = 3;
constexpr VTElementType Rule = 4;
constexpr VTElementType Response = 5;
// 6 and 7 are unused.
constexpr VTElementType StimList = 8;
constexpr VTElementType ParticipantGroup = 9;
constexpr VTElementType Reserved10 = 10;  // always an empty list
constexpr VTElementType TagSet = 11;
constexpr VTElementType Tag = 12;
// One element list exists per number below this, including the unused ones.
constexpr VTElementType Count = 13;
}  // namespace ElementType

// True for the types that have an element class (not 6, 7 or 10).
bool IsElementTypeWithClass(VTElementType type);
// True for 0 .. ElementType::Count-1.
inline bool IsValidElementTypeNumber(VTElementType type) { return type >= 0 && type < ElementType::Count; }

// Element ids are unique per type, never 0 and always below 2^31.
constexpr std::uint32_t kNoElementID = 0;
constexpr std::uint32_t kMaxElementID = 0x7FFFFFFFu;

}  // namespace Vantrel
