#include "UserInterface/Widgets/AugmentedListBox.h"

wxIMPLEMENT_DYNAMIC_CLASS(AugmentedListBox, wxSimpleHtmlListBox);

wxBEGIN_EVENT_TABLE(AugmentedListBox, wxSimpleHtmlListBox)
    EVT_LISTBOX(wxID_ANY, AugmentedListBox::OnItemSelect)
wxEND_EVENT_TABLE()

AugmentedListBox::AugmentedListBox() = default;

AugmentedListBox::AugmentedListBox(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                   const wxArrayString& items, long style, const wxValidator& validator)
{
    Create(parent, id, pos, size, items, style, validator);
}

AugmentedListBox::~AugmentedListBox() = default;

bool AugmentedListBox::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                              const wxArrayString& items, long style, const wxValidator& validator)
{
    wxSimpleHtmlListBox::Create(parent, id, pos, size, items, style, validator,
                                wxASCII_STR(wxSimpleHtmlListBoxNameStr));
    return true;
}

void AugmentedListBox::OnItemSelect(wxCommandEvent& event)
{
    lastSelection_ = event.GetInt();
    event.Skip();
}

void AugmentedListBox::AppendPlainText(const wxString& text, void* clientData)
{
    wxString html;
    html.reserve(text.length());
    for (const wxUniChar c : text) {
        if (c == '&')
            html += "&amp;";
        else if (c == '<')
            html += "&lt;";
        else if (c == '>')
            html += "&gt;";
        else
            html += c;
    }
    Append(html, clientData);
}

void AugmentedListBox::SetSelection(int index)
{
    lastSelection_ = index;
    wxSimpleHtmlListBox::SetSelection(index);
}

void AugmentedListBox::SetACommonSelection(int which)
{
    const unsigned int count = GetCount();
    switch (which) {
        case RestoreLastSelection:
            if (static_cast<unsigned int>(lastSelection_) < count) SetSelection(lastSelection_);
            break;
        case SelectFirst:
            if (count > 0) SetSelection(0);
            break;
        case SelectLast: SetSelection(static_cast<int>(count) - 1); break;
        default: break;
    }
}
