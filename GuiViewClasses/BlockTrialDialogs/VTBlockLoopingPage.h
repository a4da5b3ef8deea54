#pragma once
// The block editor's "Looping" page: no looping, N times (2 to 5000) or for ever.
// A loop mode that matches no radio loads with none on and is written back as it
// was unless the researcher picks one.

#include <wx/panel.h>

#include "CodedRadioGroup.h"

class wxSpinCtrl;
class wxSpinEvent;

namespace Vantrel {

class VTBlock;

class VTBlockLoopingPage : public wxPanel
{
public:
    enum
    {
        ID_PAGE = 10062,
        ID_NO_LOOPING = 10063,
        ID_N_TIMES = 10064,
        ID_COUNT = 10065,
        ID_FOREVER = 10068
    };

    explicit VTBlockLoopingPage(wxWindow* parent, wxWindowID id = ID_PAGE);

    void LoadFrom(const VTBlock& block);
    void WriteTo(VTBlock& block) const;
    // Whether changing the count selects "Present trials in this block": the editor
    // turns it on while this page shows (on at construction).
    void SetCountSelectsNTimes(bool on);
    bool HasLooping() const;

private:
    void SelectLoopXTimes(wxSpinEvent& event);

    CodedRadioGroup m_Mode;
    wxSpinCtrl* m_Count = nullptr;
    bool m_CountBound = false;
};

}  // namespace Vantrel
