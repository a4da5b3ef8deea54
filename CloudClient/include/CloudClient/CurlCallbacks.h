#pragma once
// The libcurl callbacks of the cloud client and the buffers they fill.

#include <cstddef>
#include <cstdio>
#include <string>

#include <curl/curl.h>

struct ProgStruct;

// Reply of one request: the bytes received so far.
struct ReplyBuffer
{
    std::string bytes;
};

// What SendEmail hands to libcurl, a buffer at a time.
struct UploadStatus
{
    size_t bytes_read = 0;
    std::string text;
};

// Appends a chunk to a ReplyBuffer; 0 (a write error) when it cannot grow.
size_t write_data(void* contents, size_t size, size_t nmemb, void* userp);
// Writes a chunk to an open FILE*.
size_t write_data_file(void* contents, size_t size, size_t nmemb, void* stream);
// Fills a ProgStruct; a non-zero result (the cancel flag) aborts the transfer.
int progress_callback(void* clientp, curl_off_t dltotal, curl_off_t dlnow, curl_off_t ultotal, curl_off_t ulnow);
// Hands out the rest of an UploadStatus's text; 0 once it has all gone.
size_t payload_source(char* ptr, size_t size, size_t nmemb, void* userp);
