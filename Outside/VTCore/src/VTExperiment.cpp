#include <VTCore/VTExperiment.h>

#include "VTExperimentJsonFormat.h"

#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/Interface_ExpandedRunnableExperiment.h>
#include <VTCore/RuntimeHooks.h>
#include <VTCore/VTDeletionMgr.h>
#include <VTCore/VTElements.h>

#include <boost/make_shared.hpp>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/stdpaths.h>
#include <wx/utils.h>

#include <algorithm>
#include <unordered_set>
#include <utility>

namespace Vantrel {

wxIMPLEMENT_DYNAMIC_CLASS(VTExperiment, wxDocument);

namespace {

VTExperiment*& ActiveExperiment()
{
    static VTExperiment* active = nullptr;
    return active;
}

}  // namespace

VTExperiment::VTExperiment()
    : m_CloudSettings(boost::make_shared<VTCloudSettings>()),
      m_Parameters(boost::make_shared<PerExperimentParameterCollection>()),
      m_SensorPatch(boost::make_shared<VTSensorPatch>()),
      m_NewResponsePlugInID(kKeyboardInputPlugInID)
{
    // One list per type number plus one that collects requests for unknown types.
    for (VTElementType t = 0; t <= ElementType::Count; ++t)
        m_Lists.push_back(std::make_unique<VTElementsList_Concrete>(t < ElementType::Count ? t : -1));
    m_NextIDs.assign(ElementType::Count, 1);
    // Rules name parameters: a renamed parameter takes its references along, whoever renames it.
    m_Parameters->SetRenameListener(
        [this](const wxString& oldName, const wxString& newName) { RenameParameterReferences(oldName, newName); });
}

namespace {
std::vector<std::function<void(VTExperiment*)>>& DestructionNotices()
{
    static std::vector<std::function<void(VTExperiment*)>> notices;
    return notices;
}
}  // namespace

void VTExperiment::AddDestructionNotice(std::function<void(VTExperiment*)> notice)
{
    DestructionNotices().push_back(std::move(notice));
}

VTExperiment::~VTExperiment()
{
    // An editor may still hold the collection; it must no longer reach this experiment.
    m_Parameters->SetRenameListener({});
    for (const auto& notice : DestructionNotices()) notice(this);
    if (ActiveExperiment() == this) ActiveExperiment() = nullptr;
    // Links point across lists; drop every element before any list goes.
    for (auto& list : m_Lists) list->DeleteAllElements();
}

const VTExperiment& VTExperiment::BlankSettings()
{
    // Never destroyed: a document must not outlive the GUI library at exit.
    static const VTExperiment* blank = new VTExperiment();
    return *blank;
}

wxDocTemplate* VTExperiment::CreateOneWxDocTemplate(wxDocManager* manager, wxClassInfo* viewClass)
{
    if (!manager) return nullptr;
    // The template registers itself with the manager, which then owns it.
    return new wxDocTemplate(manager, _("Study Station Experiment"), wxS("*.vt6;*.vt5;*.vt4"), wxString(), wxS("vt6"),
                             wxS("VTExperiment"), viewClass ? viewClass->GetClassName() : wxS("wxView"),
                             wxCLASSINFO(VTExperiment), viewClass);
}

int VTExperiment::GetNumOpen()
{
    wxDocManager* manager = wxDocManager::GetDocumentManager();
    if (!manager) return 0;
    int count = 0;
    for (wxObject* doc : manager->GetDocumentsVector())
        if (dynamic_cast<VTExperiment*>(doc) && !dynamic_cast<Interface_ExpandedRunnableExperiment*>(doc)) ++count;
    return count;
}

void VTExperiment::OnSetActive()
{
    VTExperiment* previous = ActiveExperiment();
    if (previous == this) return;
    // The plug-ins hold the active experiment's settings: hand them back first.
    if (previous) previous->CaptureInputPlugInSettings();
    ActiveExperiment() = this;
    ApplyInputPlugInSettings();
}

void VTExperiment::CaptureInputPlugInSettings()
{
    Interface_RuntimeForCore* runtime = GetRuntimeForCore();
    if (!runtime) return;
    for (int id : m_InputPlugInIDs) {
        std::string bytes;
        if (runtime->CapturePlugInSettings(id, bytes)) m_InputPlugInSettings[id] = bytes;
    }
}

void VTExperiment::ApplyInputPlugInSettings() const
{
    Interface_RuntimeForCore* runtime = GetRuntimeForCore();
    if (!runtime) return;
    for (const auto& [id, bytes] : m_InputPlugInSettings)
        if (std::find(m_InputPlugInIDs.begin(), m_InputPlugInIDs.end(), id) != m_InputPlugInIDs.end() &&
            !runtime->ApplyPlugInSettings(id, bytes))
            wxLogWarning(_("The stored settings of input device %d could not be read; it keeps its current settings."),
                         id);
}

VTExperiment* VTExperiment::GetActiveExperiment() { return ActiveExperiment(); }

wxString VTExperiment::GetDocumentFolder() const
{
    const wxString file = GetFilename();
    if (file.empty()) return wxString();
    wxFileName name(file);
    if (!name.IsAbsolute()) name.MakeAbsolute();
    return name.GetPath();
}

wxString VTExperiment::ResolveStimulusPath(const wxString& stored) const
{
    const wxString substituted = SubstitutePathVariables(stored);
    if (substituted.empty()) return substituted;
    wxFileName name(substituted);
    const wxString folder = GetDocumentFolder();
    if (!name.IsAbsolute() && !folder.empty()) name.MakeAbsolute(folder);
    name.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_TILDE);
    return name.GetFullPath();
}

VTElementsList& VTExperiment::GetElementsOfType(VTElementType type) { return GetReadOnlyElementsOfType(type); }

VTElementsList& VTExperiment::GetReadOnlyElementsOfType(VTElementType type) const
{
    if (!IsValidElementTypeNumber(type)) {
        wxLogError(wxS("There is no element list of type %d."), int(type));
        return *m_Lists.back();
    }
    return *m_Lists[std::size_t(type)];
}

Minimal_VTElement* VTExperiment::LookupElementByTypeAndID(VTElementType type, std::uint32_t id) const
{
    if (!IsValidElementTypeNumber(type)) return nullptr;
    return m_Lists[std::size_t(type)]->LookupElementPtrByID(id);
}

VTStimList* VTExperiment::GetStimListIfacePtr(std::uint32_t id) const
{
    return dynamic_cast<VTStimList*>(LookupElementByTypeAndID(ElementType::StimList, id));
}

bool VTExperiment::ElemTypeOnlyHasNewerMinimalInterface(VTElementType) { return false; }

std::uint32_t VTExperiment::AllocateNewElementID(VTElementType type)
{
    if (!IsValidElementTypeNumber(type)) return kNoElementID;
    std::uint32_t& next = m_NextIDs[std::size_t(type)];
    const VTElementsList& list = *m_Lists[std::size_t(type)];
    // Ids are handed out upwards; after the top they wrap and look for a gap.
    for (std::uint32_t attempts = 0; attempts < kMaxElementID; ++attempts) {
        if (next == kNoElementID || next > kMaxElementID) next = 1;
        const std::uint32_t id = next;
        // The counter is saved with the document and must stay an id it accepts.
        next = id >= kMaxElementID ? 1 : id + 1;
        // 1 is the cloud setting's "balanced", never a group.
        if (type == ElementType::ParticipantGroup && id == 1) continue;
        if (!list.LookupElementPtrByID(id)) return id;
    }
    return kNoElementID;
}

void VTExperiment::ReserveElementID(VTElementType type, std::uint32_t id)
{
    if (!IsValidElementTypeNumber(type) || id == kNoElementID || id >= kMaxElementID) return;
    std::uint32_t& next = m_NextIDs[std::size_t(type)];
    if (id >= next) next = id + 1;
}

void VTExperiment::RefreshAllElementLinks()
{
    for (auto& list : m_Lists) list->RefreshChildElementPointers();
}

bool VTExperiment::DeleteElementAndItsLinks(Minimal_VTElement* element)
{
    return element && DeleteElementsAndTheirLinks({element});
}

namespace {

using ElementKey = std::pair<VTElementType, std::uint32_t>;

struct ElementKeyHash
{
    std::size_t operator()(const ElementKey& k) const
    {
        return std::hash<std::uint64_t>()((std::uint64_t(k.first) << 32) | k.second);
    }
};

}  // namespace

bool VTExperiment::DeleteElementsAndTheirLinks(const std::vector<Minimal_VTElement*>& elements)
{
    std::unordered_set<ElementKey, ElementKeyHash> doomed;
    bool allHere = !elements.empty();
    const auto mark = [&](Minimal_VTElement* el) {
        if (el && LookupElementByTypeAndID(el->GetElementType(), el->GetID()) == el)
            doomed.insert({el->GetElementType(), el->GetID()});
        else
            allHere = false;
    };
    for (Minimal_VTElement* el : elements) mark(el);
    // A tag set takes its tags along: those it lists and those naming it as parent.
    VTElementsList_Concrete& tags = *m_Lists[ElementType::Tag];
    for (std::size_t i = 0; i < tags.Size(); ++i)
        if (auto* tag = dynamic_cast<VTTag*>(tags[i]);
            tag && doomed.count({ElementType::TagSet, tag->GetParentTagSetID()}))
            doomed.insert({ElementType::Tag, tag->GetID()});
    for (Minimal_VTElement* el : elements)
        if (auto* set = dynamic_cast<VTTagSet*>(el); set && doomed.count({ElementType::TagSet, set->GetID()}))
            for (const auto& link : set->GetCollectionOfUsedTags_deprecated().Entries())
                doomed.insert({ElementType::Tag, link.elementID});
    if (doomed.empty()) return false;

    // Every other element forgets them, then the pools of correct responses follow.
    const auto keep = [&doomed](VTElementType type, std::uint32_t id) { return !doomed.count({type, id}); };
    for (auto& list : m_Lists)
        for (std::size_t i = 0; i < list->Size(); ++i)
            if (Minimal_VTElement* other = (*list)[i]; other && keep(other->GetElementType(), other->GetID()))
                other->VisitReferences(keep);
    for (auto& list : m_Lists)
        list->DeleteElementsIf([&keep](const Minimal_VTElement& el) { return !keep(el.GetElementType(), el.GetID()); });
    VTElementsList_Concrete& events = *m_Lists[ElementType::Event];
    for (std::size_t i = 0; i < events.Size(); ++i)
        if (auto* event = dynamic_cast<VTEvent*>(events[i])) event->RefreshAndPruneResponsesIfTheyArePoolBased(false);
    RefreshAllElementLinks();
    return allHere;
}

bool VTExperiment::CheckElementName_ShowMessageIfDuplicate(VTElementType type, const wxString& name,
                                                           const Minimal_VTElement* exclude) const
{
    if (!IsValidElementTypeNumber(type)) return true;
    const Minimal_VTElement* other = m_Lists[std::size_t(type)]->FindElement(name, exclude);
    if (!other) return true;
    wxLogError(_("The name \"%s\" is already used by another %s. Please choose a different name."), name,
               other->GetTypeName(true).Lower());
    return false;
}

wxString VTExperiment::GetNextAvailableUniqueElementName(const wxString& name, VTElementType type,
                                                         const wxString& exclude)
{
    return GetReadOnlyElementsOfType(type).GetNextAvailableElementNameCollisionFree(name, exclude);
}

bool VTExperiment::IsLocked(wxString& reason) const
{
    if (!m_Locked) return false;
    reason = m_LockReason.empty() ? wxString(_("This experiment is locked and cannot be changed.")) : m_LockReason;
    return true;
}

void VTExperiment::SetLocked(bool locked, const wxString& reason)
{
    m_Locked = locked;
    m_LockReason = locked ? reason : wxString();
}

VTParticipantGroup* VTExperiment::GetGroupElementById(unsigned id) const
{
    return dynamic_cast<VTParticipantGroup*>(LookupElementByTypeAndID(ElementType::ParticipantGroup, id));
}

VTParticipantGroup* VTExperiment::GetGroupElementByName(const wxString& name) const
{
    return dynamic_cast<VTParticipantGroup*>(m_Lists[ElementType::ParticipantGroup]->FindElement(name, nullptr));
}

VTParticipantGroup* VTExperiment::GetDefaultGroup(unsigned long* count) const
{
    const VTElementsList_Concrete& groups = *m_Lists[ElementType::ParticipantGroup];
    if (count) *count = static_cast<unsigned long>(groups.Size());
    return groups.Empty() ? nullptr : dynamic_cast<VTParticipantGroup*>(groups[0]);
}

VTRunOptions& VTExperiment::GetRunOptions() { return m_RunOptions; }

Interface_ExpandedRunnableExperiment*
VTExperiment::InstructCompiledExperimentBuilderToBuild(VTCompiledExperiment& compiled, bool preview)
{
    Interface_RuntimeForCore* runtime = GetRuntimeForCore();
    if (!runtime) {
        wxLogError(_("The experiment cannot run because the runtime is not available."));
        return nullptr;
    }
    return runtime->BuildCompiledExperiment(compiled, *this, preview);
}

wxString VTExperiment::SubstitutePathVariables(const wxString& path) const
{
    wxString result;
    std::size_t pos = 0;
    while (pos < path.length()) {
        const std::size_t start = path.find(wxS("$("), pos);
        if (start == wxString::npos) break;
        const std::size_t end = path.find(wxS(')'), start + 2);
        if (end == wxString::npos) break;
        result += path.Mid(pos, start - pos);
        const wxString name = path.Mid(start + 2, end - start - 2);
        wxString value;
        bool known = true;
        if (name == ExperimentFolderVariableName())
            value = GetDocumentFolder();
        else if (name == wxS("Home"))
            value = wxGetHomeDir();
        else if (name == wxS("Documents"))
            value = wxStandardPaths::Get().GetDocumentsDir();
        else if (name == wxS("Desktop"))
            value = wxStandardPaths::Get().GetUserDir(wxStandardPaths::Dir_Desktop);
        else
            known = false;
        result += known ? value : path.Mid(start, end - start + 1);
        pos = end + 1;
    }
    result += path.Mid(pos);
    return result;
}

VantrelVariable* VTExperiment::GetMutableFolderPathVariable(int id)
{
    return id == VantrelVariable::FolderPathID ? &m_FolderVariable : nullptr;
}

bool VTExperiment::OffersEyeTrackerCalibration() const
{
    return std::any_of(m_InputPlugInIDs.begin(), m_InputPlugInIDs.end(), InputPlugIn::IsEyeTracker);
}

bool VTExperiment::LoadInputPlugin(VTPlugIn* plugin, bool)
{
    Interface_RuntimeForCore* runtime = GetRuntimeForCore();
    const int id = (runtime && plugin) ? runtime->GetPlugInID(plugin) : -1;
    if (id < 0) {
        wxLogError(_("The input device could not be added to the experiment."));
        return false;
    }
    return LoadInputPluginByID(id);
}

bool VTExperiment::LoadInputPluginByID(int plugInID)
{
    if (plugInID < 0) return false;
    if (std::find(m_InputPlugInIDs.begin(), m_InputPlugInIDs.end(), plugInID) == m_InputPlugInIDs.end())
        m_InputPlugInIDs.push_back(plugInID);
    return true;
}

bool VTExperiment::RemoveInputPluginByID(int plugInID)
{
    auto it = std::find(m_InputPlugInIDs.begin(), m_InputPlugInIDs.end(), plugInID);
    if (it == m_InputPlugInIDs.end()) return false;
    m_InputPlugInIDs.erase(it);
    return true;
}

namespace {

int PlugInIDOf(VTPlugIn* plugin)
{
    Interface_RuntimeForCore* runtime = GetRuntimeForCore();
    return (runtime && plugin) ? runtime->GetPlugInID(plugin) : -1;
}

std::vector<Minimal_VTElement*> ResponsesOfPlugIn(const VTExperiment& experiment, int plugInID)
{
    std::vector<Minimal_VTElement*> found;
    VTElementsList& responses = experiment.GetReadOnlyElementsOfType(ElementType::Response);
    for (std::size_t i = 0; i < responses.Size(); ++i)
        if (auto* r = dynamic_cast<VTResponse*>(responses[i]); r && r->GetPlugInID() == plugInID) found.push_back(r);
    return found;
}

}  // namespace

bool VTExperiment::RemoveInputPluginFromExperiment(wxWindow* parent, VTPlugIn* plugin)
{
    return RemoveInputPluginFromExperimentByID(parent, PlugInIDOf(plugin));
}

bool VTExperiment::RemoveInputPluginFromExperimentByID(wxWindow* parent, int plugInID)
{
    if (std::find(m_InputPlugInIDs.begin(), m_InputPlugInIDs.end(), plugInID) == m_InputPlugInIDs.end()) return false;
    const std::vector<Minimal_VTElement*> responses = ResponsesOfPlugIn(*this, plugInID);
    if (!responses.empty() &&
        !VTDeletionMgr::AskUser(
            parent,
            wxString::Format(_("Remove this input device from the experiment? Its %u responses will be deleted."),
                             unsigned(responses.size()))))
        return false;
    VTDeletionMgr(parent, this, responses).HandleDeletion(VTDeletionMgr::RemovalType_Normal, false, true);
    return RemoveInputPluginByID(plugInID);
}

bool VTExperiment::DeleteThePlugInsResponses(wxWindow* parent, VTPlugIn* plugin)
{
    return DeleteThePlugInsResponsesByID(parent, PlugInIDOf(plugin));
}

bool VTExperiment::DeleteThePlugInsResponsesByID(wxWindow* parent, int plugInID)
{
    const std::vector<Minimal_VTElement*> responses = ResponsesOfPlugIn(*this, plugInID);
    if (responses.empty()) return true;
    if (!VTDeletionMgr::AskUser(
            parent,
            wxString::Format(
                _("The device's settings changed, so its %u responses will be deleted and made anew. Go ahead?"),
                unsigned(responses.size()))))
        return false;
    return VTDeletionMgr(parent, this, responses).HandleDeletion(VTDeletionMgr::RemovalType_Normal, false, true);
}

unsigned VTExperiment::CreateDefaultResponsesOfPlugIn(VTPlugIn* plugin)
{
    Interface_RuntimeForCore* runtime = GetRuntimeForCore();
    return (runtime && plugin) ? runtime->CreateDefaultResponses(plugin, *this) : 0;
}

unsigned VTExperiment::GetNumberOfEventsUsingResponse(const VTResponse* response) const
{
    if (!response) return 0;
    unsigned count = 0;
    VTElementsList& events = GetReadOnlyElementsOfType(ElementType::Event);
    for (std::size_t i = 0; i < events.Size(); ++i)
        if (auto* e = dynamic_cast<VTEvent*>(events[i]);
            e && e->GetUsedResponses().GetIndexByID(response->GetID()) >= 0)
            ++count;
    return count;
}

std::vector<VTExperiment::OnScreenResponseRect> VTExperiment::GetOnScreenResponseRectsForPreview() const
{
    std::vector<OnScreenResponseRect> rects;
    VTElementsList& responses = GetReadOnlyElementsOfType(ElementType::Response);
    for (std::size_t i = 0; i < responses.Size(); ++i) {
        auto* r = dynamic_cast<VTResponse*>(responses[i]);
        if (!r || r->GetRegionMode() != VTResponse::kRegionModeSpecific) continue;
        OnScreenResponseRect rect{r->GetID(), r->GetName(), 0, 0, 0, 0};
        r->GetRegion(rect.x, rect.y, rect.width, rect.height);
        rects.push_back(rect);
    }
    return rects;
}

std::vector<int> VTExperiment::GetOnScreenAutoPositionResponseList() const
{
    std::vector<int> ids;
    VTElementsList& responses = GetReadOnlyElementsOfType(ElementType::Response);
    for (std::size_t i = 0; i < responses.Size(); ++i) {
        auto* r = dynamic_cast<VTResponse*>(responses[i]);
        if (r && InputPlugIn::IsOnScreen(r->GetPlugInID()) && r->GetRegionMode() == VTResponse::kRegionModeAutomatic)
            ids.push_back(int(r->GetID()));
    }
    return ids;
}

bool VTExperiment::OnNewDocument()
{
    if (!wxDocument::OnNewDocument()) return false;
    ClearModel();
    // A new experiment can run at once: the keyboard as input, one group.
    LoadInputPluginByID(kKeyboardInputPlugInID);
    auto* group = new VTParticipantGroup(this);
    group->SetName(_("Default Group"));
    GetElementsOfType(ElementType::ParticipantGroup).AddElement(group, -1);
    Modify(false);
    return true;
}

bool VTExperiment::OnCloseDocument()
{
    if (ActiveExperiment() == this) ActiveExperiment() = nullptr;
    return wxDocument::OnCloseDocument();
}

bool VTExperiment::DeleteContents()
{
    ClearModel();
    return true;
}

bool VTExperiment::DoSaveDocument(const wxString& file)
{
    // The plug-ins' settings belong to the active experiment (or to the only one).
    if (!ActiveExperiment() || ActiveExperiment() == this) CaptureInputPlugInSettings();
    wxString error;
    if (!VTExperimentJsonFormat::Save(*this, file, error)) {
        wxLogError(_("Could not save the experiment \"%s\": %s"), file, error);
        return false;
    }
    return true;
}

bool VTExperiment::DoOpenDocument(const wxString& file)
{
    ClearModel();
    wxString error;
    const VTExperimentJsonFormat::LoadResult result = VTExperimentJsonFormat::Load(*this, file, error);
    if (result != VTExperimentJsonFormat::LoadResult::Loaded) {
        ClearModel();
        // Not modified, so closing the half-made document never asks to save it.
        Modify(false);
        if (result == VTExperimentJsonFormat::LoadResult::NewerVersion)
            wxLogError(_("The experiment \"%s\" cannot be opened: %s"), file, error);
        else
            wxLogError(_("Could not open the experiment \"%s\": %s"), file, error);
        return false;
    }
    Modify(false);
    ApplyInputPlugInSettings();
    return true;
}

void VTExperiment::CopyModelFrom(const VTExperiment& other)
{
    if (&other == this) return;
    ClearModel();
    FieldTable().CopySettings(*this, other);
    for (std::size_t t = 0; t < m_Lists.size(); ++t)
        m_Lists[t]->DeepCopyFromRHS_AndPreventNewObjectsFromGettingUniqueIDs(*other.m_Lists[t], this);
    m_RunOptions = other.m_RunOptions;
    m_LockStateMinimal = other.m_LockStateMinimal;
    SetFilename(other.GetFilename(), false);
    SetTitle(other.GetTitle());
}

void VTExperiment::ClearModel()
{
    // Links point across lists; drop every element before any list is reused.
    for (auto& list : m_Lists) list->DeleteAllElements();
    // Holders of the shared settings keep seeing this experiment's values.
    FieldTable().CopySettings(*this, BlankSettings());
    m_RunOptions = VTRunOptions();
    m_LockStateMinimal = false;
    m_NewResponsePlugInID = kKeyboardInputPlugInID;
}

}  // namespace Vantrel
