#include "VTPlugInCommon/VTPresenter.h"

#include <wx/display.h>

namespace VantrelSDK {

VTPresenter::VTPresenter() {}
VTPresenter::~VTPresenter() {}

bool VTPresenter::WasLastRunCanceled() const { return m_LastRunCanceled; }
bool VTPresenter::IsVisible() const { return m_Visible; }
int VTPresenter::GetScreenWidth() const { return wxDisplay(0u).GetGeometry().GetWidth(); }
int VTPresenter::GetScreenHeight() const { return wxDisplay(0u).GetGeometry().GetHeight(); }
void VTPresenter::StartPresentation(bool, bool) {}
void VTPresenter::AddLabelledRectangle(const wxRect&, const wxString&) {}
bool VTPresenter::UserConfirmedEscapeKeyPress() { return false; }
void VTPresenter::TerminatePresentation() {}

namespace {
VTPresenter& Plain()
{
    static VTPresenter plain;
    return plain;
}
VTPresenter*& Installed()
{
    static VTPresenter* current = &Plain();
    return current;
}
}  // namespace

VTPresenter* GetPresenter() { return Installed(); }

void InstallPresenter(VTPresenter* presenter) { Installed() = presenter ? presenter : &Plain(); }

}  // namespace VantrelSDK
