#include "CloudClient/OmbraAPIHelper.h"
#include "CloudClient/TaskFileLimits.h"

#include "TestSupport.h"

#include <QDate>
#include <gtest/gtest.h>
#include <wx/filefn.h>
#include <wx/stdpaths.h>

#include <cstdio>
#include <fstream>
#include <sys/stat.h>

namespace {

wxString TaskFile(int64_t code, const char* name)
{
    return OmbraAPIHelper::GetCloudFolderPath(code) + wxFILE_SEP_PATH + name;
}

mode_t ModeOf(const wxString& path)
{
    struct stat info
    {};
    if (::stat(path.fn_str(), &info) != 0) return 0;
    return info.st_mode & 07777;
}

TEST(TaskFolder, FoldersAreCreatedOnDemandForTheUserOnly)
{
    const wxString base = OmbraAPIHelper::GetBaseCloudFolderPath();
    EXPECT_FALSE(base.EndsWith(wxFILE_SEP_PATH));
    EXPECT_EQ(base, wxStandardPaths::Get().GetUserDataDir());
    const wxString folder = OmbraAPIHelper::GetCloudFolderPath(40000123);
    EXPECT_EQ(folder, base + wxFILE_SEP_PATH + "40000123");
    ASSERT_TRUE(wxDirExists(folder));
    EXPECT_EQ(ModeOf(base) & 077, 0u) << std::oct << ModeOf(base);
    EXPECT_EQ(ModeOf(folder), 0700u) << std::oct << ModeOf(folder);

    const wxString unpacked = folder + "/inner/deeper";
    ASSERT_TRUE(OmbraAPIHelper::CreatePrivateFolder(unpacked));
    EXPECT_EQ(ModeOf(folder + "/inner"), 0700u);
    EXPECT_EQ(ModeOf(unpacked), 0700u);
}

TEST(TaskFolder, UnwritableBaseFolderGetsUserPermissionsOnly)
{
    const wxString base = OmbraAPIHelper::GetBaseCloudFolderPath();
    ASSERT_EQ(::chmod(base.fn_str(), 0505), 0);
    OmbraAPIHelper::GetBaseCloudFolderPath();
    EXPECT_EQ(ModeOf(base), 0705u) << std::oct << ModeOf(base);
    ::chmod(base.fn_str(), 0700);
}

TEST(InformationFile, WrittenFileReadsBack)
{
    const wxString path = OmbraAPIHelper::CreateExpInfoFile(25, true, false, true, false, "a.b@example.test");
    EXPECT_EQ(path, TaskFile(0, "exp_info"));
    ExpInfo info;
    ASSERT_TRUE(OmbraAPIHelper::GetValuesFromExpInfoFile(0, info));
    EXPECT_EQ(info.vt_ver, "6.5.3");
    EXPECT_EQ(info.r_email, "a.b@example.test");
    EXPECT_EQ(info.max_prtcpnt, 25u);
    EXPECT_TRUE(info.prompt_info);
    EXPECT_FALSE(info.run_once);
    EXPECT_TRUE(info.no_delete);
    EXPECT_FALSE(info.save_desktop);
}

TEST(InformationFile, AcceptedFirstLinesAndFlagValuesByTable)
{
    const struct
    {
        const char* text;
        bool accepted;
        bool promptInfo;
        bool runOnce;
    } table[] = {
        {"vt_ver=6.5.3\nprompt_info=1\nrun_once=0\n", true, true, false},
        {"x_vt_ver_y=1\nprompt_info=1\n", true, true, false},                      // "vt_ver" in the middle of line 1
        {"r_email=a@b.test\nvt_ver=6.5.3\nprompt_info=1\n", false, false, false},  // only on line 2
        {"vt_ver=6.5.3\nprompt_info=true\nrun_once=01\n", true, false, false},
        {"vt_ver=6.5.3\nprompt_info=01\nrun_once=1\n", true, false, true},
        {"{\"success\":false,\"message\":\"File not found\"}", false, false, false},
        {"", false, false, false},
    };
    const int64_t code = 40000200;
    for (const auto& row : table) {
        SCOPED_TRACE(row.text);
        TestSupport::WriteWholeFile(TaskFile(code, "exp_info"), row.text);
        ExpInfo info;
        info.r_email = "untouched";
        info.prompt_info = false;
        info.run_once = false;
        EXPECT_EQ(OmbraAPIHelper::GetValuesFromExpInfoFile(code, info), row.accepted);
        EXPECT_EQ(info.prompt_info, row.promptInfo);
        EXPECT_EQ(info.run_once, row.runOnce);
        if (!row.accepted) {
            EXPECT_EQ(info.r_email, "untouched");
        }
    }
}

TEST(InformationFile, MissingFileLeavesTheRecord)
{
    ExpInfo info;
    info.vt_ver = "kept";
    EXPECT_FALSE(OmbraAPIHelper::GetValuesFromExpInfoFile(40000201, info));
    EXPECT_EQ(info.vt_ver, "kept");
}

TEST(InformationFile, DollarSignsInValuesAreNotExpanded)
{
    TestSupport::WriteWholeFile(TaskFile(40000202, "exp_info"), "vt_ver=6.5.3\nr_email=$HOME@example.test\n");
    ExpInfo info;
    ASSERT_TRUE(OmbraAPIHelper::GetValuesFromExpInfoFile(40000202, info));
    EXPECT_EQ(info.r_email, "$HOME@example.test");
    EXPECT_EQ(info.max_prtcpnt, 0u);
}

TEST(RunInfoFile, CountsLinesEndedByANewline)
{
    const struct
    {
        const char* text;
        int count;
    } table[] = {
        {"", 0},
        {"'group_id':'3'\n'group_id':'4'\n'group_id':'3'\n", 3},
        {"'group_id':'3'\n'group_id':'4'\n'group_id':'3'", 2},
    };
    const wxString path = TaskFile(40000300, "rt_info");
    for (const auto& row : table) {
        SCOPED_TRACE(row.text);
        TestSupport::WriteWholeFile(path, row.text);
        EXPECT_EQ(OmbraAPIHelper::CountRunInfoLines(path), row.count);
    }
    EXPECT_EQ(OmbraAPIHelper::CountRunInfoLines(TaskFile(40000300, "missing")), 0);
}

TEST(PackageName, VersionDecidesTheArchiveKind)
{
    const wxString folder = "/data/12345678";
    const struct
    {
        const char* version;
        const char* suffix;
    } table[] = {
        {"6.5.3", ".tar.gz"}, {"6.5.2", ".tar.gz"}, {"6.5.1", ".zip"}, {"6.10.0", ".tar.gz"},
        {"7.0", ".tar.gz"},   {"6.5", ".zip"},      {"6.4.9", ".zip"}, {"", ".zip"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.version);
        EXPECT_EQ(OmbraAPIHelper::PackagePathForVersion(folder, row.version), folder + row.suffix);
    }
}

TEST(ExpiryDate, DaysRemainingFromToday)
{
    ExpInfo info;
    info.expiry_date = QDate::currentDate().addDays(5).toString(Qt::ISODate);
    EXPECT_EQ(info.ExpDaysRemaining(), 5);
    info.expiry_date = QDate::currentDate().toString(Qt::ISODate);
    EXPECT_EQ(info.ExpDaysRemaining(), 0);
    info.expiry_date = QDate::currentDate().addDays(-2).toString(Qt::ISODate) + "T10:00:00";
    EXPECT_EQ(info.ExpDaysRemaining(), -2);
    info.expiry_date = "soon";
    EXPECT_EQ(info.ExpDaysRemaining(), 0);
}

}  // namespace

namespace {

std::string ManyGroupLevels(std::size_t parts)
{
    std::string group = "[g";
    group.reserve(parts * 2 + 4);
    for (std::size_t i = 0; i < parts; ++i) group += "/g";
    return group + "]\n";
}

}  // namespace

TEST(InformationFile, ReadDirectlyWithinItsSizeWhateverItsGroupsHold)
{
    const std::string known = "vt_ver=6.5.3\nr_email=r@example.test\nmax_prtcpnt=12\nrun_once=1\n";
    const std::string padding(Vantrel::kMaxExpInfoReadBytes, ';');
    const struct
    {
        const char* what;
        std::string text;
        bool accepted;
        wxString why;
    } table[] = {
        // A group line of a few hundred thousand parts once nested as deep inside the
        // configuration classes, whose destructor then overflowed the stack.
        {"a group line of 30000 parts", known + ManyGroupLevels(30000), true, ""},
        {"a group line of 300000 parts", known + ManyGroupLevels(300000), false,
         "The experiment's information file is larger than 64 KiB; it was not read."},
        {"exactly the size read", known + std::string(Vantrel::kMaxExpInfoReadBytes - known.size(), '\n'), true, ""},
        {"one byte over", known + std::string(Vantrel::kMaxExpInfoReadBytes - known.size() + 1, '\n'), false,
         "The experiment's information file is larger than 64 KiB; it was not read."},
        {"twice the size in comments", known + padding + padding, false,
         "The experiment's information file is larger than 64 KiB; it was not read."},
    };
    const int64_t code = 40000210;
    for (const auto& row : table) {
        SCOPED_TRACE(row.what);
        TestSupport::WriteWholeFile(TaskFile(code, "exp_info"), row.text);
        ExpInfo info;
        info.r_email = "untouched";
        wxString why;
        EXPECT_EQ(OmbraAPIHelper::GetValuesFromExpInfoFile(code, info, &why), row.accepted);
        EXPECT_EQ(why, row.why);
        EXPECT_EQ(info.r_email, row.accepted ? "r@example.test" : "untouched");
        if (row.accepted) {
            EXPECT_EQ(info.max_prtcpnt, 12u);
            EXPECT_TRUE(info.run_once);
        }
    }
}

TEST(InformationFile, KnownLinesAsTheWriterWritesThemByTable)
{
    const struct
    {
        const char* text;
        const char* email;
        uint32_t limit;
    } table[] = {
        {"vt_ver=1\n  r_email = a@b.test  \r\nmax_prtcpnt=7\n", "a@b.test", 7},
        {"vt_ver=1\nr_email=\" spaced@b.test \"\n", " spaced@b.test ", 0},
        {"vt_ver=1\nr_email=back\\\\slash@b.test\n", "back\\slash@b.test", 0},
        {"vt_ver=1\n; a comment\n# another\nmax_prtcpnt=3\n", "", 3},
        {"vt_ver=1\n[elsewhere]\nr_email=not@top.test\nmax_prtcpnt=3\n", "", 0},  // only the top level counts
        {"vt_ver=1\nmax_prtcpnt=99999999999\n", "", 4294967295u},                 // past 32 bits: the largest
        {"vt_ver=1\nmax_prtcpnt=-4\n", "", 0},
        {"vt_ver=1\nmax_prtcpnt=12abc\n", "", 0},
        {"vt_ver=1\nno equals sign\nmax_prtcpnt=5\n", "", 5},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.text);
        ExpInfo info;
        ASSERT_EQ(Vantrel::ParseExpInfoText(row.text, info), Vantrel::ExpInfoReading::Read);
        EXPECT_EQ(info.r_email, QString::fromUtf8(row.email));
        EXPECT_EQ(info.max_prtcpnt, row.limit);
    }
}
