#pragma once
// A test whose runs take responses from the test input plug-in: the plug-in is loaded
// from a folder of its own before each test and unloaded after it.

#include <gtest/gtest.h>

#include <wx/filefn.h>

#include <string>

#include "TestPlugInAccess.h"
#include "TestSupport.h"
#include "VTRuntime/VTPlugIn.h"

class TestInputRun : public ::testing::Test
{
protected:
    void SetUp() override
    {
        TestSupport::ClearLog();
        const wxString folder = TestSupport::MakeTempFolder("plugins");
        ASSERT_TRUE(wxCopyFile(VT_TEST_INPUT_PLUGIN_PATH, folder + "/libTestInput.so"));
        ASSERT_TRUE(Vantrel::VTPlugIn::LocateAllInFolder(folder, nullptr));
        ASSERT_TRUE(m_Access.Attach(std::string((folder + "/libTestInput.so").fn_str())));
        m_Access.reset();
    }
    void TearDown() override
    {
        m_Access.reset();
        Vantrel::VTPlugIn::DeleteAllObjects();
    }

    TestPlugInAccess m_Access;
};
