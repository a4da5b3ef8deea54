// The files the cloud service hands into a task folder: the experiment's information
// file (researcher's address, participant limit, flags) and the run-info file (one
// line per run, counted for the participant limit and scanned for balanced groups).

#include "FuzzSupport.h"

#include "CloudTaskSupport/BalancedGroupChoice.h"
#include "CloudClient/OmbraAPIHelper.h"

#include <algorithm>
#include <vector>

namespace {

constexpr int64_t kExperimentCode = 4242;

void ReadAsInformationFile(const std::uint8_t* data, std::size_t size)
{
    const wxString folder = OmbraAPIHelper::GetCloudFolderPath(kExperimentCode);
    const wxString relative = folder.Mid(FuzzSupport::ScratchFolder().length() + 1);
    if (!folder.StartsWith(FuzzSupport::ScratchFolder() + "/")) FuzzSupport::Fail("the task folder is outside HOME");
    FuzzSupport::WriteScratchFile(relative + "/exp_info", data, size);
    ExpInfo info;
    OmbraAPIHelper::GetValuesFromExpInfoFile(kExperimentCode, info);
}

void ReadAsRunInfoFile(const std::uint8_t* data, std::size_t size)
{
    const wxString path = FuzzSupport::WriteScratchFile("rt_info", data, size);
    const int lines = OmbraAPIHelper::CountRunInfoLines(path);
    if (lines < 0 || static_cast<std::size_t>(lines) > size) FuzzSupport::Fail("more run lines than bytes");
    const std::string text = Vantrel::ReadRunInfoText(path.utf8_string());
    if (text.size() != std::min(size, Vantrel::kMaxRunInfoBytes)) FuzzSupport::Fail("the run-info text was cut short");
    const std::vector<std::uint32_t> groups{1, 2, 3, 4294967295u};
    const auto counts = Vantrel::CountGroupRuns(groups, text);
    if (counts.size() != groups.size()) FuzzSupport::Fail("a group of the experiment went uncounted");
    const auto chosen = Vantrel::ChooseBalancedGroup(groups, text, [](int low, int high) { return high + low + 7; });
    if (!chosen || std::find(groups.begin(), groups.end(), *chosen) == groups.end())
        FuzzSupport::Fail("the balanced choice is no group of the experiment");
    FuzzSupport::RemoveScratchPath(path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSupport::Initialise();
    ReadAsInformationFile(data, size);
    ReadAsRunInfoFile(data, size);
    return 0;
}
