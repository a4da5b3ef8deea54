#pragma once
// The event editor's checkable list of the experiment's responses: a row's mark says
// whether its response is correct for the event, or for the selected stimulus-list
// items or tags of the pool. A click on the mark writes the change into the event at
// once; a mark is refused, with a warning, when the clicked response's input plug-in
// conflicts with that of a response already marked. The unknown mark (correct for
// some selected pool rows, not all) counts as checked.

#include <NonPersistentHelpers/VTElementsList.h>
#include <VTCore/VTElementType.h>
#include <VTPlugInCommon/VTListViews.h>

#include <cstdint>

namespace Vantrel {

class VTEvent;
class VTResponse;

class VTListCtrlResponses : public VTListCtrlCheckableSimple
{
public:
    VTListCtrlResponses();
    ~VTListCtrlResponses() override;

    // Adds the unknown mark, "chk_unknown", as image 4.
    void InitColumns() override;
    bool IsChecked(long row) const override;

    // basis 2: the event as a whole, no pool; 8: stimulus-list items, 12: tags, with
    // the pool view whose rows carry the items' or tags' ids.
    void InitializeListWithProperExperimentInfo(VTEvent* event, VTElementsList* responses, VTElementType basis,
                                                VTSimpleListView* pool);
    void NotifyChangeResponseBasis(VTElementType basis, VTSimpleListView* pool);
    void CheckUnknown(int row);

    // The first checked row other than `row` whose response's plug-in the response's own
    // plug-in conflicts with; the row count when none; 65536 when its plug-in is not loaded.
    std::uint32_t GetFirstResponseConflict(long row, const VTResponse& response) const;
    // True when the click must be refused; the warning has been shown.
    bool ExamineConflictsAndShowWarningIfNeeded(long row, const VTResponse& response);
    void SanityCheckAndShowErrorIfNeeded();

    static constexpr std::uint32_t kPlugInNotLoaded = 0x10000;
    static constexpr int kUnknownImage = 4;

private:
    void OnLeftClick(wxMouseEvent& event);
    VTResponse* ResponseAt(long row) const;

    VTEvent* m_Event = nullptr;
    VTElementsList* m_Responses = nullptr;
    VTElementType m_Basis = VTElementType(-1);
    VTSimpleListView* m_Pool = nullptr;

    wxDECLARE_DYNAMIC_CLASS(VTListCtrlResponses);
    wxDECLARE_EVENT_TABLE();
};

}  // namespace Vantrel
