#pragma once
// The sheet that asks for the name of a new rule or a new name for a rule. It
// refuses only a blank name; its owner validates the name in the function that
// OK calls, while the sheet is still on screen. Made once and re-armed per use.

#include <boost/function.hpp>
#include <wx/dialog.h>

class wxButton;
class wxSizer;
class wxStaticText;
class wxTextCtrl;

class SheetDialogObjectNameOrRename : public wxDialog
{
    wxDECLARE_DYNAMIC_CLASS(SheetDialogObjectNameOrRename);
    wxDECLARE_EVENT_TABLE();

public:
    static constexpr int ID_PROMPT = 10184;

    SheetDialogObjectNameOrRename();
    SheetDialogObjectNameOrRename(wxWindow* parent, wxWindowID id, const wxString& caption = wxEmptyString,
                                  const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                                  long style = wxCAPTION | wxRESIZE_BORDER | wxSYSTEM_MENU | wxCLOSE_BOX |
                                               wxTAB_TRAVERSAL);
    bool Create(wxWindow* parent, wxWindowID id, const wxString& caption = wxEmptyString,
                const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                long style = wxCAPTION | wxRESIZE_BORDER | wxSYSTEM_MENU | wxCLOSE_BOX | wxTAB_TRAVERSAL);
    void Init();
    void CreateControls();

    void ReinitializeForNextUse(const wxString& initialText, const wxString& note, boost::function<void()> onOk);
    void ShowWindowModal() override;
    // The typed name without white space at either end.
    wxString GetNameText() const;
    bool DidTheTextChangeAtAll() const;

    wxTextCtrl* GetNameField() const { return m_Name; }
    wxStaticText* GetNote() const { return m_Note; }

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips();

private:
    void OnOkButton(wxCommandEvent& event);
    void OnCancelButton(wxCommandEvent& event);
    void OnUpdateOKButton(wxUpdateUIEvent& event);

    wxStaticText* m_Prompt;
    wxTextCtrl* m_Name;
    wxSizer* m_NoteSizer;
    wxStaticText* m_Note;
    wxButton* m_Cancel;
    wxButton* m_OK;
    wxString m_InitialText;
    boost::function<void()> m_OnOk;
};
