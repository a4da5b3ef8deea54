#include "VTRuntime/VTParameterValues.h"

#include <VTCore/OrderFormForParameterCreation.h>

#include <algorithm>
#include <limits>

#include "VTPlugInCommon/RNG_Wrapper.h"
#include "VTRuntime/VTDataFile.h"

namespace Vantrel {

namespace {

constexpr long long kLowest = std::numeric_limits<std::int32_t>::min();
constexpr long long kHighest = std::numeric_limits<std::int32_t>::max();

// Milliseconds from `since` to `now`; 0 when the clock reads earlier.
double MsBetween(unsigned long long since, unsigned long long now)
{
    return now > since ? double(now - since) / 1000.0 : 0.0;
}

}  // namespace

void VTParameterValues::Start(const std::vector<VTPlannedParameter>& parameters)
{
    m_Live.clear();
    m_Live.reserve(parameters.size());
    for (const VTPlannedParameter& p : parameters) {
        Live live;
        live.definition = p;
        m_Live.push_back(live);
        Reset(int(m_Live.size() - 1), 0);
    }
}

VTParameterValues::Live* VTParameterValues::At(int index)
{
    return index >= 0 && size_t(index) < m_Live.size() ? &m_Live[size_t(index)] : nullptr;
}

const VTParameterValues::Live* VTParameterValues::At(int index) const
{
    return index >= 0 && size_t(index) < m_Live.size() ? &m_Live[size_t(index)] : nullptr;
}

const VTPlannedParameter* VTParameterValues::Definition(int index) const
{
    const Live* live = At(index);
    return live ? &live->definition : nullptr;
}

long long VTParameterValues::WithinLimits(const VTPlannedParameter& p, long long value)
{
    value = std::clamp(value, kLowest, kHighest);
    if (p.hasMin) value = std::max(value, (long long)p.min);
    if (p.hasMax) value = std::min(value, (long long)p.max);
    return value;
}

double VTParameterValues::Number(int index, unsigned long long now) const
{
    const Live* live = At(index);
    if (!live) return 0;
    if (live->definition.type == ParameterType::Timer)
        return live->accumulatedMs + (live->running ? MsBetween(live->since, now) : 0.0);
    return double(live->number);
}

const wxString& VTParameterValues::Text(int index) const
{
    static const wxString kEmpty;
    const Live* live = At(index);
    return live ? live->text : kEmpty;
}

void VTParameterValues::Reset(int index, unsigned long long now)
{
    Live* live = At(index);
    if (!live) return;
    const VTPlannedParameter& p = live->definition;
    switch (p.type) {
        case ParameterType::Counter: live->number = WithinLimits(p, p.initialValue); break;
        case ParameterType::Response: live->number = kUnsetResponse; break;
        case ParameterType::Text: SetText(index, p.initialText); break;
        case ParameterType::Timer:
            live->accumulatedMs = 0;
            live->since = now;
            break;
        case ParameterType::Collection: live->trials.clear(); break;
        default: break;
    }
}

void VTParameterValues::AddToCollection(int index, const VTCollectedTrial& trial)
{
    Live* live = At(index);
    if (!live || live->definition.type != ParameterType::Collection) return;
    live->trials.push_back(trial);
    // Without a limit a collection is bounded by the run's guard on trial presentations.
    const int limit = live->definition.sizeLimit;
    while (limit > 0 && live->trials.size() > size_t(limit)) live->trials.pop_front();
}

const std::deque<VTCollectedTrial>& VTParameterValues::Collection(int index) const
{
    static const std::deque<VTCollectedTrial> kNone;
    const Live* live = At(index);
    return live ? live->trials : kNone;
}

bool VTParameterValues::CollectionIsFull(int index) const
{
    const Live* live = At(index);
    return live && live->definition.type == ParameterType::Collection && live->definition.sizeLimit > 0 &&
           live->trials.size() >= size_t(live->definition.sizeLimit);
}

void VTParameterValues::SetCounter(int index, long long value)
{
    if (Live* live = At(index)) live->number = WithinLimits(live->definition, value);
}

void VTParameterValues::AddToCounter(int index, long long delta)
{
    // Both operands are within the 32-bit range, so their sum cannot overflow here.
    if (Live* live = At(index)) live->number = WithinLimits(live->definition, live->number + delta);
}

void VTParameterValues::DrawRandomCounter(int index)
{
    Live* live = At(index);
    if (!live || !live->definition.hasMin || !live->definition.hasMax) return;
    const VTPlannedParameter& p = live->definition;
    const int low = std::min(p.min, p.max), high = std::max(p.min, p.max);
    live->number = Orbisk::RNG_Wrapper::GetRandomNumberStream_NoConcernForAnySeed()->Draw(low, high);
}

void VTParameterValues::SetText(int index, const wxString& text)
{
    if (Live* live = At(index)) live->text = text.Left(kMaxTextLength);
}

void VTParameterValues::AppendText(int index, const wxString& text)
{
    Live* live = At(index);
    if (!live || live->text.length() >= kMaxTextLength) return;
    live->text += text.Left(kMaxTextLength - live->text.length());
}

void VTParameterValues::StoreResponse(int index, int responseID)
{
    if (Live* live = At(index)) live->number = responseID;
}

void VTParameterValues::StartTimer(int index, unsigned long long now)
{
    Live* live = At(index);
    if (!live || live->running) return;
    live->running = true;
    live->since = now;
}

void VTParameterValues::PauseTimer(int index, unsigned long long now)
{
    Live* live = At(index);
    if (!live || !live->running) return;
    live->accumulatedMs += MsBetween(live->since, now);
    live->running = false;
}

wxString VTParameterValues::ColumnValue(int index, unsigned long long now,
                                        const std::map<int, wxString>& responseNames) const
{
    const Live* live = At(index);
    if (!live) return wxString();
    switch (live->definition.type) {
        case ParameterType::Counter: return wxString::Format("%lld", live->number);
        case ParameterType::Timer: return VTDataFile::FormatReactionTime(Number(index, now));
        case ParameterType::Text: return live->text;
        case ParameterType::Response: {
            const auto found = responseNames.find(int(live->number));
            return found == responseNames.end() ? wxString() : found->second;
        }
        case ParameterType::Collection: return wxString::Format("%zu", live->trials.size());
        default: return wxString();
    }
}

}  // namespace Vantrel
