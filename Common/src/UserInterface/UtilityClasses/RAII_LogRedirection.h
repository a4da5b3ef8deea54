#pragma once
// Collects what is logged during a scope. At the end the previous log target is
// restored and the collected records go to the handler, or (without a handler)
// are re-logged as one message through EitherLogVerboseOrLogErrorBasedOnEnvironment.

#include <wx/string.h>

#include <boost/function.hpp>

#include <memory>

namespace Orbisk {

class EasyRedirectMinimalErrorLog;

class RAII_LogRedirection
{
public:
    using Handler = boost::function<void(Orbisk::EasyRedirectMinimalErrorLog&)>;

    // Captures everything; the previous target sees nothing during the scope.
    RAII_LogRedirection();
    // Captures everything except records whose prefixed line starts with ignorePrefix.
    RAII_LogRedirection(const wxString& ignorePrefix, const Handler& handler);
    // Chained: the previous target still sees every record while it is captured.
    explicit RAII_LogRedirection(const Handler& handler);
    // A handler that throws here ends the process.
    ~RAII_LogRedirection();

    RAII_LogRedirection(const RAII_LogRedirection&) = delete;
    RAII_LogRedirection& operator=(const RAII_LogRedirection&) = delete;

private:
    struct Private;
    std::unique_ptr<Private> m_private;
    bool m_chained;
};

}  // namespace Orbisk
