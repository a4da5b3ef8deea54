#pragma once
// Panels and small controls shared by the editors and plug-in configuration pages.
//
// XRC: Orbisk::PanelWithVisibilityTrackingXmlHandler makes
// "Orbisk::PanelWithVisibilityTracking" and "VTPanelSwitcher" (with their children).

#include <wx/event.h>
#include <wx/panel.h>
#include <wx/stattext.h>
#include <wx/xrc/xmlres.h>

#include "VTPlugInCommon/VTSdkExport.h"

class wxChoice;

// Sent by a plug-in configuration panel that changed its own model. It travels up to
// the dialog; a handler may Veto() it to refuse the change.
wxDECLARE_EXPORTED_EVENT(VTSDK_API, VT_EVT_MODEL_CHANGED, wxNotifyEvent);

// Shows one of its child panels at a time (the pages, in creation order); an optional
// bound choice control selects the page and follows it.
class VTSDK_API VTPanelSwitcher : public wxPanel
{
public:
    VTPanelSwitcher();
    VTPanelSwitcher(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                    const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL,
                    const wxString& name = "panel_switcher");
    ~VTPanelSwitcher() override;

    int GetPageCount() const;
    wxWindow* GetPage(int index) const;
    // Shows page `index` and hides the others; false for an index out of range.
    bool SelectPage(int index);
    int GetSelectedPageIndex() const { return m_Selected; }
    wxWindow* GetSelectedPage() const { return GetPage(m_Selected); }
    // The choice's selection selects the page (null unbinds).
    void BindManagingChoice(wxChoice* choice);

private:
    void OnChoice(wxCommandEvent& event);
    void OnSize(wxSizeEvent& event);
    int m_Selected = -1;
    wxChoice* m_Choice = nullptr;
    wxDECLARE_DYNAMIC_CLASS(VTPanelSwitcher);
};

namespace Orbisk {

// A panel that knows whether it has been on screen since it was last reset.
class VTSDK_API PanelWithVisibilityTracking : public wxPanel
{
public:
    PanelWithVisibilityTracking();
    PanelWithVisibilityTracking(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                                const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL,
                                const wxString& name = wxPanelNameStr);
    ~PanelWithVisibilityTracking() override;

    void ResetToNeverShown() { m_WasDisplayed = false; }
    void ForceRegisterAsVisible() { m_WasDisplayed = true; }
    bool WasDisplayed() const { return m_WasDisplayed; }
    // After the panel's values were stored: it counts as not shown again.
    virtual void OnValuesStored() { m_WasDisplayed = false; }

private:
    void OnPaint(wxPaintEvent& event);
    void OnShow(wxShowEvent& event);
    bool m_WasDisplayed = false;
    wxDECLARE_DYNAMIC_CLASS(PanelWithVisibilityTracking);
};

class VTSDK_API PanelWithVisibilityTrackingXmlHandler : public wxXmlResourceHandler
{
public:
    PanelWithVisibilityTrackingXmlHandler();
    wxObject* DoCreateResource() override;
    bool CanHandle(wxXmlNode* node) override;

private:
    wxDECLARE_DYNAMIC_CLASS(PanelWithVisibilityTrackingXmlHandler);
};

// The owner of clickable texts; called with the text's window id.
class VTSDK_API Interface_WindowThatCanParentClickableText
{
public:
    virtual ~Interface_WindowThatCanParentClickableText();
    virtual void OnStaticTextRightClick(int x, int y, long id) = 0;
    virtual void OnStaticTextLeftClick(int x, int y, long id) = 0;
};

// A static text that reports clicks to its owner (x, y: the click in the text's coordinates).
class VTSDK_API wxStaticWithEvents : public wxStaticText
{
public:
    wxStaticWithEvents();
    wxStaticWithEvents(wxWindow* parent, wxWindowID id, const wxString& label, const wxPoint& pos = wxDefaultPosition,
                       const wxSize& size = wxDefaultSize, long style = 0);
    ~wxStaticWithEvents() override;
    void SetOwner(Interface_WindowThatCanParentClickableText* owner) { m_Owner = owner; }

private:
    void BindClicks();
    Interface_WindowThatCanParentClickableText* m_Owner = nullptr;
    wxDECLARE_DYNAMIC_CLASS(wxStaticWithEvents);
};

}  // namespace Orbisk
