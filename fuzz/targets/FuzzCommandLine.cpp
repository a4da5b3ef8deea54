// The program's command line (arguments separated by NUL bytes), through the parser
// and the start-up options as the program reads them. A task code given with -t is
// one the task-code reader accepts (eight digits) or none at all.

#include "FuzzSupport.h"

#include "AppMain/VTStartupOptions.h"

#include <wx/cmdline.h>

#include <string>
#include <vector>

namespace {

// More arguments than any real start; the parser's work grows with each.
constexpr std::size_t kMaxArguments = 64;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSupport::Initialise();
    std::vector<wxString> arguments{"StudyStation"};
    std::string current;
    for (std::size_t i = 0; i <= size && arguments.size() < kMaxArguments; ++i) {
        if (i == size || data[i] == 0) {
            arguments.push_back(wxString::FromUTF8(current));
            current.clear();
        } else {
            current += static_cast<char>(data[i]);
        }
    }
    std::vector<const wxChar*> argv;
    for (const wxString& argument : arguments) argv.push_back(argument.wc_str());
    argv.push_back(nullptr);
    wxCmdLineParser parser(static_cast<int>(arguments.size()), const_cast<wxChar**>(argv.data()));
    Vantrel::VTStartupOptions::AddRegisteredOptionsToParser(parser);
    if (parser.Parse(false) != 0) return 0;
    Vantrel::VTStartupOptions options;
    options.Create(parser);
    if (options.m_TaskID != -1 && (options.m_TaskID < 10000000 || options.m_TaskID > 99999999))
        FuzzSupport::Fail("a task code that is not eight digits");
    return 0;
}
