#include <VTCore/VTEvent.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTResponse.h>
#include <VTCore/VTStimList.h>
#include <VTCore/VTTagSet.h>
#include <VTCore/VTTrialVariable.h>

#include "FieldKinds.h"

#include <wx/intl.h>
#include <wx/log.h>

#include <algorithm>
#include <set>
#include <unordered_set>

namespace Vantrel {

bool EventPlugIn::IsFileBased(int plugInID)
{
    return plugInID == Pictures || plugInID == SoundLabels || plugInID == Audio || plugInID == Movies;
}

VTEvent::VTEvent(VTExperiment* experiment) : VTElement(ElementType::Event, experiment)
{
    SetOwningExperiment(experiment);
}

VTEvent::VTEvent(const VTEvent& source, VTExperiment* experiment) : VTElement(source, experiment)
{
    CopyDeclaredFields(source);
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

namespace {

// The correct-response rows: {"row", "kind", "chosen": [response ids]}, one per pool row.
struct CorrectRowsKind : PlainKind<std::vector<VTCorrectResponseRow>>
{
    using Rows = std::vector<VTCorrectResponseRow>;

    void Write(const Rows& rows, QJsonObject& o, const char* key) const
    {
        QJsonArray array;
        for (const auto& row : rows) {
            QJsonObject r;
            IdsOf(ElementType::Response).Write(row.chosenResponseIDs, r, "chosen");
            r["row"] = row.poolRowID;
            r["kind"] = row.kind;
            array.append(r);
        }
        o[key] = array;
    }
    void Read(Rows& rows, JsonFieldReader& f, const char* key) const
    {
        if (!f.Has(key)) return;
        Rows read;
        std::set<int> seen;
        for (JsonFieldReader& r : f.Objects(key, _("a correct-response row"))) {
            VTCorrectResponseRow row;
            row.poolRowID = int(r.Int("row", -1, -1, kMaxElementID));
            row.kind = int(r.Int("kind", CorrectKind::Any, CorrectKind::Any, CorrectKind::Chosen));
            row.chosenResponseIDs = r.IDs("chosen");
            if (!seen.insert(row.poolRowID).second) f.Fail(_("two correct-response rows share one pool row"));
            read.push_back(row);
        }
        if (f.Ok()) rows = read;
    }
    std::string Describe(const Rows& rows) const
    {
        std::string s;
        for (const auto& row : rows)
            s += std::to_string(row.poolRowID) + "/" + std::to_string(row.kind) + ":" +
                 IdsOf(ElementType::Response).Describe(row.chosenResponseIDs) + " ";
        return "[" + s + "]";
    }
    void VisitReferences(Rows& rows, const ReferenceVisitor& visit) const
    {
        for (auto& row : rows) IdsOf(ElementType::Response).VisitReferences(row.chosenResponseIDs, visit);
    }
    // The plain event's row (-1) stays valid whatever the event presents.
    void MakeDifferent(Rows& rows, const ElementIdSource& ids) const
    {
        auto it =
            std::find_if(rows.begin(), rows.end(), [](const VTCorrectResponseRow& r) { return r.poolRowID == -1; });
        if (it == rows.end()) {
            rows.push_back(VTCorrectResponseRow());
            it = rows.end() - 1;
        }
        it->kind = CorrectKind::Chosen;
        IdsOf(ElementType::Response).MakeDifferent(it->chosenResponseIDs, ids);
    }
};

}  // namespace

const ElementFieldTable& VTEvent::FieldTable()
{
    static const ElementFieldTable table(
        &ElementBaseFieldTable(), ElementMember("plugInID", &VTEvent::m_PlugInID, Whole<int>()),
        ElementMember("stimulusText", &VTEvent::m_StimulusText, TextKind()),
        ElementMember("stimListID", &VTEvent::m_StimListID, ReferenceTo<int>(ElementType::StimList, -1)),
        ElementMember("stimFiles", &VTEvent::m_StimFiles, TextListKind()),
        ElementMember("plugInSettings", &VTEvent::m_PlugInSettings, TextListKind()),
        ElementMember("record", &VTEvent::m_Record, BoolKind()),
        ElementMember("resetTimer", &VTEvent::m_ResetTimer, BoolKind()),
        ElementMember("endImmediately", &VTEvent::m_EndImmediately, BoolKind()),
        ElementMember("endAny", &VTEvent::m_EndAny, BoolKind()),
        ElementMember("endCorrect", &VTEvent::m_EndCorrect, BoolKind()),
        ElementMember("endTimeLimit", &VTEvent::m_EndTimeLimit, BoolKind()),
        ElementMember("delayFeedback", &VTEvent::m_DelayFeedback, BoolKind()),
        ElementMember("timeLimitKind", &VTEvent::m_TimeLimitKind, Whole<int>(0, 1)),
        ElementMember("timeLimitMs", &VTEvent::m_TimeLimitMs, Whole<int>(0, INT_MAX)),
        ElementMember("timeLimitVariableID", &VTEvent::m_TimeLimitVariableID,
                      ReferenceTo<int>(ElementType::TrialVariable, -1)),
        ElementMember("locationVariableID", &VTEvent::m_LocationVariableID,
                      ReferenceTo<int>(ElementType::TrialVariable, -1)),
        ElementMember("colourVariableID", &VTEvent::m_ColourVariableID,
                      ReferenceTo<int>(ElementType::TrialVariable, -1)),
        ElementMember("clickableResponseID", &VTEvent::m_ClickableResponseID,
                      ReferenceTo<int>(ElementType::Response, 0)),
        ElementMember("forbidsClickability", &VTEvent::m_ForbidsClickability, BoolKind()),
        ElementMember("responses", &VTEvent::m_Responses, LinksKind()),
        ElementMember("tags", &VTEvent::m_Tags, LinksKind()),
        ElementMember("tagSetIDForCorrect", &VTEvent::m_TagSetIDForCorrect, ReferenceTo<int>(ElementType::TagSet, -1)),
        ElementMember("correctRows", &VTEvent::m_CorrectRows, CorrectRowsKind()));
    return table;
}

std::map<wxString, wxString> VTEvent::GetPlugInSettings() const
{
    std::map<wxString, wxString> settings;
    for (const wxString& entry : m_PlugInSettings)
        if (entry.Contains("=")) settings[entry.BeforeFirst('=')] = entry.AfterFirst('=');
    return settings;
}

void VTEvent::SetPlugInSetting(const wxString& key, const wxString& value)
{
    std::map<wxString, wxString> settings = GetPlugInSettings();
    if (value.empty())
        settings.erase(key);
    else
        settings[key] = value;
    m_PlugInSettings.clear();
    for (const auto& setting : settings) m_PlugInSettings.push_back(setting.first + "=" + setting.second);
}

void VTEvent::SetPlugInSettings(const std::map<wxString, wxString>& settings)
{
    m_PlugInSettings.clear();
    for (const auto& setting : settings)
        if (!setting.second.empty()) m_PlugInSettings.push_back(setting.first + "=" + setting.second);
}

void VTEvent::ConfigureClickability(bool allowed, int responseID, bool)
{
    m_ForbidsClickability = !allowed;
    m_ClickableResponseID = responseID < 0 ? 0 : responseID;
}

void VTEvent::RefreshChildElementPointers()
{
    VTElement::RefreshChildElementPointers();
    // A variable limit whose variable is gone falls back to the fixed limit.
    if (m_TimeLimitKind == 1 && m_TimeLimitVariableID < 0) m_TimeLimitKind = 0;
    RefreshAndPruneResponsesIfTheyArePoolBased(true);
}

unsigned VTEvent::RefreshAndPruneResponsesIfTheyArePoolBased(bool warn)
{
    VTExperiment* experiment = GetOwningExperiment();
    if (!experiment || m_CorrectRows.empty()) return 0;
    std::unordered_set<int> pool{-1};
    wxString poolName;
    if (IsUsingResponsesBasedOnTags()) {
        auto* set = dynamic_cast<VTTagSet*>(
            experiment->LookupElementByTypeAndID(ElementType::TagSet, std::uint32_t(m_TagSetIDForCorrect)));
        if (set)
            for (const auto& link : set->GetCollectionOfUsedTags_deprecated().Entries())
                pool.insert(int(link.elementID));
        poolName = _("tag");
    } else if (IsListEvent()) {
        if (const VTStimList* list = experiment->GetStimListIfacePtr(std::uint32_t(m_StimListID)))
            for (const auto& item : list->GetItems()) pool.insert(int(item.id));
        poolName = _("list item");
    }
    unsigned dropped = 0;
    m_CorrectRows.erase(
        std::remove_if(m_CorrectRows.begin(), m_CorrectRows.end(),
                       [&](const VTCorrectResponseRow& row) {
                           if (pool.count(row.poolRowID)) return false;
                           ++dropped;
                           if (warn)
                               wxLogWarning(_("The event \"%s\" (id %u) had correct responses for a "
                                              "%s with id %d that no longer exists; they were removed."),
                                            GetName(), unsigned(GetID()),
                                            poolName.empty() ? wxString(_("pool row")) : poolName, row.poolRowID);
                           return true;
                       }),
        m_CorrectRows.end());
    return dropped;
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
    const bool variable = kind == 1 && variableId >= 1;
    m_TimeLimitKind = variable ? 1 : 0;
    m_TimeLimitMs = ms;
    m_TimeLimitVariableID = variable ? variableId : -1;
}

bool VTEvent::GetEndEventOption(int which) const
{
    switch (which) {
        case EndEventOption::Immediately: return m_EndImmediately;
        case EndEventOption::AnyResponse: return m_EndAny;
        case EndEventOption::CorrectResponse: return m_EndCorrect;
        case EndEventOption::TimeLimit: return m_EndTimeLimit;
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

VTEventResponseJudge::VTEventResponseJudge(const VTEvent& event)
    : m_Event(event), m_Accepted(event.GetAcceptedResponses())
{
    for (const VTCorrectResponseRow& row : event.m_CorrectRows) m_Rows.emplace(row.poolRowID, &row);
}

std::vector<VTEventResponseJudge::Verdict> VTEventResponseJudge::Judge(std::size_t itemIndex) const
{
    const auto found = m_Rows.find(m_Event.PoolRowForItem(itemIndex));
    const VTCorrectResponseRow* row = found == m_Rows.end() ? nullptr : found->second;
    std::unordered_set<std::uint32_t> chosen;
    if (row && row->kind != CorrectKind::Any && row->kind != CorrectKind::None)
        chosen.insert(row->chosenResponseIDs.begin(), row->chosenResponseIDs.end());
    std::vector<Verdict> verdicts;
    verdicts.reserve(m_Accepted.size());
    for (VTResponse* response : m_Accepted) {
        Verdict verdict;
        verdict.response = response;
        if (row)
            verdict.correct = row->kind == CorrectKind::Any ||
                              (row->kind != CorrectKind::None && chosen.count(response->GetID()) != 0);
        // Every response here is one the event accepts.
        verdict.endsEvent = m_Event.m_EndAny || (m_Event.m_EndCorrect && verdict.correct);
        verdicts.push_back(verdict);
    }
    return verdicts;
}

}  // namespace Vantrel
