#pragma once
// The names of the files that the program keeps at the top of a task folder.

namespace Vantrel {

constexpr const char* kTaskInfoFileName = "exp_info";
constexpr const char* kTaskRunInfoFileName = "rt_info";
constexpr const char* kTaskDataFileName = "Task Data.txt";
// An earlier run's unsent data file, set aside as "Task Data (earlier N).txt".
constexpr const char* kTaskEarlierDataPrefix = "Task Data (earlier ";
// Written last when a package has been unpacked whole.
constexpr const char* kTaskPackageMarker = ".package-complete";

}  // namespace Vantrel
