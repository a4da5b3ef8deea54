#include "UserInterface/Dialogs/wxAlert.h"

#include <wx/button.h>
#include <wx/settings.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

namespace {
const int kWrapWidth = 400;
}

wxIMPLEMENT_DYNAMIC_CLASS(wxAlert, wxDialog);

wxBEGIN_EVENT_TABLE(wxAlert, wxDialog)
    EVT_BUTTON(0, wxAlert::OnButton0Click)
    EVT_BUTTON(1, wxAlert::OnButton1Click) EVT_BUTTON(2, wxAlert::OnButton2Click) EVT_BUTTON(3, wxAlert::OnButton3Click)
wxEND_EVENT_TABLE()

wxAlert::wxAlert() { Init(); }

wxAlert::wxAlert(wxWindow* parent, const wxString& message, const wxString& informativeText, const wxString& title,
                 unsigned int defaultButton, wxArrayString labels, int id, const wxBitmap& art, const wxPoint& pos)
    : message_(message),
      informativeText_(informativeText),
      title_(title),
      defaultButton_(defaultButton),
      labels_(std::move(labels)),
      art_(art)
{
    Init();
    Create(parent, id, title, pos, wxDefaultSize, wxCAPTION | wxSYSTEM_MENU | wxTAB_TRAVERSAL);
}

wxAlert::~wxAlert()
{
    delete messageLabel_;
    delete informativeLabel_;
    delete icon_;
}

void wxAlert::Init()
{
    messageLabel_ = nullptr;
    icon_ = nullptr;
    informativeLabel_ = nullptr;
    buttonsCreated_ = 0;
}

bool wxAlert::Create(wxWindow* parent, wxWindowID id, const wxString& caption, const wxPoint& pos, const wxSize& size,
                     long style)
{
    SetExtraStyle(wxWS_EX_BLOCK_EVENTS);
    wxDialog::Create(parent, id, caption, pos, size, style);
    // Only a button answers an alert; Escape would give a code no caller expects.
    SetEscapeId(wxID_NONE);
    CreateControls();
    if (GetSizer()) GetSizer()->SetSizeHints(this);
    Centre(wxBOTH);
    return true;
}

void wxAlert::CreateControls()
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    SetSizer(row);

    auto* iconColumn = new wxBoxSizer(wxVERTICAL);
    row->Add(iconColumn, 0, wxEXPAND | wxALL, 5);
    icon_ = new wxStaticBitmap(this, wxID_STATIC, art_);
    iconColumn->Add(icon_, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 10);

    auto* textColumn = new wxBoxSizer(wxVERTICAL);
    row->Add(textColumn, 0, wxEXPAND | wxALL, 5);

    const wxFont gui = wxSystemSettings::GetFont(wxSYS_DEFAULT_GUI_FONT);
    messageLabel_ = new wxStaticText(this, wxID_STATIC, message_, wxDefaultPosition, wxSize(kWrapWidth, -1),
                                     wxFULL_REPAINT_ON_RESIZE);
    messageLabel_->SetFont(wxFont(static_cast<int>(gui.GetPointSize() * 1.1), gui.GetFamily(), gui.GetStyle(),
                                  wxFONTWEIGHT_BOLD, false, gui.GetFaceName()));
    messageLabel_->Wrap(kWrapWidth);
    textColumn->Add(messageLabel_, 0, wxEXPAND | wxALL, 5);

    informativeLabel_ = new wxStaticText(this, wxID_STATIC, informativeText_, wxDefaultPosition, wxDefaultSize,
                                         wxFULL_REPAINT_ON_RESIZE);
    informativeLabel_->SetFont(
        wxFont(gui.GetPointSize(), gui.GetFamily(), gui.GetStyle(), wxFONTWEIGHT_NORMAL, false, gui.GetFaceName()));
    informativeLabel_->Wrap(kWrapWidth);
    textColumn->Add(informativeLabel_, 0, wxEXPAND | wxALL, 5);

    auto* buttonRow = new wxBoxSizer(wxHORIZONTAL);
    textColumn->Add(buttonRow, 0, wxEXPAND | wxALL, 5);
    if (!HasSpacers()) buttonRow->Add(5, 5, 1, wxALIGN_CENTER_VERTICAL | wxALL, 5);  // buttons to the right

    if (buttonsCreated_ >= MaximumButtons) return;
    for (size_t i = 0; i < labels_.size(); ++i) {
        if (labels_[i].empty()) {
            buttonRow->Add(5, 5, 1, wxALIGN_CENTER_VERTICAL | wxALL, 5);
        } else {
            auto* button = new wxButton(this, buttonsCreated_, labels_[i]);
            if (static_cast<unsigned int>(buttonsCreated_) == defaultButton_) {
                button->SetDefault();
                button->SetFocus();
                SetDefaultItem(button);
            }
            buttonRow->Add(button, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
            ++buttonsCreated_;
        }
        if (buttonsCreated_ >= MaximumButtons) break;
    }
}

bool wxAlert::HasSpacers() const
{
    for (const wxString& label : labels_)
        if (label.empty()) return true;
    return false;
}

void wxAlert::EndWithCode(int code)
{
    if (IsModal()) {
        EndModal(code);
    } else {
        SetReturnCode(code);
        Hide();
    }
}

void wxAlert::OnButton0Click(wxCommandEvent&) { EndWithCode(0); }
void wxAlert::OnButton1Click(wxCommandEvent&) { EndWithCode(1); }
void wxAlert::OnButton2Click(wxCommandEvent&) { EndWithCode(2); }
void wxAlert::OnButton3Click(wxCommandEvent&) { EndWithCode(3); }

wxBitmap wxAlert::GetBitmapResource(const wxString&) { return wxNullBitmap; }
wxIcon wxAlert::GetIconResource(const wxString&) { return wxNullIcon; }
bool wxAlert::ShowToolTips() { return true; }
