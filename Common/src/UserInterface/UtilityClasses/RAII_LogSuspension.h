#pragma once
// Holds the log's output back for a scope (wxLog::Suspend / Resume); guards nest.

namespace Orbisk {

class RAII_LogSuspension
{
public:
    RAII_LogSuspension();
    ~RAII_LogSuspension();

    RAII_LogSuspension(const RAII_LogSuspension&) = delete;
    RAII_LogSuspension& operator=(const RAII_LogSuspension&) = delete;
};

}  // namespace Orbisk
