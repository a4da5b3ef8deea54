#include "VTPlugInCommon/GeneralHelpers.h"

#include <wx/config.h>
#include <wx/ctrlsub.h>
#include <wx/tokenzr.h>
#include <wx/window.h>

Interface_OwnsSplashscreen::~Interface_OwnsSplashscreen() {}

namespace Orbisk {

namespace GeneralAppHelpers {

void GetFloatArrayPreferenceValue(wxConfigBase* config, const wxString& path, const wxString& key,
                                  std::vector<double>& values)
{
    values.clear();
    if (!config) return;
    const wxString oldPath = config->GetPath();
    config->SetPath(path.empty() ? wxString("/") : path);
    wxString text;
    const bool found = config->Read(key, &text);
    config->SetPath(oldPath);
    if (!found) return;
    wxStringTokenizer tokens(text, ",");
    std::vector<double> read;
    while (tokens.HasMoreTokens()) {
        double value = 0;
        const wxString token = tokens.GetNextToken().Trim().Trim(false);
        if (token.empty()) continue;
        if (!token.ToCDouble(&value)) return;  // an unreadable entry spoils the whole array
        read.push_back(value);
    }
    values.swap(read);
}

void PopRemoveDeleteAllCustomEventHandlers(wxWindow* window, bool onlyWhenShown)
{
    if (!window) return;
    if (onlyWhenShown && window->IsBeingDeleted()) return;
    while (window->GetEventHandler() != window) {
        wxEvtHandler* handler = window->PopEventHandler(false);
        delete handler;
    }
}

}  // namespace GeneralAppHelpers

namespace GuiHelpers {

int FindIndexByClientData(long long value, const wxItemContainer* control)
{
    if (!control || !control->HasClientUntypedData()) return -1;
    for (unsigned i = 0; i < control->GetCount(); ++i) {
        const long long data = static_cast<long long>(reinterpret_cast<wxIntPtr>(control->GetClientData(i)));
        if (data == value) return int(i);
    }
    return -1;
}

}  // namespace GuiHelpers

}  // namespace Orbisk
