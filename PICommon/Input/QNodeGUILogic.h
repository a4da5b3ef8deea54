#pragma once
// Copies the q-node's settings and responses into the host's panels and back.
//
// The response panel's "choice_button" has nine entries: entry 0 stands for no
// q-node line, entries 1 to 8 for "Line 1" to "Line 8" (key 0 to 7 on port 3).

#include <wx/string.h>

#include <boost/shared_ptr.hpp>

#include "VTPlugInCommon/VTSdkWindowHelpers.h"

namespace VantrelSDK {

class VTSdkQNodeInput;
class VTSdkQpxInputSettings;

class QNodeGUILogic : public Interface_ParticipantInputWindowHelper, public Interface_EditResponseWindowHelper
{
public:
    // The q-node's lines are keys 0 to 7 on this port.
    static constexpr int kQNodePort = 3;
    static constexpr int kLineCount = 8;

    QNodeGUILogic(boost::shared_ptr<VTSdkQpxInputSettings> settings, const wxString& plugInInfo,
                  VTSdkQNodeInput* plugin);
    ~QNodeGUILogic() override;

    bool ApplyWindowValuesToInputPlugin(const wxWindow& panel) override;
    void ConfigureWindowUsingCurrentPluginState(wxWindow& panel, bool enable) override;
    bool ApplyWindowValuesToResponseObject(const wxWindow& panel, VTSdkBaseResponse& response) override;
    void ConfigureWindowUsingCurrentResponseState(wxWindow& panel, const VTSdkBaseResponse& response) override;

private:
    boost::shared_ptr<VTSdkQpxInputSettings> m_settings;
    wxString m_plugInInfo;
    VTSdkQNodeInput* m_plugin;
};

}  // namespace VantrelSDK
