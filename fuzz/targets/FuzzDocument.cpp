// Experiment documents as they arrive in a task package. A document that opens must
// save, the saved file must open again and save to the same bytes (nothing lost or
// changed on the way), and its run must plan.

#include "FuzzSupport.h"

#include <VTCore/VTExperiment.h>
#include <VTRuntime/VTCompiledExperiment.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

// The document's own open and save, without a document manager around them.
class Document : public Vantrel::VTExperiment
{
public:
    using Vantrel::VTExperiment::DoOpenDocument;
    using Vantrel::VTExperiment::DoSaveDocument;
};

std::string ReadWhole(const wxString& path)
{
    std::ifstream in(path.utf8_string(), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzSupport::Initialise();
    const wxString input = FuzzSupport::WriteScratchFile("input.vt6", data, size);
    const wxString saved = FuzzSupport::ScratchFolder() + "/saved.vt6";
    const wxString again = FuzzSupport::ScratchFolder() + "/again.vt6";
    {
        Document document;
        if (document.DoOpenDocument(input)) {
            if (!document.DoSaveDocument(saved)) FuzzSupport::Fail("a document that opened did not save");
            {
                Document reopened;
                if (!reopened.DoOpenDocument(saved)) FuzzSupport::Fail("a saved document did not open again");
                if (!reopened.DoSaveDocument(again)) FuzzSupport::Fail("a reopened document did not save");
            }
            if (ReadWhole(saved) != ReadWhole(again)) FuzzSupport::Fail("saving a reopened document changed it");
            wxString whyEmpty;
            Vantrel::VTCompiledExperiment::BuildPlan(document, &whyEmpty);
        }
    }
    for (const wxString& path : {input, saved, again}) FuzzSupport::RemoveScratchPath(path);
    return 0;
}
