#pragma once
// Command-line parameters and the base of the start-up options.

#include <wx/string.h>

#include <memory>

#include "VTPlugInCommon/VTSdkExport.h"

class wxCmdLineParser;

namespace VantrelSDK {

class VTSDK_API StartupParam
{
public:
    // An empty short name registers the long name only.
    StartupParam(const wxString& shortName, const wxString& longName, const wxString& configPath,
                 const wxString& description)
        : m_ShortName(shortName), m_LongName(longName), m_ConfigPath(configPath), m_Description(description)
    {}
    ~StartupParam() {}

    void AddToParserAsOption(wxCmdLineParser& parser) const;
    void AddToParserAsSwitch(wxCmdLineParser& parser) const;

    const wxString& GetShortName() const { return m_ShortName; }
    const wxString& GetLongName() const { return m_LongName; }
    const wxString& GetConfigPath() const { return m_ConfigPath; }
    const wxString& GetDescription() const { return m_Description; }

private:
    wxString m_ShortName;
    wxString m_LongName;
    wxString m_ConfigPath;
    wxString m_Description;
};

// Base of the program's start-up options. GetValue answers only while the base
// holds a parser: the derived Create calls the base Create, then HoldParser,
// reads, then ReleaseParser.
class VTSDK_API VTSdkStartupOptions
{
public:
    VTSdkStartupOptions();
    virtual ~VTSdkStartupOptions();

    virtual void Create(wxCmdLineParser& parser);
    // True when the option was given; its value is written to `value` (may be null).
    bool GetValue(const StartupParam& param, wxString* value) const;
    // True when the switch was given.
    bool GetValue(const StartupParam& param) const;
    // Stores a value in the configuration under the parameter's path. Nothing calls it.
    virtual void SetValue(const StartupParam& param, const wxString& value, int, int);

    void HoldParser(wxCmdLineParser& parser) { m_Parser = &parser; }
    void ReleaseParser() { m_Parser = nullptr; }

protected:
    // A wxLanguage value; 1 (wxLANGUAGE_UNKNOWN) leaves the locale alone.
    int m_Language;

private:
    wxCmdLineParser* m_Parser = nullptr;
};

}  // namespace VantrelSDK
