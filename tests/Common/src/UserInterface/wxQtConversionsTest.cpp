// Conversions between wx and Qt types, and rectangle growth.
#include "UserInterface/wxQtConversions.h"

#include <gtest/gtest.h>

#include <QChar>
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

using namespace VantrelSDK;

// Readable failure messages for Qt values.
void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
void PrintTo(const QChar& c, std::ostream* os) { *os << "U+" << std::hex << c.unicode(); }
void PrintTo(const QColor& c, std::ostream* os) { *os << c.name(QColor::HexArgb).toStdString(); }

TEST(wxQtStrings, NonAsciiTextSurvivesBothRoundTrips)
{
    const char* samples[] = {"", "plain",
                             "Stra\xC3\x9F"
                             "e \xC3\xA4\xC3\xB6\xC3\xBC \xC3\x84\xC3\x96\xC3\x9C",
                             "\xE6\x97\xA5\xE6\x9C\xAC \xE2\x82\xAC \xF0\x9F\x98\x80", "100% %s"};
    for (const char* utf8 : samples) {
        const wxString wx = wxString::FromUTF8(utf8);
        const QString qt = QString::fromUtf8(utf8);
        EXPECT_EQ(wxQtConvertString(wx), qt) << utf8;
        EXPECT_EQ(wxQtConvertString(qt), wx) << utf8;
        EXPECT_EQ(wxQtConvertString(wxQtConvertString(wx)), wx) << utf8;
        EXPECT_EQ(wxQtConvertString(wxQtConvertString(qt)), qt) << utf8;
    }
}

TEST(wxQtStrings, EmbeddedZeroCutsTheText)
{
    EXPECT_EQ(wxQtConvertString(wxString(L"ab\0cd", 5)), QString("ab"));
    EXPECT_EQ(wxQtConvertString(QString::fromUtf8("ab\0cd", 5)), wxString("ab"));
}

TEST(wxQtChars, KeepTheSixteenBitCode)
{
    EXPECT_EQ(wxQtConvertChar(L'\u00DF'), QChar(0x00DF));
    EXPECT_EQ(wxQtConvertChar(QChar(0x20AC)), L'\u20AC');
    EXPECT_EQ(wxQtConvertChar(static_cast<wchar_t>(0x1F600)), QChar(0xF600));
}

TEST(wxQtPoints, OriginAndDefaultPositionStandForEachOther)
{
    EXPECT_EQ(wxQtConvertPoint(QPoint(0, 5)), wxPoint(0, 5));
    EXPECT_EQ(wxQtConvertPoint(QPoint(-3, 7)), wxPoint(-3, 7));
    EXPECT_EQ(wxQtConvertPoint(QPoint(0, 0)), wxDefaultPosition);
    EXPECT_EQ(wxQtConvertPoint(wxDefaultPosition), QPoint(0, 0));
    EXPECT_EQ(wxQtConvertPoint(wxPoint(12, -4)), QPoint(12, -4));
    EXPECT_EQ(wxQtConvertPoint(wxQtConvertPoint(wxPoint(40, 2))), wxPoint(40, 2));
}

TEST(wxQtSizesAndRects, RoundTripUnchanged)
{
    EXPECT_EQ(wxQtConvertSize(wxSize(640, 480)), QSize(640, 480));
    EXPECT_EQ(wxQtConvertSize(QSize(-1, 20)), wxSize(-1, 20));
    EXPECT_EQ(wxQtConvertSize(wxQtConvertSize(wxSize(3, 0))), wxSize(3, 0));

    const QRect q = wxQtConvertRect(wxRect(10, 20, 30, 40));
    EXPECT_EQ(q.left(), 10);
    EXPECT_EQ(q.top(), 20);
    EXPECT_EQ(q.right(), 39);
    EXPECT_EQ(q.bottom(), 59);
    EXPECT_EQ(wxQtConvertRect(q), wxRect(10, 20, 30, 40));
    EXPECT_EQ(wxQtConvertRect(QRect(QPoint(-5, 2), QPoint(4, 2))), wxRect(-5, 2, 10, 1));
}

TEST(wxQtColours, AreAlwaysOpaque)
{
    EXPECT_EQ(wxQtConvertColor(wxColour(10, 20, 30, 0)), QColor(10, 20, 30, 255));
    EXPECT_EQ(wxQtConvertColor(wxColour(255, 128, 0)), QColor(255, 128, 0, 255));
}

TEST(wxQtFonts, CarryFaceSizeWeightAndStyle)
{
    const QFont boldItalic =
        wxQtConvertFont(wxFont(14, wxFONTFAMILY_SWISS, wxFONTSTYLE_ITALIC, wxFONTWEIGHT_BOLD, true, "DejaVu Sans"));
    EXPECT_EQ(boldItalic.family(), QString("DejaVu Sans"));
    EXPECT_EQ(boldItalic.pointSize(), 14);
    EXPECT_EQ(boldItalic.weight(), static_cast<int>(QFont::Bold));
    EXPECT_EQ(boldItalic.style(), QFont::StyleItalic);
    EXPECT_FALSE(boldItalic.underline()) << "underline is not carried over";

    const QFont lightSlanted =
        wxQtConvertFont(wxFont(9, wxFONTFAMILY_ROMAN, wxFONTSTYLE_SLANT, wxFONTWEIGHT_LIGHT, false, "DejaVu Serif"));
    EXPECT_EQ(lightSlanted.family(), QString("DejaVu Serif"));
    EXPECT_EQ(lightSlanted.pointSize(), 9);
    EXPECT_EQ(lightSlanted.weight(), static_cast<int>(QFont::Light));
    EXPECT_EQ(lightSlanted.style(), QFont::StyleOblique);

    const QFont normal = wxQtConvertFont(
        wxFont(11, wxFONTFAMILY_DEFAULT, wxFONTSTYLE_NORMAL, wxFONTWEIGHT_SEMIBOLD, false, "DejaVu Sans"));
    EXPECT_EQ(normal.weight(), static_cast<int>(QFont::Normal));
    EXPECT_EQ(normal.style(), QFont::StyleNormal);
}

TEST(Rectangles, InflateAndDeflateDoNotClamp)
{
    EXPECT_EQ(Inflate(wxRect(10, 10, 20, 30), 2, 3), wxRect(8, 7, 24, 36));
    EXPECT_EQ(Inflate(wxRect(10, 10, 20, 30), 5), wxRect(5, 5, 30, 40));
    EXPECT_EQ(Deflate(wxRect(10, 10, 20, 30), 2, 3), wxRect(12, 13, 16, 24));
    EXPECT_EQ(Deflate(wxRect(0, 0, 10, 10), 6), wxRect(6, 6, -2, -2));
    EXPECT_EQ(Inflate(wxRect(0, 0, 10, 10), -6), Deflate(wxRect(0, 0, 10, 10), 6));
}
