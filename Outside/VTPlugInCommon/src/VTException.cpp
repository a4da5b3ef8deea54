#include "VTPlugInCommon/VTException.h"

#include <wx/log.h>

namespace VantrelSDK {

VTException::VTException(const wxString& message) : m_Message(message), m_Utf8(message.utf8_string()) {}

VTException::~VTException() {}

const char* VTException::what() const noexcept { return m_Utf8.c_str(); }

void VTException::DisplayErrorMessage() const
{
    // The GUI log shows it to the user (and tests record it), never an assertion dialog.
    wxLogError("%s", m_Message);
}

}  // namespace VantrelSDK
