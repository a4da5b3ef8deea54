#pragma once
// Responses that input plug-ins deliver and that experiments define.

#include <wx/string.h>

#include "VTPlugInCommon/VTSdkExport.h"
#include "VTPlugInCommon/VTSdkPointerInput.h"

class QDataStream;

namespace VantrelSDK {

struct VTSDK_API NameIDPair
{
    wxString name;
    int id = -1;
};

class VTSDK_API VTSdkBaseResponse
{
public:
    enum ResponseType
    {
        RESPONSE_TYPE_PRESS = 1,
        RESPONSE_TYPE_RELEASE = 2
    };

    VTSdkBaseResponse();
    VTSdkBaseResponse(const VTSdkBaseResponse&) = default;
    VTSdkBaseResponse& operator=(const VTSdkBaseResponse&) = default;
    virtual ~VTSdkBaseResponse();

    virtual void SetResponseType(int type);
    virtual int GetResponseType() const;
    virtual VTSdkBaseResponse* Clone() const;
    // Same physical response (class, and the fields that identify it), ignoring the id.
    virtual bool IsSameResponseAs(const VTSdkBaseResponse& other) const;
    virtual wxString GetDescription() const;
    virtual bool SaveToStream(QDataStream& out) const;
    virtual bool LoadFromStream(QDataStream& in);

    // The id of the experiment's defined response this one matched, or GetUniqueIdForUndefined().
    int GetResponseID() const { return m_ResponseID; }
    void SetResponseID(int id) { m_ResponseID = id; }
    // Run-timer microseconds at which the device's event arrived, when the plug-in
    // knows it better than the poll that found it; 0 leaves the time to the poll.
    unsigned long long GetTimeMicroseconds() const { return m_TimeMicroseconds; }
    void SetTimeMicroseconds(unsigned long long time) { m_TimeMicroseconds = time; }
    // -4444: differs from -1 and from the editors' sentinels -2, -3344 and -5432.
    static int GetUniqueIdForUndefined() { return -4444; }

private:
    int m_ResponseType = RESPONSE_TYPE_PRESS;
    int m_ResponseID = -4444;
    unsigned long long m_TimeMicroseconds = 0;
};

// A key (or line) on a port, pressed or released.
class VTSDK_API VTSdkDiscreteKeyResp : public VTSdkBaseResponse
{
public:
    // `isPluginStatic`: true for a plug-in's own long-lived response being assembled,
    // false for responses handed out (default responses, copies).
    explicit VTSdkDiscreteKeyResp(bool isPluginStatic);
    VTSdkDiscreteKeyResp(const VTSdkDiscreteKeyResp& other);
    VTSdkDiscreteKeyResp& operator=(const VTSdkDiscreteKeyResp&) = default;
    ~VTSdkDiscreteKeyResp() override;

    // Press, no key (-1), no port (-1), undefined id.
    void ResetToDiscreteKeyDefaults();

    int GetKeyNumber() const { return m_KeyNumber; }
    void SetKeyNumber(int key) { m_KeyNumber = key; }
    int GetPortNumber() const { return m_PortNumber; }
    void SetPortNumber(int port) { m_PortNumber = port; }
    bool IsPluginStatic() const { return m_IsPluginStatic; }

    VTSdkBaseResponse* Clone() const override;
    bool IsSameResponseAs(const VTSdkBaseResponse& other) const override;
    wxString GetDescription() const override;
    bool SaveToStream(QDataStream& out) const override;
    bool LoadFromStream(QDataStream& in) override;

private:
    int m_KeyNumber = -1;
    int m_PortNumber = -1;
    bool m_IsPluginStatic;
};

// A response on screen: a mouse button or an eye-tracker region.
class VTSDK_API VTSdkOnScreenResp : public VTSdkBaseResponse
{
public:
    enum Region
    {
        REGION_ANYWHERE = 0,
        REGION_AUTOMATIC = 1,
        REGION_SPECIFIC = 2
    };
    enum
    {
        CODE_ANY_MOUSE_BUTTON = 255,
        CODE_EYE_TRACKER_AOI = 14
    };

    VTSdkOnScreenResp();
    ~VTSdkOnScreenResp() override;

    // The key or action code (255 any mouse button, 14 eye-tracker area of interest).
    int keyOrActionCode = CODE_ANY_MOUSE_BUTTON;

    int GetPhase() const { return GetResponseType(); }  // 1 pressed, 2 released
    void SetPhase(int phase) { SetResponseType(phase); }
    int GetRegion() const { return m_Region; }
    void SetRegion(int region) { m_Region = region; }
    // x, y: the centre of the region.
    void SetBoundingRectForRegion(int x, int y, int w, int h);
    void GetBoundingRectForRegion_DisobeysWxConvention_X_Y_is_NOT_TopLeft(int& x, int& y, int& w, int& h) const;

    VTSdkBaseResponse* Clone() const override;
    bool IsSameResponseAs(const VTSdkBaseResponse& other) const override;
    wxString GetDescription() const override;
    bool SaveToStream(QDataStream& out) const override;
    bool LoadFromStream(QDataStream& in) override;

private:
    int m_Region = REGION_ANYWHERE;
    int m_X = 0, m_Y = 0, m_W = 0, m_H = 0;
};

// A mouse button that moved on the presentation window: its button code (1 left,
// 2 middle, 4 right), its phase, where it was and where the stimulus was drawn.
class VTSDK_API VTSdkOnScreenHit : public VTSdkOnScreenResp
{
public:
    explicit VTSdkOnScreenHit(const PointerButtonEvent& event);
    const PointerButtonEvent& GetEvent() const { return m_Event; }

    // Whether this hit is the defined response `defined`: the same button (or any
    // mouse button), the same phase, and inside its region. A specific region's x, y
    // are its centre in pixels from the surface's centre, y growing downwards; the
    // automatic region is where the stimulus was drawn, and without one nothing is in it.
    bool Satisfies(const VTSdkOnScreenResp& defined) const;

    VTSdkBaseResponse* Clone() const override;
    wxString GetDescription() const override;

private:
    PointerButtonEvent m_Event;
};

}  // namespace VantrelSDK
