#pragma once
// The libcurl callbacks of the cloud client and the buffers they fill.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include <curl/curl.h>

struct ProgStruct;

// Replies of the service are small JSON texts; a reply beyond this is refused
// instead of growing without bound in memory.
constexpr size_t kMaxReplyBytes = 16u << 20;
// Packages and other downloaded files are written to disk; past this size the
// download is abandoned so that a hostile server cannot fill the disk.
constexpr std::uint64_t kMaxDownloadBytes = std::uint64_t(2) << 30;

// Reply of one request: the bytes received so far, up to its limit.
struct ReplyBuffer
{
    std::string bytes;
    size_t limit = kMaxReplyBytes;
    bool tooLarge = false;  // the reply went past its bound and the transfer was stopped
};

// A downloaded file being written, with the bound on what it may hold.
struct FileSink
{
    FILE* file = nullptr;
    std::uint64_t written = 0;
    std::uint64_t limit = kMaxDownloadBytes;
    bool tooLarge = false;
};

// What SendEmail hands to libcurl, a buffer at a time.
struct UploadStatus
{
    size_t bytes_read = 0;
    std::string text;
};

// Appends a chunk to a ReplyBuffer; 0 (a write error) when it cannot grow or would pass its bound.
size_t write_data(void* contents, size_t size, size_t nmemb, void* userp);
// Writes a chunk to an open FILE*.
size_t write_data_file(void* contents, size_t size, size_t nmemb, void* stream);
// Writes a chunk to a FileSink; 0 (a write error) once the file would pass its bound.
size_t write_data_file_bounded(void* contents, size_t size, size_t nmemb, void* sink);
// Fills a ProgStruct; a non-zero result (the cancel flag) aborts the transfer.
int progress_callback(void* clientp, curl_off_t dltotal, curl_off_t dlnow, curl_off_t ultotal, curl_off_t ulnow);
// Hands out the rest of an UploadStatus's text; 0 once it has all gone.
size_t payload_source(char* ptr, size_t size, size_t nmemb, void* userp);
