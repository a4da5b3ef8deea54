#pragma once
// The construction pattern of the generated windows, written once: two-step
// creation (`Create` makes the window, `CreateControls` adds its controls, the
// window is then fitted to them) and the members the generated code asks of
// every window (`ShowToolTips`, `GetBitmapResource`, `GetIconResource`). A page
// or panel derives from `GeneratedPanel` and writes only its `CreateControls`;
// a dialog with a `Create` of its own derives from `GeneratedWindowT<its base>`
// and ends that `Create` with `CompleteCreation`.

#include <wx/bitmap.h>
#include <wx/icon.h>
#include <wx/panel.h>
#include <wx/sizer.h>

namespace Vantrel {

template <class Window>
class GeneratedWindowT : public Window
{
public:
    using Window::Window;

    // Generated windows carry no images of their own and show their tool tips.
    wxBitmap GetBitmapResource(const wxString&) { return wxNullBitmap; }
    wxIcon GetIconResource(const wxString&) { return wxNullIcon; }
    static bool ShowToolTips() { return true; }

    // Adds the window's controls and their sizer; called once, by creation.
    virtual void CreateControls() = 0;

protected:
    // The step after the window itself is made (`created` says whether it was):
    // its controls, then its size fitted to them.
    bool CompleteCreation(bool created)
    {
        if (!created) return false;
        CreateControls();
        if (this->GetSizer()) this->GetSizer()->Fit(this);
        return true;
    }
};

class GeneratedPanel : public GeneratedWindowT<wxPanel>
{
public:
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL,
                const wxString& name = wxASCII_STR(wxPanelNameStr))
    {
        return CompleteCreation(wxPanel::Create(parent, id, pos, size, style, name));
    }
};

}  // namespace Vantrel
