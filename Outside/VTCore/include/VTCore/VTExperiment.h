#pragma once
// The experiment document: one element list per element type, the run options,
// the correctness codes and the cloud settings. Stored as versioned JSON.

#include <functional>
#include <VTCore/DeclaredFields.h>
#include <VTCore/VTCloudSettings.h>
#include <VTCore/VTElementType.h>
#include <VTCore/VTMetadata.h>
#include <VTCore/PerExperimentParameterCollection.h>
#include <VTCore/VTRunOptions.h>
#include <VTCore/VTSaveDataOptions.h>
#include <VTCore/VTSensorPatch.h>
#include <VTCore/VantrelVariable.h>
#include <NonPersistentHelpers/VTElementsList.h>
#include <NonPersistentHelpers/VTErrorCodes.h>
#include <boost/shared_ptr.hpp>
#include <wx/docview.h>
#include <cstdint>
#include <map>
#include <string>
#include <memory>
#include <vector>

namespace VantrelSDK {
struct NameIDPair;  // <VTPlugInCommon/VTSdkResponses.h>
}

class wxDocManager;
class wxDocTemplate;
class wxWindow;

namespace Vantrel {

class Minimal_VTElement;
class VTParticipantGroup;
class VTStimList;
class VTResponse;
class VTRule;
class VTCompiledExperiment;
class VTPlugIn;
class Interface_ExpandedRunnableExperiment;

class VTExperiment : public wxDocument
{
    wxDECLARE_DYNAMIC_CLASS(VTExperiment);

public:
    VTExperiment();
    ~VTExperiment() override;

    // ---- Documents
    // Registers the one template of experiment documents (".vt6", ".vt5", ".vt4")
    // with `viewClass` as their view. The manager owns the template.
    static wxDocTemplate* CreateOneWxDocTemplate(wxDocManager* manager, wxClassInfo* viewClass);
    // Experiments open in the document manager.
    static int GetNumOpen();
    // Becomes the active experiment.
    virtual void OnSetActive();
    static VTExperiment* GetActiveExperiment();
    // Called at the start of every experiment's destruction, while it is still
    // whole, so that windows kept for reuse (the block and trial editors) can let
    // go of it. Registered once per process; the order of calls is that of
    // registration.
    static void AddDestructionNotice(std::function<void(VTExperiment*)> notice);
    // The folder of the document's file ("" while it has none).
    wxString GetDocumentFolder() const;
    // A stored stimulus path made absolute: path variables substituted, relative
    // paths taken from the document's folder.
    wxString ResolveStimulusPath(const wxString& stored) const;

    // ---- Element lists (one per type 0..12; unused types stay empty)
    VTElementsList& GetElementsOfType(VTElementType type);
    // The same list (callers also write through it); named for its many readers.
    VTElementsList& GetReadOnlyElementsOfType(VTElementType type) const;
    Minimal_VTElement* LookupElementByTypeAndID(VTElementType type, std::uint32_t id) const;
    // The stimulus list with that id, or null.
    VTStimList* GetStimListIfacePtr(std::uint32_t id) const;
    // true would keep load order for the type's list; no type here needs that.
    static bool ElemTypeOnlyHasNewerMinimalInterface(VTElementType type);
    // A fresh id for a new element of the type (never 0, never 1 for groups).
    std::uint32_t AllocateNewElementID(VTElementType type);
    // Keeps an id taken by a copy or a loaded element from being handed out again.
    void ReserveElementID(VTElementType type, std::uint32_t id);
    // Re-resolves every link list of every element, dropping links to deleted elements.
    void RefreshAllElementLinks();
    // Deletes the element with every reference to it from other elements (links,
    // ids, list-item tags, correct-response rows); a tag set takes its tags along.
    bool DeleteElementAndItsLinks(Minimal_VTElement* element);
    // The same for several elements in one pass over the experiment; true when
    // every one was an element of this experiment.
    bool DeleteElementsAndTheirLinks(const std::vector<Minimal_VTElement*>& elements);

    // ---- Rules, tags, responses, parameters
    // How many of the experiment's blocks / trials link to the rule.
    unsigned HowManyBlocksUseThisRule(const VTRule* rule) const;
    unsigned HowManyTrialsUseThisRule(const VTRule* rule) const;
    // The tag set of the tag with that id; 0 when there is no such tag.
    int GetParentIdFromTagId(int tagId) const;
    // Name and id of every response, in the experiment's order.
    std::vector<VantrelSDK::NameIDPair> GetResponsesSummaryInfoList() const;
    // Every reference to the parameter `oldName` in rules and "When to Present"
    // criteria now names `newName` (the parameter collection calls it on a rename).
    void RenameParameterReferences(const wxString& oldName, const wxString& newName);
    // Removes the parameter together with whatever refers to it: actions on it and
    // criteria rows that test it are removed from rules and "When to Present". False
    // when no parameter has that name.
    bool DeleteParameterAndItsReferences(const wxString& name);
    // Drops, in every element, the references to parameters that do not exist.
    // Returns the names dropped, each once, for the caller's message.
    std::vector<wxString> DropReferencesToMissingParameters();

    // ---- Names, locks
    // false, after logging its own message, when another element of the type
    // (not `exclude`) has exactly that name.
    bool CheckElementName_ShowMessageIfDuplicate(VTElementType type, const wxString& name,
                                                 const Minimal_VTElement* exclude) const;
    wxString GetNextAvailableUniqueElementName(const wxString& name, VTElementType type, const wxString& exclude);
    bool IsLocked(wxString& reason) const;
    void SetLocked(bool locked, const wxString& reason = wxString());
    void SetLockStateMinimal_forUseInPreview(bool minimal) { m_LockStateMinimal = minimal; }
    bool m_LockStateMinimal = false;
    // A no-op hook that editors call after building themselves.
    void RefreshAfterEditorConstruction() {}

    // ---- Groups, runs
    VTParticipantGroup* GetGroupElementById(unsigned id) const;
    VTParticipantGroup* GetGroupElementByName(const wxString& name) const;
    // The first group; *count = number of groups.
    VTParticipantGroup* GetDefaultGroup(unsigned long* count) const;
    virtual VTRunOptions& GetRunOptions();
    const VTRunOptions& GetRunOptions() const { return m_RunOptions; }
    // Builds through the registered runtime; null when nothing is to run.
    Interface_ExpandedRunnableExperiment* InstructCompiledExperimentBuilderToBuild(VTCompiledExperiment& compiled,
                                                                                   bool preview);
    boost::shared_ptr<VTCloudSettings> GetCloudSettings() const { return m_CloudSettings; }
    // Never null; the same collection for the experiment's life.
    boost::shared_ptr<PerExperimentParameterCollection> GetParameters() const { return m_Parameters; }
    // "$(Name)" references replaced: ExperimentFolder, Home, Documents, Desktop;
    // unknown names stay as they are.
    wxString SubstitutePathVariables(const wxString& path) const;
    static wxString ExperimentFolderVariableName() { return wxS("ExperimentFolder"); }

    // ---- Input devices
    bool IsLackingAnInputDevice() const { return m_InputPlugInIDs.empty(); }
    bool OffersEyeTrackerCalibration() const;
    bool LoadInputPlugin(VTPlugIn* plugin, bool flag);
    bool LoadInputPluginByID(int plugInID);
    bool RemoveInputPluginByID(int plugInID);
    const std::vector<int>& GetInputPlugInIDsInUse() const { return m_InputPlugInIDs; }
    // Takes the device out of the experiment together with its responses, asking
    // first when it has responses; false when the user declines or it is not in use.
    bool RemoveInputPluginFromExperiment(wxWindow* parent, VTPlugIn* plugin);
    bool RemoveInputPluginFromExperimentByID(wxWindow* parent, int plugInID);
    // Deletes every response of the device after asking (when there are any); false when declined.
    bool DeleteThePlugInsResponses(wxWindow* parent, VTPlugIn* plugin);
    bool DeleteThePlugInsResponsesByID(wxWindow* parent, int plugInID);
    // Appends the device's default responses through the runtime; the number made.
    unsigned CreateDefaultResponsesOfPlugIn(VTPlugIn* plugin);
    // Responses created from now on carry this input plug-in id (default: the keyboard).
    void SetNewSDKResponsePlugInID(int plugInID) { m_NewResponsePlugInID = plugInID; }
    int GetNewSDKResponsePlugInID() const { return m_NewResponsePlugInID; }
    // Each input plug-in's settings suite, stored with the experiment as the bytes of
    // the suite's stream. Capture takes them from the loaded plug-ins in use (saving
    // does, as does handing over the active experiment); Apply gives them to the
    // plug-ins (opening and becoming active do).
    void CaptureInputPlugInSettings();
    void ApplyInputPlugInSettings() const;
    const std::map<int, std::string>& GetInputPlugInSettings() const { return m_InputPlugInSettings; }

    // Events whose accepted responses include it.
    unsigned GetNumberOfEventsUsingResponse(const VTResponse* response) const;
    struct OnScreenResponseRect
    {
        std::uint32_t responseID;
        wxString label;
        int x, y, width, height;  // x, y: the centre, origin at the screen's centre
    };
    // The on-screen responses with a specific region, for the input preview.
    std::vector<OnScreenResponseRect> GetOnScreenResponseRectsForPreview() const;
    // The ids of the on-screen responses whose region is where the stimulus is drawn
    // (the responses a clickable stimulus can stand for), in the experiment's order.
    std::vector<int> GetOnScreenAutoPositionResponseList() const;

    // ---- Metadata (edited in place by the information and metadata dialogs)
    VTMetadata& GetMetadata() { return m_Metadata; }
    const VTMetadata& GetMetadata() const { return m_Metadata; }

    // ---- Options
    virtual const VTErrorCodes& GetErrorCodes() const { return m_ErrorCodes; }
    virtual VTErrorCodes& GetErrorCodes() { return m_ErrorCodes; }
    // The window background of a run; the options editor writes the field directly.
    virtual wxColour GetBackgroundColour() const { return m_BackgroundColour; }
    wxColour m_BackgroundColour{0, 0, 0};
    // The data file's columns, header and preferred folder.
    virtual const VTSaveDataOptions& GetSaveDataOptions() const { return m_SaveDataOptions; }
    virtual VTSaveDataOptions& GetSaveDataOptions() { return m_SaveDataOptions; }
    // Never null; the same patch for the experiment's life.
    virtual boost::shared_ptr<VTSensorPatch> GetSensorPatch() const { return m_SensorPatch; }
    // The variable with that id (VantrelVariable::FolderPathID), or null.
    VantrelVariable* GetMutableFolderPathVariable(int id);
    // True once the experiment has been saved to (or opened from) a file.
    bool IsSavedToFile() const { return GetDocumentSaved(); }

    // ---- wxDocument
    bool OnNewDocument() override;
    bool OnCloseDocument() override;
    bool DeleteContents() override;

    // Current document format version; files of newer versions are refused.
    static constexpr int kFormatVersion = 1;

    // The stored settings of the experiment (not its elements).
    static const ExperimentFieldTable& FieldTable();

protected:
    bool DoSaveDocument(const wxString& file) override;
    bool DoOpenDocument(const wxString& file) override;
    // Everything of the model (elements, options, settings) copied from other.
    void CopyModelFrom(const VTExperiment& other);
    void ClearModel();

private:
    // The settings of a new experiment, which ClearModel copies.
    static const VTExperiment& BlankSettings();

    friend class VTExperimentJsonFormat;

    std::vector<std::unique_ptr<VTElementsList_Concrete>> m_Lists;
    std::vector<std::uint32_t> m_NextIDs;
    VTRunOptions m_RunOptions;
    VTErrorCodes m_ErrorCodes;
    VTSaveDataOptions m_SaveDataOptions;
    boost::shared_ptr<VTCloudSettings> m_CloudSettings;
    boost::shared_ptr<PerExperimentParameterCollection> m_Parameters;
    boost::shared_ptr<VTSensorPatch> m_SensorPatch;
    ExperimentFolderVariable m_FolderVariable{*this};
    std::vector<int> m_InputPlugInIDs;
    std::map<int, std::string> m_InputPlugInSettings;
    VTMetadata m_Metadata;
    bool m_Locked = false;
    wxString m_LockReason;
    int m_NewResponsePlugInID;
};

}  // namespace Vantrel
