#include "VTRuntime/VTDataFile.h"

#include <wx/datetime.h>
#include <wx/intl.h>

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
        error = _("No data file was named.");
        return false;
    }
    // An existing file is continued, never replaced: another run's data must not be lost.
    m_File = std::fopen(path.utf8_str(), "a");
    if (!m_File) {
        const wxString reason(std::strerror(errno));
        error = wxString::Format(_("The data file \"%s\" cannot be created: %s."), path, reason);
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

bool VTDataFile::WriteStopped(const wxString& why) { return WriteLine("Stopped\t" + Field(why)); }

bool VTDataFile::Fail(const wxString& format, int error)
{
    if (m_Error.empty()) m_Error = wxString::Format(format, m_Path, wxString(std::strerror(error)));
    return false;
}

bool VTDataFile::WriteLine(const wxString& line)
{
    if (!m_File) return false;
    if (!m_Error.empty()) return false;
    const std::string utf8 = (line + "\n").utf8_string();
    errno = 0;
    // errno is taken before the message is looked up, which may change it.
    if (std::fwrite(utf8.data(), 1, utf8.size(), m_File) != utf8.size()) {
        const int error = errno;
        return Fail(_("The data file \"%s\" could not be written: %s."), error);
    }
    // Flushed to the disk as it goes: a crash must not take the collected rows with it.
    if (std::fflush(m_File) != 0) {
        const int error = errno;
        return Fail(_("The data file \"%s\" could not be written: %s."), error);
    }
    if (fsync(fileno(m_File)) != 0 && errno != EINVAL) {
        const int error = errno;
        return Fail(_("The data file \"%s\" could not be saved to the disk: %s."), error);
    }
    return true;
}

bool VTDataFile::Close()
{
    if (!m_File) return m_Error.empty();
    errno = 0;
    const bool closed = std::fclose(m_File) == 0;
    const int error = errno;
    m_File = nullptr;
    if (!closed) Fail(_("The data file \"%s\" could not be closed: %s."), error);
    return m_Error.empty();
}

}  // namespace Vantrel
