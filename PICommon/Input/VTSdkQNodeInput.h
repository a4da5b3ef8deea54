#pragma once
// The q-node input plug-in: eight input lines of the maker's q-node as key responses.

#include <boost/shared_ptr.hpp>

#include <vector>

#include "VTSdkQpxInput.h"

class wxWindow;

namespace VantrelSDK {

class VTHwQpxModelInfo;

class VTSdkQNodeInput : public VTSdkQpxInput
{
public:
    static constexpr int kPlugInID = 2103;
    // The q-node models this plug-in takes input from.
    static const std::vector<unsigned>& AcceptedModelIDs();
    static const wxString& FamilyName();

    VTSdkQNodeInput();
    ~VTSdkQNodeInput() override;

    int GetPlugInID() override;
    bool GetString(int id, wxString& out) override;
    int OnStartExperiment(RunningExperimentNecessities& necessities) override;
    void GetShortString(wxString& out) override;
    InputDetectedFunctionPtr GetIsInputDetectedFunctionPtr() override;
    void CreateDefaultResponses(AddResponseCallback add) override;
    boost::shared_ptr<Interface_ParticipantInputWindowHelper> GetParticipantInputWindowHelper() override;
    boost::shared_ptr<Interface_EditResponseWindowHelper> GetEditResponseWindowHelper() override;

    // Asks the hardware wrapper for a q-node; null when nothing answers.
    boost::shared_ptr<VTHwQpxModelInfo> OnAutoDetect(bool unused, wxWindow* parent);
};

}  // namespace VantrelSDK
