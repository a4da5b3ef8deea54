#include "TestFiles.h"

#include <cstdio>
#include <fstream>
#include <sstream>

namespace TestSupport {

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    if (in) bytes << in.rdbuf();
    return bytes.str();
}

std::string ReadWholeFile(const wxString& path) { return ReadWholeFile(std::string(path.fn_str())); }
std::string ReadWholeFile(const char* path) { return ReadWholeFile(std::string(path)); }

bool WriteWholeFile(const std::string& path, const std::string& bytes)
{
    const std::string temporary = path + ".writing";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << bytes;
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

bool WriteWholeFile(const wxString& path, const std::string& bytes)
{
    return WriteWholeFile(std::string(path.fn_str()), bytes);
}
bool WriteWholeFile(const char* path, const std::string& bytes) { return WriteWholeFile(std::string(path), bytes); }

}  // namespace TestSupport
