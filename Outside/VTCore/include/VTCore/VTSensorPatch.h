#pragma once
// The light-sensor patch: a square that the run draws at each stimulus onset, so a
// light sensor fixed to the screen can verify when stimuli appear. Position and
// size in screen pixels (the square's top-left corner at X, Y).

#include <wx/colour.h>

namespace Vantrel {

class VTSensorPatch
{
public:
    VTSensorPatch();
    virtual ~VTSensorPatch();
    VTSensorPatch(const VTSensorPatch&) = default;
    VTSensorPatch& operator=(const VTSensorPatch&) = default;

    int GetSensorPatchSize() const { return m_Size; }
    void SetSensorPatchSize(int size) { m_Size = size; }
    int GetSensorPatchPosX() const { return m_X; }
    void SetSensorPatchPosX(int x) { m_X = x; }
    int GetSensorPatchPosY() const { return m_Y; }
    void SetSensorPatchPosY(int y) { m_Y = y; }
    wxColour GetSensorPatchColour() const { return m_Colour; }
    void SetSensorPatchColour(const wxColour& colour) { m_Colour = colour; }
    // Disabled for all events (per-event settings cannot turn it back on).
    bool GetSensorPatchDisable() const { return m_Disable; }
    void SetSensorPatchDisable(bool disable) { m_Disable = disable; }

    bool operator==(const VTSensorPatch& o) const;

private:
    int m_Size = 40;
    int m_X = 0;
    int m_Y = 0;
    wxColour m_Colour{255, 255, 255};
    bool m_Disable = true;
};

}  // namespace Vantrel
