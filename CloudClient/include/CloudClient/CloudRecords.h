#pragma once
// Records that the cloud client fills and shares with its callers.

#include <QString>

#include <atomic>
#include <cstdint>
#include <functional>

// Progress of one transfer, shared between the transfer's thread and the
// thread that watches it: the watcher sets `cancel`, the transfer writes
// `percent`. Atomic because the two sides run on different threads.
struct ProgStruct
{
    std::atomic<bool> cancel{false};
    std::atomic<int32_t> percent{0};
    // Called on the transfer's thread each time `percent` changes; set before the
    // transfer starts.
    std::function<void(int)> onPercent;
};

// One cloud experiment: the service's record plus its information file.
struct ExpInfo
{
    QString name;
    QString expiry_date;    // ISO date as the service writes it
    QString vt_ver;         // authoring program's version (information file)
    QString r_email;        // researcher's address (information file)
    uint32_t code = 0;      // the service's experiment code
    int32_t task_code = 0;  // the code handed to participants
    bool is_terminated = false;
    uint32_t max_prtcpnt = 0;  // 0: no limit
    int64_t size = 0;          // experiment list only
    bool prompt_info = false;
    bool run_once = false;
    bool no_delete = false;
    bool save_desktop = false;

    // Days from today's local date to `expiry_date`: 0 on the expiry day and
    // when the text is no date, negative once expired.
    int ExpDaysRemaining() const;
};

// One service account as the profile and delegate endpoints describe it.
struct SubDetail
{
    QString name;
    QString email;
    QString expiry_date;
    bool is_delegate = false;
    bool password_is_set = true;
    QString parent_name;
    QString parent_email;
    int32_t delegates_allowed = 0;
    int32_t delegates_in_use = 0;
    uint64_t storage_limit = 0;
    uint64_t storage_used = 0;
};
