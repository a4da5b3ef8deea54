#pragma once
// What the data file of a run holds and where it goes. The experiment owns one and
// saves it in its document; building copies it into the expanded experiment.

#include <wx/filename.h>
#include <wx/string.h>

#include <array>

namespace Vantrel {

class VTExperiment;

class VTSaveDataOptions
{
public:
    // The numbered options. Columns are optional columns of the data file; Header
    // writes the file's header; FlushAfterEveryTrial is kept for the document (the
    // runtime flushes after every row regardless).
    enum SaveOption
    {
        ParticipantNameColumn = 0,
        BlockNameColumn = 1,
        BlockNumberColumn = 2,
        TrialNameColumn = 3,
        TrialNumberColumn = 4,
        EventNameColumn = 5,
        EventNumberColumn = 6,
        CorrectResponsesColumn = 7,
        ParticipantGroupColumn = 8,
        Header = 9,
        CumulativeTimeColumn = 10,
        FlushAfterEveryTrial = 11,
        SessionIDColumn = 12,
        StimulusPositionColumn = 13
    };
    static constexpr int kCount = 14;

    // Where the data file goes when the run names no folder of its own.
    enum FolderMode
    {
        ExperimentFolder = 0,       // "$(V)": the folder of the experiment file
        SubFolderOfExperiment = 1,  // "$(V)/name"
        AnotherFolder = 2,          // an ordinary path
        PreviousFolder = 3          // the folder the previous run saved into
    };

    VTSaveDataOptions();
    virtual ~VTSaveDataOptions();
    VTSaveDataOptions(const VTSaveDataOptions&) = default;
    VTSaveDataOptions& operator=(const VTSaveDataOptions&) = default;

    // Options outside 0..13 read false and are not stored.
    bool GetSaveOption(int index) const;
    void SetSaveOption(int index, bool on);

    // The folder with its "$(Name)" references expanded through `experiment` (left
    // as they are when it is null).
    wxString GetExpandedFolder(const VTExperiment* experiment) const;

    bool operator==(const VTSaveDataOptions& o) const;

    int m_FolderMode = PreviousFolder;
    // The folder string: "$(V)", "$(V)/name" or a path.
    wxFileName m_Folder;
    wxFileName m_SubFolderName;

private:
    std::array<bool, kCount> m_Options;
};

}  // namespace Vantrel
