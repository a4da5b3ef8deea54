#include "VTPlugInCommon/StartupParam.h"

#include <wx/cmdline.h>
#include <wx/config.h>

#include <map>
#include <set>

namespace VantrelSDK {

namespace {
// The parser asserts on names it does not know; remember what each parser was given.
std::map<const wxCmdLineParser*, std::set<wxString>>& Registered()
{
    static std::map<const wxCmdLineParser*, std::set<wxString>> registered;
    return registered;
}
bool IsRegistered(const wxCmdLineParser* parser, const wxString& name)
{
    auto it = Registered().find(parser);
    return it != Registered().end() && it->second.count(name);
}
}  // namespace

void StartupParam::AddToParserAsOption(wxCmdLineParser& parser) const
{
    parser.AddOption(m_ShortName, m_LongName, m_Description, wxCMD_LINE_VAL_STRING, wxCMD_LINE_PARAM_OPTIONAL);
    Registered()[&parser].insert(m_LongName.empty() ? m_ShortName : m_LongName);
}

void StartupParam::AddToParserAsSwitch(wxCmdLineParser& parser) const
{
    parser.AddSwitch(m_ShortName, m_LongName, m_Description, wxCMD_LINE_PARAM_OPTIONAL);
    Registered()[&parser].insert(m_LongName.empty() ? m_ShortName : m_LongName);
}

VTSdkStartupOptions::VTSdkStartupOptions() : m_Language(1 /* wxLANGUAGE_UNKNOWN */) {}

VTSdkStartupOptions::~VTSdkStartupOptions() {}

void VTSdkStartupOptions::Create(wxCmdLineParser&)
{
    // The language comes from the configuration when one is stored there.
    if (wxConfigBase* config = wxConfigBase::Get(false)) {
        long language = m_Language;
        if (config->Read("/Language", &language)) m_Language = static_cast<int>(language);
    }
}

bool VTSdkStartupOptions::GetValue(const StartupParam& param, wxString* value) const
{
    if (!m_Parser) return false;
    wxString found;
    const wxString& name = param.GetLongName().empty() ? param.GetShortName() : param.GetLongName();
    if (!IsRegistered(m_Parser, name) || !m_Parser->Found(name, &found)) return false;
    if (value) *value = found;
    return true;
}

bool VTSdkStartupOptions::GetValue(const StartupParam& param) const
{
    if (!m_Parser) return false;
    const wxString& name = param.GetLongName().empty() ? param.GetShortName() : param.GetLongName();
    return IsRegistered(m_Parser, name) && m_Parser->FoundSwitch(name) == wxCMD_SWITCH_ON;
}

void VTSdkStartupOptions::SetValue(const StartupParam& param, const wxString& value, int, int)
{
    if (wxConfigBase* config = wxConfigBase::Get(false)) {
        if (!param.GetConfigPath().empty()) config->Write(param.GetConfigPath(), value);
    }
}

}  // namespace VantrelSDK
