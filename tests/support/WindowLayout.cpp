#include "WindowLayout.h"

#include <wx/bookctrl.h>
#include <wx/panel.h>
#include <wx/statbox.h>
#include <wx/toplevel.h>
#include <wx/window.h>

#include <vector>

namespace TestSupport {

namespace {

wxString Describe(const wxWindow* window)
{
    const wxRect r = window->GetRect();
    wxString label = window->GetLabel();
    label.Replace("\n", " ");
    if (label.length() > 30) label = label.Left(30) + "...";
    return wxString::Format("%s #%d \"%s\" (%d,%d %dx%d)", window->GetClassInfo()->GetClassName(), window->GetId(),
                            label, r.x, r.y, r.width, r.height);
}

bool IsContainer(const wxWindow* window)
{
    return wxDynamicCast(window, wxTopLevelWindow) || wxDynamicCast(window, wxBookCtrlBase) ||
           (wxDynamicCast(window, wxPanel) && !wxDynamicCast(window, wxBookCtrlBase));
}

void Collect(const wxWindow* parent, wxString& faults)
{
    std::vector<const wxWindow*> shown;
    for (const wxWindow* child : parent->GetChildren())
        if (!child->IsTopLevel() && child->IsShown() && !child->GetRect().IsEmpty()) shown.push_back(child);

    const wxRect client(wxPoint(0, 0), parent->GetClientSize());
    for (size_t i = 0; i < shown.size(); ++i) {
        const wxRect r = shown[i]->GetRect();
        if (!client.Contains(r))
            faults << Describe(shown[i]) << " reaches outside " << Describe(parent) << "'s client area " << client.width
                   << "x" << client.height << "\n";
        for (size_t j = i + 1; j < shown.size(); ++j) {
            if (wxDynamicCast(shown[i], wxStaticBox) || wxDynamicCast(shown[j], wxStaticBox)) continue;
            if (r.Intersects(shown[j]->GetRect()))
                faults << Describe(shown[i]) << " overlaps " << Describe(shown[j]) << "\n";
        }
        if (IsContainer(shown[i])) Collect(shown[i], faults);
    }
}

}  // namespace

wxString LayoutFaults(wxWindow* top)
{
    wxString faults;
    if (top) Collect(top, faults);
    return faults;
}

}  // namespace TestSupport
