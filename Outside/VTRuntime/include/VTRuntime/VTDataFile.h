#pragma once
// The participant's data file: tab-separated UTF-8 text.
//
//   Study Station data file
//   Experiment<TAB>name
//   Subject<TAB>name
//   Session<TAB>id
//   Group<TAB>name
//   Date<TAB>YYYY-MM-DD HH:MM:SS (local time)
//   RunID<TAB>32 hexadecimal digits, unique per run
//   <empty line>
//   Block<TAB>Trial<TAB>Event<TAB>Stimulus<TAB>Response<TAB>RT_ms<TAB>Correctness<TAB>Onset_ms
//   [<TAB>one column per saved trial variable, named as the variable]
//   [<TAB>one column per parameter saved to the data file, named as the parameter]
//   [<TAB>one column per trial tag set, named as the set]
//   one row per presented event, or per word of a reading event ...
//
// The columns (above: those of a new experiment) follow the experiment's save
// options (VTDataColumns); without a header the file holds only the rows.
//
// RT_ms is the reaction time from stimulus onset in milliseconds with three decimals,
// empty without a response; Correctness is the experiment's code (C, E, SC, NR by
// default), empty for events that record no responses. Onset_ms is when the stimulus
// (or the word) reached the display or the sound output, in milliseconds since the
// run began, empty when nothing was presented. Reading events (self-paced reading,
// rapid serial presentation) write one row per word shown: the word, the response
// that ended it and its time from the word's onset. Tabs and line breaks inside
// fields become spaces. Each row is flushed to the disk as it is written, so what was
// collected survives a crash, whatever the experiment's "after every trial" option says;
// the header is written (and flushed) when the file opens.
// A run stopped by a stimulus that could not be presented ends its rows with one line
// "Stopped<TAB>why" (WriteStopped).
// A write, flush or sync that fails is reported (false) and named by GetLastError();
// after a failure the file takes nothing more.

#include <wx/string.h>

#include "VTRuntime/VTDataColumns.h"

#include <cstdio>

namespace Vantrel {

struct VTDataFileHeader
{
    wxString experimentName;
    wxString subjectName;
    wxString sessionID;
    wxString groupName;
    VTDataColumns columns;
};

struct VTDataFileRow
{
    wxString block, trial, event, stimulus, response;
    bool hasReactionTime = false;
    double reactionTimeMs = 0;
    wxString correctness;
    int blockNumber = 0, trialNumber = 0, eventNumber = 0;
    bool hasOnset = false;         // false: nothing was presented
    double onsetMs = 0;            // since the start of the run
    wxString correctResponses;     // the names of the responses that count as correct
    bool hasStimulusRect = false;  // where the stimulus was drawn
    wxRect stimulusRect;
    // The level of each saved trial variable, in the order of the level columns.
    std::vector<wxString> levels;
    // The value of each parameter saved to the data file, in the order of the parameter columns.
    std::vector<wxString> parameters;
    // The trial's tag of each trial tag set (empty: none), in the order of the tag columns.
    std::vector<wxString> tags;
};

class VTDataFile
{
public:
    VTDataFile();
    ~VTDataFile();
    VTDataFile(const VTDataFile&) = delete;
    VTDataFile& operator=(const VTDataFile&) = delete;

    // Creates the file (its folder must exist) and writes the header. An existing file
    // is continued: an empty line, then this run's header and rows. False with `error` filled when it cannot.
    bool Create(const wxString& path, const VTDataFileHeader& header, wxString& error);
    bool WriteRow(const VTDataFileRow& row);
    // The run's last line: it was stopped, and why.
    bool WriteStopped(const wxString& why);
    // False when what was written could not be made safe on closing.
    bool Close();
    bool IsOpen() const { return m_File != nullptr; }
    const wxString& GetRunID() const { return m_RunID; }
    // What failed, naming the file: "" while every write succeeded.
    const wxString& GetLastError() const { return m_Error; }

    static wxString NewRunID();
    static wxString FormatReactionTime(double ms);

private:
    bool WriteLine(const wxString& line);
    // `format` names the file (first %s) and the system's reason (second %s).
    bool Fail(const wxString& format, int error);
    std::FILE* m_File = nullptr;
    wxString m_Path;
    wxString m_RunID;
    VTDataFileHeader m_Header;
    wxString m_Error;
};

}  // namespace Vantrel
