#pragma once
// The small dialog that edits one location level: its name and its X and Y in
// pixels from the centre of the screen. OK is offered only while the name is
// given and used by no other level, and X and Y are whole 32-bit integers. The
// texts reach the public strings through validators when the dialog ends with OK.

#include <wx/dialog.h>
#include <wx/list.h>

class wxTextCtrl;

namespace Vantrel {

class VTEditLocationValueDlg : public wxDialog
{
    wxDECLARE_DYNAMIC_CLASS(VTEditLocationValueDlg);
    wxDECLARE_EVENT_TABLE();

public:
    enum
    {
        ID_NAME_LABEL = 10135,
        ID_NAME = 10136,
        ID_X_LABEL = 10137,
        ID_X = 10138,
        ID_X_UNIT = 10139,
        ID_Y_LABEL = 10140,
        ID_Y = 10141,
        ID_Y_UNIT = 10142,
        ID_ORIGIN_NOTE = 10143
    };

    VTEditLocationValueDlg();
    VTEditLocationValueDlg(wxWindow* parent, const wxStringList& usedNames, int id, const wxString& caption,
                           const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                           long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    bool Create(wxWindow* parent, int id, const wxString& caption, const wxPoint& pos, const wxSize& size, long style);
    void Init();
    void CreateControls();

    void OnUpdateOK(wxUpdateUIEvent& event);

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips();

    // Exchanged with the text controls by their validators.
    wxString m_XText;
    wxString m_YText;
    wxString m_NameText;

private:
    wxTextCtrl* m_Name;
    wxTextCtrl* m_X;
    wxTextCtrl* m_Y;
    wxStringList m_UsedNames;
};

}  // namespace Vantrel
