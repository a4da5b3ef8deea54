#include "GUIDialogOnScreenResponse.h"

#include <VTPlugInCommon/GeneralHelpers.h>
#include <VTPlugInCommon/VTPresenter.h>
#include <VTPlugInCommon/VTSdkResponses.h>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/display.h>
#include <wx/log.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/spinctrl.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <algorithm>

using VantrelSDK::VTSdkOnScreenResp;

namespace {

void AppendAction(wxChoice* choice, const wxString& label, int code)
{
    choice->Append(label, reinterpret_cast<void*>(static_cast<wxIntPtr>(code)));
}

int ClientCode(const wxChoice* choice, int index)
{
    return int(static_cast<short>(reinterpret_cast<wxIntPtr>(choice->GetClientData(unsigned(index)))));
}

}  // namespace

GUIDialogOnScreenResponse::GUIDialogOnScreenResponse(
    wxWindow* parent, Vantrel::VTExperiment* experiment, wxWindow* listWindow, bool isNew, bool insertRepeatedly,
    boost::shared_ptr<VantrelSDK::Interface_EditResponseWindowHelper> helper, wxWindowID id, const wxString& caption,
    const wxPoint& pos, const wxSize& size, long style)
    : Vantrel::VTEditResponseDlg(parent, experiment, listWindow, isNew, insertRepeatedly, helper, wxString())
{
    wxDialog::Create(parent, id, caption, pos, size, style);
    CreateControls();
    AfterCreatingControls();
    for (int spin : {ID_X, ID_Y, ID_WIDTH, ID_HEIGHT}) {
        Bind(wxEVT_SPINCTRL, &GUIDialogOnScreenResponse::OnSpinEvent, this, spin);
        Bind(wxEVT_TEXT, &GUIDialogOnScreenResponse::OnSpinTextEvent, this, spin);
    }
    Bind(wxEVT_CHOICE, &GUIDialogOnScreenResponse::OnChoiceResponseNameDropdown, this, ID_ACTION);
    Bind(wxEVT_IDLE, &GUIDialogOnScreenResponse::OnIdle, this);
}

GUIDialogOnScreenResponse::~GUIDialogOnScreenResponse() {}

void GUIDialogOnScreenResponse::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    auto* grid = new wxFlexGridSizer(2, 2, 4, 8);
    grid->AddGrowableRow(0);
    grid->AddGrowableCol(1);
    grid->Add(new wxStaticText(this, ID_NAME_LABEL, _("Response Name:")), 0, wxALIGN_CENTER_VERTICAL);
    auto* name = new wxTextCtrl(this, ID_NAME, wxEmptyString, wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator,
                                "text_name");
    grid->Add(name, 1, wxEXPAND);
    grid->AddSpacer(0);
    m_Example = new wxStaticText(this, wxID_STATIC, _("(e.g. Mouse key press on stimulus)"));
    grid->Add(m_Example);
    top->Add(grid, 0, wxEXPAND | wxALL, 8);

    auto* actionBox = new wxStaticBox(this, wxID_ANY, _("Action:"));
    m_ActionSizer = new wxStaticBoxSizer(actionBox, wxHORIZONTAL);
    m_ActionSizer->Add(new wxStaticText(this, wxID_STATIC, _("This response consists of")), 0,
                       wxALIGN_CENTER_VERTICAL | wxALL, 4);
    m_Action = new wxChoice(this, ID_ACTION);
    AppendAction(m_Action, _("Any mouse button"), VTSdkOnScreenResp::CODE_ANY_MOUSE_BUTTON);
    AppendAction(m_Action, _("Left Button"), 1);
    AppendAction(m_Action, _("Middle Button"), 2);
    AppendAction(m_Action, _("Right Button"), 4);
    m_ActionSizer->Add(m_Action, 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
    m_Being = new wxStaticText(this, wxID_STATIC, _("being"));
    m_ActionSizer->Add(m_Being, 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
    m_Phase = new wxChoice(this, ID_PHASE);
    m_Phase->Append(_("Pressed"));
    m_Phase->Append(_("Released"));
    m_ActionSizer->Add(m_Phase, 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
    top->Add(m_ActionSizer, 0, wxEXPAND | wxLEFT | wxRIGHT, 8);

    auto* placeBox = new wxStaticBox(this, wxID_ANY, _("Position On The Screen:"));
    auto* place = new wxStaticBoxSizer(placeBox, wxVERTICAL);
    m_Anywhere =
        new wxRadioButton(this, ID_ANYWHERE, _("Anywhere on the screen"), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_Anywhere->SetValue(false);
    place->Add(m_Anywhere, 0, wxALL, 3);
    m_Automatic =
        new wxRadioButton(this, ID_AUTOMATIC, _("Automatically determined by the position of the visual stimulus "));
    m_Automatic->SetValue(false);
    place->Add(m_Automatic, 0, wxALL, 3);
    place->Add(
        new wxStaticText(this, wxID_STATIC,
                         _("(In the Event Editor, click \"Settings\" to associate a stimulus area with a response)")),
        0, wxLEFT, 24);
    m_Specific = new wxRadioButton(this, ID_SPECIFIC, _("Specific area, found at location (in pixels):"));
    m_Specific->SetValue(false);
    place->Add(m_Specific, 0, wxALL, 3);
    auto* spins = new wxFlexGridSizer(2, 4, 4, 6);
    auto spin = [&](const wxString& label, int id, const wxString& initial) {
        spins->Add(new wxStaticText(this, wxID_STATIC, label), 0, wxALIGN_CENTER_VERTICAL);
        auto* control = new wxSpinCtrl(this, id, initial, wxDefaultPosition, wxDefaultSize, wxSP_ARROW_KEYS, 0, 100,
                                       initial == "1" ? 1 : 0);
        spins->Add(control);
        return control;
    };
    m_X = spin(_("X:"), ID_X, "0");
    m_Y = spin(_("Y:"), ID_Y, "0");
    m_Width = spin(_("Width:"), ID_WIDTH, "1");
    m_Height = spin(_("Height:"), ID_HEIGHT, "1");
    place->Add(spins, 0, wxLEFT | wxBOTTOM, 24);
    top->Add(place, 0, wxEXPAND | wxALL, 8);

    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->Add(new wxButton(this, 29810, _("<< OK, Prev"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator,
                              "ID_OK_PREV"),
                 0, wxALL, 4);
    buttons->AddStretchSpacer();
    buttons->Add(new wxButton(this, wxID_CANCEL, _("Cancel"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator,
                              "wxID_CANCEL"),
                 0, wxALL, 4);
    auto* ok = new wxButton(this, wxID_OK, _("OK"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator, "wxID_OK");
    ok->SetDefault();
    buttons->Add(ok, 0, wxALL, 4);
    buttons->Add(new wxButton(this, 29811, _("OK, Next >>"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator,
                              "ID_OK_NEXT"),
                 0, wxALL, 4);
    top->Add(buttons, 0, wxEXPAND | wxALL, 4);
    SetSizerAndFit(top);
}

wxSize GUIDialogOnScreenResponse::ScreenSize()
{
    VantrelSDK::VTPresenter* presenter = VantrelSDK::GetPresenter();
    const int w = presenter ? presenter->GetScreenWidth() : 0;
    const int h = presenter ? presenter->GetScreenHeight() : 0;
    if (w > 0 && h > 0) return wxSize(w, h);
    // No presentation screen known: the display the dialog is on stands in for it.
    const wxRect display = wxDisplay(0u).GetGeometry();
    return wxSize(std::max(1, display.width), std::max(1, display.height));
}

void GUIDialogOnScreenResponse::SetupForMouse()
{
    SetTitle(_("Mouse Response"));
    m_Example->SetLabel(_("(e.g. Mouse key press on stimulus)"));
    for (wxWindow* w : std::initializer_list<wxWindow*>{m_Anywhere, m_Automatic, m_Specific}) w->Enable();
    SetEnablednessForLocationSpinners(true);
    m_Action->Clear();
    AppendAction(m_Action, _("Any mouse button"), VTSdkOnScreenResp::CODE_ANY_MOUSE_BUTTON);
    AppendAction(m_Action, _("Left Button"), 1);
    AppendAction(m_Action, _("Middle Button"), 2);
    AppendAction(m_Action, _("Right Button"), 4);
    m_ActionSizer->Show(m_Being, true);
    m_ActionSizer->Show(m_Phase, true);
    m_ActionSizer->Layout();
}

void GUIDialogOnScreenResponse::SetupForEyetracker()
{
    SetTitle(_("On-Screen Response"));
    m_Example->SetLabel(_("(e.g. AOI hit on stimulus)"));
    m_Action->Clear();
    AppendAction(m_Action, _("Enter/Exit AOI (raw data)"), VTSdkOnScreenResp::CODE_EYE_TRACKER_AOI);
    m_ActionSizer->Show(m_Being, false);
    m_ActionSizer->Show(m_Phase, false);
    m_ActionSizer->Layout();
}

bool GUIDialogOnScreenResponse::ApplyResponseValuesToWindow(const VantrelSDK::VTSdkBaseResponse& base,
                                                            bool isEyeTracker)
{
    const auto* response = dynamic_cast<const VTSdkOnScreenResp*>(&base);
    if (!response) return false;
    m_IsEyeTracker = isEyeTracker;
    if (isEyeTracker)
        SetupForEyetracker();
    else
        SetupForMouse();

    m_ShownCode = response->keyOrActionCode;
    const int found = Orbisk::GuiHelpers::FindIndexByClientData(m_ShownCode, m_Action);
    if (found < 0 && !IsNewObject()) wxLogError(_("Unable to locate key/action %d in GUI."), m_ShownCode);
    m_ShownActionIndex = found < 0 ? 0 : found;
    m_Action->SetSelection(m_ShownActionIndex);

    // A phase the choice cannot show is shown as "Pressed" (and kept, see Store...).
    m_ShownPhase = response->GetPhase();
    m_ShownPhaseIndex = (m_ShownPhase == 1 || m_ShownPhase == 2) ? m_ShownPhase - 1 : 0;
    m_Phase->SetSelection(m_ShownPhaseIndex);

    const wxSize screen = ScreenSize();
    const int W = screen.x, H = screen.y;
    m_X->SetRange(1 - 2 * W, 2 * W - 1);
    m_Y->SetRange(1 - 2 * H, 2 * H - 1);
    m_Width->SetRange(1, W);
    m_Height->SetRange(1, H);

    int x = 0, y = 0, w = 0, h = 0;
    response->GetBoundingRectForRegion_DisobeysWxConvention_X_Y_is_NOT_TopLeft(x, y, w, h);
    wxRadioButton* chosen = m_Anywhere;
    if (response->GetRegion() == VTSdkOnScreenResp::REGION_SPECIFIC) {
        m_X->SetValue(x);
        m_Y->SetValue(y);
        chosen = m_Specific;
    } else if (response->GetRegion() == VTSdkOnScreenResp::REGION_AUTOMATIC) {
        chosen = m_Automatic;
    }
    m_Height->SetValue(std::clamp(h, 1, H));
    m_Width->SetValue(std::clamp(w, 1, W));
    chosen->SetValue(true);
    RunChoiceRule();
    return true;
}

void GUIDialogOnScreenResponse::StoreKeyOrActionOntoResponseObj(VTSdkOnScreenResp& response) const
{
    const int index = m_Action->GetSelection();
    if (index == wxNOT_FOUND) {
        wxLogError(_("Invalid selection for response key."));
        return;
    }
    // An entry still as shown keeps the code it stood for, even one the list lacks.
    response.keyOrActionCode = index == m_ShownActionIndex ? m_ShownCode : ClientCode(m_Action, index);
}

void GUIDialogOnScreenResponse::StoreWindowWidgetStatesOntoResponseObj(VantrelSDK::VTSdkBaseResponse& base) const
{
    auto* response = dynamic_cast<VTSdkOnScreenResp*>(&base);
    if (!response) return;
    StoreKeyOrActionOntoResponseObj(*response);
    const int phase = m_Phase->GetSelection();
    if (phase != wxNOT_FOUND) response->SetPhase(phase == m_ShownPhaseIndex ? m_ShownPhase : phase + 1);
    const int region = m_Specific->GetValue()    ? VTSdkOnScreenResp::REGION_SPECIFIC
                       : m_Automatic->GetValue() ? VTSdkOnScreenResp::REGION_AUTOMATIC
                                                 : VTSdkOnScreenResp::REGION_ANYWHERE;
    response->SetRegion(region);
    if (response->GetRegion() == VTSdkOnScreenResp::REGION_SPECIFIC)
        response->SetBoundingRectForRegion(m_X->GetValue(), m_Y->GetValue(), m_Width->GetValue(), m_Height->GetValue());
}

void GUIDialogOnScreenResponse::SetEnablednessForLocationSpinners(bool enable)
{
    for (wxSpinCtrl* spin : {m_X, m_Y, m_Width, m_Height}) spin->Enable(enable);
}

void GUIDialogOnScreenResponse::AnySpinActionCausesRadioSelection()
{
    if (!m_Specific->IsEnabled()) return;
    m_Specific->SetValue(true);
    m_Automatic->SetValue(false);
    m_Anywhere->SetValue(false);
}

void GUIDialogOnScreenResponse::OnChoiceResponseNameDropdown(wxCommandEvent&) { RunChoiceRule(); }

void GUIDialogOnScreenResponse::RunChoiceRule()
{
    const int index = m_Action->GetSelection();
    if (index == wxNOT_FOUND || !m_IsEyeTracker || index == 1) return;
    // An eye tracker has no "anywhere": it reports where the gaze is.
    if (m_Anywhere->GetValue()) {
        m_Automatic->SetValue(true);
        m_Anywhere->SetValue(false);
    }
    m_Anywhere->Disable();
    m_Automatic->Enable();
    m_Specific->Enable();
    SetEnablednessForLocationSpinners(true);
}

void GUIDialogOnScreenResponse::OnSpinEvent(wxCommandEvent& event)
{
    event.Skip();
    AnySpinActionCausesRadioSelection();
}

void GUIDialogOnScreenResponse::OnSpinTextEvent(wxCommandEvent& event)
{
    event.Skip();
    AnySpinActionCausesRadioSelection();
}

bool GUIDialogOnScreenResponse::IsInsideSpin(const wxWindow* window) const
{
    for (const wxWindow* w = window; w && w != this; w = w->GetParent())
        if (w == m_X || w == m_Y || w == m_Width || w == m_Height) return true;
    return false;
}

void GUIDialogOnScreenResponse::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    wxWindow* focus = wxWindow::FindFocus();
    if (focus == m_LastFocus) return;
    if (IsInsideSpin(focus)) AnySpinActionCausesRadioSelection();
    m_LastFocus = focus;
}
