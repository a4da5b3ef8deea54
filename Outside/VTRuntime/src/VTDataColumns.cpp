#include "VTRuntime/VTDataColumns.h"

#include <VTCore/VTSaveDataOptions.h>

#include "VTRuntime/VTDataFile.h"

namespace Vantrel {

enum class VTDataColumns::Column
{
    Participant,
    Group,
    Session,
    Block,
    BlockNumber,
    Trial,
    TrialNumber,
    Event,
    EventNumber,
    Stimulus,
    StimulusX,
    StimulusY,
    StimulusWidth,
    StimulusHeight,
    Response,
    ReactionTime,
    Correctness,
    Onset,
    CorrectResponse
};

namespace {

using Column = VTDataColumns::Column;

struct ColumnInfo
{
    Column column;
    const char* title;
    int saveOption;  // -1: always present
};

const ColumnInfo kColumns[] = {
    {Column::Participant, "Participant", VTSaveDataOptions::ParticipantNameColumn},
    {Column::Group, "Group", VTSaveDataOptions::ParticipantGroupColumn},
    {Column::Session, "Session", VTSaveDataOptions::SessionIDColumn},
    {Column::Block, "Block", VTSaveDataOptions::BlockNameColumn},
    {Column::BlockNumber, "BlockNumber", VTSaveDataOptions::BlockNumberColumn},
    {Column::Trial, "Trial", VTSaveDataOptions::TrialNameColumn},
    {Column::TrialNumber, "TrialNumber", VTSaveDataOptions::TrialNumberColumn},
    {Column::Event, "Event", VTSaveDataOptions::EventNameColumn},
    {Column::EventNumber, "EventNumber", VTSaveDataOptions::EventNumberColumn},
    {Column::Stimulus, "Stimulus", -1},
    {Column::StimulusX, "StimulusX", VTSaveDataOptions::StimulusPositionColumn},
    {Column::StimulusY, "StimulusY", VTSaveDataOptions::StimulusPositionColumn},
    {Column::StimulusWidth, "StimulusWidth", VTSaveDataOptions::StimulusPositionColumn},
    {Column::StimulusHeight, "StimulusHeight", VTSaveDataOptions::StimulusPositionColumn},
    {Column::Response, "Response", -1},
    {Column::ReactionTime, "RT_ms", -1},
    {Column::Correctness, "Correctness", -1},
    // The onset since the run began is the cumulative time the option names.
    {Column::Onset, "Onset_ms", VTSaveDataOptions::CumulativeTimeColumn},
    {Column::CorrectResponse, "CorrectResponse", VTSaveDataOptions::CorrectResponsesColumn},
};

const ColumnInfo& Info(Column c) { return kColumns[static_cast<int>(c)]; }

wxString Number(int n) { return wxString::Format("%d", n); }

wxString StimulusCoordinate(const VTDataFileRow& row, int wxRect::*part)
{
    return row.hasStimulusRect ? Number(row.stimulusRect.*part) : wxString();
}

wxString Field(const VTDataFileRow& row, const VTDataFileHeader& run, Column c)
{
    switch (c) {
        case Column::Participant: return run.subjectName;
        case Column::Group: return run.groupName;
        case Column::Session: return run.sessionID;
        case Column::Block: return row.block;
        case Column::BlockNumber: return Number(row.blockNumber);
        case Column::Trial: return row.trial;
        case Column::TrialNumber: return Number(row.trialNumber);
        case Column::Event: return row.event;
        case Column::EventNumber: return Number(row.eventNumber);
        case Column::Stimulus: return row.stimulus;
        case Column::StimulusX: return StimulusCoordinate(row, &wxRect::x);
        case Column::StimulusY: return StimulusCoordinate(row, &wxRect::y);
        case Column::StimulusWidth: return StimulusCoordinate(row, &wxRect::width);
        case Column::StimulusHeight: return StimulusCoordinate(row, &wxRect::height);
        case Column::Response: return row.response;
        case Column::ReactionTime: return row.hasReactionTime ? VTDataFile::FormatReactionTime(row.reactionTimeMs) : "";
        case Column::Correctness: return row.correctness;
        case Column::Onset: return row.hasOnset ? VTDataFile::FormatReactionTime(row.onsetMs) : "";
        case Column::CorrectResponse: return row.correctResponses;
    }
    return wxString();
}

}  // namespace

VTDataColumns::VTDataColumns() : VTDataColumns(VTSaveDataOptions()) {}

VTDataColumns::VTDataColumns(const VTSaveDataOptions& options)
    : m_Header(options.GetSaveOption(VTSaveDataOptions::Header))
{
    for (const ColumnInfo& info : kColumns)
        if (info.saveOption < 0 || options.GetSaveOption(info.saveOption)) m_Columns.push_back(info.column);
}

std::vector<wxString> VTDataColumns::FixedColumnTitles()
{
    std::vector<wxString> titles;
    for (const ColumnInfo& info : kColumns) titles.push_back(info.title);
    return titles;
}

wxString VTDataColumns::ColumnLine() const
{
    wxString line;
    for (size_t i = 0; i < m_Columns.size(); ++i) line << (i ? "\t" : "") << Info(m_Columns[i]).title;
    for (const wxString& name : m_LevelColumns) line << "\t" << CleanField(name);
    for (const wxString& name : m_ParameterColumns) line << "\t" << CleanField(name);
    for (const wxString& name : m_TagColumns) line << "\t" << CleanField(name);
    return line;
}

wxString VTDataColumns::FormatRow(const VTDataFileRow& row, const VTDataFileHeader& run) const
{
    wxString line;
    for (size_t i = 0; i < m_Columns.size(); ++i) line << (i ? "\t" : "") << CleanField(Field(row, run, m_Columns[i]));
    // Exactly one field per level column, whatever the row holds.
    for (size_t i = 0; i < m_LevelColumns.size(); ++i)
        line << "\t" << (i < row.levels.size() ? CleanField(row.levels[i]) : wxString());
    for (size_t i = 0; i < m_ParameterColumns.size(); ++i)
        line << "\t" << (i < row.parameters.size() ? CleanField(row.parameters[i]) : wxString());
    for (size_t i = 0; i < m_TagColumns.size(); ++i)
        line << "\t" << (i < row.tags.size() ? CleanField(row.tags[i]) : wxString());
    return line;
}

wxString VTDataColumns::CleanField(const wxString& text)
{
    wxString clean(text);
    clean.Replace("\t", " ");
    clean.Replace("\r\n", " ");
    clean.Replace("\n", " ");
    clean.Replace("\r", " ");
    return clean;
}

}  // namespace Vantrel
