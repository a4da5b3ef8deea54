#pragma once
// Which columns the data file has, in which order, and whether it has a header:
// the experiment's save options turned into a layout that formats the column line
// and each row.
//
// Columns, in file order (optional ones only when their save option is on):
//   Participant, Group, Session, Block, BlockNumber, Trial, TrialNumber, Event,
//   EventNumber, Stimulus, StimulusX, StimulusY, StimulusWidth, StimulusHeight,
//   Response, RT_ms, Correctness, Onset_ms, CorrectResponse
// Then one column per trial variable whose level is saved, named as the variable: the
// level the row's trial had (its name; a time limit's milliseconds). Then one column per
// parameter saved to the data file, named as the parameter: its value when the row
// was written (VTParameterValues::ColumnValue). Then one column per trial tag set,
// named as the set: the tag of that set the row's trial carried when the row was written.
// Stimulus, Response, RT_ms and Correctness are always there. Numbers count from 1
// within the run (blocks), the block (trials) and the trial (events).
// Onset_ms (the "cumulative time" option) is the onset since the start of the run,
// empty when nothing was presented; the stimulus columns give the drawn stimulus'
// rectangle in window pixels (empty when nothing is drawn).

#include <wx/gdicmn.h>
#include <wx/string.h>

#include <vector>

namespace Vantrel {

class VTSaveDataOptions;

struct VTDataFileHeader;
struct VTDataFileRow;

class VTDataColumns
{
public:
    // The layout of a new experiment's options.
    VTDataColumns();
    explicit VTDataColumns(const VTSaveDataOptions& options);

    bool WritesHeader() const { return m_Header; }
    // The names of the level columns, after all others.
    void SetLevelColumns(const std::vector<wxString>& names) { m_LevelColumns = names; }
    const std::vector<wxString>& GetLevelColumns() const { return m_LevelColumns; }
    // The names of the parameter columns, after the level columns.
    void SetParameterColumns(const std::vector<wxString>& names) { m_ParameterColumns = names; }
    const std::vector<wxString>& GetParameterColumns() const { return m_ParameterColumns; }
    // The names of the tag set columns, after the parameter columns.
    void SetTagColumns(const std::vector<wxString>& names) { m_TagColumns = names; }
    const std::vector<wxString>& GetTagColumns() const { return m_TagColumns; }
    // The titles of every column a data file can have besides the level and parameter columns.
    static std::vector<wxString> FixedColumnTitles();
    wxString ColumnLine() const;
    // Tabs and line breaks inside fields become spaces.
    wxString FormatRow(const VTDataFileRow& row, const VTDataFileHeader& run) const;
    static wxString CleanField(const wxString& text);

    enum class Column;

private:
    std::vector<Column> m_Columns;
    std::vector<wxString> m_LevelColumns;
    std::vector<wxString> m_ParameterColumns;
    std::vector<wxString> m_TagColumns;
    bool m_Header = true;
};

}  // namespace Vantrel
