#include "UserInterface/Widgets/TextOverImagePanel.h"

#include <VTPlugInCommon/OrbiskImagesArtworkEtc.h>

#include <wx/dcclient.h>
#include <wx/image.h>

wxIMPLEMENT_DYNAMIC_CLASS(TextOverImagePanel, wxPanel);

wxBEGIN_EVENT_TABLE(TextOverImagePanel, wxPanel)
    EVT_PAINT(TextOverImagePanel::PaintEvent)
wxEND_EVENT_TABLE()

TextOverImagePanel::TextOverImagePanel() = default;

TextOverImagePanel::TextOverImagePanel(const wxString& kind, wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                       const wxSize& size, long style)
{
    Create(parent, id, pos, size, style);
    using Artwork = Orbisk::OrbiskImagesArtworkEtc;
    if (kind == "Children") {
        leftBitmap_ = Artwork::GetIcon_AaGChildrenLeft();
        middleBitmap_ = Artwork::GetIcon_AaGChildrenMid();
        rightBitmap_ = Artwork::GetIcon_AaGChildrenRight();
        zeroBitmap_ = Artwork::GetIcon_AaGChildrenZero();
    } else if (kind == "Rules") {
        leftBitmap_ = Artwork::GetIcon_AaGRulesLeft();
        middleBitmap_ = Artwork::GetIcon_AaGRulesMid();
        rightBitmap_ = Artwork::GetIcon_AaGRulesRight();
        zeroBitmap_ = Artwork::GetIcon_AaGRulesZero();
    }
    const int width = (leftBitmap_.IsOk() ? leftBitmap_.GetWidth() : 0) +
                      (middleBitmap_.IsOk() ? middleBitmap_.GetWidth() : 0) +
                      (rightBitmap_.IsOk() ? rightBitmap_.GetWidth() : 0);
    SetInitialSize(wxSize(width, leftBitmap_.IsOk() ? leftBitmap_.GetHeight() : 0));
}

TextOverImagePanel::~TextOverImagePanel() = default;

bool TextOverImagePanel::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    wxPanel::Create(parent, id, pos, size, style, wxASCII_STR(wxPanelNameStr));
    return true;
}

void TextOverImagePanel::SetString(wxString newText)
{
    if (newText == text_) return;
    text_ = newText;
    Refresh(true);
    Update();
}

void TextOverImagePanel::PaintEvent(wxPaintEvent&)
{
    wxPaintDC dc(this);
    PrepareDC(dc);
    // A panel of an unknown kind has no artwork and draws nothing.
    if (!leftBitmap_.IsOk() || !middleBitmap_.IsOk() || !rightBitmap_.IsOk() || !zeroBitmap_.IsOk()) return;

    if (text_ == "0") {
        dc.DrawBitmap(zeroBitmap_, 0, 0, true);
        SetInitialSize(zeroBitmap_.GetSize());
        return;
    }
    int mw = middleBitmap_.GetWidth();
    const int lw = leftBitmap_.GetWidth();
    wxCoord tw = 0, th = 0;
    dc.GetTextExtent(text_, &tw, &th);
    dc.DrawBitmap(leftBitmap_, 0, 0, true);
    const int k = mw > 0 ? tw / mw : 0;
    if (k >= 2) {
        wxImage widened = middleBitmap_.ConvertToImage();
        widened.Rescale(static_cast<int>(k * mw + 4.0), middleBitmap_.GetHeight());
        const wxBitmap middle(widened);
        mw = middle.GetWidth();
        dc.DrawBitmap(middle, lw, 0, true);
    } else {
        dc.DrawBitmap(middleBitmap_, lw, 0, true);
    }
    dc.DrawBitmap(rightBitmap_, lw + mw, 0, true);
    SetInitialSize(wxSize(lw + mw + rightBitmap_.GetWidth(), leftBitmap_.GetHeight()));
    const int x = lw + mw / 2 - tw / 2 + 1;
    const int y = middleBitmap_.GetHeight() / 2 - th / 2 - 1;
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetTextForeground(*wxBLUE);
    dc.DrawText(text_, x, y);
}

bool TextOverImagePanel::ShowToolTips() { return true; }
wxBitmap TextOverImagePanel::GetBitmapResource(const wxString&) { return wxNullBitmap; }
wxIcon TextOverImagePanel::GetIconResource(const wxString&) { return wxNullIcon; }
