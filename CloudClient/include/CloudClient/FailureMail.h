#pragma once
// The fallback e-mail that carries a run's data file to the researcher when the
// upload failed: its template (a file beside the program) and its header lines.

#include <wx/string.h>

#include <ctime>
#include <string>
#include <vector>

namespace Vantrel {

// Where the template lies for a program at `executablePath`: the executable's
// folder followed by "/../PlugIns/email/sending_data_file.html".
wxString FailureMailTemplatePath(const wxString& executablePath);
// The template's text, read whole; empty when the file is missing, unreadable or
// larger than any template (1 MiB), so a broken install sends a bare e-mail.
std::string ReadFailureMailTemplate(const wxString& templatePath);
// The template beside the running program.
std::string ReadFailureMailTemplate();

// "Date:", "To:", "From:" and "Subject:" lines, in that order.
std::vector<std::string> FailureMailHeaders(const std::string& to, const std::string& date);
// The same, dated now.
std::vector<std::string> FailureMailHeaders(const std::string& to);

// "Thu, 10 Dec 2026 14:05:09 +0100": the fields of a local time and its offset from
// UTC in seconds. English names whatever the locale, as mail dates require.
std::string Rfc2822Date(const std::tm& local, long utcOffsetSeconds);
std::string Rfc2822DateNow();

}  // namespace Vantrel
