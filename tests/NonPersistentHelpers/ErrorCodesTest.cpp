#include <NonPersistentHelpers/VTErrorCodes.h>

#include <QDataStream>
#include <gtest/gtest.h>
#include <wx/datstrm.h>
#include <wx/mstream.h>

using Vantrel::VTErrorCodes;

namespace {
const wxString kDefaults[] = {"C", "E", "SC", "NR"};
const wxString kLabels[] = {"Correct:", "Incorrect:", "Self-correct:", "No response:"};
}  // namespace

TEST(ErrorCodes, FourCodesWithTheirLabels)
{
    VTErrorCodes codes;
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(codes.GetCodeAsString(VTErrorCodes::VTCorrectness(i)), kDefaults[i]);
        EXPECT_EQ(VTErrorCodes::GetDisplayLabel(VTErrorCodes::VTCorrectness(i)), kLabels[i]);
    }
    EXPECT_TRUE(codes.SetCodeWithString(VTErrorCodes::SelfCorrect, ""));  // empty accepted
    EXPECT_EQ(codes.GetCodeAsString(VTErrorCodes::SelfCorrect), "");

    const VTErrorCodes before = codes;
    for (int bad : {4, -1, 1000}) {
        EXPECT_FALSE(codes.SetCodeWithString(VTErrorCodes::VTCorrectness(bad), "X")) << bad;
        EXPECT_EQ(codes.GetCodeAsString(VTErrorCodes::VTCorrectness(bad)), "") << bad;  // no read past the end
        EXPECT_EQ(VTErrorCodes::GetDisplayLabel(VTErrorCodes::VTCorrectness(bad)), "");
    }
    EXPECT_EQ(codes, before);

    VTErrorCodes copy(codes);
    copy = copy;
    EXPECT_EQ(copy, codes);
}

TEST(ErrorCodes, QtStreamIsFourStringsAndRoundTrips)
{
    VTErrorCodes codes;
    codes.SetCodeWithString(VTErrorCodes::Incorrect, wxString::FromUTF8("Fehler ü"));
    QByteArray bytes;
    {
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out << codes;
    }
    QByteArray expected;
    {
        QDataStream out(&expected, QIODevice::WriteOnly);
        out << QString("C") << QString::fromUtf8("Fehler ü") << QString("SC") << QString("NR");
    }
    EXPECT_EQ(bytes, expected);

    VTErrorCodes read;
    read.SetCodeWithString(VTErrorCodes::Correct, "old");
    QDataStream in(bytes);
    in >> read;
    EXPECT_EQ(in.status(), QDataStream::Ok);
    EXPECT_EQ(read, codes);

    // A fresh object reads back the defaults.
    QByteArray fresh;
    {
        QDataStream out(&fresh, QIODevice::WriteOnly);
        out << VTErrorCodes();
    }
    QDataStream freshIn(fresh);
    VTErrorCodes back;
    back.SetCodeWithString(VTErrorCodes::NoResponse, "zz");
    freshIn >> back;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(back.GetCodeAsString(VTErrorCodes::VTCorrectness(i)), kDefaults[i]);

    for (int cut = 0; cut < bytes.size(); ++cut) {
        VTErrorCodes partial;
        QDataStream truncated(bytes.left(cut));
        truncated >> partial;
        EXPECT_NE(truncated.status(), QDataStream::Ok) << cut;
        EXPECT_EQ(partial, VTErrorCodes()) << cut;
    }
}

TEST(ErrorCodes, OlderWideStreamReadsAndSurvivesHostileLengths)
{
    wxMemoryOutputStream memory;
    {
        wxDataOutputStream out(memory);
        for (const char* s : {"K", "F", "S", "N"}) out.WriteString(s);
    }
    std::vector<char> bytes(memory.GetLength());
    memory.CopyTo(bytes.data(), bytes.size());
    {
        wxMemoryInputStream raw(bytes.data(), bytes.size());
        wxDataInputStream in(raw);
        VTErrorCodes codes;
        in >> codes;
        EXPECT_TRUE(in.IsOk());
        EXPECT_EQ(codes.GetCodeAsString(VTErrorCodes::Correct), "K");
        EXPECT_EQ(codes.GetCodeAsString(VTErrorCodes::NoResponse), "N");
    }
    for (std::size_t cut = 0; cut < bytes.size(); ++cut) {
        wxMemoryInputStream raw(bytes.data(), cut);
        wxDataInputStream in(raw);
        VTErrorCodes codes;
        in >> codes;
        EXPECT_FALSE(in.IsOk()) << cut;
        EXPECT_EQ(codes, VTErrorCodes()) << cut;
    }
    // A length of 4 GB with three bytes behind it: fails without reserving the 4 GB.
    const unsigned char hostile[] = {0xFF, 0xFF, 0xFF, 0xFF, 'a', 'b', 'c'};
    wxMemoryInputStream raw(hostile, sizeof hostile);
    wxDataInputStream in(raw);
    VTErrorCodes codes;
    in >> codes;
    EXPECT_FALSE(in.IsOk());
    EXPECT_EQ(codes, VTErrorCodes());
}
