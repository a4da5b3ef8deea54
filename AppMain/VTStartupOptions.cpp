#include "AppMain/VTStartupOptions.h"

#include "AppMain/StartupOptionTable.h"

#include "UserInterface/UtilityClasses/FileReadingHelpers.h"
#include "CloudTaskSupport/TaskCodeCheck.h"

#include <wx/convauto.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/msgdlg.h>
#include <wx/cmdline.h>
#include <wx/textfile.h>

namespace Vantrel {
namespace {

void Warn(const wxString& message) { wxMessageBox(message, _("Warning"), wxOK | wxICON_EXCLAMATION, nullptr); }

// The task code goes through the reader the panel uses for a typed code: eight
// digits, nothing else. Anything other (a number past 32 bits among it, which the
// panel would show wrapped to another code) leaves the target as it was.
void StoreTaskCode(const wxString& text, std::int64_t& target)
{
    const TaskCodeReading reading = ReadTaskCode(text);
    if (reading.problem == TaskCodeProblem::None) target = reading.code;
}

}  // namespace

VTStartupOptions::VTStartupOptions() = default;
VTStartupOptions::~VTStartupOptions() = default;

void VTStartupOptions::AddRegisteredOptionsToParser(wxCmdLineParser& parser)
{
    parser.SetSwitchChars("-");
    parser.SetLogo(_("The following options can be specified when running Vantrel from a command line:\n"));
    OPTION_TASKID.AddToParserAsOption(parser);
    OPTION_NODATAUPLOAD.AddToParserAsSwitch(parser);
}

void VTStartupOptions::Create(wxCmdLineParser& parser)
{
    VTSdkStartupOptions::Create(parser);
    HoldParser(parser);
    wxString taskText;
    GetValue(OPTION_TASKID, &taskText);
    StoreTaskCode(taskText, m_TaskID);
    m_NoDataUpload = GetValue(OPTION_NODATAUPLOAD);
    ReleaseParser();
}

std::uint32_t VTStartupOptions::GetRepetitionCount() const
{
    unsigned long long count = 1;
    if (!m_RepetitionsText.ToULongLong(&count, 10) || count >= 4294967295ULL) return 1;
    return static_cast<std::uint32_t>(count);
}

bool VTStartupOptions::Convert_e_ArgumentIntoOneOrMorePaths(const wxString& argument)
{
    if (!argument.Upper().EndsWith(".TXT")) {
        m_ExpPaths.push_back(argument);
        return true;
    }
    if (!Orbisk::CheckIfFileIsValidUTF8(argument)) {
        Warn(wxString::Format(_("Could not read text from input file: %s"), argument));
        return !m_ExpPaths.empty();
    }
    wxTextFile list;
    std::vector<wxString> invalidLines;
    if (list.Open(argument, wxConvAuto()) && list.GetLineCount() > 0) {
        for (size_t i = 0; i < list.GetLineCount(); ++i) {
            wxString line = list.GetLine(i);
            line.Trim(true).Trim(false);
            if (line.empty()) continue;
            const wxFileName file(line);
            if (file.IsOk() && file.FileExists())
                m_ExpPaths.push_back(line);
            else
                invalidLines.push_back(line);
        }
    }
    wxString message;
    if (m_ExpPaths.empty() && invalidLines.empty())
        message = wxString::Format(_("Could not locate any experiments listed in input file: %s"), argument);
    if (!invalidLines.empty()) {
        wxString listed;
        for (const wxString& line : invalidLines) listed << "\t" << line << "\n\n";
        message = wxString::Format(_("Invalid experiments listed in input file:\n\n%s"), listed);
        m_ExpPaths.clear();  // one bad line discards the whole list
    }
    if (!message.empty()) Warn(message);
    if (!m_ExpPaths.empty()) m_GatheredFromTextList = true;
    list.Close();
    return !m_ExpPaths.empty();
}

bool VTStartupOptions::VerifyPath(const wxString& label, const wxString& path)
{
    if (path.empty() || wxFileName(path).DirExists()) return true;
    Warn(label + _(" folder ") + path + _(" doesn't exist"));
    return false;
}

wxString VTStartupOptions::CommandLineDatafileFolderPath_IntendedForUseInTests() const
{
    return wxFileName(m_DataFile).GetPath(wxPATH_GET_VOLUME | wxPATH_GET_SEPARATOR);
}

}  // namespace Vantrel
