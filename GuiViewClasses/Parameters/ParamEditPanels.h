#pragma once
// The edit panels of the parameters dialog, one per parameter type, and the panel
// shown while no parameter is selected. Each is built in code (generated-dialog
// pattern: Init, Create, CreateControls) and reacts to no events of its own; the
// dialog binds text changes of the name fields by their ids.

#include "ParamEditPanelBase.h"

#include <wx/bitmap.h>
#include <wx/icon.h>

class wxCheckBox;
class wxTextCtrl;

namespace Vantrel {

// What every type panel has besides its own rows, in the generated pattern.
#define VT_PARAM_PANEL_COMMON(Class)                                                                                   \
public:                                                                                                                \
    Class() { Init(); }                                                                                                \
    Class(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,                          \
          const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);                                           \
    bool Create(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,                    \
                const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);                                     \
    void Init();                                                                                                       \
    void CreateControls() override;                                                                                    \
    wxBitmap GetBitmapResource(const wxString&) { return wxNullBitmap; }                                               \
    wxIcon GetIconResource(const wxString&) { return wxNullIcon; }                                                     \
    static bool ShowToolTips() { return true; }                                                                        \
                                                                                                                       \
private:                                                                                                               \
    wxDECLARE_DYNAMIC_CLASS(Class);                                                                                    \
    wxDECLARE_EVENT_TABLE();

// A counter: its initial value and optional minimum and maximum, with three range checks.
class CounterParamEditPanel : public ParamEditPanelBase
{
    VT_PARAM_PANEL_COMMON(CounterParamEditPanel)

public:
    enum
    {
        ID_INNER = 10016,
        ID_NAME = 10017,
        ID_INITIAL = 10018,
        ID_HAS_MIN = 10019,
        ID_MIN = 10020,
        ID_HAS_MAX = 10022,
        ID_MAX = 10024,
        ID_SAVE = 10025,
        ID_DESCRIPTION = 10066
    };
    void SetGuiBasedOnOrderForm() override;
    OrderFormForParameterCreation CommitGuiStateToOrderForm(bool* ok) override;

private:
    wxTextCtrl* m_Initial;
    wxCheckBox* m_HasMin;
    wxTextCtrl* m_Min;
    wxCheckBox* m_HasMax;
    wxTextCtrl* m_Max;
};

// A text: its initial text, stored exactly as typed.
class TextParamEditPanel : public ParamEditPanelBase
{
    VT_PARAM_PANEL_COMMON(TextParamEditPanel)

public:
    enum
    {
        ID_INNER = 10098,
        ID_NAME = 10107,
        ID_INITIAL_TEXT = 10108,
        ID_SAVE = 10115,
        ID_DESCRIPTION = 10117
    };
    void SetGuiBasedOnOrderForm() override;
    OrderFormForParameterCreation CommitGuiStateToOrderForm(bool* ok) override;

private:
    wxTextCtrl* m_InitialText;
};

// A collection of trials: an optional size limit (no range check: what is typed is stored).
class CollOfTrialsEditPanel : public ParamEditPanelBase
{
    VT_PARAM_PANEL_COMMON(CollOfTrialsEditPanel)

public:
    enum
    {
        ID_INNER = 10187,
        ID_NAME = 10177,
        ID_HAS_LIMIT = 10178,
        ID_LIMIT = 10179,
        ID_SAVE = 10180,
        ID_DESCRIPTION = 10181
    };
    void SetGuiBasedOnOrderForm() override;
    OrderFormForParameterCreation CommitGuiStateToOrderForm(bool* ok) override;

private:
    wxCheckBox* m_HasLimit;
    wxTextCtrl* m_Limit;
};

// A stored response: nothing of its own.
class ResponseParamEditPanel : public ParamEditPanelBase
{
    VT_PARAM_PANEL_COMMON(ResponseParamEditPanel)

public:
    enum
    {
        ID_INNER = 10183,
        ID_NAME = 10184,
        ID_SAVE = 10185,
        ID_DESCRIPTION = 10186
    };
    void SetGuiBasedOnOrderForm() override;
    OrderFormForParameterCreation CommitGuiStateToOrderForm(bool* ok) override;
};

// A timer: nothing of its own; a note says that rules start, pause and reset it.
class TimerParamEditPanel : public ParamEditPanelBase
{
    VT_PARAM_PANEL_COMMON(TimerParamEditPanel)

public:
    enum
    {
        ID_NAME = 10182
    };
    void SetGuiBasedOnOrderForm() override;
    OrderFormForParameterCreation CommitGuiStateToOrderForm(bool* ok) override;
};

// Shown while no parameter is selected: a hint on how to create one.
class NoParamInfoPanel : public ParamEditPanelBase
{
    VT_PARAM_PANEL_COMMON(NoParamInfoPanel)

public:
    enum
    {
        ID_INNER = 10119
    };
    void SetGuiBasedOnOrderForm() override {}
    // Always succeeds and changes nothing.
    OrderFormForParameterCreation CommitGuiStateToOrderForm(bool* ok) override;
};

#undef VT_PARAM_PANEL_COMMON

}  // namespace Vantrel
