#include <VTCore/VTExperiment.h>
#include <VTCore/VTResponse.h>

namespace Vantrel {

VTResponse::VTResponse(VTExperiment* experiment) : VTElement(ElementType::Response, experiment)
{
    if (experiment) m_PlugInID = experiment->GetNewSDKResponsePlugInID();
}

VTResponse::VTResponse(const VTResponse& source, VTExperiment* experiment)
    : VTElement(source, experiment),
      m_PlugInID(source.m_PlugInID),
      m_KeyCode(source.m_KeyCode),
      m_Port(source.m_Port),
      m_Phase(source.m_Phase),
      m_RegionMode(source.m_RegionMode),
      m_X(source.m_X),
      m_Y(source.m_Y),
      m_W(source.m_W),
      m_H(source.m_H),
      m_Hidden(source.m_Hidden)
{}

VTResponse::~VTResponse() = default;

VTResponse* VTResponse::CreateTemporary_CallerMustDelete(const VTResponse* original, VTExperiment* experiment)
{
    return CreateTemporaryCopy_CallerMustDelete(original, experiment);
}

Minimal_VTElement* VTResponse::CloneIntoExperiment(VTExperiment* experiment) const
{
    return new VTResponse(*this, experiment);
}

bool VTResponse::CopySettingsFrom(const Minimal_VTElement& source)
{
    const auto* s = dynamic_cast<const VTResponse*>(&source);
    if (!s) return false;
    if (s == this) return true;
    CopyElementSettingsFrom(*s);
    m_PlugInID = s->m_PlugInID;
    m_KeyCode = s->m_KeyCode;
    m_Port = s->m_Port;
    m_Phase = s->m_Phase;
    m_RegionMode = s->m_RegionMode;
    m_X = s->m_X;
    m_Y = s->m_Y;
    m_W = s->m_W;
    m_H = s->m_H;
    m_Hidden = s->m_Hidden;
    return true;
}

}  // namespace Vantrel
