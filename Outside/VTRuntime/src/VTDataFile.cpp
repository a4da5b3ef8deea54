#include "VTRuntime/VTDataFile.h"

#include <wx/datetime.h>

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

namespace Vantrel {

namespace {
wxString Field(const wxString& text) { return VTDataColumns::CleanField(text); }
}  // namespace

VTDataFile::VTDataFile() {}
VTDataFile::~VTDataFile() { Close(); }

wxString VTDataFile::NewRunID()
{
    std::random_device entropy;
    wxString id;
    for (int i = 0; i < 4; ++i) id << wxString::Format("%08x", static_cast<unsigned>(entropy()));
    return id;
}

wxString VTDataFile::FormatReactionTime(double ms) { return wxString::FromCDouble(ms, 3); }

bool VTDataFile::Create(const wxString& path, const VTDataFileHeader& header, wxString& error)
{
    Close();
    m_Error.clear();
    m_Path = path;
    if (path.empty()) {
        error = "No data file was named.";
        return false;
    }
    // An existing file is continued, never replaced: another run's data must not be lost.
    m_File = std::fopen(path.utf8_str(), "a");
    if (!m_File) {
        error = wxString::Format("The data file \"%s\" cannot be created: %s.", path, wxString(std::strerror(errno)));
        return false;
    }
    m_RunID = NewRunID();
    m_Header = header;
    const bool continuing = std::ftell(m_File) > 0;
    const wxString date = wxDateTime::Now().Format("%Y-%m-%d %H:%M:%S");
    // Without a header the rows of several runs simply follow each other.
    bool ok = !header.columns.WritesHeader() ||
              ((!continuing || WriteLine("")) && WriteLine("Study Station data file") &&
               WriteLine("Experiment\t" + Field(header.experimentName)) &&
               WriteLine("Subject\t" + Field(header.subjectName)) && WriteLine("Session\t" + Field(header.sessionID)) &&
               WriteLine("Group\t" + Field(header.groupName)) && WriteLine("Date\t" + date) &&
               WriteLine("RunID\t" + m_RunID) && WriteLine("") && WriteLine(header.columns.ColumnLine()));
    if (!ok) {
        error = m_Error;
        Close();
        return false;
    }
    return true;
}

bool VTDataFile::WriteRow(const VTDataFileRow& row) { return WriteLine(m_Header.columns.FormatRow(row, m_Header)); }

bool VTDataFile::Fail(const char* what, int error)
{
    if (m_Error.empty())
        m_Error = wxString::Format("The data file \"%s\" could not be %s: %s.", m_Path, what,
                                   wxString(std::strerror(error)));
    return false;
}

bool VTDataFile::WriteLine(const wxString& line)
{
    if (!m_File) return false;
    if (!m_Error.empty()) return false;
    const std::string utf8 = (line + "\n").utf8_string();
    errno = 0;
    if (std::fwrite(utf8.data(), 1, utf8.size(), m_File) != utf8.size()) return Fail("written", errno);
    // Flushed to the disk as it goes: a crash must not take the collected rows with it.
    if (std::fflush(m_File) != 0) return Fail("written", errno);
    if (fsync(fileno(m_File)) != 0 && errno != EINVAL) return Fail("saved to the disk", errno);
    return true;
}

bool VTDataFile::Close()
{
    if (!m_File) return m_Error.empty();
    errno = 0;
    const bool closed = std::fclose(m_File) == 0;
    m_File = nullptr;
    if (!closed) Fail("closed", errno);
    return m_Error.empty();
}

}  // namespace Vantrel
