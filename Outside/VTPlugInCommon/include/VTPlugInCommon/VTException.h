#pragma once
// The program's own exception type: carries a message meant for the user.

#include <wx/string.h>

#include <exception>
#include <string>

#include "VTPlugInCommon/VTSdkExport.h"

namespace VantrelSDK {

class VTSDK_API VTException : public std::exception
{
public:
    explicit VTException(const wxString& message);
    ~VTException() override;

    const wxString& GetMessage() const { return m_Message; }
    const char* what() const noexcept override;
    // Shows the message to the user (through the GUI log, error level).
    void DisplayErrorMessage() const;

private:
    wxString m_Message;
    std::string m_Utf8;
};

// Inside a catch block: what the exception being handled says, for a log entry
// about what was caught ("an exception of unknown type" when it says nothing).
VTSDK_API wxString DescribeCurrentException();

}  // namespace VantrelSDK
