#pragma once
// Names the program gives the GUI library for its preferences file.

namespace Vantrel {

extern const char* const AppNameForConfig;     // "Study Station"
extern const char* const AppVersionForConfig;  // "6"; kept beside the name, read by nothing
extern const char* const VendorNameForConfig;  // "Orbisk"

// The program's version as users see it.
extern const char* const ProgramVersionString;  // "6.5.3"

}  // namespace Vantrel
