#include "VTPlugInCommon/VTSdkWindowHelpers.h"

#include <wx/checkbox.h>
#include <wx/window.h>

#include "VTPlugInCommon/VTSdkSettings.h"

namespace VantrelSDK {

Interface_ParticipantInputWindowHelper::~Interface_ParticipantInputWindowHelper() {}
Interface_EditResponseWindowHelper::~Interface_EditResponseWindowHelper() {}

namespace {
const char* const kPressesOnly = "check_presses_only";
const char* const kOnlyDefined = "check_only_defined_responses";

wxCheckBox* FindCheck(const wxWindow* panel, const char* name)
{
    return panel ? wxDynamicCast(panel->FindWindow(name), wxCheckBox) : nullptr;
}
}  // namespace

namespace InputGUIFunctions {
void EnableOrDisableInputPluginWindow(wxWindow* panel, bool enable)
{
    if (!panel) return;
    for (wxWindow* child : panel->GetChildren()) child->Enable(enable);
}
void EnableOrDisableInputPluginWindow(wxWindow& panel, bool enable)
{
    EnableOrDisableInputPluginWindow(&panel, enable);
}
}  // namespace InputGUIFunctions

namespace DiscreteKeySettingsProcessing {
void SetWaitForKeyPressControlValues(wxWindow* panel, const VTSdkDiscreteKeySettings& settings)
{
    if (wxCheckBox* c = FindCheck(panel, kPressesOnly)) c->SetValue(settings.RespondsToPressesOnly());
    if (wxCheckBox* c = FindCheck(panel, kOnlyDefined)) c->SetValue(settings.AcceptsOnlyDefinedResponses());
}
void SetWaitForKeyPressControlValues(wxWindow& panel, const VTSdkDiscreteKeySettings& settings)
{
    SetWaitForKeyPressControlValues(&panel, settings);
}

void UpdateWaitForKeyPressControls(wxWindow* panel, const VTSdkDiscreteKeySettings&)
{
    if (!panel) return;
    const bool enabled = panel->IsEnabled();
    if (wxCheckBox* c = FindCheck(panel, kPressesOnly)) c->Enable(enabled);
    if (wxCheckBox* c = FindCheck(panel, kOnlyDefined)) c->Enable(enabled);
}
void UpdateWaitForKeyPressControls(wxWindow& panel, const VTSdkDiscreteKeySettings& settings)
{
    UpdateWaitForKeyPressControls(&panel, settings);
}

bool MutateSettingsToApplyWaitForKeyPressValues(const wxWindow* panel, VTSdkDiscreteKeySettings& settings)
{
    if (!panel) return false;
    if (wxCheckBox* c = FindCheck(panel, kPressesOnly)) settings.SetRespondToPressesOnly(c->GetValue());
    if (wxCheckBox* c = FindCheck(panel, kOnlyDefined)) settings.SetAcceptOnlyDefinedResponses(c->GetValue());
    return true;
}
bool MutateSettingsToApplyWaitForKeyPressValues(const wxWindow& panel, VTSdkDiscreteKeySettings& settings)
{
    return MutateSettingsToApplyWaitForKeyPressValues(&panel, settings);
}
}  // namespace DiscreteKeySettingsProcessing

}  // namespace VantrelSDK

Interface_ResponseWindow::~Interface_ResponseWindow() {}
