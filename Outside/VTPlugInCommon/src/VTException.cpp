#include "VTPlugInCommon/VTException.h"

#include <wx/intl.h>
#include <wx/log.h>

namespace VantrelSDK {

VTException::VTException(const wxString& message) : m_Message(message), m_Utf8(message.utf8_string()) {}

VTException::~VTException() {}

const char* VTException::what() const noexcept { return m_Utf8.c_str(); }

wxString DescribeCurrentException()
{
    try {
        throw;
    } catch (const VTException& exception) {
        return exception.GetMessage();
    } catch (const std::exception& exception) {
        return wxString::FromUTF8(exception.what());
    } catch (...) {
        return _("an exception of unknown type");
    }
}

void VTException::DisplayErrorMessage() const
{
    // The GUI log shows it to the user (and tests record it), never an assertion dialog.
    wxLogError("%s", m_Message);
}

}  // namespace VantrelSDK
