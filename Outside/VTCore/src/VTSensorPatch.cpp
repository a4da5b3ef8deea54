#include <VTCore/VTSensorPatch.h>

namespace Vantrel {

VTSensorPatch::VTSensorPatch() = default;
VTSensorPatch::~VTSensorPatch() = default;

bool VTSensorPatch::operator==(const VTSensorPatch& o) const
{
    return m_Size == o.m_Size && m_X == o.m_X && m_Y == o.m_Y && m_Colour == o.m_Colour && m_Disable == o.m_Disable;
}

}  // namespace Vantrel
