#include "CloudClient/CurlCallbacks.h"

#include "CloudClient/CloudRecords.h"

#include <algorithm>
#include <cstring>
#include <new>

size_t write_data(void* contents, size_t size, size_t nmemb, void* userp)
{
    const size_t realSize = size * nmemb;
    auto* reply = static_cast<ReplyBuffer*>(userp);
    if (realSize > reply->limit - std::min(reply->bytes.size(), reply->limit)) {
        reply->tooLarge = true;
        return 0;
    }
    try {
        reply->bytes.append(static_cast<const char*>(contents), realSize);
    } catch (const std::bad_alloc&) {
        std::fprintf(stderr, "not enough memory for the service's reply\n");
        return 0;
    }
    return realSize;
}

size_t write_data_file(void* contents, size_t size, size_t nmemb, void* stream)
{
    return std::fwrite(contents, size, nmemb, static_cast<FILE*>(stream));
}

size_t write_data_file_bounded(void* contents, size_t size, size_t nmemb, void* sink)
{
    auto* target = static_cast<FileSink*>(sink);
    const std::uint64_t realSize = static_cast<std::uint64_t>(size) * nmemb;
    if (realSize > target->limit - std::min(target->written, target->limit)) {
        target->tooLarge = true;
        return 0;
    }
    const size_t wrote = std::fwrite(contents, size, nmemb, target->file);
    target->written += static_cast<std::uint64_t>(wrote) * size;
    return wrote;
}

int progress_callback(void* clientp, curl_off_t dltotal, curl_off_t dlnow, curl_off_t ultotal, curl_off_t ulnow)
{
    auto* progress = static_cast<ProgStruct*>(clientp);
    const int32_t before = progress->percent;
    if (dltotal > 0)
        progress->percent = static_cast<int32_t>(static_cast<float>(dlnow) / static_cast<float>(dltotal) * 100.0f);
    else if (ultotal > 0)
        progress->percent = static_cast<int32_t>(static_cast<float>(ulnow) / static_cast<float>(ultotal) * 100.0f);
    if (progress->percent != before && progress->onPercent) progress->onPercent(progress->percent);
    return progress->cancel ? 1 : 0;
}

size_t payload_source(char* ptr, size_t size, size_t nmemb, void* userp)
{
    if (size == 0 || nmemb == 0 || size * nmemb < 1) return 0;
    auto* upload = static_cast<UploadStatus*>(userp);
    const size_t left = upload->text.size() - std::min(upload->bytes_read, upload->text.size());
    const size_t room = std::min(size * nmemb, left);
    if (room == 0) return 0;
    std::memcpy(ptr, upload->text.data() + upload->bytes_read, room);
    upload->bytes_read += room;
    return room;
}
