#pragma once
// Conversions between wx and Qt strings, characters, colours, fonts and geometry,
// for the boundaries where Qt types are handed on (JSON, streams, fonts).
// Qt types are only declared here; callers that use them include Qt themselves.

#include <wx/colour.h>
#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/string.h>

class QChar;
class QColor;
class QFont;
class QPoint;
class QRect;
class QSize;
class QString;

namespace VantrelSDK {

// (0, 0) and wxDefaultPosition stand for each other.
wxPoint wxQtConvertPoint(const QPoint& p);
QPoint wxQtConvertPoint(const wxPoint& p);

QRect wxQtConvertRect(const wxRect& r);
wxRect wxQtConvertRect(const QRect& r);

wxSize wxQtConvertSize(const QSize& s);
QSize wxQtConvertSize(const wxSize& s);

// Through UTF-8; both directions stop at the first zero character.
wxString wxQtConvertString(const QString& s);
QString wxQtConvertString(const wxString& s);

wchar_t wxQtConvertChar(const QChar& c);
QChar wxQtConvertChar(wchar_t c);

// Always opaque: wx's alpha is not carried over.
QColor wxQtConvertColor(const wxColour& c);

// Face name, point size, bold/light weight and italic/slanted style only.
QFont wxQtConvertFont(const wxFont& f);

// Grow (or, with negative amounts, shrink) on every side; no clamping, so a large
// deflation gives a negative width or height.
wxRect Inflate(const wxRect& r, int dx, int dy);
wxRect Inflate(const wxRect& r, int d);
wxRect Deflate(const wxRect& r, int dx, int dy);
wxRect Deflate(const wxRect& r, int d);

}  // namespace VantrelSDK
