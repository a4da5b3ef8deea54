#pragma once
// How much the service may hand over for each file of a task folder, and the reader
// of the information file's known lines. Downloaded text is never given to the
// configuration classes: their group nesting follows the text, so a hostile file
// decides how deep their destructors recurse.

#include "CloudClient/CloudRecords.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace Vantrel {

// The information file holds a version, an address, a number and four flags.
constexpr std::uint64_t kMaxExpInfoDownloadBytes = 8u << 10;
// The mail relay's login text: three short lines.
constexpr std::uint64_t kMaxCredentialBytes = 4u << 10;
// The run-info file: one line per run, read whole for the participant count and the
// balanced group choice, which read at most this much of it.
constexpr std::uint64_t kMaxRunInfoDownloadBytes = std::uint64_t(16) << 20;
// What the information file reader reads at most; a larger file is refused.
constexpr std::size_t kMaxExpInfoReadBytes = 64u << 10;

enum class ExpInfoReading
{
    Read,
    NotInformation,  // the first line lacks "vt_ver" (an error reply written in its place)
    TooLarge         // more than kMaxExpInfoReadBytes
};

// Reads the known "key=value" lines of the top level of an information file's text
// into `info` (only when it is one); later groups, comments and unknown keys are
// passed over.
ExpInfoReading ParseExpInfoText(const std::string& text, ExpInfo& info);

// Reads the information file at `path`, at most kMaxExpInfoReadBytes + 1 of it.
ExpInfoReading ReadExpInfoFile(const std::string& path, ExpInfo& info);

}  // namespace Vantrel
