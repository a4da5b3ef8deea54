#pragma once
// The names in an experiment's task folder, declared once: the files the program
// keeps at its top, the keys of the information file and the run-info line. The
// service, the unpacker, the clean-up and the panel all use these names.

namespace Vantrel {

// The information file ("key=value" lines, keys below) and the run-info file (one
// line per run handed back).
constexpr const char* kTaskInfoFileName = "exp_info";
constexpr const char* kTaskRunInfoFileName = "rt_info";
// The data file a run writes.
constexpr const char* kTaskDataFileName = "Task Data.txt";
// An earlier run's unsent data file, set aside as "Task Data (earlier N).txt".
constexpr const char* kTaskEarlierDataPrefix = "Task Data (earlier ";
// Written last when a package has been unpacked whole.
constexpr const char* kTaskPackageMarker = ".package-complete";

// The keys of the information file.
namespace TaskInfoKey {
constexpr const char* kVersion = "vt_ver";  // the writer's version; first line of every information file
constexpr const char* kResearcherEmail = "r_email";
constexpr const char* kParticipantLimit = "max_prtcpnt";
constexpr const char* kPromptInfo = "prompt_info";
constexpr const char* kRunOnce = "run_once";
constexpr const char* kNoDelete = "no_delete";
constexpr const char* kSaveDesktop = "save_desktop";
}  // namespace TaskInfoKey

// A run-info line begins with the participant's group: "'group_id':'N'".
constexpr const char* kRunInfoGroupOpening = "'group_id':'";
constexpr const char* kRunInfoGroupClosing = "'";

}  // namespace Vantrel
