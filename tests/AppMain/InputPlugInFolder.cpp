#include "InputPlugInFolder.h"

#include "TestInputPlugIn.h"
#include "TestSupport.h"

#include <gtest/gtest.h>
#include <wx/config.h>
#include <wx/filefn.h>
#include <wx/filename.h>

#include <dlfcn.h>

using Vantrel::VTPlugIn;

namespace {

void CopyInto(const wxString& folder, const wxString& source, const wxString& name)
{
    EXPECT_TRUE(wxCopyFile(source, wxFileName(folder, name).GetFullPath())) << source;
}

}  // namespace

InputPlugInFolder::InputPlugInFolder()
{
    const wxString folder = TestSupport::MakeTempFolder("plugins");
    CopyInto(folder, QNODE_PLUGIN_DIR "/in-qnode Input.so", "in-qnode Input.so");
    CopyInto(folder, QNODE_PLUGIN_DIR "/in-qnode Input.xrc", "in-qnode Input.xrc");
    testCopy_ = wxFileName(folder, "libTestInput.so").GetFullPath();
    CopyInto(folder, VT_TEST_INPUT_PLUGIN_PATH, "libTestInput.so");
    EXPECT_TRUE(VTPlugIn::LocateAllInFolder(folder, nullptr)) << TestSupport::LogAsText();
    qnode_ = VTPlugIn::GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(kQNodeID);
    test_ = VTPlugIn::GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(kTestInputID);
    EXPECT_NE(qnode_, nullptr);
    EXPECT_NE(test_, nullptr);
    SetTestInputConflictsWith(-1);
}

InputPlugInFolder::~InputPlugInFolder()
{
    SetTestInputConflictsWith(-1);
    VTPlugIn::DeleteAllObjects();
    ForgetInputSet();
}

void InputPlugInFolder::SetTestInputConflictsWith(int id) const
{
    void* handle = dlopen(testCopy_.utf8_str(), RTLD_NOW | RTLD_NOLOAD);
    ASSERT_NE(handle, nullptr);
    auto set =
        reinterpret_cast<VTTestInput_SetConflictingPlugInIDFn>(dlsym(handle, "VTTestInput_SetConflictingPlugInID"));
    dlclose(handle);  // drops only the reference NOLOAD took
    ASSERT_NE(set, nullptr);
    set(id);
}

void InputPlugInFolder::RememberInputSet(const wxString& text)
{
    wxConfigBase::Get(true)->Write("/most_recent_input_set", text);
}

void InputPlugInFolder::ForgetInputSet() { wxConfigBase::Get(true)->DeleteEntry("/most_recent_input_set"); }
