#pragma once
#include <VTCore/VTElement.h>
#include <NonPersistentHelpers/VTLinkT.h>
#include <map>
#include <unordered_map>
#include <vector>

namespace Vantrel {

class VTResponse;
class VTStimList;

// Event types (= stimulus-list kinds) that the model knows by number.
namespace EventPlugIn {
constexpr int Pictures = 300;
constexpr int SoundLabels = 310;
constexpr int Audio = 311;
constexpr int Movies = 320;
constexpr int Text = 330;
constexpr int Reading = 340;
constexpr int RSVP = 341;
constexpr int DigitalOutput = 1000;
// Kinds whose stimuli are files rather than texts.
bool IsFileBased(int plugInID);
}  // namespace EventPlugIn

// What a run presents for one event: a text, or a file with its full path.
struct VTPresentableStimulus
{
    enum class Kind
    {
        None,
        Text,
        File
    };
    Kind kind = Kind::None;
    int plugInID = 0;
    wxString text;                 // Text: the words shown
    wxString path;                 // File: absolute path, resolved against the document's folder
    std::uint32_t listItemID = 0;  // the stimulus-list item presented, 0 without a list
};

// Correct-response kinds.
namespace CorrectKind {
constexpr int Any = 0;
constexpr int None = 1;
constexpr int Chosen = 2;
}  // namespace CorrectKind

// One pool row's correct responses: the row is a list item id (basis 8), a tag id
// (basis 12) or -1 for a plain event (basis 2).
struct VTCorrectResponseRow
{
    int poolRowID = -1;
    int kind = CorrectKind::Any;
    std::vector<std::uint32_t> chosenResponseIDs;
    bool operator==(const VTCorrectResponseRow& o) const
    {
        return poolRowID == o.poolRowID && kind == o.kind && chosenResponseIDs == o.chosenResponseIDs;
    }
};

// The ways an event can end, as GetEndEventOption() numbers them.
namespace EndEventOption {
constexpr int Immediately = 0;
constexpr int AnyResponse = 1;
constexpr int CorrectResponse = 2;
constexpr int TimeLimit = 3;
}  // namespace EndEventOption

// An event: one stimulus presentation within a trial, with the responses it
// accepts, which of them are correct, and what ends it.
class VTEvent : public VTElement
{
public:
    explicit VTEvent(VTExperiment* experiment);
    VTEvent(const VTEvent& source, VTExperiment* experiment = nullptr);
    ~VTEvent() override;
    static VTEvent* CreateTemporary_CallerMustDelete(const VTEvent* original, VTExperiment* experiment);

    Minimal_VTElement* CloneIntoExperiment(VTExperiment* experiment) const override;
    static const ElementFieldTable& FieldTable();
    const ElementFieldTable& GetFieldTable() const override { return FieldTable(); }
    // Also drops correct-response rows whose pool row is gone.
    void RefreshChildElementPointers() override;

    // ---- Type and stimulus
    virtual int GetPlugInID() const { return m_PlugInID; }
    virtual void SetPlugInID(int id) { m_PlugInID = id; }
    const wxString& GetStimulusText() const { return m_StimulusText; }
    void SetStimulusText(const wxString& text) { m_StimulusText = text; }
    // A list event presents the items of a stimulus list (id -1: none).
    bool IsListEvent() const { return m_StimListID >= 0; }
    int GetStimListID() const { return m_StimListID; }
    void SetStimListID(int id) { m_StimListID = id; }
    // The event's own stimulus files, as stored (relative to the document or absolute).
    const std::vector<wxString>& GetStimFiles() const { return m_StimFiles; }
    void RemoveAllStimFiles() { m_StimFiles.clear(); }
    void AddStimFile(const wxString& path) { m_StimFiles.push_back(path); }
    unsigned GetNumberOfUsedStimFiles() const { return unsigned(m_StimFiles.size()); }
    // The event's settings for its event-type plug-in, by name (the reading types'
    // "segment_character", rapid presentation's "word_duration_ms", ...).
    std::map<wxString, wxString> GetPlugInSettings() const;
    // An empty value removes the setting.
    void SetPlugInSetting(const wxString& key, const wxString& value);
    // Replaces every setting (empty values are left out).
    void SetPlugInSettings(const std::map<wxString, wxString>& settings);
    // The event's only stimulus file becomes `path`.
    void RemoveAllStimFilesAndStartFreshWithThisOne(const wxString& path) { m_StimFiles.assign(1, path); }

    // ---- Trial variables that place and colour the stimulus (-1: none). A run puts
    // the stimulus at the current level of the location variable (type 2003) and
    // draws it in the colour of the colour variable's current level (type 2006).
    // Deleting the variable resets the id to -1.
    int GetLocationVariableID() const { return m_LocationVariableID; }
    void SetLocationVariableID(int id) { m_LocationVariableID = id < 1 ? -1 : id; }
    int GetColourVariableID() const { return m_ColourVariableID; }
    void SetColourVariableID(int id) { m_ColourVariableID = id < 1 ? -1 : id; }
    // The time-limit variable (type 2001) when the limit is variable, else -1.
    int GetTimeLimitVariableID() const { return m_TimeLimitKind == 1 ? m_TimeLimitVariableID : -1; }

    // ---- Input and end of the event
    // Out-parameters in this order; kind 0 fixed, 1 variable; variableId -1 none.
    void GetCopiedInputSettingsForEditor(bool& record, bool& resetTimer, bool& endImmediately, bool& endAny,
                                         bool& endCorrect, bool& endTimeLimit, bool& delayFeedback, int& kind,
                                         int& fixedMs, int& variableId) const;
    void AcceptEndEventSettings(bool immediately, bool any, bool correct, bool timeLimit);
    // A variable limit without a variable (id below 1) is stored as a fixed limit,
    // and a fixed limit keeps no variable: kind 0 always goes with variable -1.
    void AcceptInputSettingsForEditor(bool record, bool resetTimer, int kind, int ms, int variableId);
    bool ResetsReactionTimer() const { return m_ResetTimer; }
    bool DelaysFeedbackUntilTimeLimit() const { return m_DelayFeedback; }

    // ---- Clickability: a click on the drawn stimulus counts as this on-screen
    // response (0: none). An event may forbid it whatever response is named.
    int ClickableResponseID() const { return m_ClickableResponseID; }
    bool ForbidsClickability() const { return m_ForbidsClickability; }
    // A negative id is taken as none; the last argument is reserved.
    void ConfigureClickability(bool allowed, int responseID, bool);
    // The response a click on the stimulus stands for while clicking is allowed, else 0.
    int EffectiveClickableResponseID() const { return m_ForbidsClickability ? 0 : m_ClickableResponseID; }
    // `which` is one of EndEventOption below.
    bool GetEndEventOption(int which) const;
    void SetWhenToPresentFeedback(bool delayed) { m_DelayFeedback = delayed; }
    int GetWhenToPresentFeedback() const { return m_DelayFeedback ? 1 : 0; }

    // ---- Responses: which are accepted (type 5 links) and which are correct
    VTUsedElements& GetUsedResponses() { return m_Responses; }
    const VTUsedElements& GetUsedResponses() const { return m_Responses; }
    VTUsedElements& GetNonConstAccessToCodeValues() { return m_Tags; }
    const VTUsedElements& GetCodeValues() const { return m_Tags; }
    // 2 plain event, 8 list event without tags, 12 tag mode.
    int GetResponsesBasis() const;
    bool IsUsingResponsesBasedOnTags() const { return m_TagSetIDForCorrect >= 0; }
    int GetTagSetIDUsedForCorrectResponses() const { return m_TagSetIDForCorrect; }
    void SetTagSetID_ForCorrectResponses(int id) { m_TagSetIDForCorrect = id; }
    void EditorRequestingSetResponseTypeInZeroethCollection(int kind);
    void SetResponseType(int basis, int poolRowID, int kind);
    int GetResponseType(int basis, int poolRowID) const;
    void LinkCorrectResponse(int basis, int poolRowID, VTResponse* response);
    void RemoveQualifyingCorrectResponse(int basis, int poolRowID, VTResponse* response);
    const std::vector<VTCorrectResponseRow>& GetCorrectResponseRows() const { return m_CorrectRows; }
    void SetCorrectResponseRows(const std::vector<VTCorrectResponseRow>& rows) { m_CorrectRows = rows; }
    // Drops the rows whose pool row no longer exists (a removed list item, a tag
    // that left the chosen tag set); the row of a plain event (-1) always stays.
    // Only for an event of the experiment, whose pool can be looked up. With
    // `warn`, each dropped row is named in a warning. The number dropped.
    unsigned RefreshAndPruneResponsesIfTheyArePoolBased(bool warn = false);

    // ---- What a run asks (resolved through the owning experiment)
    // 1 for a plain event; the list's item count for a list event (0 when the list is gone).
    std::size_t GetNumberOfStimulusItems() const;
    VTPresentableStimulus GetStimulusForPresentation(std::size_t itemIndex = 0) const;
    // The time limit in ms, or -1 when the event has none (a variable limit without
    // a usable level counts as none).
    int GetTimeLimitMs_OrNegativeOne() const;
    bool EndsImmediately() const { return m_EndImmediately; }
    bool RecordsResponses() const { return m_Record; }
    // The accepted responses, resolved, in the event's order.
    std::vector<VTResponse*> GetAcceptedResponses() const;
    // Correctness for the item presented (list events look up the item's row).
    bool IsResponseCorrect(const VTResponse* response, std::size_t itemIndex = 0) const;
    // True when this response (accepted by the event) ends it.
    bool ResponseEndsEvent(const VTResponse* response, std::size_t itemIndex = 0) const;

private:
    friend class VTEventResponseJudge;
    VTCorrectResponseRow* FindRow(int poolRowID);
    const VTCorrectResponseRow* FindRow(int poolRowID) const;
    int PoolRowForItem(std::size_t itemIndex) const;

    int m_PlugInID = EventPlugIn::Text;
    wxString m_StimulusText;
    int m_StimListID = -1;
    std::vector<wxString> m_StimFiles;
    std::vector<wxString> m_PlugInSettings;  // "name=value", one per setting, sorted by name
    bool m_Record = true;
    bool m_ResetTimer = true;
    bool m_EndImmediately = false;
    bool m_EndAny = true;
    bool m_EndCorrect = false;
    bool m_EndTimeLimit = false;
    bool m_DelayFeedback = false;
    int m_TimeLimitKind = 0;
    int m_TimeLimitMs = 1000;
    int m_TimeLimitVariableID = -1;
    int m_LocationVariableID = -1;
    int m_ColourVariableID = -1;
    int m_ClickableResponseID = 0;
    bool m_ForbidsClickability = false;
    VTUsedElements m_Responses{nullptr, ElementType::Response};
    VTUsedElements m_Tags{nullptr, ElementType::Tag};
    int m_TagSetIDForCorrect = -1;
    std::vector<VTCorrectResponseRow> m_CorrectRows;
};

// An event's accepted responses judged for its items, as IsResponseCorrect and
// ResponseEndsEvent judge one response, with the event's correct-response rows and
// accepted responses resolved once: judging every response for every item of a long
// list stays linear in what the event holds. A snapshot of the event as it is now.
class VTEventResponseJudge
{
public:
    struct Verdict
    {
        VTResponse* response = nullptr;
        bool correct = true;
        bool endsEvent = true;
    };

    explicit VTEventResponseJudge(const VTEvent& event);
    // The accepted responses in the event's order, judged for the item presented.
    std::vector<Verdict> Judge(std::size_t itemIndex) const;
    std::size_t AcceptedCount() const { return m_Accepted.size(); }

private:
    const VTEvent& m_Event;
    std::vector<VTResponse*> m_Accepted;
    std::unordered_map<int, const VTCorrectResponseRow*> m_Rows;  // by pool row, the first of each
};

}  // namespace Vantrel
