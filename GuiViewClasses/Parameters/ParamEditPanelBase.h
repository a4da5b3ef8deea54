#pragma once
// The base of the parameters dialog's edit panels: it holds the parameter record the
// panel edits, owns the name field's typing filter and applies the name rules. Each
// panel shows a record in its controls (SetGuiBasedOnOrderForm) and checks and writes
// them back (CommitGuiStateToOrderForm); it never touches the experiment.
//
// Name rules: 31 characters are barred from names (typed or pasted; see
// StripBarredNameCharacters); trailing blanks are trimmed; an empty name and the
// names reserved for built-in parameters are refused with a logged error.

#include <VTCore/OrderFormForParameterCreation.h>

#include <wx/panel.h>
#include <wx/string.h>

#include <cstdint>

class wxBoxSizer;
class wxCheckBox;
class wxTextCtrl;

namespace Vantrel {

class ParamEditPanelBase : public wxPanel
{
public:
    ParamEditPanelBase() = default;
    ~ParamEditPanelBase() override = default;

    virtual void SetParamOrderFormBeingEdited(const OrderFormForParameterCreation& form) { m_Form = form; }
    virtual void SetGuiBasedOnOrderForm() = 0;
    virtual wxString RetrieveParamNameFromForm() { return m_Form.name; }
    virtual wxString GetParamNameFromNameField();
    virtual void OverrideParamNameInForm(const wxString& name) { m_Form.name = name; }
    // Sets *ok and returns a copy of the held record, updated when *ok.
    virtual OrderFormForParameterCreation CommitGuiStateToOrderForm(bool* ok) = 0;

    void SetNameFieldPointerAndApplyValidator(wxTextCtrl* field);
    // Trims trailing blanks off the name field; false (with the reason logged) when
    // the name is empty or reserved.
    bool TrimAndCheckIfParamNameIsReserved();
    // Selects the whole name, so typing replaces it.
    void SelectParamName();
    wxTextCtrl* GetNameField() const { return m_NameField; }

    // The characters no parameter name may hold, in the order of the typing filter.
    static const wxString& BarredNameCharacters();
    // `text` without the barred characters.
    static wxString StripBarredNameCharacters(const wxString& text);
    // A number field's value: leading blanks, one sign and the digits up to the first
    // other character; no digits read as 0, and a value beyond the 32-bit range as the
    // range's end.
    static std::int32_t ReadNumber(const wxString& text);
    // The filter of number fields: digits, "-" and "E" can be typed.
    static void ApplyNumberValidator(wxTextCtrl* field);

protected:
    virtual void CreateControls() = 0;
    // The generated Create of every panel: the window, its controls, its size hints, centred.
    bool CreatePanel(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size, long style);

    // The skeleton all type panels share, built into this panel: an inner panel with
    // the name label and field, the panel's own rows (`ownRows` adds them to the
    // inner panel's sizer), the "Save to data file" row and the description. The
    // controls made are returned through the out-parameters.
    struct Skeleton
    {
        int innerId;
        const wxString nameLabel;
        int nameId;
        const wxString nameText;
        int saveId;
        int descriptionId;
        int descriptionMinHeight;  // -1: the default
        wxSize spacerAboveDescription;
    };
    template <class AddRows>
    void BuildSkeleton(const Skeleton& skeleton, AddRows ownRows);
    wxPanel* BuildSkeletonTop(const Skeleton& skeleton, wxBoxSizer*& innerSizer);
    void BuildSkeletonBottom(const Skeleton& skeleton, wxPanel* inner, wxBoxSizer* innerSizer);
    // Name, "Save to data file" and description from the held record into the controls.
    void ShowCommonFields();
    // "Save to data file" and description from the controls into the held record.
    void KeepCommonFields();
    // The commit of a panel with no checks of its own: the name when it passes the
    // name rules, and always the common fields.
    OrderFormForParameterCreation CommitNameAndCommonFields(bool* ok);
    // A row of a horizontal box sizer as the panels lay them out: a 3x5 spacer first.
    static wxBoxSizer* NewRow();

    OrderFormForParameterCreation m_Form;
    wxTextCtrl* m_NameField = nullptr;
    wxCheckBox* m_SaveToDataFile = nullptr;
    wxTextCtrl* m_Description = nullptr;
};

template <class AddRows>
void ParamEditPanelBase::BuildSkeleton(const Skeleton& skeleton, AddRows ownRows)
{
    wxBoxSizer* innerSizer = nullptr;
    wxPanel* inner = BuildSkeletonTop(skeleton, innerSizer);
    ownRows(inner, innerSizer);
    BuildSkeletonBottom(skeleton, inner, innerSizer);
}

}  // namespace Vantrel
