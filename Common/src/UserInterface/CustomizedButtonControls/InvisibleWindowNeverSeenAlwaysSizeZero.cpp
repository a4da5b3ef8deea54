#include "UserInterface/CustomizedButtonControls/InvisibleWindowNeverSeenAlwaysSizeZero.h"

#include <wx/dcclient.h>

wxBEGIN_EVENT_TABLE(InvisibleWindowNeverSeenAlwaysSizeZero, wxPanel)
    EVT_ERASE_BACKGROUND(InvisibleWindowNeverSeenAlwaysSizeZero::OnErase)
    EVT_PAINT(InvisibleWindowNeverSeenAlwaysSizeZero::OnPaint)
wxEND_EVENT_TABLE()

InvisibleWindowNeverSeenAlwaysSizeZero::InvisibleWindowNeverSeenAlwaysSizeZero(wxWindow* parent, wxWindowID id,
                                                                               const wxPoint& pos, const wxSize& size,
                                                                               long style, const wxString& name)
    : wxPanel(parent, id, pos, size, style, name)
{}

InvisibleWindowNeverSeenAlwaysSizeZero::~InvisibleWindowNeverSeenAlwaysSizeZero() = default;

wxSize InvisibleWindowNeverSeenAlwaysSizeZero::GetMinSize() const { return wxSize(0, 0); }
wxSize InvisibleWindowNeverSeenAlwaysSizeZero::GetMaxSize() const { return wxPanel::GetMaxSize(); }
wxSize InvisibleWindowNeverSeenAlwaysSizeZero::DoGetBestSize() const { return wxSize(0, 0); }

void InvisibleWindowNeverSeenAlwaysSizeZero::OnErase(wxEraseEvent&) {}

void InvisibleWindowNeverSeenAlwaysSizeZero::OnPaint(wxPaintEvent&) { wxPaintDC dc(this); }
