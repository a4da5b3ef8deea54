#include "VTPlugInCommon/VTPanels.h"

#include <wx/choice.h>
#include <wx/sizer.h>

wxDEFINE_EVENT(VT_EVT_MODEL_CHANGED, wxNotifyEvent);

// ---- VTPanelSwitcher

wxIMPLEMENT_DYNAMIC_CLASS(VTPanelSwitcher, wxPanel);

VTPanelSwitcher::VTPanelSwitcher() { Bind(wxEVT_SIZE, &VTPanelSwitcher::OnSize, this); }

VTPanelSwitcher::VTPanelSwitcher(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style,
                                 const wxString& name)
    : wxPanel(parent, id, pos, size, style, name)
{
    Bind(wxEVT_SIZE, &VTPanelSwitcher::OnSize, this);
}

VTPanelSwitcher::~VTPanelSwitcher() { BindManagingChoice(nullptr); }

int VTPanelSwitcher::GetPageCount() const { return int(GetChildren().size()); }

wxWindow* VTPanelSwitcher::GetPage(int index) const
{
    if (index < 0 || index >= GetPageCount()) return nullptr;
    auto it = GetChildren().begin();
    std::advance(it, index);
    return *it;
}

bool VTPanelSwitcher::SelectPage(int index)
{
    if (index < 0 || index >= GetPageCount()) return false;
    int i = 0;
    for (wxWindow* page : GetChildren()) {
        page->Show(i == index);
        if (i == index) page->SetSize(GetClientSize());
        ++i;
    }
    m_Selected = index;
    if (m_Choice && m_Choice->GetSelection() != index && index < int(m_Choice->GetCount()))
        m_Choice->SetSelection(index);
    Layout();
    return true;
}

void VTPanelSwitcher::BindManagingChoice(wxChoice* choice)
{
    if (m_Choice) m_Choice->Unbind(wxEVT_CHOICE, &VTPanelSwitcher::OnChoice, this);
    m_Choice = choice;
    if (m_Choice) {
        m_Choice->Bind(wxEVT_CHOICE, &VTPanelSwitcher::OnChoice, this);
        if (m_Choice->GetSelection() >= 0) SelectPage(m_Choice->GetSelection());
    }
}

void VTPanelSwitcher::OnChoice(wxCommandEvent& event)
{
    event.Skip();
    SelectPage(event.GetSelection());
}

void VTPanelSwitcher::OnSize(wxSizeEvent& event)
{
    event.Skip();
    if (wxWindow* page = GetSelectedPage()) page->SetSize(GetClientSize());
}

namespace Orbisk {

// ---- PanelWithVisibilityTracking

wxIMPLEMENT_DYNAMIC_CLASS(PanelWithVisibilityTracking, wxPanel);

PanelWithVisibilityTracking::PanelWithVisibilityTracking()
{
    Bind(wxEVT_PAINT, &PanelWithVisibilityTracking::OnPaint, this);
    Bind(wxEVT_SHOW, &PanelWithVisibilityTracking::OnShow, this);
}

PanelWithVisibilityTracking::PanelWithVisibilityTracking(wxWindow* parent, wxWindowID id, const wxPoint& pos,
                                                         const wxSize& size, long style, const wxString& name)
    : wxPanel(parent, id, pos, size, style, name)
{
    Bind(wxEVT_PAINT, &PanelWithVisibilityTracking::OnPaint, this);
    Bind(wxEVT_SHOW, &PanelWithVisibilityTracking::OnShow, this);
}

PanelWithVisibilityTracking::~PanelWithVisibilityTracking() {}

void PanelWithVisibilityTracking::OnPaint(wxPaintEvent& event)
{
    m_WasDisplayed = true;  // painted means it reached the screen
    event.Skip();
}

void PanelWithVisibilityTracking::OnShow(wxShowEvent& event)
{
    if (event.IsShown() && IsShownOnScreen()) m_WasDisplayed = true;
    event.Skip();
}

// ---- XRC

wxIMPLEMENT_DYNAMIC_CLASS(PanelWithVisibilityTrackingXmlHandler, wxXmlResourceHandler);

PanelWithVisibilityTrackingXmlHandler::PanelWithVisibilityTrackingXmlHandler()
{
    XRC_ADD_STYLE(wxTAB_TRAVERSAL);
    AddWindowStyles();
}

bool PanelWithVisibilityTrackingXmlHandler::CanHandle(wxXmlNode* node)
{
    return IsOfClass(node, "Orbisk::PanelWithVisibilityTracking") || IsOfClass(node, "PanelWithVisibilityTracking") ||
           IsOfClass(node, "VTPanelSwitcher");
}

wxObject* PanelWithVisibilityTrackingXmlHandler::DoCreateResource()
{
    wxPanel* panel = nullptr;
    if (m_class == "VTPanelSwitcher") {
        VTPanelSwitcher* switcher = m_instance ? wxDynamicCast(m_instance, VTPanelSwitcher) : new VTPanelSwitcher;
        if (!switcher) return nullptr;
        switcher->Create(m_parentAsWindow, GetID(), GetPosition(), GetSize(), GetStyle("style", wxTAB_TRAVERSAL),
                         GetName());
        panel = switcher;
    } else {
        auto* tracking =
            m_instance ? wxDynamicCast(m_instance, PanelWithVisibilityTracking) : new PanelWithVisibilityTracking;
        if (!tracking) return nullptr;
        tracking->Create(m_parentAsWindow, GetID(), GetPosition(), GetSize(), GetStyle("style", wxTAB_TRAVERSAL),
                         GetName());
        panel = tracking;
    }
    SetupWindow(panel);
    CreateChildren(panel);
    if (auto* switcher = wxDynamicCast(panel, VTPanelSwitcher)) switcher->SelectPage(0);
    return panel;
}

// ---- Clickable text

Interface_WindowThatCanParentClickableText::~Interface_WindowThatCanParentClickableText() {}

wxIMPLEMENT_DYNAMIC_CLASS(wxStaticWithEvents, wxStaticText);

wxStaticWithEvents::wxStaticWithEvents() { BindClicks(); }

wxStaticWithEvents::wxStaticWithEvents(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos,
                                       const wxSize& size, long style)
    : wxStaticText(parent, id, label, pos, size, style)
{
    BindClicks();
}

wxStaticWithEvents::~wxStaticWithEvents() {}

void wxStaticWithEvents::BindClicks()
{
    Bind(wxEVT_LEFT_DOWN, [this](wxMouseEvent& event) {
        if (m_Owner) m_Owner->OnStaticTextLeftClick(event.GetX(), event.GetY(), GetId());
        event.Skip();
    });
    Bind(wxEVT_RIGHT_DOWN, [this](wxMouseEvent& event) {
        if (m_Owner) m_Owner->OnStaticTextRightClick(event.GetX(), event.GetY(), GetId());
        event.Skip();
    });
}

}  // namespace Orbisk
