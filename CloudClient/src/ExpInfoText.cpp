// The information file's known lines, read without the configuration classes.

#include "CloudClient/TaskFileLimits.h"
#include "CloudClient/TaskFolderNames.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <algorithm>
#include <limits>

namespace Vantrel {

namespace {

std::string Trimmed(const std::string& text, std::size_t begin, std::size_t end)
{
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t')) ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t' || text[end - 1] == '\r')) --end;
    return text.substr(begin, end - begin);
}

// The writer quotes a value with outer blanks and escapes backslashes, quotes and
// line breaks; the reader undoes both.
std::string Unescaped(const std::string& value)
{
    std::string text = value;
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = text.substr(1, text.size() - 2);
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            out += text[i];
            continue;
        }
        const char next = text[++i];
        out += next == 'n' ? '\n' : next == 't' ? '\t' : next == 'r' ? '\r' : next;
    }
    return out;
}

// A count as the writer writes it: decimal digits; anything else reads as 0 (no
// limit), anything past 32 bits as the largest limit.
std::uint32_t ParticipantLimit(const std::string& value)
{
    if (value.empty()) return 0;
    errno = 0;
    char* end = nullptr;
    const long long number = std::strtoll(value.c_str(), &end, 10);
    if (end == value.c_str() || *end != '\0' || number <= 0) return 0;
    if (errno == ERANGE || number > std::numeric_limits<std::uint32_t>::max())
        return std::numeric_limits<std::uint32_t>::max();
    return static_cast<std::uint32_t>(number);
}

}  // namespace

ExpInfoReading ParseExpInfoText(const std::string& text, ExpInfo& info)
{
    if (text.size() > kMaxExpInfoReadBytes) return ExpInfoReading::TooLarge;
    const std::size_t firstEnd = std::min(text.find('\n'), text.size());
    if (text.substr(0, firstEnd).find(TaskInfoKey::kVersion) == std::string::npos)
        return ExpInfoReading::NotInformation;

    ExpInfo read = info;
    read.vt_ver.clear();
    read.r_email.clear();
    read.max_prtcpnt = 0;
    read.prompt_info = read.run_once = read.no_delete = read.save_desktop = false;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trimmed(text, start, end);
        start = end + 1;
        if (line.empty() || line[0] == ';' || line[0] == '#') continue;
        // The writer puts every key at the top level; a group ends it.
        if (line[0] == '[') break;
        const std::size_t equals = line.find('=');
        if (equals == std::string::npos) continue;
        const std::string key = Trimmed(line, 0, equals);
        const std::string value = Unescaped(Trimmed(line, equals + 1, line.size()));
        if (key == TaskInfoKey::kVersion)
            read.vt_ver = QString::fromStdString(value);
        else if (key == TaskInfoKey::kResearcherEmail)
            read.r_email = QString::fromStdString(value);
        else if (key == TaskInfoKey::kParticipantLimit)
            read.max_prtcpnt = ParticipantLimit(value);
        else if (key == TaskInfoKey::kPromptInfo)
            read.prompt_info = value == "1";
        else if (key == TaskInfoKey::kRunOnce)
            read.run_once = value == "1";
        else if (key == TaskInfoKey::kNoDelete)
            read.no_delete = value == "1";
        else if (key == TaskInfoKey::kSaveDesktop)
            read.save_desktop = value == "1";
    }
    info = read;
    return ExpInfoReading::Read;
}

ExpInfoReading ReadExpInfoFile(const std::string& path, ExpInfo& info)
{
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return ExpInfoReading::NotInformation;
    std::string text(kMaxExpInfoReadBytes + 1, '\0');
    const std::size_t got = std::fread(&text[0], 1, text.size(), file);
    std::fclose(file);
    text.resize(got);
    return ParseExpInfoText(text, info);
}

}  // namespace Vantrel
