#include "RuleSheets.h"

#include "RuleRowRHSChoiceBookWithHiddenCtrl.h"
#include "SheetDialogCollectionExpression.h"
#include "SheetDialogConfigureTIBSubset.h"

#include <GuiViewClasses/MiscGui/HelpersToPopulateGuiUsingExperimentContent.h>
#include <VTCore/VTExperiment.h>
#include <VTCore/VTTagSet.h>
#include <NonPersistentHelpers/VTElementsList.h>

#include <wx/choice.h>
#include <wx/intl.h>

namespace Vantrel {

namespace {

constexpr int kSubsetSheetId = 10048;
constexpr int kCollectionSheetId = 10066;

// The parent's sheet of that class and id, made on first use.
template <class Sheet>
Sheet* SheetOf(wxWindow* parent, int id, const wxString& title, long style)
{
    for (wxWindow* child : parent->GetChildren())
        if (auto* sheet = dynamic_cast<Sheet*>(child); sheet && sheet->GetId() == id) return sheet;
    return new Sheet(parent, id, title, wxDefaultPosition, wxDefaultSize, style);
}

}  // namespace

void FinishSheet(wxDialog& sheet, int code)
{
    if (sheet.IsModal()) {
        sheet.EndModal(code);
        return;
    }
    sheet.SetReturnCode(code);
    sheet.Hide();
}

void RefillTagChoice(wxChoice* choice, VTExperiment* experiment)
{
    namespace Fill = ExperimentContentGuiHelpers;
    const wxString prior = Fill::PriorChoicePreservationHelper(choice);
    Fill::DoCustomNameStringAndIDForVTItems(experiment, ElementType::Tag,
                                            &GuiHelper::NameGetter_PrependsTagSetNameToTag, {}, choice);
    Fill::SelectionRestorationHelper(choice, prior);
}

const VTTag* FindTag(VTExperiment* experiment, int tagID)
{
    if (!experiment || tagID < 1) return nullptr;
    return dynamic_cast<const VTTag*>(
        experiment->GetElementsOfType(ElementType::Tag).LookupElementPtrByID(std::uint32_t(tagID)));
}

void InstallRuleSheets()
{
    using Book = RuleRowRHSChoiceBookWithHiddenCtrl;
    Book::SetSheetOpeners(
        [](const Book::SheetRequest& request, const TrialSubsetDescription& subset,
           std::function<void(const TrialSubsetDescription&)> ok) {
            if (!request.parent) return;
            auto* sheet =
                SheetOf<SheetDialogConfigureTIBSubset>(request.parent, kSubsetSheetId, _("Subset of Trials"),
                                                       wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxTAB_TRAVERSAL);
            sheet->ReinitializeWithData(request.experiment, subset,
                                        [sheet, ok] { ok(sheet->ConstRefToTrialSubsetDescription()); });
            sheet->ShowWindowModal();
        },
        [](const Book::SheetRequest& request, const CollectionFunctionInfo& info,
           std::function<void(const CollectionFunctionInfo&)> ok) {
            if (!request.parent) return;
            auto* sheet = SheetOf<SheetDialogCollectionExpression>(
                request.parent, kCollectionSheetId, _("Select Trial Collection Option"),
                wxCAPTION | wxSYSTEM_MENU | wxCLOSE_BOX | wxRESIZE_BORDER | wxTAB_TRAVERSAL);
            sheet->ReinitializeWithData(
                request.experiment, info, [sheet, ok] { ok(sheet->ConstRefToCollFunc()); }, request.ownerKind);
            sheet->ShowWindowModal();
        });
}

}  // namespace Vantrel
