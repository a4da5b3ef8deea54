#pragma once
// The small dialog that edits one colour level: its name and its colour. OK is
// offered only while the name is given and used by no other level.

#include <wx/dialog.h>
#include <wx/list.h>

class wxColourPickerCtrl;
class wxTextCtrl;

namespace Vantrel {

class VTEditColorValueDlg : public wxDialog
{
    wxDECLARE_DYNAMIC_CLASS(VTEditColorValueDlg);
    wxDECLARE_EVENT_TABLE();

public:
    enum
    {
        ID_NAME_LABEL = 10000,
        ID_NAME = 10001,
        ID_PICKER = 10002
    };

    VTEditColorValueDlg();
    VTEditColorValueDlg(wxWindow* parent, const wxStringList& usedNames, int id, const wxString& caption,
                        const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                        long style = wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
    bool Create(wxWindow* parent, int id, const wxString& caption, const wxPoint& pos, const wxSize& size, long style);
    void Init();
    void CreateControls();

    void SetColor(const wxColour& colour);
    wxColour GetColor() const;

    void OnUpdateOK(wxUpdateUIEvent& event);

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips();

    // Exchanged with the name control by its validator.
    wxString m_NameText;

private:
    wxTextCtrl* m_Name;
    wxColourPickerCtrl* m_Picker;
    wxStringList m_UsedNames;
};

}  // namespace Vantrel
