// The cloud experiment panel's layout, built in code: the step book, the button
// book under it and the footer line.

#include "CloudExperimentPanel.h"

#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>

#include <wx/button.h>
#include <wx/gauge.h>
#include <wx/hyperlink.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace {

const wxColour kWhite(255, 255, 255);
const wxColour kGrey(121, 121, 121);
const wxColour kRed(200, 0, 0);
const wxColour kFooter(239, 244, 254);
const wxColour kLink(58, 126, 246);
constexpr const char* kProductPage = "https://www.vantrel.example/study-station";

wxPanel* NewPage(wxWindow* parent, int id)
{
    auto* page = new wxPanel(parent, id, wxDefaultPosition, wxDefaultSize, wxNO_BORDER | wxTAB_TRAVERSAL);
    page->SetExtraStyle(wxWS_EX_VALIDATE_RECURSIVELY);
    page->SetBackgroundColour(kWhite);
    page->SetSizer(new wxBoxSizer(wxVERTICAL));
    return page;
}

void AddCentred(wxPanel* page, wxWindow* item, int flags = wxALL, int proportion = 0)
{
    page->GetSizer()->Add(item, proportion, wxALIGN_CENTER_HORIZONTAL | flags, 5);
}

void AddSpacer(wxPanel* page, int height) { page->GetSizer()->Add(5, height, 0, wxALIGN_CENTER_HORIZONTAL | wxALL, 5); }

void AddTitle(wxPanel* page, const wxString& title)
{
    AddSpacer(page, 10);
    AddCentred(page, new wxStaticText(page, wxID_STATIC, title));
    page->GetSizer()->Add(new wxStaticLine(page, wxID_STATIC, wxDefaultPosition, wxSize(400, -1), wxLI_HORIZONTAL), 0,
                          wxALIGN_CENTER_HORIZONTAL | wxLEFT | wxRIGHT | wxBOTTOM, 5);
}

wxStaticText* CentredText(wxWindow* parent, int id, const wxString& text, const wxSize& size = wxDefaultSize)
{
    return new wxStaticText(parent, id, text, wxDefaultPosition, size, wxALIGN_CENTRE_HORIZONTAL);
}

}  // namespace

void CloudExperimentPanel::CreateControls()
{
    SetBackgroundColour(kWhite);
    auto* panelSizer = new wxBoxSizer(wxVERTICAL);
    SetSizer(panelSizer);

    m_stepBook = new Orbisk::OrbiskChoiceBookWithHiddenCtrl(this, ID_STEP_BOOK, wxDefaultPosition, wxDefaultSize,
                                                            wxCHB_DEFAULT, false);
    m_stepBook->SetBackgroundColour(kWhite);

    wxPanel* taskPage = NewPage(m_stepBook, ID_STEP1_PAGE);
    AddTitle(taskPage, _("Step 1 of 4"));
    AddSpacer(taskPage, 30);
    AddCentred(taskPage, new wxStaticText(taskPage, wxID_STATIC, _("Task ID:")), wxLEFT | wxRIGHT | wxTOP);
    m_taskIdCtrl = new wxTextCtrl(taskPage, ID_TASK_ID, wxEmptyString, wxDefaultPosition, wxSize(250, -1), wxTE_CENTRE);
    AddCentred(taskPage, m_taskIdCtrl);
    wxStaticText* hint =
        CentredText(taskPage, wxID_STATIC, _("This is an 8 digit code provided to you by the researcher."));
    hint->SetForegroundColour(kGrey);
    AddCentred(taskPage, hint, wxLEFT | wxRIGHT | wxBOTTOM);
    AddSpacer(taskPage, 5);
    m_errorText = CentredText(taskPage, ID_ERROR_TEXT, _("Error messages go here..."), wxSize(400, 40));
    m_errorText->SetForegroundColour(kRed);
    AddCentred(taskPage, m_errorText, wxALL, 1);
    AddSpacer(taskPage, 25);
    m_stepBook->AddPage(taskPage, _("Step 1 - task id"));

    wxPanel* detailsPage = NewPage(m_stepBook, ID_STEP2_PAGE);
    AddTitle(detailsPage, _("Step 2 of 4"));
    AddSpacer(detailsPage, 10);
    auto* details =
        new wxPanel(detailsPage, ID_DETAILS_PANEL, wxDefaultPosition, wxDefaultSize, wxNO_BORDER | wxTAB_TRAVERSAL);
    details->SetBackgroundColour(kWhite);
    auto* detailsSizer = new wxBoxSizer(wxVERTICAL);
    details->SetSizer(detailsSizer);
    detailsSizer->Add(
        new wxStaticText(details, wxID_STATIC,
                         _("The researcher has requested the following information\nbut it is NOT required.")),
        0, wxALL, 5);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    auto* grid = new wxFlexGridSizer(2, 0, 0);
    grid->Add(new wxStaticText(details, wxID_STATIC, _("Name:")), 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_nameCtrl = new wxTextCtrl(details, ID_NAME, wxEmptyString, wxDefaultPosition, wxSize(250, -1));
    grid->Add(m_nameCtrl, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    grid->Add(new wxStaticText(details, wxID_STATIC, _("Email:")), 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    m_emailCtrl = new wxTextCtrl(details, ID_EMAIL, wxEmptyString, wxDefaultPosition, wxSize(250, -1));
    grid->Add(m_emailCtrl, 0, wxALIGN_CENTER_VERTICAL | wxALL, 5);
    row->Add(grid, 0, wxALL, 10);
    detailsSizer->Add(row, 0, wxALIGN_CENTER_HORIZONTAL);
    AddCentred(detailsPage, details);
    AddSpacer(detailsPage, 20);
    m_stepBook->AddPage(detailsPage, _("Step 2 - user info"));

    m_downloadPage = NewPage(m_stepBook, ID_DOWNLOAD_PAGE);
    AddTitle(m_downloadPage, _("Step 3 of 4"));
    AddSpacer(m_downloadPage, 15);
    m_downloadText = CentredText(m_downloadPage, wxID_STATIC, _("The task is being downloaded..."));
    AddCentred(m_downloadPage, m_downloadText);
    AddSpacer(m_downloadPage, 5);
    m_gauge = new wxGauge(m_downloadPage, ID_GAUGE, 100, wxDefaultPosition, wxSize(300, 15), wxGA_HORIZONTAL);
    m_gauge->SetValue(1);
    AddCentred(m_downloadPage, m_gauge);
    AddSpacer(m_downloadPage, 40);
    m_stepBook->AddPage(m_downloadPage, _("Step 3 - downloading"));

    wxPanel* thanksPage = NewPage(m_stepBook, ID_THANKS_PAGE);
    AddTitle(thanksPage, _("Step 4 of 4"));
    AddSpacer(thanksPage, 30);
    AddCentred(thanksPage, new wxStaticText(thanksPage, wxID_STATIC, _("Thank you for participating in the study.")));
    m_thanksNoteText = CentredText(thanksPage, wxID_STATIC,
                                   _("The task files will be automatically\ndeleted from your computer. You can\n"
                                     "uninstall this app as well if you want."));
    AddCentred(thanksPage, m_thanksNoteText);
    AddSpacer(thanksPage, 40);
    m_stepBook->AddPage(thanksPage, _("Step 4 - thank you"));

    wxPanel* uploadErrorPage = NewPage(m_stepBook, ID_UPLOAD_ERROR_PAGE);
    AddTitle(uploadErrorPage, _("Study Station needs your help!"));
    AddSpacer(uploadErrorPage, 15);
    AddCentred(uploadErrorPage, CentredText(uploadErrorPage, wxID_STATIC,
                                            _("We encountered an error while trying to upload the data.")));
    m_uploadErrorText =
        CentredText(uploadErrorPage, wxID_STATIC,
                    _("We have placed the data file on the desktop. Please send it\nto the researcher at %1."));
    AddCentred(uploadErrorPage, m_uploadErrorText);
    m_copyEmailButton = new wxButton(uploadErrorPage, ID_COPY_EMAIL, _("Copy Email Address"));
    AddCentred(uploadErrorPage, m_copyEmailButton);
    AddSpacer(uploadErrorPage, 15);
    m_stepBook->AddPage(uploadErrorPage, _("Error uploading data file"));

    panelSizer->Add(m_stepBook, 4, wxEXPAND | wxALL, 5);

    m_buttonBook = new Orbisk::OrbiskChoiceBookWithHiddenCtrl(this, ID_BUTTON_BOOK, wxDefaultPosition, wxDefaultSize,
                                                              wxCHB_DEFAULT, false);
    m_buttonBook->SetBackgroundColour(kWhite);
    struct ButtonPageSpec
    {
        int pageId, buttonId;
        wxString label, name;
    } buttonPages[] = {
        {ID_BUTTON_PAGE1, ID_NEXT, _("  Next  >  "), _("Step 1")},
        {ID_BUTTON_PAGE2, ID_GET_STARTED, _("  Get Started  >  "), _("Step 2")},
        {ID_BUTTON_PAGE3, ID_RUN_OR_CANCEL, _("   Cancel Download   "), _("Step 3")},
        {ID_BUTTON_PAGE4, ID_EXIT, _("   Exit   "), _("Step 4")},
    };
    for (const ButtonPageSpec& spec : buttonPages) {
        wxPanel* page = NewPage(m_buttonBook, spec.pageId);
        auto* button = new wxButton(page, spec.buttonId, spec.label);
        AddCentred(page, button);
        if (spec.buttonId == ID_RUN_OR_CANCEL) m_runOrCancelButton = button;
        m_buttonBook->AddPage(page, spec.name);
    }
    panelSizer->Add(m_buttonBook, 1, wxALIGN_CENTER_HORIZONTAL | wxALL, 5);

    auto* footer = new wxPanel(this, ID_FOOTER, wxDefaultPosition, wxDefaultSize, wxNO_BORDER | wxTAB_TRAVERSAL);
    footer->SetBackgroundColour(kFooter);
    auto* footerSizer = new wxBoxSizer(wxHORIZONTAL);
    footer->SetSizer(footerSizer);
    footerSizer->Add(new wxStaticText(footer, wxID_STATIC, _("This task is built with Vantrel - ")), 0,
                     wxALIGN_CENTER_VERTICAL | wxLEFT | wxTOP | wxBOTTOM, 12);
    auto* link = new wxHyperlinkCtrl(footer, ID_HYPERLINK, kProductPage, kProductPage, wxDefaultPosition, wxDefaultSize,
                                     wxHL_DEFAULT_STYLE | wxNO_BORDER);
    link->SetNormalColour(kLink);
    footerSizer->Add(link, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT | wxTOP | wxBOTTOM, 12);
    panelSizer->Add(footer, 1, wxEXPAND | wxTOP, 5);
}
