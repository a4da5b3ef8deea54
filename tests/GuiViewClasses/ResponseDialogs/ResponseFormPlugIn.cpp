// A test input plug-in (id 9902, "Response Form") whose resources beside the library
// hold "dlg_edit_response" and a configuration panel with a responses list, and whose
// helper fills and reads that dialog's key, port and phase: the generic response
// editor's path, as any resource-laid-out input plug-in takes it. Its responses
// conflict with its own, with keys and with its twin's. The twin (9903, "Response
// Form B") is the same source built with RESPONSE_FORM_TWIN.

#include <VTPlugInCommon/VTSdkExport.h>
#include <VTPlugInCommon/VTSdkInputPlugin.h>
#include <VTPlugInCommon/VTSdkWindowHelpers.h>

#include <wx/choice.h>
#include <wx/spinctrl.h>
#include <wx/window.h>

#ifdef RESPONSE_FORM_TWIN
#define RESPONSE_FORM_ID 9903
#define RESPONSE_FORM_NAME "Response Form B"
#else
#define RESPONSE_FORM_ID 9902
#define RESPONSE_FORM_NAME "Response Form"
#endif

namespace {

class KeyFormHelper : public VantrelSDK::Interface_EditResponseWindowHelper
{
public:
    bool ApplyWindowValuesToResponseObject(const wxWindow& window, VantrelSDK::VTSdkBaseResponse& base) override
    {
        auto* response = dynamic_cast<VantrelSDK::VTSdkDiscreteKeyResp*>(&base);
        auto* key = dynamic_cast<wxSpinCtrl*>(window.FindWindow("spin_key"));
        auto* port = dynamic_cast<wxSpinCtrl*>(window.FindWindow("spin_port"));
        auto* phase = dynamic_cast<wxChoice*>(window.FindWindow("choice_phase"));
        // Key 0 is no key: the form is not valid and the editor stays open.
        if (!response || !key || !port || !phase || key->GetValue() == 0) return false;
        response->SetKeyNumber(key->GetValue());
        response->SetPortNumber(port->GetValue());
        response->SetResponseType(phase->GetSelection() + 1);
        return true;
    }
    void ConfigureWindowUsingCurrentResponseState(wxWindow& window, const VantrelSDK::VTSdkBaseResponse& base) override
    {
        auto* response = dynamic_cast<const VantrelSDK::VTSdkDiscreteKeyResp*>(&base);
        auto* key = dynamic_cast<wxSpinCtrl*>(window.FindWindow("spin_key"));
        auto* port = dynamic_cast<wxSpinCtrl*>(window.FindWindow("spin_port"));
        auto* phase = dynamic_cast<wxChoice*>(window.FindWindow("choice_phase"));
        if (!response || !key || !port || !phase) return;
        key->SetValue(response->GetKeyNumber());
        port->SetValue(response->GetPortNumber());
        phase->SetSelection(response->GetResponseType() == 2 ? 1 : 0);
    }
};

class ResponseFormPlugIn : public VantrelSDK::VTSdkInputPlugin
{
public:
    int GetPlugInID() override { return RESPONSE_FORM_ID; }
    bool GetString(int id, wxString& out) override
    {
        if (id != 5001) return VTSdkInputPlugin::GetString(id, out);
        out = RESPONSE_FORM_NAME;
        return true;
    }
    // Its responses cannot be correct beside another of its own or a key.
    int HasResponseConflicts(int otherPluginID) override
    {
        return otherPluginID == 9902 || otherPluginID == 9903 || otherPluginID == 2100;
    }
    VantrelSDK::VTSdkBaseResponse* CreateNewResponse() override { return new VantrelSDK::VTSdkDiscreteKeyResp(false); }
    void CreateDefaultResponses(VantrelSDK::AddResponseCallback add) override
    {
        auto* first = new VantrelSDK::VTSdkDiscreteKeyResp(false);
        first->SetKeyNumber(1);
        first->SetPortNumber(1);
        add("Key 1", first);
    }
    boost::shared_ptr<VantrelSDK::Interface_EditResponseWindowHelper> GetEditResponseWindowHelper() override
    {
        return boost::shared_ptr<VantrelSDK::Interface_EditResponseWindowHelper>(new KeyFormHelper);
    }
};

ResponseFormPlugIn my_plugin;

}  // namespace

VTSDK_PLUGIN_ENTRY VantrelSDK::VTSdkBase* VTSdkGetObjectPtr() { return &my_plugin; }
