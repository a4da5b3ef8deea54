#include <VTCore/VTSaveDataOptions.h>

#include <VTCore/VTExperiment.h>

namespace Vantrel {

VTSaveDataOptions::VTSaveDataOptions()
{
    m_Options.fill(false);
    // A new experiment writes the header, names its block, trial and event and
    // records each onset.
    m_Options[BlockNameColumn] = true;
    m_Options[TrialNameColumn] = true;
    m_Options[EventNameColumn] = true;
    m_Options[CumulativeTimeColumn] = true;
    m_Options[Header] = true;
    m_Options[FlushAfterEveryTrial] = true;
}

VTSaveDataOptions::~VTSaveDataOptions() = default;

bool VTSaveDataOptions::GetSaveOption(int index) const
{
    return index >= 0 && index < kCount && m_Options[std::size_t(index)];
}

void VTSaveDataOptions::SetSaveOption(int index, bool on)
{
    if (index >= 0 && index < kCount) m_Options[std::size_t(index)] = on;
}

wxString VTSaveDataOptions::GetExpandedFolder(const VTExperiment* experiment) const
{
    const wxString folder = m_Folder.GetFullPath();
    return experiment ? experiment->SubstitutePathVariables(folder) : folder;
}

bool VTSaveDataOptions::operator==(const VTSaveDataOptions& o) const
{
    return m_Options == o.m_Options && m_FolderMode == o.m_FolderMode &&
           m_Folder.GetFullPath() == o.m_Folder.GetFullPath() &&
           m_SubFolderName.GetFullPath() == o.m_SubFolderName.GetFullPath();
}

}  // namespace Vantrel
