#include "VTListCtrlResponses.h"

#include <VTCore/VTEvent.h>
#include <VTCore/VTResponse.h>
#include <VTPlugInCommon/VTSdkInputPlugin.h>
#include <VTRuntime/VTPlugIn.h>

#include <wx/imaglist.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/xrc/xmlres.h>

// Registered under its full name, so a resource names it as "Vantrel::VTListCtrlResponses".
wxIMPLEMENT_DYNAMIC_CLASS(Vantrel::VTListCtrlResponses, Vantrel::VTListCtrlCheckableSimple);

namespace Vantrel {

// The subclass's table is searched before the base's, so an icon click is decided here.
wxBEGIN_EVENT_TABLE(VTListCtrlResponses, VTListCtrlCheckableSimple)
    EVT_LEFT_DOWN(VTListCtrlResponses::OnLeftClick)
wxEND_EVENT_TABLE()

VTListCtrlResponses::VTListCtrlResponses() {}

VTListCtrlResponses::~VTListCtrlResponses() {}

void VTListCtrlResponses::InitColumns()
{
    VTListCtrlCheckableSimple::InitColumns();
    if (wxImageList* images = GetImageList(wxIMAGE_LIST_SMALL)) {
        wxBitmap unknown = wxXmlResource::Get()->LoadBitmap("chk_unknown");
        if (!unknown.IsOk() || unknown.GetWidth() != 16 || unknown.GetHeight() != 16) {
            // The image list takes 16 by 16 only: a missing or odd bitmap must still give image 4.
            wxImage image = unknown.IsOk() ? unknown.ConvertToImage() : wxImage(16, 16);
            unknown = wxBitmap(image.Rescale(16, 16));
        }
        images->Add(unknown);
    }
}

bool VTListCtrlResponses::IsChecked(long row) const
{
    if (VTListCtrlCheckableSimple::IsChecked(row)) return true;
    if (row < 0 || row >= GetItemCount()) return false;
    wxListItem item;
    item.SetId(row);
    item.SetMask(wxLIST_MASK_IMAGE);
    return GetItem(item) && item.GetImage() == kUnknownImage;
}

void VTListCtrlResponses::InitializeListWithProperExperimentInfo(VTEvent* event, VTElementsList* responses,
                                                                 VTElementType basis, VTSimpleListView* pool)
{
    m_Event = event;
    m_Responses = responses;
    m_Basis = basis;
    m_Pool = pool;
    SanityCheckAndShowErrorIfNeeded();
}

void VTListCtrlResponses::NotifyChangeResponseBasis(VTElementType basis, VTSimpleListView* pool)
{
    m_Basis = basis;
    m_Pool = pool;
    SanityCheckAndShowErrorIfNeeded();
}

void VTListCtrlResponses::CheckUnknown(int row)
{
    if (row < 0 || row >= GetItemCount()) {
        wxLogError("Cannot add checkmark for response item %d.  No such item.", row);
        return;
    }
    SetItemImage(row, kUnknownImage, kUnknownImage);
}

void VTListCtrlResponses::SanityCheckAndShowErrorIfNeeded()
{
    const bool valid = ((m_Basis == ElementType::StimList || m_Basis == ElementType::Tag) && m_Pool) ||
                       (m_Basis == ElementType::Event && !m_Pool);
    if (!valid) wxLogError("Improper initialization of checkable response list.");
}

VTResponse* VTListCtrlResponses::ResponseAt(long row) const
{
    if (!m_Responses || row < 0 || size_t(row) >= m_Responses->Size()) return nullptr;
    return dynamic_cast<VTResponse*>((*m_Responses)[size_t(row)]);
}

std::uint32_t VTListCtrlResponses::GetFirstResponseConflict(long row, const VTResponse& response) const
{
    VTPlugIn* plugin = VTPlugIn::GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(response.GetPlugInID());
    if (!plugin) return kPlugInNotLoaded;
    const std::uint32_t count = m_Responses ? std::uint32_t(m_Responses->Size()) : 0;
    VantrelSDK::VTSdkInputPlugin* input = plugin->GetSdkBaseInputPtr();
    // A plug-in that is no input device has no responses to conflict with.
    if (!input) return count;
    for (std::uint32_t i = 0; i < count; ++i) {
        if (long(i) == row || !IsChecked(long(i))) continue;
        const VTResponse* other = ResponseAt(long(i));
        if (other && input->HasResponseConflicts(other->GetPlugInID()) != 0) return i;
    }
    return count;
}

bool VTListCtrlResponses::ExamineConflictsAndShowWarningIfNeeded(long row, const VTResponse& response)
{
    if (IsChecked(row)) return false;
    const std::uint32_t conflict = GetFirstResponseConflict(row, response);
    if (!m_Responses || conflict >= m_Responses->Size()) return false;
    const VTResponse* other = ResponseAt(long(conflict));
    if (!other) return false;
    VTPlugIn* plugin = VTPlugIn::GetPlugInPtrByID_CanReturnNULL_ParticularlyWithFlexibleInput(other->GetPlugInID());
    const wxString message =
        plugin ? wxString::Format(_("This response couldn't be checked.\nIt conflicts with the responses of %s."),
                                  plugin->GetName())
               : wxString::Format(_("This response couldn't be checked.\nIt conflicts with the response named: %s."),
                                  other->GetName());
    wxMessageBox(message, _("Warning"), wxOK | wxICON_EXCLAMATION, this);
    return true;
}

void VTListCtrlResponses::OnLeftClick(wxMouseEvent& event)
{
    if (!m_Responses || !IsEnabled()) return;  // swallowed: nothing changes, not even the selection
    event.Skip();
    int flags = 0;
    const long row = HitTest(event.GetPosition(), flags);
    if (flags != wxLIST_HITTEST_ONITEMICON || row == -1) return;
    // From here on the base never toggles the mark itself: this control decides it.
    event.Skip(false);
    SetSelection(int(row));
    if (row < 0 || size_t(row) >= m_Responses->Size()) {
        wxLogError("The currently-shown list of checkboxes appears to contain more responses than it should.");
        return;
    }
    VTResponse* response = ResponseAt(row);
    if (!response) {
        wxLogError("Item from element list was not of proper response type.");
        return;
    }
    if (ExamineConflictsAndShowWarningIfNeeded(row, *response)) return;
    const bool wasChecked = IsChecked(row);
    if (m_Event) {
        if (m_Pool) {
            wxArrayInt selected;
            m_Pool->GetSelections(selected);
            // With a pool the mark speaks of the selected rows; with none selected there is nothing to change.
            if (selected.empty()) return;
            for (int poolRow : selected) {
                const int id = int(m_Pool->GetUserData(poolRow));
                if (wasChecked)
                    m_Event->RemoveQualifyingCorrectResponse(int(m_Basis), id, response);
                else
                    m_Event->LinkCorrectResponse(int(m_Basis), id, response);
            }
        } else if (wasChecked) {
            m_Event->RemoveQualifyingCorrectResponse(int(m_Basis), -1, response);
        } else {
            m_Event->LinkCorrectResponse(int(m_Basis), -1, response);
        }
    }
    Check(row, !wasChecked);
}

}  // namespace Vantrel
