#pragma once
// A borderless bitmap button that pops up a text menu below itself. A pick
// reaches the parent as a button command with the panel's identifier whose
// integer value is the picked item's identifier. Items get consecutive
// identifiers from FirstItemId (separators use none), so callers can address
// them by position, identifier or label.

#include <boost/function.hpp>

#include <wx/bitmap.h>
#include <wx/icon.h>
#include <wx/panel.h>

class wxBitmapButton;
class wxMenu;
class wxMenuItem;

class DropdownButton : public wxPanel
{
    wxDECLARE_EVENT_TABLE();

public:
    using BitmapFunctor = boost::function<const wxBitmap&()>;

    // A look made once and kept, for the functors: the button asks for its looks by
    // reference, more than once.
    template <wxBitmap (*Get)()>
    static const wxBitmap& Kept()
    {
        static const wxBitmap bitmap = Get();
        return bitmap;
    }

    static constexpr int ButtonId = 17013;
    static constexpr int FirstItemId = 17014;

    // normal is required; the other looks may be empty (the library's default look).
    DropdownButton(BitmapFunctor normal, wxWindow* parent, wxWindowID id, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL,
                   BitmapFunctor disabled = BitmapFunctor(), BitmapFunctor hover = BitmapFunctor(),
                   BitmapFunctor focused = BitmapFunctor());
    ~DropdownButton() override;

    void Init();
    bool Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style);
    void CreateControls();

    // Returns the new item's identifier.
    int AddDropdownMenuItem(wxString label);
    void AddSeparator();
    void ClearDropdownMenu();
    void DisableAllMenuItems();
    // Unknown identifiers, indices and labels change nothing.
    void EnableItemById(int id, bool enable);
    void EnableItemAtIndex(int index, bool enable);
    void EnableItemByName(wxString label, bool enable);
    wxMenuItem* FindItemById(int id);
    wxMenuItem* FindItemByIndex(int index);
    wxMenuItem* FindItemByName(wxString label);

    // The inner button follows at the next update-UI cycle; the panel stays enabled.
    void EnableButton(bool enable);
    bool Enable(bool enable = true) override;

    static bool ShowToolTips();
    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);

    wxBitmapButton* GetButton() const { return button_; }
    wxMenu* GetMenu() const { return menu_; }
    wxPoint GetPopupPosition() const { return popupPosition_; }

private:
    void OnButtonClick(wxCommandEvent& event);
    void OnUpdateButton(wxUpdateUIEvent& event);
    void OnMenuClick(wxCommandEvent& event);

    int id_;
    wxMenu* menu_;
    wxBitmapButton* button_;
    int nextItemId_ = FirstItemId;
    BitmapFunctor normal_, disabled_, hover_, focused_;
    bool enabled_ = true;
    wxPoint popupPosition_;
};
