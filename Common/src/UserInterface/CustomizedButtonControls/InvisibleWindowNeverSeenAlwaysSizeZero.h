#pragma once
// The zero-size stand-in that a combo popup needs as its window when the
// popup really is a menu.

#include <wx/panel.h>

class InvisibleWindowNeverSeenAlwaysSizeZero : public wxPanel
{
    wxDECLARE_EVENT_TABLE();

public:
    InvisibleWindowNeverSeenAlwaysSizeZero(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                           long style, const wxString& name = wxASCII_STR(wxPanelNameStr));
    ~InvisibleWindowNeverSeenAlwaysSizeZero() override;

    wxSize GetMinSize() const override;
    wxSize GetMaxSize() const override;

protected:
    wxSize DoGetBestSize() const override;

private:
    void OnErase(wxEraseEvent& event);
    void OnPaint(wxPaintEvent& event);
};
