#include "UserInterface/Dialogs/ModalSheetWHyperlink.h"

#include "UserInterface/Dialogs/ModalSheetConstruction.h"

#include <wx/artprov.h>
#include <wx/button.h>
#include <wx/hyperlink.h>
#include <wx/intl.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

wxIMPLEMENT_DYNAMIC_CLASS(ModalSheetWHyperlink, wxDialog);

// OK closes through the dialog's standard handling of wxID_OK.
wxBEGIN_EVENT_TABLE(ModalSheetWHyperlink, wxDialog)
wxEND_EVENT_TABLE()

ModalSheetWHyperlink::ModalSheetWHyperlink() { Init(); }

ModalSheetWHyperlink::ModalSheetWHyperlink(wxWindow* parent, int id, const wxString& caption, const wxPoint& pos,
                                           const wxSize& size, long style)
{
    Init();
    Create(parent, id, caption, pos, size, style);
}

ModalSheetWHyperlink::~ModalSheetWHyperlink() = default;

void ModalSheetWHyperlink::Init()
{
    icon_ = nullptr;
    message_ = nullptr;
    link_ = nullptr;
    okButton_ = nullptr;
}

bool ModalSheetWHyperlink::Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos,
                                  const wxSize& size, long style)
{
    Orbisk::CreateSheet(*this, parent, id, caption, pos, size, style, [this] { CreateControls(); });
    return true;
}

void ModalSheetWHyperlink::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    auto* inner = new wxBoxSizer(wxVERTICAL);
    top->Add(inner, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    inner->Add(row, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    icon_ = new wxStaticBitmap(this, wxID_STATIC, wxNullBitmap);
    row->Add(icon_, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    auto* column = new wxBoxSizer(wxVERTICAL);
    row->Add(column, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    message_ = new wxStaticText(this, MessageId, _("Default message text"), wxDefaultPosition, wxDefaultSize, 0,
                                "Description Label");
    column->Add(message_, 0, wxALIGN_CENTER_HORIZONTAL | wxLEFT | wxTOP, 5);
    link_ = new wxHyperlinkCtrl(this, HyperlinkId, _("link"), wxEmptyString, wxDefaultPosition, wxDefaultSize,
                                wxHL_CONTEXTMENU | wxBORDER_NONE | wxHL_ALIGN_LEFT, "Hyperlink");
    column->Add(link_, 0, wxLEFT | wxRIGHT | wxTOP, 5);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    inner->Add(buttons, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);
    okButton_ = Orbisk::NewSheetOkButton(this);
    buttons->Add(okButton_, 0, wxALIGN_CENTER_VERTICAL, 0);
}

void ModalSheetWHyperlink::SetMessageLabel(const wxString& message)
{
    message_->SetLabel(message);
    message_->Wrap(MessageWrapWidth);
}

void ModalSheetWHyperlink::SetHyperlinkLabel(const wxString& label) { link_->SetLabel(label); }
void ModalSheetWHyperlink::SetHyperlinkUrl(const wxString& url) { link_->SetURL(url); }
void ModalSheetWHyperlink::SetIconBitmap(const wxBitmap& bitmap) { icon_->SetBitmap(bitmap); }

wxBitmap ModalSheetWHyperlink::GetBitmapResource(const wxString&) { return wxNullBitmap; }
wxIcon ModalSheetWHyperlink::GetIconResource(const wxString&) { return wxNullIcon; }
bool ModalSheetWHyperlink::ShowToolTips() { return true; }

int ModalSheetWHyperlinkBox(wxWindow* parent, wxString message, wxString linkLabel, wxString url, int id,
                            wxString artId)
{
    auto* sheet = new ModalSheetWHyperlink(parent, id, wxEmptyString, wxDefaultPosition, wxSize(500, 100),
                                           wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxTAB_TRAVERSAL);
    sheet->SetMessageLabel(message);
    sheet->SetHyperlinkLabel(linkLabel);
    sheet->SetHyperlinkUrl(url);
    sheet->SetIconBitmap(wxArtProvider::GetBitmap(artId, wxASCII_STR(wxART_OTHER), wxDefaultSize));
    sheet->Fit();
    sheet->ShowWindowModal();
    return wxID_CANCEL;
}
