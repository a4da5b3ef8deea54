#include "SheetDialogCollectionExpression.h"

#include "RuleSheets.h"

#include <VTCore/VTTagSet.h>

#include <wx/button.h>
#include <wx/choice.h>
#include <wx/log.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statline.h>
#include <wx/stattext.h>

namespace Vantrel {

wxIMPLEMENT_DYNAMIC_CLASS(SheetDialogCollectionExpression, wxDialog);

using Sheet = SheetDialogCollectionExpression;
wxBEGIN_EVENT_TABLE(SheetDialogCollectionExpression, wxDialog)
    EVT_BUTTON(wxID_OK, Sheet::OnOkButton)
    EVT_BUTTON(wxID_CANCEL, Sheet::OnCancelButton)
    EVT_RADIOBUTTON(Sheet::ID_TAGGED, Sheet::OnRangeRadioButton)
    EVT_RADIOBUTTON(Sheet::ID_AVERAGE_RT, Sheet::OnRangeRadioButton)
    EVT_RADIOBUTTON(Sheet::ID_MEMBERSHIP, Sheet::OnRangeRadioButton)
    EVT_RADIOBUTTON(Sheet::ID_FULL, Sheet::OnRangeRadioButton)
    EVT_CHOICE(Sheet::ID_TAG_FUNCTION, Sheet::OnChoiceTagFunction)
    EVT_CHOICE(Sheet::ID_TAG, Sheet::OnChoiceTagName)
    EVT_CHOICE(Sheet::ID_CONTAINS, Sheet::OnChoiceDoesDoesnt)
wxEND_EVENT_TABLE()

namespace {
constexpr int kTrialCriteria = 3;
constexpr int kTrialRules = 4;
}  // namespace

Sheet::SheetDialogCollectionExpression(wxWindow* parent, int id, const wxString& title, const wxPoint& pos,
                                       const wxSize& size, long style)
{
    Init();
    Create(parent, id, title, pos, size, style);
}

void Sheet::Init()
{
    m_Tagged = m_AverageRT = m_Membership = m_Full = nullptr;
    m_TagFunction = m_Tag = m_Contains = nullptr;
    m_CurrentTrialText = nullptr;
    m_Experiment = nullptr;
    m_Context = -1;
}

bool Sheet::Create(wxWindow* parent, int id, const wxString& title, const wxPoint& pos, const wxSize& size, long style)
{
    if (!wxDialog::Create(parent, id, title, pos, size, style)) return false;
    CreateControls();
    GetSizer()->SetSizeHints(this);
    return true;
}

void Sheet::CreateControls()
{
    auto* top = new wxBoxSizer(wxVERTICAL);
    SetSizer(top);
    top->Add(new wxStaticText(this, wxID_STATIC, _("For this collection, I want to evaluate:")), 0, wxLEFT | wxTOP, 10);
    top->Add(new wxStaticLine(this, wxID_STATIC), 0, wxEXPAND | wxALL, 5);
    auto row = [this, top](wxRadioButton* radio) {
        auto* line = new wxBoxSizer(wxHORIZONTAL);
        top->Add(line, 0, wxALL, 5);
        line->Add(radio, 0, wxALIGN_CENTER_VERTICAL | wxALL, 2);
        return line;
    };
    m_Tagged = new wxRadioButton(this, ID_TAGGED, wxString(), wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
    m_Tagged->SetValue(false);
    wxBoxSizer* tagged = row(m_Tagged);
    m_TagFunction = new wxChoice(this, ID_TAG_FUNCTION);
    m_TagFunction->Append(_("Number"));
    m_TagFunction->Append(_("Percentage"));
    m_TagFunction->SetSelection(0);
    tagged->Add(m_TagFunction, 0, wxALIGN_CENTER_VERTICAL | wxALL, 2);
    auto* taggedText = new Orbisk::wxStaticWithEvents(this, ID_TAGGED_TEXT, _("of trials that are tagged"));
    taggedText->SetOwner(this);
    tagged->Add(taggedText, 0, wxALIGN_CENTER_VERTICAL | wxALL, 2);
    m_Tag = new wxChoice(this, ID_TAG);
    m_Tag->Append(_("[List of all tags]"));
    m_Tag->SetSelection(0);
    tagged->Add(m_Tag, 0, wxALIGN_CENTER_VERTICAL | wxALL, 2);
    m_AverageRT = new wxRadioButton(this, ID_AVERAGE_RT, _("Average reaction time"));
    row(m_AverageRT);
    m_Membership = new wxRadioButton(this, ID_MEMBERSHIP, _("If collection"));
    wxBoxSizer* membership = row(m_Membership);
    m_Contains = new wxChoice(this, ID_CONTAINS);
    m_Contains->Append(_("contains"));
    m_Contains->Append(_("does not contain"));
    m_Contains->SetSelection(0);
    membership->Add(m_Contains, 0, wxALIGN_CENTER_VERTICAL | wxALL, 2);
    m_CurrentTrialText = new Orbisk::wxStaticWithEvents(this, ID_CURRENT_TRIAL_TEXT, _("the current trial"));
    m_CurrentTrialText->SetOwner(this);
    membership->Add(m_CurrentTrialText, 0, wxALIGN_CENTER_VERTICAL | wxALL, 2);
    m_Full = new wxRadioButton(this, ID_FULL, _("If collection is full"));
    row(m_Full);
    auto* explanation = new wxBoxSizer(wxHORIZONTAL);
    top->Add(explanation, 0, wxALL, 0);
    explanation->Add(25, 5, 0);
    auto* note = new wxStaticText(this, wxID_STATIC,
                                  _("If collection has a fixed size, use this option to determine if enough trials\n"
                                    "have been added to fill it up."));
    note->SetForegroundColour(wxColour(80, 80, 80));
    explanation->Add(note, 0, wxALL, 5);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    top->Add(buttons, 0, wxALIGN_RIGHT | wxALL, 5);
    auto* cancel = new wxButton(this, wxID_CANCEL, _("Cancel"), wxDefaultPosition, wxDefaultSize, 0, wxDefaultValidator,
                                "Cancel Button");
    buttons->Add(cancel, 0, wxALL, 5);
    auto* ok = new wxButton(this, wxID_OK, _("OK"));
    ok->SetDefault();
    buttons->Add(ok, 0, wxALL, 5);
}

void Sheet::ReinitializeWithData(VTExperiment* experiment, const CollectionFunctionInfo& info,
                                 std::function<void()> onOk, int context)
{
    m_Context = context;
    m_Experiment = experiment;
    const bool aboutATrial = context == kTrialCriteria || context == kTrialRules;
    m_Membership->Enable(aboutATrial);
    m_Contains->Enable(aboutATrial);
    m_CurrentTrialText->Enable(aboutATrial);
    m_OnOk = std::move(onOk);
    m_Info = std::make_shared<CollectionFunctionInfo>();
    m_Info->function = info.function;
    m_Info->tagId = info.tagId;
    m_Info->correct = info.correct;
    m_Info->doesNotContain = info.doesNotContain;

    RefillTagChoice(m_Tag, experiment);
    m_Contains->SetSelection(m_Info->doesNotContain ? 1 : 0);
    if (const VTTag* tag = FindTag(experiment, m_Info->tagId)) {
        const int item = m_Tag->FindString(tag->GetLongName_PrependsTagSetNameToTag(), true);
        if (item != wxNOT_FOUND) m_Tag->SetSelection(item);
    }
    switch (m_Info->function) {
        case CollectionFunctionInfo::kNumberTagged:
        case CollectionFunctionInfo::kPercentTagged:
            m_Tagged->SetValue(true);
            m_TagFunction->SetSelection(m_Info->function == CollectionFunctionInfo::kNumberTagged ? 0 : 1);
            break;
        case CollectionFunctionInfo::kNumberCorrect:
        case CollectionFunctionInfo::kPercentCorrect:
            wxLogError("Experiment uses an option from Beta 5 that is now removed. Please contact Orbisk if you need "
                       "help restructuring the experiment.");
            m_Full->SetValue(true);
            break;
        case CollectionFunctionInfo::kAverageRT: m_AverageRT->SetValue(true); break;
        case CollectionFunctionInfo::kIsFull: m_Full->SetValue(true); break;
        case CollectionFunctionInfo::kContainsTrial:
        case CollectionFunctionInfo::kContainsTrialToo: m_Membership->SetValue(true); break;
        default:
            wxLogError("Unrecognized function.");
            m_Full->SetValue(true);
            break;
    }
    ReadControls();
}

void Sheet::ReadControls()
{
    if (!m_Info) {
        wxLogError("No function data for attaching radio button selection.");
        return;
    }
    wxRadioButton* checked = nullptr;
    for (wxRadioButton* radio : {m_Tagged, m_AverageRT, m_Membership, m_Full})
        if (radio->GetValue()) checked = radio;
    if (checked == m_Tagged) {
        const int selection = m_TagFunction->GetSelection();
        if (selection == 0 || selection == 1)
            m_Info->function = selection;
        else
            wxLogError("Unknown selection for tags function.");
        const int tag = m_Tag->GetSelection();
        if (tag != wxNOT_FOUND) m_Info->tagId = int(wxPtrToUInt(m_Tag->GetClientData(unsigned(tag))));
    } else if (checked == m_AverageRT) {
        m_Info->function = CollectionFunctionInfo::kAverageRT;
    } else if (checked == m_Membership) {
        if (m_Context == kTrialCriteria)
            m_Info->function = CollectionFunctionInfo::kContainsTrialToo;
        else if (m_Context == kTrialRules)
            m_Info->function = CollectionFunctionInfo::kContainsTrial;
        else
            wxLogError("Corrupt expression context.");
    } else if (checked == m_Full) {
        m_Info->function = CollectionFunctionInfo::kIsFull;
    }
}

void Sheet::OnRangeRadioButton(wxCommandEvent&) { ReadControls(); }

void Sheet::OnChoiceTagFunction(wxCommandEvent&)
{
    if (!m_Info) {
        wxLogError("No function data for attaching tags function selection.");
        return;
    }
    m_Tagged->SetValue(true);
    const int selection = m_TagFunction->GetSelection();
    if (selection == 0 || selection == 1)
        m_Info->function = selection;
    else
        wxLogError("Invalid selection for tags function.");
    ReadControls();
}

void Sheet::OnChoiceTagName(wxCommandEvent&)
{
    if (!m_Info) {
        wxLogError("No function data for attaching tag name selection.");
        return;
    }
    m_Tagged->SetValue(true);
    const int tag = m_Tag->GetSelection();
    if (tag == wxNOT_FOUND)
        wxLogError("Missing selection on tags choice.");
    else
        m_Info->tagId = int(wxPtrToUInt(m_Tag->GetClientData(unsigned(tag))));
    ReadControls();
}

void Sheet::OnChoiceDoesDoesnt(wxCommandEvent&)
{
    if (!m_Info) {
        wxLogError("No function data for attaching tags function selection.");
        return;
    }
    m_Membership->SetValue(true);
    const int selection = m_Contains->GetSelection();
    if (selection == 0 || selection == 1)
        m_Info->doesNotContain = selection == 1;
    else
        wxLogError("Invalid selection for collection membership function.");
    ReadControls();
}

void Sheet::ReactToStaticClicking(int, int, long id)
{
    if (id == ID_CURRENT_TRIAL_TEXT && m_Membership->IsEnabled()) m_Membership->SetValue(true);
    if (id == ID_TAGGED_TEXT) m_Tagged->SetValue(true);
    ReadControls();
}

void Sheet::OnOkButton(wxCommandEvent&)
{
    if (m_OnOk) m_OnOk();
    FinishSheet(*this, wxID_OK);
}

void Sheet::OnCancelButton(wxCommandEvent&) { FinishSheet(*this, wxID_CANCEL); }

}  // namespace Vantrel
