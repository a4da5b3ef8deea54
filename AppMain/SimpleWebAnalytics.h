#pragma once
// The query suffix that tells the version server which system and program
// version ask, and the feedback page.

#include <wx/string.h>

#include <string>

namespace Vantrel {

class SimpleWebAnalytics
{
public:
    // "?vtapp_os=<brief OS version>&vtapp_vt=6.5.3", both values URL-encoded when asked; UTF-8.
    static std::string ComputeThe_GET_StringStd(bool encode);
    static wxString ComputeThe_GET_StringWx(bool encode);
    static void LaunchWebFeedback();
};

}  // namespace Vantrel
