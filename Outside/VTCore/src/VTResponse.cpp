#include <VTCore/VTExperiment.h>
#include <VTCore/RuntimeHooks.h>
#include <VTCore/VTResponse.h>

#include "FieldKinds.h"

#include <wx/intl.h>
#include <wx/log.h>

namespace Vantrel {

VTResponse::VTResponse(VTExperiment* experiment) : VTElement(ElementType::Response, experiment)
{
    if (experiment) m_PlugInID = experiment->GetNewSDKResponsePlugInID();
}

VTResponse::VTResponse(const VTResponse& source, VTExperiment* experiment) : VTElement(source, experiment)
{
    CopyDeclaredFields(source);
}

VTResponse::~VTResponse() = default;

VTResponse* VTResponse::CreateTemporary_CallerMustDelete(const VTResponse* original, VTExperiment* experiment)
{
    return CreateTemporaryCopy_CallerMustDelete(original, experiment);
}

bool VTResponse::InstructUnderlyingResponseObjectToMutateThisWindow(
    wxWindow* window, VantrelSDK::Interface_EditResponseWindowHelper* helper) const
{
    Interface_RuntimeForCore* runtime = GetRuntimeForCore();
    if (!window || !runtime) return false;
    return runtime->ShowResponseInWindow(*this, *window, helper);
}

bool VTResponse::MediateAndAllowWindowToMutateResponseObject(const wxWindow* window,
                                                             VantrelSDK::Interface_EditResponseWindowHelper* helper,
                                                             VTResponse* stored)
{
    Interface_RuntimeForCore* runtime = GetRuntimeForCore();
    if (!window || !runtime) {
        wxLogError(_("The response's settings cannot be read: no input support is loaded."));
        return false;
    }
    if (!runtime->ReadResponseFromWindow(*this, *window, helper)) return false;
    if (stored) return stored->CopySettingsFrom(*this);
    VTExperiment* experiment = GetOwningExperiment();
    if (!experiment || !experiment->GetElementsOfType(ElementType::Response).AddElement(this, -1)) {
        wxLogError(_("The new response \"%s\" could not be added to the experiment."), GetName());
        return false;
    }
    return true;
}

Minimal_VTElement* VTResponse::CloneIntoExperiment(VTExperiment* experiment) const
{
    return new VTResponse(*this, experiment);
}

namespace {

// [x, y, width, height], each a whole number.
struct RegionKind : PlainKind<VTResponseRegion>
{
    void Write(const VTResponseRegion& r, QJsonObject& o, const char* key) const
    {
        o[key] = QJsonArray{r.x, r.y, r.width, r.height};
    }
    void Read(VTResponseRegion& r, JsonFieldReader& f, const char* key) const
    {
        if (!f.Has(key)) return;
        const QJsonArray a = f.Array(key);
        if (!f.Ok()) return;
        long long v[4] = {0, 0, 0, 0};
        if (a.size() != 4) {
            f.Fail(_("a region must have four numbers"));
            return;
        }
        for (int i = 0; i < 4; ++i)
            if (!JsonFieldReader::ToInt(a.at(i), INT_MIN, INT_MAX, v[i])) {
                f.Fail(wxString::Format(_("the field \"%s\" must hold four whole numbers"), key));
                return;
            }
        r = VTResponseRegion{int(v[0]), int(v[1]), int(v[2]), int(v[3])};
    }
    std::string Describe(const VTResponseRegion& r) const
    {
        return std::to_string(r.x) + "," + std::to_string(r.y) + "," + std::to_string(r.width) + "," +
               std::to_string(r.height);
    }
    void MakeDifferent(VTResponseRegion& r, const ElementIdSource&) const
    {
        r.x -= 10;
        r.y += 20;
        r.width += 30;
        r.height += 40;
    }
};

}  // namespace

const ElementFieldTable& VTResponse::FieldTable()
{
    static const ElementFieldTable table(
        &ElementBaseFieldTable(), ElementMember("plugInID", &VTResponse::m_PlugInID, Whole<int>()),
        ElementMember("keyCode", &VTResponse::m_KeyCode, Whole<int>()),
        ElementMember("port", &VTResponse::m_Port, Whole<int>()),
        ElementMember("phase", &VTResponse::m_Phase, Whole<int>(1, 2)),
        ElementMember("regionMode", &VTResponse::m_RegionMode, Whole<int>(kRegionModeAnywhere, kRegionModeSpecific)),
        ElementMember("region", &VTResponse::m_Region, RegionKind()),
        ElementMember("hidden", &VTResponse::m_Hidden, BoolKind()));
    return table;
}

}  // namespace Vantrel
