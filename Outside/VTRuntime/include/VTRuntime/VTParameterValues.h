#pragma once
// The live values of an experiment's parameters during one run. Every run starts
// from the values the document gives (VTPlannedParameter) and rules change them:
// - a counter holds a whole number, kept within its minimum and maximum (a value
//   beyond a limit becomes the limit; sums that leave the 32-bit range stop at its end);
// - a timer counts milliseconds while it is started; pausing keeps its time, resetting
//   sets it to 0 and leaves it started or paused as it was; it starts paused at 0;
// - a text holds at most kMaxTextLength characters; what goes beyond is dropped;
// - a response parameter holds a defined response's id, or kUnsetResponse;
// - a collection holds the trial presentations added to it, oldest first; with a size
//   limit, adding to a full collection drops its oldest trial (it keeps the last ones).
// Indexes are those of the plan's parameters; an index out of range reads as 0 or
// empty text and changes nothing.

#include <wx/string.h>

#include <cstdint>
#include <deque>
#include <map>
#include <vector>

#include "VTRuntime/VTRunRules.h"

namespace Vantrel {

// One trial presentation as a collection keeps it.
struct VTCollectedTrial
{
    int trialID = -1;
    bool responded = false;
    bool correct = false;
    double reactionTimeMs = 0;
};

class VTParameterValues
{
public:
    // What a response parameter holds before a response is stored in it.
    static constexpr int kUnsetResponse = -2;
    static constexpr size_t kMaxTextLength = 1000;

    // Every parameter at its starting value.
    void Start(const std::vector<VTPlannedParameter>& parameters);
    size_t Count() const { return m_Live.size(); }
    const VTPlannedParameter* Definition(int index) const;

    // A counter's value, a timer's milliseconds at `nowMicroseconds`, or a response
    // parameter's id.
    double Number(int index, unsigned long long nowMicroseconds) const;
    const wxString& Text(int index) const;

    // Back to the starting value (a timer to 0).
    void Reset(int index, unsigned long long nowMicroseconds);
    void SetCounter(int index, long long value);
    void AddToCounter(int index, long long delta);
    // Uniform within the counter's minimum and maximum (both limits are needed).
    void DrawRandomCounter(int index);
    void SetText(int index, const wxString& text);
    void AppendText(int index, const wxString& text);
    void StoreResponse(int index, int responseID);
    void StartTimer(int index, unsigned long long nowMicroseconds);
    void PauseTimer(int index, unsigned long long nowMicroseconds);
    void AddToCollection(int index, const VTCollectedTrial& trial);
    // Empty for anything but a collection.
    const std::deque<VTCollectedTrial>& Collection(int index) const;
    // Whether a collection with a size limit holds that many trials.
    bool CollectionIsFull(int index) const;

    // The value as the data file shows it: a counter's number, a timer's milliseconds
    // (three decimals), the text, the stored response's name (empty when unset), or how
    // many trials a collection holds.
    wxString ColumnValue(int index, unsigned long long nowMicroseconds,
                         const std::map<int, wxString>& responseNames) const;

private:
    struct Live
    {
        VTPlannedParameter definition;
        long long number = 0;  // counter, response
        wxString text;
        bool running = false;  // timer
        unsigned long long since = 0;
        double accumulatedMs = 0;
        std::deque<VTCollectedTrial> trials;  // collection
    };
    Live* At(int index);
    const Live* At(int index) const;
    static long long WithinLimits(const VTPlannedParameter& p, long long value);

    std::vector<Live> m_Live;
};

}  // namespace Vantrel
