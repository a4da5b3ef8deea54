// The doubles themselves: they report where they listen, point the
// environment at themselves only while they live, and end with their starter.

#include "CloudDoubles.h"
#include "TestSupport.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>
#include <thread>

namespace {

// Gone, or a zombie nobody has reaped yet.
bool ProcessEnded(int pid)
{
    const std::string stat = TestSupport::ReadWholeFile("/proc/" + std::to_string(pid) + "/stat");
    if (stat.empty()) return true;
    const auto close = stat.rfind(')');
    return close != std::string::npos && close + 2 < stat.size() && stat[close + 2] == 'Z';
}

bool WaitFor(const std::function<bool()>& condition, int seconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return true;
}

TEST(Doubles, EnvironmentPointsAtTheDoublesOnlyWhileTheyRun)
{
    TestDoubles::ScopedEnvironmentVariable before("VANTREL_CLOUD_HOST", "before.example.test");
    {
        TestDoubles::CloudDoublesEnvironment doubles;
        std::string error;
        ASSERT_TRUE(doubles.Start(&error)) << error;
        EXPECT_EQ(std::string(std::getenv("VANTREL_CLOUD_HOST")), doubles.Service().Host());
        EXPECT_EQ(std::string(std::getenv("VANTREL_MAIL_RELAY")), doubles.Relay().HostAndPort());
        EXPECT_EQ(std::string(std::getenv("VANTREL_CA_BUNDLE")), doubles.TrustedBundle());
        EXPECT_NE(doubles.Service().Port(), doubles.Relay().Port());
        EXPECT_GT(doubles.Service().Port(), 0);
    }
    EXPECT_EQ(std::string(std::getenv("VANTREL_CLOUD_HOST")), "before.example.test");
    EXPECT_EQ(std::getenv("VANTREL_MAIL_RELAY"), nullptr);
}

TEST(Doubles, EndWhenTheProcessThatStartedThemEnds)
{
    const std::string state = TestDoubles::MakeStateFolder("orphan-check");
    const std::string scripts = TestSupport::SourceDir() + "/tests/doubles";
    // A shell stands in for a test process: it starts both doubles and dies.
    const std::string flag = " --remove-state-when-orphaned";
    const std::string command = "/usr/bin/python3 " + scripts + "/cloud_service_double.py --state " + state + "/cloud" +
                                flag + " & /usr/bin/python3 " + scripts + "/smtp_relay_double.py --state " + state +
                                "/smtp" + flag + " & wait";
    TestDoubles::ChildProcess starter;
    ASSERT_TRUE(starter.Start({"/bin/sh", "-c", command}, state + "/starter.out"));
    int pids[2] = {0, 0};
    const std::string readyFiles[2] = {state + "/cloud/cloud.ready.json", state + "/smtp/smtp.ready.json"};
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(WaitFor([&] { return std::filesystem::exists(readyFiles[i]); }, 20))
            << TestSupport::ReadWholeFile(state + "/starter.out");
        pids[i] = QJsonDocument::fromJson(QByteArray::fromStdString(TestSupport::ReadWholeFile(readyFiles[i])))
                      .object()
                      .value("pid")
                      .toInt();
        ASSERT_GT(pids[i], 0);
        EXPECT_FALSE(ProcessEnded(pids[i]));
    }
    starter.Stop();
    for (int pid : pids) EXPECT_TRUE(WaitFor([&] { return ProcessEnded(pid); }, 5)) << pid;
    // Nobody is left to clean up after them, so they did it themselves.
    EXPECT_FALSE(std::filesystem::exists(state + "/cloud"));
    EXPECT_FALSE(std::filesystem::exists(state + "/smtp"));
    std::error_code ignored;
    std::filesystem::remove_all(state, ignored);
}

}  // namespace

namespace {

TEST(Doubles, PackedFoldersUnpackToTheSameFiles)
{
    const std::string source = TestDoubles::MakeStateFolder("pack-source");
    std::filesystem::create_directories(source + "/sub");
    std::ofstream(source + "/Study.vt6") << "{\"version\": 6}";
    std::ofstream(source + "/sub/picture.txt") << "pixels";
    for (const bool zip : {false, true}) {
        SCOPED_TRACE(zip ? "zip" : "tar.gz");
        const std::string bytes = TestDoubles::PackFolder(source, zip);
        ASSERT_FALSE(bytes.empty());
        const std::string target = TestDoubles::MakeStateFolder("pack-target");
        const std::string archive = target + (zip ? "/p.zip" : "/p.tar.gz");
        std::ofstream(archive, std::ios::binary) << bytes;
        const std::string command =
            zip ? "cd " + target + " && unzip -q p.zip" : "tar -xzf " + archive + " -C " + target;
        ASSERT_EQ(std::system(command.c_str()), 0);
        EXPECT_EQ(TestSupport::ReadWholeFile(target + "/Study.vt6"), "{\"version\": 6}");
        EXPECT_EQ(TestSupport::ReadWholeFile(target + "/sub/picture.txt"), "pixels");
        std::filesystem::remove_all(target);
    }
    std::filesystem::remove_all(source);
}

}  // namespace
