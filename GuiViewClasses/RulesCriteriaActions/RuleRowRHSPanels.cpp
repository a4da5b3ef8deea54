// The one builder of the operand pages, their refills from the experiment, and the
// registration of every page class.

#include "RuleRowRHSPanels.h"

#include "RuleRowRHSChoiceBookWithHiddenCtrl.h"
#include "RuleRowRHSPageLayouts.h"
#include "RulesHelperMappings.h"

#include <GuiViewClasses/MiscGui/HelpersToPopulateGuiUsingExperimentContent.h>
#include <Resources/BitmapRsrc.h>
#include <VTCore/OrderFormForParameterCreation.h>
#include <VTCore/PerExperimentParameterCollection.h>
#include <VTCore/VTExperiment.h>

#include <boost/bind/bind.hpp>
#include <wx/choice.h>
#include <wx/clrpicker.h>
#include <wx/hyperlink.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <cstdint>

namespace Vantrel {

namespace {

const wxColour kPageBackground(230, 239, 247, 255);
const wxColour kHintGrey(80, 80, 80);
const wxColour kLinkBlue(0, 0, 255);

// Book index -> page class.
constexpr int kClassOfIndex[RuleRowRHSChoiceBookWithHiddenCtrl::kPageCount] = {
    1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 16, 18, 19, 20,
    21, 22, 23, 25, 26, 27, 28, 29, 30, 31, 38, 39, 40, 41, 42, 43, 44, 45};

wxString Translated(const char* text) { return *text ? wxGetTranslation(wxString::FromUTF8(text)) : wxString(); }

// A parameter list: the names of the parameters that pass, selection kept.
void FillParameterNames(VTExperiment* experiment, wxChoice* choice,
                        const std::function<bool(const OrderFormForParameterCreation&)>& passes)
{
    if (!choice) return;
    const wxString prior = ExperimentContentGuiHelpers::PriorChoicePreservationHelper(choice);
    choice->Clear();
    const auto parameters = experiment ? experiment->GetParameters() : nullptr;
    for (unsigned i = 0; parameters && i < parameters->ItemCount(); ++i) {
        const OrderFormForParameterCreation record = parameters->ItemDataAtIndex(i);
        if (passes(record)) choice->Append(record.name);
    }
    ExperimentContentGuiHelpers::SelectionRestorationHelper(choice, prior);
}

void FillElementsKeepingSelection(VTExperiment* experiment, VTElementType type,
                                  const ExperimentContentGuiHelpers::ElementFilter& filter, wxChoice* choice)
{
    if (!choice) return;
    const wxString prior = ExperimentContentGuiHelpers::PriorChoicePreservationHelper(choice);
    ExperimentContentGuiHelpers::DoNameAndIDForVTItems(experiment, type, filter, choice);
    ExperimentContentGuiHelpers::SelectionRestorationHelper(choice, prior);
}

// No element carries this ID, nor do the choices' markers.
constexpr int kNoResponseChosen = -1;

int SelectedClientId(wxChoice* choice)
{
    const int item = choice->GetSelection() >= 0 ? choice->GetSelection() : 0;
    return int(std::intptr_t(choice->GetClientData(unsigned(item))));
}

}  // namespace

// Makes the controls of a page from its description.
struct RhsPageBuilder
{
    static void Build(RuleRowRHSPageBase& page, const RhsPageLayout& layout)
    {
        page.SetBackgroundColour(kPageBackground);
        auto* sizer = new wxBoxSizer(wxHORIZONTAL);
        page.SetSizer(sizer);
        for (const RhsControlLayout& c : layout.controls) {
            wxSizer* target = sizer;
            if (c.inLimitsSizer) {
                if (!page.m_limitsSizer) {
                    page.m_limitsSizer = new wxBoxSizer(wxHORIZONTAL);
                    sizer->Add(page.m_limitsSizer, 1, wxALIGN_CENTER_VERTICAL | wxLEFT | wxRIGHT, 0);
                }
                target = page.m_limitsSizer;
            }
            if (c.kind == RhsControlLayout::Kind::Spacer) {
                target->Add(c.width, c.height, c.proportion, wxALIGN_CENTER_VERTICAL | c.flags, c.border);
                continue;
            }
            wxWindow* window = Make(page, c);
            target->Add(window, c.proportion, wxALIGN_CENTER_VERTICAL | c.flags, c.border);
            Keep(page, c, window);
        }
    }

    static wxWindow* Make(RuleRowRHSPageBase& page, const RhsControlLayout& c)
    {
        const wxString name = wxString::FromUTF8(c.name);
        switch (c.kind) {
            case RhsControlLayout::Kind::Link: {
                auto* link = new wxHyperlinkCtrl(&page, c.id, Translated(c.text), wxString(), wxDefaultPosition,
                                                 wxDefaultSize, wxHL_DEFAULT_STYLE, name);
                link->SetNormalColour(kLinkBlue);
                link->SetVisitedColour(kLinkBlue);
                link->SetHoverColour(kLinkBlue);
                return link;
            }
            case RhsControlLayout::Kind::Choice: {
                auto* choice = new wxChoice(&page, c.id, wxDefaultPosition, wxDefaultSize, 0, nullptr, 0,
                                            wxDefaultValidator, name);
                for (const char* item : c.items) choice->Append(Translated(item));
                if (*c.text) choice->SetStringSelection(Translated(c.text));
                return choice;
            }
            case RhsControlLayout::Kind::Field:
                return new wxTextCtrl(&page, c.id, Translated(c.text), wxDefaultPosition, wxSize(c.width, -1), 0,
                                      wxDefaultValidator, name);
            case RhsControlLayout::Kind::Picker:
                return new wxColourPickerCtrl(&page, c.id, *wxWHITE, wxDefaultPosition, wxDefaultSize, 0,
                                              wxDefaultValidator, name);
            case RhsControlLayout::Kind::Label:
            default: {
                auto* label = new wxStaticText(&page, c.id, Translated(c.text), wxDefaultPosition, wxDefaultSize, 0,
                                               name.empty() ? wxString(wxStaticTextNameStr) : name);
                if (c.grey) label->SetForegroundColour(kHintGrey);
                return label;
            }
        }
    }

    static void Keep(RuleRowRHSPageBase& page, const RhsControlLayout& c, wxWindow* window)
    {
        using R = RhsControlLayout::Role;
        switch (c.role) {
            case R::Choice1: page.m_choice1 = static_cast<wxChoice*>(window); break;
            case R::Choice2: page.m_choice2 = static_cast<wxChoice*>(window); break;
            case R::Field: page.m_field = static_cast<wxTextCtrl*>(window); break;
            case R::Link: page.m_link = static_cast<wxHyperlinkCtrl*>(window); break;
            case R::Picker: page.m_picker = static_cast<wxColourPickerCtrl*>(window); break;
            case R::Message: page.m_message = static_cast<wxStaticText*>(window); break;
            case R::FixedUnits: page.m_fixedUnits = static_cast<wxStaticText*>(window); break;
            case R::MinLabel: page.m_minLabel = static_cast<wxStaticText*>(window); break;
            case R::MaxLabel: page.m_maxLabel = static_cast<wxStaticText*>(window); break;
            case R::None: break;
        }
    }
};

void RuleRowRHSPageBase::Construct(VTExperiment* experiment, wxWindow* parent, int id, const wxPoint& pos,
                                   const wxSize& size, long style)
{
    Init();
    Create(parent, id, pos, size, style);
    const RhsPageLayout& layout = RhsPageLayoutForClass(m_classNumber);
    auto* book = dynamic_cast<RuleRowRHSChoiceBookWithHiddenCtrl*>(parent);
    if (!book) {
        // Nothing would grey its controls out, and the refills that call back into
        // the book would have none.
        wxLogError("Operand page %s needs an operand book as its parent.", RhsPageClassName(m_classNumber));
    } else {
        size_t next = 0;
        const wxWindowList& children = GetChildren();
        for (const RhsControlLayout& c : layout.controls) {
            if (c.kind == RhsControlLayout::Kind::Spacer) continue;
            wxWindow* window = next < children.size() ? children[next] : nullptr;
            ++next;
            if (c.registered && window) book->m_widgetsForPlayDead.push_back(window);
        }
    }
    if (layout.filler) layout.filler(m_choice1);
    if (experiment && book) RepopulateUsingExperimentData(book, experiment);
    if (GetSizer()) GetSizer()->Fit(this);
}

bool RuleRowRHSPageBase::Create(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long style)
{
    wxPanel::Create(parent, id, pos, size, style, wxASCII_STR(wxPanelNameStr));
    CreateControls();
    if (GetSizer()) GetSizer()->Fit(this);
    return true;
}

void RuleRowRHSPageBase::Init()
{
    m_choice1 = m_choice2 = nullptr;
    m_field = nullptr;
    m_link = nullptr;
    m_picker = nullptr;
    m_message = m_fixedUnits = m_minLabel = m_maxLabel = nullptr;
    m_limitsSizer = nullptr;
}

void RuleRowRHSPageBase::CreateControls() { RhsPageBuilder::Build(*this, RhsPageLayoutForClass(m_classNumber)); }

wxBitmap RuleRowRHSPageBase::GetBitmapResource(const wxString& name)
{
    // The timer page was laid out without artwork and looks nothing up.
    return m_classNumber == 45 ? wxNullBitmap : GetBitmapRsrc(name);
}

void RuleRowRHSPageBase::ShowUnitsChoice(bool show)
{
    wxSizer* sizer = GetSizer();
    if (!sizer) return;
    if (m_choice2) sizer->Show(m_choice2, show, true);
    if (m_fixedUnits) sizer->Show(m_fixedUnits, !show, true);
    sizer->Layout();
}

void RuleRowRHSPageBase::RepopulateUsingExperimentData(RuleRowRHSChoiceBookWithHiddenCtrl* book,
                                                       VTExperiment* experiment)
{
    using Refill = RhsPageLayout::Refill;
    const RhsPageLayout& layout = RhsPageLayoutForClass(m_classNumber);
    const int type = layout.parameterType;
    const auto ofType = [type](const OrderFormForParameterCreation& p) { return p.type == type; };
    switch (layout.refill) {
        case Refill::None: return;
        case Refill::Parameters:
            if (type == -1)
                FillParameterNames(experiment, m_choice1, [](const OrderFormForParameterCreation& p) {
                    return p.type != ParameterType::Collection;
                });
            else
                FillParameterNames(experiment, m_choice1, ofType);
            if (type == -1 && GetSizer()) GetSizer()->Layout();
            return;
        case Refill::BoundedCounters:
            m_usableCounters = 0;
            FillParameterNames(experiment, m_choice1, [this, type](const OrderFormForParameterCreation& p) {
                const bool usable = p.type == type && p.hasMin && p.hasMax;
                if (usable) ++m_usableCounters;
                return usable;
            });
            return;
        case Refill::BothParameters:
            FillParameterNames(experiment, m_choice1, ofType);
            FillParameterNames(experiment, m_choice2, ofType);
            return;
        case Refill::Elements: {
            ExperimentContentGuiHelpers::ElementFilter filter;
            if (layout.elementType == ElementType::Event) filter = ExperimentContentGuiHelpers::EventIsNonList;
            FillElementsKeepingSelection(experiment, layout.elementType, filter, m_choice1);
            return;
        }
        case Refill::LevelAction:
            FillElementsKeepingSelection(experiment, ElementType::TrialVariable, {}, m_choice1);
            if (book && m_choice1 && m_choice1->GetCount() > 0)
                book->RespondToTrialVariableSelection_Private(SelectedClientId(m_choice1));
            return;
        case Refill::TagAction:
            FillElementsKeepingSelection(experiment, ElementType::TagSet, {}, m_choice1);
            if (book && m_choice1 && m_choice1->GetCount() > 0)
                book->RespondToTagSetSelection_Private(SelectedClientId(m_choice1), layout.tagPage == 26,
                                                       layout.tagPage == 27);
            return;
        case Refill::Responses: {
            if (!m_choice2) return;
            // The row keeps the chosen response by its element ID: the page shows that
            // one again, whatever the responses are called now.
            const int chosen = m_choice2->GetSelection() >= 0 && m_choice2->HasClientUntypedData()
                                   ? SelectedClientId(m_choice2)
                                   : kNoResponseChosen;
            ExperimentContentGuiHelpers::DoNameAndIDForVTItems(experiment, ElementType::Response, {}, m_choice2);
            m_choice2->Append(_("unset (no stored response)"),
                              reinterpret_cast<void*>(std::intptr_t(
                                  RulesHelperMappingsFromLeftSideToRightSideAndMore::UNIQUE_ID_FOR_UNDEF_RESPONSES())));
            for (unsigned i = 0; chosen != kNoResponseChosen && i < m_choice2->GetCount(); ++i)
                if (int(std::intptr_t(m_choice2->GetClientData(i))) == chosen) m_choice2->SetSelection(int(i));
            return;
        }
    }
}

int RhsPageClassForIndex(int pageIndex)
{
    return pageIndex >= 0 && pageIndex < RuleRowRHSChoiceBookWithHiddenCtrl::kPageCount ? kClassOfIndex[pageIndex] : -1;
}

int RhsPageIndexForClass(int classNumber)
{
    for (int i = 0; i < RuleRowRHSChoiceBookWithHiddenCtrl::kPageCount; ++i)
        if (kClassOfIndex[i] == classNumber) return i;
    return -1;
}

wxString RhsPageClassName(int classNumber) { return wxString::Format("RuleRowRHSPanel%02d", classNumber); }

#define VANTREL_RULE_RHS_PAGE_IMPLEMENT(Name)                                                                          \
    wxIMPLEMENT_DYNAMIC_CLASS(Name, wxPanel);                                                                          \
    wxBEGIN_EVENT_TABLE(Name, wxPanel)                                                                                 \
    wxEND_EVENT_TABLE()

VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel01)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel02)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel03)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel04)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel05)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel06)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel07)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel08)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel09)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel10)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel11)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel12)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel13)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel14)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel15)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel16)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel17)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel18)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel19)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel20)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel21)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel22)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel23)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel24)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel25)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel26)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel27)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel28)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel29)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel30)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel31)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel32)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel33)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel34)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel35)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel36)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel37)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel38)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel39)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel40)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel41)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel42)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel43)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel44)
VANTREL_RULE_RHS_PAGE_IMPLEMENT(RuleRowRHSPanel45)

}  // namespace Vantrel
