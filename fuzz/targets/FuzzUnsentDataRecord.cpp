// The record of an outbox entry ("send.json"), as the next start reads it back: a
// file of the user's data folder that a crash may have cut short or anything else may
// have written. Whatever it holds, an entry read from it names a data file inside the
// entry's own folder, and its experiment code is a number.

#include "FuzzSupport.h"

#include "UnsentDataOutbox.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace {

namespace fs = std::filesystem;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSupport::Initialise();
    const fs::path entry = fs::path(Vantrel::OutboxFolder()) / "run-1";
    std::error_code error;
    fs::create_directories(entry, error);
    {
        std::ofstream record(entry / "send.json", std::ios::binary | std::ios::trunc);
        record.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    for (const Vantrel::OutboxEntry& read : Vantrel::ReadOutbox()) {
        const fs::path dataFile(read.request.dataFile);
        if (dataFile.parent_path() != fs::path(read.folder))
            FuzzSupport::Fail("a data file outside its entry's folder");
        if (dataFile.filename() == ".." || dataFile.filename() == ".")
            FuzzSupport::Fail("a data file that is a folder");
    }
    fs::remove_all(Vantrel::OutboxFolder(), error);
    return 0;
}
