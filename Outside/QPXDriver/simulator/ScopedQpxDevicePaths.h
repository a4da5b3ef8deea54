#pragma once
// Points QPX detection (VANTREL_QPX_DEVICE) at chosen paths, typically simulated
// devices, for the life of one scope; the previous value comes back afterwards.

#include <cstdlib>
#include <string>
#include <vector>

namespace Orbisk {
namespace Testing {

class ScopedQpxDevicePaths
{
public:
    explicit ScopedQpxDevicePaths(const std::vector<std::string>& paths)
    {
        if (const char* old = std::getenv("VANTREL_QPX_DEVICE")) {
            m_had = true;
            m_old = old;
        }
        std::string joined;
        for (const std::string& p : paths) joined += (joined.empty() ? "" : ":") + p;
        ::setenv("VANTREL_QPX_DEVICE", joined.c_str(), 1);
    }
    ~ScopedQpxDevicePaths()
    {
        if (m_had)
            ::setenv("VANTREL_QPX_DEVICE", m_old.c_str(), 1);
        else
            ::unsetenv("VANTREL_QPX_DEVICE");
    }
    ScopedQpxDevicePaths(const ScopedQpxDevicePaths&) = delete;
    ScopedQpxDevicePaths& operator=(const ScopedQpxDevicePaths&) = delete;

private:
    bool m_had = false;
    std::string m_old;
};

}  // namespace Testing
}  // namespace Orbisk
