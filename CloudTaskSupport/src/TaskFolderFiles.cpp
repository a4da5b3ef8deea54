#include "TaskFolderFiles.h"

#include "DesktopDataCopy.h"

#include <wx/filefn.h>
#include <wx/filename.h>

namespace Vantrel {

wxString TaskDataFilePath(const wxString& taskFolder) { return taskFolder + wxFILE_SEP_PATH + kTaskDataFileName; }

wxString EarlierDataFileName(int number) { return wxString::Format("%s%d).txt", kTaskEarlierDataPrefix, number); }

EarlierDataSetAside SetEarlierDataFileAside(const wxString& dataFile, const wxString& taskFolder,
                                            const wxString& desktopFolder)
{
    EarlierDataSetAside result;
    if (!wxFileExists(dataFile)) return result;
    const DesktopCopyResult copy = CopyDataFileToFolder(dataFile, desktopFolder);
    if (copy.verified && wxRemoveFile(dataFile)) {
        result.outcome = EarlierDataSetAside::Outcome::MovedToDesktop;
        result.path = copy.path;
        return result;
    }
    result.keepTaskFolder = true;
    result.outcome = EarlierDataSetAside::Outcome::LeftInPlace;
    for (int n = 1; n <= kMaxEarlierDataFiles; ++n) {
        const wxString aside = taskFolder + wxFILE_SEP_PATH + EarlierDataFileName(n);
        if (wxFileExists(aside)) continue;
        if (wxRenameFile(dataFile, aside, false)) {
            result.outcome = EarlierDataSetAside::Outcome::KeptAside;
            result.path = aside;
        }
        break;
    }
    return result;
}

}  // namespace Vantrel
