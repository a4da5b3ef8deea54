#include "VTPlugInCommon/VTSdkResponses.h"

#include <QDataStream>

namespace VantrelSDK {

namespace {
// Each response class writes its tag first, so a stream read into the wrong class fails.
enum : qint32
{
    TAG_BASE = 0x52420001,
    TAG_DISCRETE_KEY = 0x52440001,
    TAG_ON_SCREEN = 0x524F0001
};
}  // namespace

VTSdkBaseResponse::VTSdkBaseResponse() {}
VTSdkBaseResponse::~VTSdkBaseResponse() {}

void VTSdkBaseResponse::SetResponseType(int type) { m_ResponseType = type; }
int VTSdkBaseResponse::GetResponseType() const { return m_ResponseType; }
VTSdkBaseResponse* VTSdkBaseResponse::Clone() const { return new VTSdkBaseResponse(*this); }

bool VTSdkBaseResponse::IsSameResponseAs(const VTSdkBaseResponse& other) const
{
    return typeid(*this) == typeid(other) && m_ResponseType == other.m_ResponseType;
}

wxString VTSdkBaseResponse::GetDescription() const
{
    return m_ResponseType == RESPONSE_TYPE_RELEASE ? wxString("release") : wxString("press");
}

bool VTSdkBaseResponse::SaveToStream(QDataStream& out) const
{
    out << qint32(TAG_BASE) << qint32(m_ResponseType) << qint32(m_ResponseID);
    return out.status() == QDataStream::Ok;
}

bool VTSdkBaseResponse::LoadFromStream(QDataStream& in)
{
    qint32 tag = 0, type = 0, id = 0;
    in >> tag >> type >> id;
    if (in.status() != QDataStream::Ok || tag != TAG_BASE) return false;
    m_ResponseType = type;
    m_ResponseID = id;
    return true;
}

VTSdkDiscreteKeyResp::VTSdkDiscreteKeyResp(bool isPluginStatic) : m_IsPluginStatic(isPluginStatic) {}

VTSdkDiscreteKeyResp::VTSdkDiscreteKeyResp(const VTSdkDiscreteKeyResp& other)
    : VTSdkBaseResponse(other),
      m_KeyNumber(other.m_KeyNumber),
      m_PortNumber(other.m_PortNumber),
      m_IsPluginStatic(false)
{}

VTSdkDiscreteKeyResp::~VTSdkDiscreteKeyResp() {}

void VTSdkDiscreteKeyResp::ResetToDiscreteKeyDefaults()
{
    SetResponseType(RESPONSE_TYPE_PRESS);
    SetResponseID(GetUniqueIdForUndefined());
    m_KeyNumber = -1;
    m_PortNumber = -1;
}

VTSdkBaseResponse* VTSdkDiscreteKeyResp::Clone() const { return new VTSdkDiscreteKeyResp(*this); }

bool VTSdkDiscreteKeyResp::IsSameResponseAs(const VTSdkBaseResponse& other) const
{
    const auto* key = dynamic_cast<const VTSdkDiscreteKeyResp*>(&other);
    return key && key->GetResponseType() == GetResponseType() && key->m_KeyNumber == m_KeyNumber &&
           key->m_PortNumber == m_PortNumber;
}

wxString VTSdkDiscreteKeyResp::GetDescription() const
{
    return wxString::Format("key %d port %d %s", m_KeyNumber, m_PortNumber, VTSdkBaseResponse::GetDescription());
}

bool VTSdkDiscreteKeyResp::SaveToStream(QDataStream& out) const
{
    out << qint32(TAG_DISCRETE_KEY) << qint32(GetResponseType()) << qint32(GetResponseID()) << qint32(m_KeyNumber)
        << qint32(m_PortNumber);
    return out.status() == QDataStream::Ok;
}

bool VTSdkDiscreteKeyResp::LoadFromStream(QDataStream& in)
{
    qint32 tag = 0, type = 0, id = 0, key = 0, port = 0;
    in >> tag >> type >> id >> key >> port;
    if (in.status() != QDataStream::Ok || tag != TAG_DISCRETE_KEY) return false;
    SetResponseType(type);
    SetResponseID(id);
    m_KeyNumber = key;
    m_PortNumber = port;
    return true;
}

VTSdkOnScreenResp::VTSdkOnScreenResp() {}
VTSdkOnScreenResp::~VTSdkOnScreenResp() {}

void VTSdkOnScreenResp::SetBoundingRectForRegion(int x, int y, int w, int h)
{
    m_X = x;
    m_Y = y;
    m_W = w;
    m_H = h;
}

void VTSdkOnScreenResp::GetBoundingRectForRegion_DisobeysWxConvention_X_Y_is_NOT_TopLeft(int& x, int& y, int& w,
                                                                                         int& h) const
{
    x = m_X;
    y = m_Y;
    w = m_W;
    h = m_H;
}

VTSdkBaseResponse* VTSdkOnScreenResp::Clone() const { return new VTSdkOnScreenResp(*this); }

bool VTSdkOnScreenResp::IsSameResponseAs(const VTSdkBaseResponse& other) const
{
    const auto* screen = dynamic_cast<const VTSdkOnScreenResp*>(&other);
    return screen && screen->GetResponseType() == GetResponseType() && screen->keyOrActionCode == keyOrActionCode &&
           screen->m_Region == m_Region && screen->m_X == m_X && screen->m_Y == m_Y && screen->m_W == m_W &&
           screen->m_H == m_H;
}

wxString VTSdkOnScreenResp::GetDescription() const
{
    return wxString::Format("code %d region %d %s", keyOrActionCode, m_Region, VTSdkBaseResponse::GetDescription());
}

bool VTSdkOnScreenResp::SaveToStream(QDataStream& out) const
{
    out << qint32(TAG_ON_SCREEN) << qint32(GetResponseType()) << qint32(GetResponseID()) << qint32(keyOrActionCode)
        << qint32(m_Region) << qint32(m_X) << qint32(m_Y) << qint32(m_W) << qint32(m_H);
    return out.status() == QDataStream::Ok;
}

bool VTSdkOnScreenResp::LoadFromStream(QDataStream& in)
{
    qint32 tag = 0, type = 0, id = 0, code = 0, region = 0, x = 0, y = 0, w = 0, h = 0;
    in >> tag >> type >> id >> code >> region >> x >> y >> w >> h;
    if (in.status() != QDataStream::Ok || tag != TAG_ON_SCREEN) return false;
    SetResponseType(type);
    SetResponseID(id);
    keyOrActionCode = code;
    m_Region = region;
    SetBoundingRectForRegion(x, y, w, h);
    return true;
}

VTSdkOnScreenHit::VTSdkOnScreenHit(const PointerButtonEvent& event) : m_Event(event)
{
    keyOrActionCode = event.button;
    SetPhase(event.phase);
    SetRegion(REGION_SPECIFIC);
    SetBoundingRectForRegion(event.position.x - event.surface.x / 2, event.position.y - event.surface.y / 2, 1, 1);
    SetTimeMicroseconds(event.timeMicroseconds);
}

bool VTSdkOnScreenHit::Satisfies(const VTSdkOnScreenResp& defined) const
{
    if (defined.keyOrActionCode != CODE_ANY_MOUSE_BUTTON && defined.keyOrActionCode != m_Event.button) return false;
    if (defined.GetPhase() != m_Event.phase) return false;
    switch (defined.GetRegion()) {
        case REGION_ANYWHERE: return true;
        case REGION_AUTOMATIC: return m_Event.stimulusShown && m_Event.stimulus.Contains(m_Event.position);
        case REGION_SPECIFIC: {
            int x = 0, y = 0, w = 0, h = 0;
            defined.GetBoundingRectForRegion_DisobeysWxConvention_X_Y_is_NOT_TopLeft(x, y, w, h);
            const wxRect area(m_Event.surface.x / 2 + x - w / 2, m_Event.surface.y / 2 + y - h / 2, w, h);
            return area.Contains(m_Event.position);
        }
        default: return false;
    }
}

VTSdkBaseResponse* VTSdkOnScreenHit::Clone() const { return new VTSdkOnScreenHit(*this); }

wxString VTSdkOnScreenHit::GetDescription() const
{
    const wxString button = m_Event.button == PointerButtonEvent::BUTTON_LEFT     ? "Left Button"
                            : m_Event.button == PointerButtonEvent::BUTTON_MIDDLE ? "Middle Button"
                                                                                  : "Right Button";
    return button + (m_Event.phase == RESPONSE_TYPE_RELEASE ? " (release)" : "");
}

}  // namespace VantrelSDK
