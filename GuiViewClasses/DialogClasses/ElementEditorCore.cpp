#include "ElementEditorCore.h"

#include "IVTListCtrl.h"

#include <UserInterface/UtilityClasses/TextHelpers.h>
#include <VTCore/Minimal_VTElement.h>
#include <VTCore/VTExperiment.h>
#include <VTPlugInCommon/VTException.h>
#include <VTPlugInCommon/VTListViews.h>

#include <wx/bookctrl.h>
#include <wx/ctrlsub.h>
#include <wx/log.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

namespace Vantrel {
namespace ElementEditorCore {

namespace {

[[noreturn]] void ListItemsError()
{
    const wxString message = "Error with list items in base dialog.";
    wxLogError(message);
    throw VantrelSDK::VTException(message);
}

}  // namespace

std::shared_ptr<IVTListCtrl> MakeListAdapterOrThrow(wxWindow* listWindow)
{
    if (auto* view = dynamic_cast<VTSimpleListView*>(listWindow))
        return std::make_shared<IVTListCtrlImplForListCtrl>(view);
    // Any window with items: controls, and the HTML list boxes, which hold items
    // without being a control with items.
    if (auto* items = dynamic_cast<wxItemContainer*>(listWindow)) {
        auto adapter = std::make_shared<IVTListCtrlImplForListBox>();
        adapter->Init(items);
        return adapter;
    }
    ListItemsError();
}

void RequireExperiment(const VTExperiment* experiment)
{
    if (experiment) return;
    const wxString message = _("An element editor was opened without an experiment.");
    wxLogError(message);
    throw VantrelSDK::VTException(message);
}

Minimal_VTElement* ElementOfRow(const IVTListCtrl& list, int row)
{
    if (row < 0 || row >= list.GetCount()) return nullptr;
    return reinterpret_cast<Minimal_VTElement*>(static_cast<wxUIntPtr>(list.GetUserData(row)));
}

Minimal_VTElement* ElementOfRowOrThrow(const IVTListCtrl& list, int row)
{
    Minimal_VTElement* element = ElementOfRow(list, row);
    if (!element) ListItemsError();
    return element;
}

bool ListAllowsNavigation(const IVTListCtrl* list)
{
    return list && dynamic_cast<VTSimpleListView*>(list->GetWnd()) && list->GetCount() > 1;
}

int MoveListSelection(IVTListCtrl& list, bool next)
{
    auto* view = dynamic_cast<VTSimpleListView*>(list.GetWnd());
    if (!view) return list.GetSelection();
    return next ? view->SelectNextItem() : view->SelectPreviousItem();
}

int InsertElementRow(IVTListCtrl& list, int index, Minimal_VTElement& element)
{
    if (index < 0) index = list.GetCount();
    list.Insert(element.GetName(), index);
    list.SetUserData(index, static_cast<unsigned long long>(reinterpret_cast<wxUIntPtr>(&element)));
    return index;
}

bool AddElementToExperiment(VTExperiment& experiment, Minimal_VTElement& element, int index)
{
    if (experiment.GetElementsOfType(element.GetElementType()).AddElement(&element, index)) return true;
    wxLogError(_("The new %s \"%s\" could not be added to the experiment."), element.GetTypeName(true).Lower(),
               element.GetName());
    return false;
}

void WriteBack(Minimal_VTElement& original, const Minimal_VTElement& workingCopy)
{
    original.CopySettingsFrom(workingCopy);
    original.SetTemporary(false);
}

bool CheckNameInControl(VTExperiment* experiment, wxTextCtrl* nameControl, const Minimal_VTElement* workingCopy,
                        const Minimal_VTElement* original)
{
    if (!experiment || !nameControl || !workingCopy) {
        wxLogError(_("Please double-check the name of this item.  The name cannot be empty, nor can it be a "
                     "duplicate."));
        if (nameControl) nameControl->SetFocus();
        return false;
    }
    wxString name = nameControl->GetValue();
    Orbisk::StripBadCharsToGuaranteeSingleLineString(name);
    if (name != nameControl->GetValue()) {
        nameControl->ChangeValue(name);
        nameControl->Refresh();
    }
    if (experiment->CheckElementName_ShowMessageIfDuplicate(workingCopy->GetElementType(), name, original)) return true;
    nameControl->SetFocus();
    return false;
}

bool NameAllowsCommit(const wxString& name)
{
    wxString trimmed = name;
    return !trimmed.Trim(true).Trim(false).empty();
}

void EnableBookPages(wxBookCtrlBase* book, bool enable)
{
    if (!book) return;
    for (size_t i = 0; i < book->GetPageCount(); ++i) {
        wxWindow* page = book->GetPage(i);
        page->Enable(enable);
        for (wxWindow* child : page->GetChildren()) child->Enable(enable);
    }
}

wxWindow* FindByXrcName(wxWindow* dialog, const wxString& name)
{
    if (!dialog) return nullptr;
    if (wxWindow* byName = wxWindow::FindWindowByName(name, dialog)) return byName;
    return dialog->FindWindow(wxXmlResource::GetXRCID(name));
}

bool NameSeen::Changed(const wxString& text)
{
    if (m_Known && text == m_Text) return false;
    m_Known = true;
    m_Text = text;
    return true;
}

}  // namespace ElementEditorCore
}  // namespace Vantrel
