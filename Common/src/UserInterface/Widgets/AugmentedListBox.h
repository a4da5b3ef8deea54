#pragma once
// An HTML list box that remembers the last item the user or the program
// selected, so that after a refill one call restores that selection or
// selects the first or last item.

#include <wx/htmllbox.h>

class AugmentedListBox : public wxSimpleHtmlListBox
{
    wxDECLARE_DYNAMIC_CLASS(AugmentedListBox);
    wxDECLARE_EVENT_TABLE();

public:
    enum CommonSelection
    {
        RestoreLastSelection = 0,
        SelectFirst = 1,
        SelectLast = 2
    };

    AugmentedListBox();
    AugmentedListBox(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                     const wxArrayString& items, long style = wxHLB_DEFAULT_STYLE,
                     const wxValidator& validator = wxDefaultValidator);
    ~AugmentedListBox() override;

    bool Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, const wxArrayString& items,
                long style = wxHLB_DEFAULT_STYLE, const wxValidator& validator = wxDefaultValidator);
    void Init() {}
    void CreateControls() {}

    // Appends an item shown as exactly this text: the list reads its items as HTML, so a
    // name with "<" or "&" would otherwise lose characters or show as markup.
    void AppendPlainText(const wxString& text, void* clientData);

    void SetSelection(int index) override;
    // 0: the last selection, when it still exists; 1: the first item; 2: the last item
    // (none on an empty list); anything else: nothing.
    void SetACommonSelection(int which);

    int GetLastSelection() const { return lastSelection_; }

private:
    void OnItemSelect(wxCommandEvent& event);

    int lastSelection_ = wxNOT_FOUND;
};
