// The panels of the text, response and timer parameters, and the panel shown while
// no parameter is selected.

#include "ParamEditPanels.h"

#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace Vantrel {

wxIMPLEMENT_DYNAMIC_CLASS(TextParamEditPanel, wxPanel);
wxBEGIN_EVENT_TABLE(TextParamEditPanel, wxPanel)
wxEND_EVENT_TABLE()
wxIMPLEMENT_DYNAMIC_CLASS(ResponseParamEditPanel, wxPanel);
wxBEGIN_EVENT_TABLE(ResponseParamEditPanel, wxPanel)
wxEND_EVENT_TABLE()
wxIMPLEMENT_DYNAMIC_CLASS(TimerParamEditPanel, wxPanel);
wxBEGIN_EVENT_TABLE(TimerParamEditPanel, wxPanel)
wxEND_EVENT_TABLE()
wxIMPLEMENT_DYNAMIC_CLASS(NoParamInfoPanel, wxPanel);
wxBEGIN_EVENT_TABLE(NoParamInfoPanel, wxPanel)
wxEND_EVENT_TABLE()

// ---- Text

TextParamEditPanel::TextParamEditPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                       long style)
{
    Init();
    Create(parent, id, pos, size, style);
    SetNameFieldPointerAndApplyValidator(m_NameField);
}

void TextParamEditPanel::Init() { m_InitialText = nullptr; }

bool TextParamEditPanel::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    return CreatePanel(parent, id, pos, size, style);
}

void TextParamEditPanel::CreateControls()
{
    const Skeleton skeleton{ID_INNER,     _("Text Parameter Name:"), ID_NAME, wxString(), ID_SAVE, ID_DESCRIPTION, -1,
                            wxDefaultSize};
    BuildSkeleton(skeleton, [this](wxPanel* inner, wxBoxSizer* sizer) {
        sizer->Add(new wxStaticText(inner, wxID_STATIC, _("Initial Text:")), 0, wxLEFT | wxRIGHT | wxTOP, 5);
        sizer->Add(15, 1, 0);
        m_InitialText = new wxTextCtrl(inner, ID_INITIAL_TEXT, wxString());
        sizer->Add(m_InitialText, 0, wxEXPAND | wxALL, 5);
    });
}

void TextParamEditPanel::SetGuiBasedOnOrderForm()
{
    ShowCommonFields();
    m_InitialText->ChangeValue(m_Form.text);
}

OrderFormForParameterCreation TextParamEditPanel::CommitGuiStateToOrderForm(bool* ok)
{
    m_Form.text = m_InitialText->GetValue();
    return CommitNameAndCommonFields(ok);
}

// ---- Response

ResponseParamEditPanel::ResponseParamEditPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                               long style)
{
    Init();
    Create(parent, id, pos, size, style);
    SetNameFieldPointerAndApplyValidator(m_NameField);
}

void ResponseParamEditPanel::Init() {}

bool ResponseParamEditPanel::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    return CreatePanel(parent, id, pos, size, style);
}

void ResponseParamEditPanel::CreateControls()
{
    const Skeleton skeleton{ID_INNER, _("Response Parameter Name:"),
                            ID_NAME,  _("Untitled Response Parameter 1"),
                            ID_SAVE,  ID_DESCRIPTION,
                            -1,       wxDefaultSize};
    BuildSkeleton(skeleton, [](wxPanel*, wxBoxSizer* sizer) { sizer->Add(5, 5, 0); });
}

void ResponseParamEditPanel::SetGuiBasedOnOrderForm() { ShowCommonFields(); }

OrderFormForParameterCreation ResponseParamEditPanel::CommitGuiStateToOrderForm(bool* ok)
{
    return CommitNameAndCommonFields(ok);
}

// ---- Timer

TimerParamEditPanel::TimerParamEditPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size,
                                         long style)
{
    Init();
    Create(parent, id, pos, size, style);
    SetNameFieldPointerAndApplyValidator(m_NameField);
}

void TimerParamEditPanel::Init() {}

bool TimerParamEditPanel::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    return CreatePanel(parent, id, pos, size, style);
}

void TimerParamEditPanel::CreateControls()
{
    const Skeleton skeleton{
        wxID_ANY,     _("Timer Parameter Name:"), ID_NAME, _("Untitled Timer Parameter 1"), wxID_ANY, wxID_ANY, -1,
        wxDefaultSize};
    BuildSkeleton(skeleton, [](wxPanel* inner, wxBoxSizer* sizer) {
        for (const wxString& line :
             {_("You can start, stop, and reset the"), _("timer using a rule or feedback"), _("action.")}) {
            auto* note = new wxStaticText(inner, wxID_STATIC, line);
            note->SetForegroundColour(wxColour(128, 128, 128));
            sizer->Add(note, 0, wxLEFT | wxRIGHT | wxBOTTOM, 5);
        }
        sizer->Add(5, 5, 0);
    });
}

void TimerParamEditPanel::SetGuiBasedOnOrderForm() { ShowCommonFields(); }

OrderFormForParameterCreation TimerParamEditPanel::CommitGuiStateToOrderForm(bool* ok)
{
    return CommitNameAndCommonFields(ok);
}

// ---- No parameter selected

NoParamInfoPanel::NoParamInfoPanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    Init();
    Create(parent, id, pos, size, style);
}

void NoParamInfoPanel::Init() {}

bool NoParamInfoPanel::Create(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style)
{
    return CreatePanel(parent, id, pos, size, style);
}

void NoParamInfoPanel::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    auto* inner = new wxPanel(this, ID_INNER, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL | wxNO_BORDER);
    top->Add(inner, 1, wxEXPAND | wxALL, 5);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    inner->SetSizer(sizer);
    sizer->Add(5, 5, 1);
    auto* hint = new wxStaticText(inner, wxID_STATIC,
                                  _("No parameters currently exist. To create a parameter, click the add button at "
                                    "the bottom left."));
    hint->Wrap(320);
    sizer->Add(hint, 0, wxEXPAND | wxALL, 5);
    sizer->Add(5, 10, 3);
}

OrderFormForParameterCreation NoParamInfoPanel::CommitGuiStateToOrderForm(bool* ok)
{
    *ok = true;
    return m_Form;
}

}  // namespace Vantrel
