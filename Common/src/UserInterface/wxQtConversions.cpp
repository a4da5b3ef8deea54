#include "UserInterface/wxQtConversions.h"

#include <QByteArray>
#include <QChar>
#include <QColor>
#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>

namespace VantrelSDK {

wxPoint wxQtConvertPoint(const QPoint& p)
{
    if (p.x() == 0 && p.y() == 0) return wxDefaultPosition;
    return wxPoint(p.x(), p.y());
}

QPoint wxQtConvertPoint(const wxPoint& p)
{
    if (p == wxDefaultPosition) return QPoint(0, 0);
    return QPoint(p.x, p.y);
}

QRect wxQtConvertRect(const wxRect& r) { return QRect(r.x, r.y, r.width, r.height); }

wxRect wxQtConvertRect(const QRect& r)
{
    return wxRect(r.left(), r.top(), r.right() - r.left() + 1, r.bottom() - r.top() + 1);
}

wxSize wxQtConvertSize(const QSize& s) { return wxSize(s.width(), s.height()); }

QSize wxQtConvertSize(const wxSize& s) { return QSize(s.x, s.y); }

wxString wxQtConvertString(const QString& s)
{
    const QByteArray utf8 = s.toUtf8();
    return wxString::FromUTF8(utf8.constData());
}

QString wxQtConvertString(const wxString& s) { return QString::fromUtf8(s.utf8_str().data()); }

wchar_t wxQtConvertChar(const QChar& c) { return static_cast<wchar_t>(c.unicode()); }

QChar wxQtConvertChar(wchar_t c) { return QChar(static_cast<ushort>(static_cast<unsigned long>(c) & 0xFFFF)); }

QColor wxQtConvertColor(const wxColour& c) { return QColor(c.Red(), c.Green(), c.Blue(), 255); }

QFont wxQtConvertFont(const wxFont& f)
{
    if (!f.IsOk()) return QFont();
    QFont font(wxQtConvertString(f.GetFaceName()), -1, -1, false);
    if (f.GetPointSize() > 0) font.setPointSize(f.GetPointSize());
    switch (f.GetWeight()) {
        case wxFONTWEIGHT_BOLD: font.setWeight(QFont::Bold); break;
        case wxFONTWEIGHT_LIGHT: font.setWeight(QFont::Light); break;
        default: font.setWeight(QFont::Normal); break;
    }
    switch (f.GetStyle()) {
        case wxFONTSTYLE_ITALIC: font.setStyle(QFont::StyleItalic); break;
        case wxFONTSTYLE_SLANT: font.setStyle(QFont::StyleOblique); break;
        default: font.setStyle(QFont::StyleNormal); break;
    }
    return font;
}

wxRect Inflate(const wxRect& r, int dx, int dy)
{
    return wxRect(r.x - dx, r.y - dy, r.width + 2 * dx, r.height + 2 * dy);
}

wxRect Inflate(const wxRect& r, int d) { return Inflate(r, d, d); }

wxRect Deflate(const wxRect& r, int dx, int dy) { return Inflate(r, -dx, -dy); }

wxRect Deflate(const wxRect& r, int d) { return Inflate(r, -d, -d); }

}  // namespace VantrelSDK
