#include "persdlg.h"

#include <VTPlugInCommon/VTException.h>

#include <wx/config.h>
#include <wx/ctrlsub.h>
#include <wx/display.h>
#include <wx/log.h>
#include <wx/xrc/xmlres.h>

namespace Vantrel {

namespace {

wxConfigBase* Configuration()
{
    wxConfigBase* config = wxConfigBase::Get();
    return config ? config : wxConfigBase::Create();
}

bool InsideDisplay(const wxRect& rect) { return wxGetClientDisplayRect().Intersect(rect) == rect; }

const char* const kX = "window_x";
const char* const kY = "window_y";
const char* const kWidth = "window_width";
const char* const kHeight = "window_height";

}  // namespace

wxDialogPersistentPosition::~wxDialogPersistentPosition() = default;

bool wxDialogPersistentPosition::ReadStoredRect(const wxString& persistenceName, wxRect& rect)
{
    wxConfigBase* config = Configuration();
    const wxString group = "/" + persistenceName;
    if (!config || !config->HasGroup(group)) return false;
    wxConfigPathChanger path(config, group + "/");
    rect = wxRect(int(config->ReadLong(kX, -1)), int(config->ReadLong(kY, -1)), int(config->ReadLong(kWidth, -1)),
                  int(config->ReadLong(kHeight, -1)));
    return InsideDisplay(rect);
}

void wxDialogPersistentPosition::RestoreGeometry()
{
    wxRect rect;
    if (ReadStoredRect(GetPersistenceName(), rect)) SetSize(rect, wxSIZE_AUTO);
}

void wxDialogPersistentPosition::StoreGeometry()
{
    wxConfigBase* config = Configuration();
    const wxRect rect = GetRect();
    if (!config || !InsideDisplay(rect)) return;
    wxConfigPathChanger path(config, "/" + GetPersistenceName() + "/");
    config->Write(kX, rect.x);
    config->Write(kY, rect.y);
    config->Write(kWidth, rect.width);
    config->Write(kHeight, rect.height);
}

bool wxDialogPersistentPosition::Show(bool show)
{
    try {
        if (show)
            RestoreGeometry();
        else if (IsShown())
            StoreGeometry();
        return wxDialog::Show(show);
    } catch (const VantrelSDK::VTException& e) {
        e.DisplayErrorMessage();
        return false;
    } catch (...) {
        wxLogError(_("An error occurred.  No further details are available."));
        wxLog::FlushActive();
        throw;
    }
}

VTDialogBase::VTDialogBase(wxWindow* parent, VTExperiment* experiment, const wxString& xrcName)
{
    Create(parent, experiment, xrcName);
}

VTDialogBase::~VTDialogBase() = default;

bool VTDialogBase::Create(wxWindow*, VTExperiment* experiment, const wxString& xrcName)
{
    m_Experiment = experiment;
    return wxXmlResource::Get()->LoadDialog(this, nullptr, xrcName);
}

int VTDialogBase::SelectItemByVTElementPtr(wxControlWithItems& control, const Minimal_VTElement* element)
{
    // A control that never got client data holds null in every item.
    const bool hasData = control.HasClientUntypedData();
    for (unsigned i = 0; i < control.GetCount(); ++i) {
        const void* data = hasData ? control.GetClientData(i) : nullptr;
        if (data == element) {
            control.SetSelection(int(i));
            return int(i);
        }
    }
    return -1;
}

}  // namespace Vantrel
