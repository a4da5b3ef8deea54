#pragma once
// A fixture with both local doubles running and the client's configuration
// pointed at them.

#include "CloudDoubles.h"

#include <gtest/gtest.h>

#include <string>

class CloudDoublesTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        std::string error;
        ASSERT_TRUE(doubles.Start(&error)) << error;
    }

    TestDoubles::CloudServiceDouble& Service() { return doubles.Service(); }
    TestDoubles::SmtpRelayDouble& Relay() { return doubles.Relay(); }

    TestDoubles::CloudDoublesEnvironment doubles;
};
