#include <VTCore/VTEvent.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTResponse.h>
#include <VTCore/VTStimList.h>
#include <VTCore/VTTagSet.h>
#include <VTCore/VTTrialVariable.h>

#include <algorithm>

namespace Vantrel {

bool EventPlugIn::IsFileBased(int plugInID)
{
    return plugInID == Pictures || plugInID == SoundLabels || plugInID == Audio || plugInID == Movies;
}

VTEvent::VTEvent(VTExperiment* experiment)
    : VTElement(ElementType::Event, experiment),
      m_Responses(experiment, ElementType::Response),
      m_Tags(experiment, ElementType::Tag)
{}

VTEvent::VTEvent(const VTEvent& source, VTExperiment* experiment)
    : VTElement(source, experiment),
      m_PlugInID(source.m_PlugInID),
      m_StimulusText(source.m_StimulusText),
      m_StimListID(source.m_StimListID),
      m_StimFiles(source.m_StimFiles),
      m_Record(source.m_Record),
      m_ResetTimer(source.m_ResetTimer),
      m_EndImmediately(source.m_EndImmediately),
      m_EndAny(source.m_EndAny),
      m_EndCorrect(source.m_EndCorrect),
      m_EndTimeLimit(source.m_EndTimeLimit),
      m_DelayFeedback(source.m_DelayFeedback),
      m_TimeLimitKind(source.m_TimeLimitKind),
      m_TimeLimitMs(source.m_TimeLimitMs),
      m_TimeLimitVariableID(source.m_TimeLimitVariableID),
      m_Responses(source.m_Responses),
      m_Tags(source.m_Tags),
      m_TagSetIDForCorrect(source.m_TagSetIDForCorrect),
      m_CorrectRows(source.m_CorrectRows)
{
    if (experiment) {
        m_Responses.SetOwningExperiment(experiment);
        m_Tags.SetOwningExperiment(experiment);
    }
}

VTEvent::~VTEvent() = default;

VTEvent* VTEvent::CreateTemporary_CallerMustDelete(const VTEvent* original, VTExperiment* experiment)
{
    return CreateTemporaryCopy_CallerMustDelete(original, experiment);
}

Minimal_VTElement* VTEvent::CloneIntoExperiment(VTExperiment* experiment) const
{
    return new VTEvent(*this, experiment);
}

bool VTEvent::CopySettingsFrom(const Minimal_VTElement& source)
{
    const auto* s = dynamic_cast<const VTEvent*>(&source);
    if (!s) return false;
    if (s == this) return true;
    CopyElementSettingsFrom(*s);
    m_PlugInID = s->m_PlugInID;
    m_StimulusText = s->m_StimulusText;
    m_StimListID = s->m_StimListID;
    m_StimFiles = s->m_StimFiles;
    m_Record = s->m_Record;
    m_ResetTimer = s->m_ResetTimer;
    m_EndImmediately = s->m_EndImmediately;
    m_EndAny = s->m_EndAny;
    m_EndCorrect = s->m_EndCorrect;
    m_EndTimeLimit = s->m_EndTimeLimit;
    m_DelayFeedback = s->m_DelayFeedback;
    m_TimeLimitKind = s->m_TimeLimitKind;
    m_TimeLimitMs = s->m_TimeLimitMs;
    m_TimeLimitVariableID = s->m_TimeLimitVariableID;
    m_Responses.CopyLinksFrom(s->m_Responses);
    m_Tags.CopyLinksFrom(s->m_Tags);
    m_TagSetIDForCorrect = s->m_TagSetIDForCorrect;
    m_CorrectRows = s->m_CorrectRows;
    return true;
}

void VTEvent::SetOwningExperiment(VTExperiment* experiment)
{
    VTElement::SetOwningExperiment(experiment);
    if (experiment) {
        m_Responses.SetOwningExperiment(experiment);
        m_Tags.SetOwningExperiment(experiment);
    }
}

void VTEvent::RefreshChildElementPointers()
{
    for (VTLinkT* links : {static_cast<VTLinkT*>(&m_Responses), static_cast<VTLinkT*>(&m_Tags)}) {
        links->WipeCleanAllElementPointers();
        links->RefreshPointers_And_PurgeElementsWithUnrecognizedIDs(true);
    }
}

void VTEvent::GetCopiedInputSettingsForEditor(bool& record, bool& resetTimer, bool& endImmediately, bool& endAny,
                                              bool& endCorrect, bool& endTimeLimit, bool& delayFeedback, int& kind,
                                              int& fixedMs, int& variableId) const
{
    record = m_Record;
    resetTimer = m_ResetTimer;
    endImmediately = m_EndImmediately;
    endAny = m_EndAny;
    endCorrect = m_EndCorrect;
    endTimeLimit = m_EndTimeLimit;
    delayFeedback = m_DelayFeedback;
    kind = m_TimeLimitKind;
    fixedMs = m_TimeLimitMs;
    variableId = m_TimeLimitVariableID;
}

void VTEvent::AcceptEndEventSettings(bool immediately, bool any, bool correct, bool timeLimit)
{
    m_EndImmediately = immediately;
    m_EndAny = any;
    m_EndCorrect = correct;
    m_EndTimeLimit = timeLimit;
}

void VTEvent::AcceptInputSettingsForEditor(bool record, bool resetTimer, int kind, int ms, int variableId)
{
    m_Record = record;
    m_ResetTimer = resetTimer;
    m_TimeLimitKind = kind;
    m_TimeLimitMs = ms;
    m_TimeLimitVariableID = variableId;
}

bool VTEvent::GetEndEventOption(int which) const
{
    switch (which) {
        case 0: return m_EndImmediately;
        case 1: return m_EndAny;
        case 2: return m_EndCorrect;
        case 3: return m_EndTimeLimit;
        default: return false;
    }
}

int VTEvent::GetResponsesBasis() const
{
    if (IsUsingResponsesBasedOnTags()) return ElementType::Tag;
    if (IsListEvent()) return ElementType::StimList;
    return ElementType::Event;
}

VTCorrectResponseRow* VTEvent::FindRow(int poolRowID)
{
    for (auto& row : m_CorrectRows)
        if (row.poolRowID == poolRowID) return &row;
    return nullptr;
}

const VTCorrectResponseRow* VTEvent::FindRow(int poolRowID) const
{
    for (const auto& row : m_CorrectRows)
        if (row.poolRowID == poolRowID) return &row;
    return nullptr;
}

namespace {
int RowFor(int basis, int poolRowID) { return basis == ElementType::Event ? -1 : poolRowID; }

VTCorrectResponseRow* AddRow(std::vector<VTCorrectResponseRow>& rows, int poolRowID, int kind)
{
    VTCorrectResponseRow row;
    row.poolRowID = poolRowID;
    row.kind = kind;
    rows.push_back(row);
    return &rows.back();
}
}  // namespace

void VTEvent::EditorRequestingSetResponseTypeInZeroethCollection(int kind)
{
    SetResponseType(ElementType::Event, -1, kind);
}

void VTEvent::SetResponseType(int basis, int poolRowID, int kind)
{
    const int id = RowFor(basis, poolRowID);
    VTCorrectResponseRow* row = FindRow(id);
    if (!row) row = AddRow(m_CorrectRows, id, kind);
    row->kind = kind;
}

int VTEvent::GetResponseType(int basis, int poolRowID) const
{
    const VTCorrectResponseRow* row = FindRow(RowFor(basis, poolRowID));
    return row ? row->kind : CorrectKind::Any;
}

void VTEvent::LinkCorrectResponse(int basis, int poolRowID, VTResponse* response)
{
    if (!response) return;
    const int id = RowFor(basis, poolRowID);
    VTCorrectResponseRow* row = FindRow(id);
    if (!row) row = AddRow(m_CorrectRows, id, CorrectKind::Chosen);
    auto& ids = row->chosenResponseIDs;
    if (std::find(ids.begin(), ids.end(), response->GetID()) == ids.end()) ids.push_back(response->GetID());
}

void VTEvent::RemoveQualifyingCorrectResponse(int basis, int poolRowID, VTResponse* response)
{
    VTCorrectResponseRow* row = FindRow(RowFor(basis, poolRowID));
    if (!row || !response) return;
    auto& ids = row->chosenResponseIDs;
    ids.erase(std::remove(ids.begin(), ids.end(), response->GetID()), ids.end());
}

namespace {

VTExperiment* ExperimentOf(const VTEvent& event, const VTUsedElements& links)
{
    return event.GetOwningExperiment() ? event.GetOwningExperiment() : links.GetOwningExperiment();
}

}  // namespace

std::size_t VTEvent::GetNumberOfStimulusItems() const
{
    if (!IsListEvent()) return 1;
    VTExperiment* experiment = ExperimentOf(*this, m_Responses);
    const auto* list = experiment ? dynamic_cast<const VTStimList*>(experiment->LookupElementByTypeAndID(
                                        ElementType::StimList, std::uint32_t(m_StimListID)))
                                  : nullptr;
    return list ? list->GetItemCount() : 0;
}

VTPresentableStimulus VTEvent::GetStimulusForPresentation(std::size_t itemIndex) const
{
    VTPresentableStimulus stimulus;
    stimulus.plugInID = m_PlugInID;
    VTExperiment* experiment = ExperimentOf(*this, m_Responses);
    const auto resolve = [experiment](const wxString& stored) {
        return experiment ? experiment->ResolveStimulusPath(stored) : stored;
    };

    if (IsListEvent()) {
        const auto* list = experiment ? dynamic_cast<const VTStimList*>(experiment->LookupElementByTypeAndID(
                                            ElementType::StimList, std::uint32_t(m_StimListID)))
                                      : nullptr;
        if (!list || itemIndex >= list->GetItemCount()) return stimulus;
        const VTStimListItem& item = list->GetItem(itemIndex);
        stimulus.listItemID = item.id;
        if (list->IsFileList() || EventPlugIn::IsFileBased(m_PlugInID)) {
            stimulus.kind = VTPresentableStimulus::Kind::File;
            stimulus.path = resolve(item.text);
        } else {
            stimulus.kind = VTPresentableStimulus::Kind::Text;
            stimulus.text = item.text;
        }
        return stimulus;
    }

    if (EventPlugIn::IsFileBased(m_PlugInID)) {
        if (m_StimFiles.empty()) return stimulus;
        stimulus.kind = VTPresentableStimulus::Kind::File;
        stimulus.path = resolve(m_StimFiles[itemIndex < m_StimFiles.size() ? itemIndex : 0]);
        return stimulus;
    }
    stimulus.kind = VTPresentableStimulus::Kind::Text;
    stimulus.text = m_StimulusText;
    return stimulus;
}

int VTEvent::GetTimeLimitMs_OrNegativeOne() const
{
    if (!m_EndTimeLimit) return -1;
    if (m_TimeLimitKind == 0) return m_TimeLimitMs >= 0 ? m_TimeLimitMs : -1;
    VTExperiment* experiment = ExperimentOf(*this, m_Responses);
    if (!experiment || m_TimeLimitVariableID < 0) return -1;
    const auto* variable = dynamic_cast<const VTTrialVariable*>(
        experiment->LookupElementByTypeAndID(ElementType::TrialVariable, std::uint32_t(m_TimeLimitVariableID)));
    if (!variable || variable->GetVariableType() != VariableType::TimeLimit) return -1;
    const auto* level = dynamic_cast<const Orbisk::Var::TimeLimitSingleLevel*>(variable->GetVariable().GetValue(0));
    return level && level->GetMilliseconds() >= 0 ? level->GetMilliseconds() : -1;
}

std::vector<VTResponse*> VTEvent::GetAcceptedResponses() const
{
    std::vector<VTResponse*> result;
    VTExperiment* experiment = ExperimentOf(*this, m_Responses);
    if (!experiment) return result;
    for (const auto& link : m_Responses.Entries())
        if (auto* r =
                dynamic_cast<VTResponse*>(experiment->LookupElementByTypeAndID(ElementType::Response, link.elementID)))
            result.push_back(r);
    return result;
}

int VTEvent::PoolRowForItem(std::size_t itemIndex) const
{
    if (!IsListEvent()) return -1;
    VTExperiment* experiment = ExperimentOf(*this, m_Responses);
    const auto* list = experiment ? dynamic_cast<const VTStimList*>(experiment->LookupElementByTypeAndID(
                                        ElementType::StimList, std::uint32_t(m_StimListID)))
                                  : nullptr;
    if (!list || itemIndex >= list->GetItemCount()) return -1;
    const VTStimListItem& item = list->GetItem(itemIndex);
    if (!IsUsingResponsesBasedOnTags()) return int(item.id);
    // Tag mode: the row of the item's tag from the chosen tag set.
    for (std::uint32_t tagID : item.tagIDs) {
        const auto* tag = dynamic_cast<const VTTag*>(experiment->LookupElementByTypeAndID(ElementType::Tag, tagID));
        if (tag && int(tag->GetParentTagSetID()) == m_TagSetIDForCorrect) return int(tagID);
    }
    return -1;
}

bool VTEvent::IsResponseCorrect(const VTResponse* response, std::size_t itemIndex) const
{
    if (!response) return false;
    const VTCorrectResponseRow* row = FindRow(PoolRowForItem(itemIndex));
    if (!row) return true;  // no setting: any response counts as correct
    switch (row->kind) {
        case CorrectKind::Any: return true;
        case CorrectKind::None: return false;
        default:
            return std::find(row->chosenResponseIDs.begin(), row->chosenResponseIDs.end(), response->GetID()) !=
                   row->chosenResponseIDs.end();
    }
}

bool VTEvent::ResponseEndsEvent(const VTResponse* response, std::size_t itemIndex) const
{
    if (!response || m_Responses.GetIndexByID(response->GetID()) < 0) return false;
    if (m_EndAny) return true;
    return m_EndCorrect && IsResponseCorrect(response, itemIndex);
}

}  // namespace Vantrel
