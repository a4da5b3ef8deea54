#pragma once
// The operand pages of a rule row's operand book: one small panel class per kind
// of operand, RuleRowRHSPanel01 to RuleRowRHSPanel45, each registered with the
// toolkit's class information under its own name (base wxPanel). A page holds
// controls only; its controls' events travel up to the row, and the book finds
// them by their window names. The pages are all built by one builder from their
// descriptions (RuleRowRHSPageLayouts.cpp).

#include <wx/bitmap.h>
#include <wx/icon.h>
#include <wx/panel.h>

class wxChoice;
class wxColourPickerCtrl;
class wxHyperlinkCtrl;
class wxSizer;
class wxStaticText;
class wxTextCtrl;

namespace Vantrel {

class RuleRowRHSChoiceBookWithHiddenCtrl;
class VTExperiment;

class RuleRowRHSPageBase : public wxPanel
{
public:
    // Creates the page and its controls, registers its data controls with the book
    // (its parent) for greying out, fills its operator list and, with an
    // experiment, its element lists.
    void Construct(VTExperiment* experiment, wxWindow* parent, int id = wxID_ANY,
                   const wxPoint& pos = wxDefaultPosition, const wxSize& size = wxDefaultSize,
                   long style = wxTAB_TRAVERSAL | wxNO_BORDER);
    bool Create(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long style);
    void Init();
    void CreateControls();
    // Refills the page's lists from the experiment; nothing for pages without one.
    void RepopulateUsingExperimentData(RuleRowRHSChoiceBookWithHiddenCtrl* book, VTExperiment* experiment);

    static bool ShowToolTips() { return true; }
    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString&) { return wxNullIcon; }

    int ClassNumber() const { return m_classNumber; }
    // The controls other code reaches as members; null where the page has none.
    wxChoice* FirstChoice() const { return m_choice1; }
    wxChoice* SecondChoice() const { return m_choice2; }
    wxTextCtrl* Field() const { return m_field; }
    wxHyperlinkCtrl* Link() const { return m_link; }
    wxStaticText* Message() const { return m_message; }
    wxStaticText* MinLabel() const { return m_minLabel; }
    wxStaticText* MaxLabel() const { return m_maxLabel; }
    wxSizer* LimitsSizer() const { return m_limitsSizer; }

protected:
    explicit RuleRowRHSPageBase(int classNumber) : m_classNumber(classNumber) {}

    // Page 3: the units choice in place of the fixed "milliseconds" label.
    void ShowUnitsChoice(bool show);
    int m_usableCounters = 0;

private:
    friend struct RhsPageBuilder;

    int m_classNumber;
    wxChoice* m_choice1 = nullptr;
    wxChoice* m_choice2 = nullptr;
    wxTextCtrl* m_field = nullptr;
    wxHyperlinkCtrl* m_link = nullptr;
    wxColourPickerCtrl* m_picker = nullptr;
    wxStaticText* m_message = nullptr;
    wxStaticText* m_fixedUnits = nullptr;
    wxStaticText* m_minLabel = nullptr;
    wxStaticText* m_maxLabel = nullptr;
    wxSizer* m_limitsSizer = nullptr;
};

#define VANTREL_RULE_RHS_PAGE(Name, Number, Extra)                                                                     \
    class Name : public RuleRowRHSPageBase                                                                             \
    {                                                                                                                  \
    public:                                                                                                            \
        Name() : RuleRowRHSPageBase(Number) {}                                                                         \
        Name(VTExperiment* experiment, wxWindow* parent, int id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,    \
             const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL | wxNO_BORDER)                           \
            : RuleRowRHSPageBase(Number)                                                                               \
        {                                                                                                              \
            Construct(experiment, parent, id, pos, size, style);                                                       \
        }                                                                                                              \
        Extra private : wxDECLARE_DYNAMIC_CLASS_NO_COPY(Name);                                                         \
        wxDECLARE_EVENT_TABLE();                                                                                       \
    };

VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel01, 1, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel02, 2, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel03, 3, )
VANTREL_RULE_RHS_PAGE(
    RuleRowRHSPanel04, 4, void SetVisibilityForSecondsMinutesOptions(bool show) { ShowUnitsChoice(show); })
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel05, 5, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel06, 6, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel07, 7, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel08, 8, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel09, 9, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel10, 10, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel11, 11, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel12, 12, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel13, 13, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel14, 14, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel15, 15, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel16, 16, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel17, 17, )
VANTREL_RULE_RHS_PAGE(
    RuleRowRHSPanel18, 18, bool AtLeastOneCounterIsUsable() const { return m_usableCounters > 0; })
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel19, 19, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel20, 20, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel21, 21, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel22, 22, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel23, 23, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel24, 24, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel25, 25, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel26, 26, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel27, 27, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel28, 28, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel29, 29, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel30, 30, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel31, 31, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel32, 32, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel33, 33, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel34, 34, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel35, 35, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel36, 36, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel37, 37, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel38, 38, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel39, 39, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel40, 40, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel41, 41, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel42, 42, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel43, 43, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel44, 44, )
VANTREL_RULE_RHS_PAGE(RuleRowRHSPanel45, 45, )

// The page class a book index shows (1..45), and the book index of a page class
// (-1 for the classes no index leads to).
int RhsPageClassForIndex(int pageIndex);
int RhsPageIndexForClass(int classNumber);
wxString RhsPageClassName(int classNumber);

}  // namespace Vantrel
