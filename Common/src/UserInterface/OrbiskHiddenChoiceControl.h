#pragma once
// The page selector of OrbiskChoiceBookWithHiddenCtrl: a choice control that takes
// no room and draws nothing.

#include <wx/choice.h>

namespace Orbisk {

class OrbiskHiddenChoiceControl : public wxChoice
{
public:
    OrbiskHiddenChoiceControl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, int n,
                              const wxString choices[], long style, const wxValidator& validator, const wxString& name);
    ~OrbiskHiddenChoiceControl() override;

    wxSize GetMinSize() const override;
    wxSize GetMaxSize() const override;

protected:
    wxSize DoGetBestSize() const override;

private:
    void OnErase(wxEraseEvent& event);
    void OnPaint(wxPaintEvent& event);

    wxDECLARE_EVENT_TABLE();
    wxDECLARE_CLASS(OrbiskHiddenChoiceControl);
};

}  // namespace Orbisk
