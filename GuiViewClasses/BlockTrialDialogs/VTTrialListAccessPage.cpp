#include "VTTrialListAccessPage.h"

#include "PageText.h"

#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <UserInterface/UtilityClasses/TextHelpers.h>
#include <Resources/BitmapRsrc.h>
#include <VTCore/ListAccessHelper.h>
#include <VTCore/VTTrial.h>

#include <wx/bmpbuttn.h>
#include <wx/intl.h>
#include <wx/log.h>
#include <wx/sizer.h>
#include <wx/statbox.h>

#include <vector>

namespace Vantrel {

namespace {

constexpr int kNoCode = -1;

struct CodedRadio
{
    wxString label;
    int code;
    wxString note;  // under the radio; empty: none
};

// Fills a box with a group of radios, each with its note, none of them on.
void AddRadios(wxStaticBoxSizer* sizer, CodedRadioGroup& group, const std::vector<CodedRadio>& radios,
               const std::vector<int>& ids)
{
    wxStaticBox* box = sizer->GetStaticBox();
    for (size_t i = 0; i < radios.size(); ++i) {
        sizer->Add(group.Add(box, ids[i], radios[i].label, radios[i].code), 0, wxALL, 2);
        if (!radios[i].note.empty())
            sizer->Add(PageText::Note(box, radios[i].note, PageText::kNoteGrey), 0, wxLEFT | wxBOTTOM, 20);
    }
    group.Close(box, true);
}

// The four when-to-shuffle radios.
void AddWhenRadios(wxStaticBoxSizer* sizer, CodedRadioGroup& group, const std::vector<int>& ids)
{
    AddRadios(
        sizer, group,
        {{_("Never"), ListAccessHelper::kShuffleNever, wxString()},
         {_("Only once per experiment run"), ListAccessHelper::kShufflePerRun,
          _("The same randomized sequence will be used if trial is repeated")},
         {_("Once per participant group"), ListAccessHelper::kShufflePerGroup,
          _("Presentation will be in the same order for all participants within a group")},
         {_("Randomize every time the trial is presented"), ListAccessHelper::kShuffleEveryPresentation, wxString()}},
        ids);
}

// The three combination radios, each with its explanation.
void AddTypeRadios(wxStaticBoxSizer* sizer, CodedRadioGroup& group, const std::vector<int>& ids)
{
    AddRadios(
        sizer, group,
        {{_("Paired"), ListAccessHelper::kPaired, _("Item 1 from List A will always be used with item 1 from List B")},
         {_("Unpaired"), ListAccessHelper::kUnpaired,
          _("An item from List A may be used at random with any item from List B")},
         {_("Crossed"), ListAccessHelper::kCrossed, _("Every item from List A is used with every item from List B")}},
        ids);
}

// A line of text with the count in bold in its middle.
wxStaticText* CountLine(wxWindow* parent, wxSizer* sizer, const wxString& before, const wxString& placeholder,
                        const wxString& after)
{
    auto* line = new wxBoxSizer(wxHORIZONTAL);
    line->Add(new wxStaticText(parent, wxID_STATIC, before), 0, wxALIGN_CENTER_VERTICAL);
    auto* count = new wxStaticText(parent, wxID_STATIC, placeholder);
    count->SetFont(count->GetFont().Bold());
    line->Add(count, 0, wxALIGN_CENTER_VERTICAL);
    line->Add(new wxStaticText(parent, wxID_STATIC, after), 0, wxALIGN_CENTER_VERTICAL);
    sizer->Add(line, 0, wxALL, 5);
    return count;
}

}  // namespace

VTTrialListAccessPage::VTTrialListAccessPage(wxWindow* parent, wxWindowID id)
    : wxPanel(parent, id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL)
{
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    m_Book = new Orbisk::OrbiskChoiceBookWithHiddenCtrl(this, ID_BOOK, wxDefaultPosition, wxDefaultSize, wxCHB_DEFAULT,
                                                        false);
    m_Book->AddPage(MakeNoListsPage(), _("Trial does not use any lists"), true);
    m_Book->AddPage(MakeOneListPage(), _("Accessing a single stimulus list"));
    m_Book->AddPage(MakeManyListsPage(), _("Accessing two or more lists"));
    top->Add(m_Book, 1, wxEXPAND | wxALL, 5);

    auto* side = new wxBoxSizer(wxVERTICAL);
    m_Pictures = new Orbisk::OrbiskChoiceBookWithHiddenCtrl(this, wxID_ANY, wxDefaultPosition, wxDefaultSize,
                                                            wxCHB_DEFAULT, false);
    const struct
    {
        const char* name;
        const char* image;
    } pictures[] = {
        {"cr_no_shuffle", "stimlist_list_access/crossed_no_shuffle.png"},
        {"cr_with_shuffle", "stimlist_list_access/crossed_with_shuffle.png"},
        {"paired_no_shuff", "stimlist_list_access/paired_no_shuffle.png"},
        {"paired_w_shuff", "stimlist_list_access/paired_with_shuffle.png"},
        {"unpaired_no_shuff", "stimlist_list_access/unpaired_no_shuffle.png"},
        {"unpaired_w_shuff", "stimlist_list_access/unpaired_with_shuffle.png"},
        {"BLANK", nullptr},
    };
    for (const auto& picture : pictures) {
        auto* panel = new wxPanel(m_Pictures);
        if (picture.image) {
            auto* sizer = new wxBoxSizer(wxVERTICAL);
            sizer->Add(PageText::Picture(panel, picture.image));
            panel->SetSizer(sizer);
        }
        m_Pictures->AddPage(panel, picture.name);
    }
    m_Pictures->SetSelection(kBlankPicture);
    side->Add(m_Pictures, 0, wxALL, 5);
    auto* help = new wxBitmapButton(this, ID_HELP, GetBitmapRsrc("icon_question_mark_std.png"));
    help->SetBitmapCurrent(GetBitmapRsrc("icon_question_mark_hover.png"));
    help->Hide();
    side->Add(help);
    top->Add(side, 0, wxEXPAND);
    SetSizer(top);

    for (int radio : {ID_MANY_PAIRED, ID_MANY_UNPAIRED, ID_MANY_CROSSED, ID_MANY_NEVER, ID_MANY_PER_RUN,
                      ID_MANY_PER_GROUP, ID_MANY_EVERY})
        FindWindow(radio)->Bind(wxEVT_RADIOBUTTON, [this](wxCommandEvent&) { UpdateHelpTextAndHelperIcons(); });
}

wxPanel* VTTrialListAccessPage::MakeNoListsPage()
{
    auto* page = new wxPanel(m_Book, ID_NO_LISTS);
    page->SetSizer(PageText::EmptyState(
        page, "icon_stimulus_lists_w100.png",
        {PageText::LargeHeading(page, _("No stimulus lists are used in this trial"), 350, 10043)},
        _("Using stimulus lists is recommended whenever possible. They greatly reduce the time and effort needed to "
          "create an experiment.\n\nFor example, presenting 25 trials would require that you create 25 events and 25 "
          "trials if not using a stimulus list, but only 1 event and 1 trial when using a list."),
        400));
    return page;
}

wxPanel* VTTrialListAccessPage::MakeOneListPage()
{
    auto* page = new wxPanel(m_Book, ID_ONE_LIST);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    m_OneCount =
        CountLine(page, sizer, _("This trial uses a stimulus list; this will result in "), "120", _(" presentations."));
    auto* when = new wxStaticBoxSizer(wxVERTICAL, page, _("Randomize:"));
    AddWhenRadios(when, m_OneWhen, {ID_ONE_NEVER, ID_ONE_PER_RUN, ID_ONE_PER_GROUP, ID_ONE_EVERY});
    sizer->Add(when, 0, wxEXPAND | wxALL, 5);
    sizer->Add(
        PageText::Note(page, _("The following options are available only when trial\nuses two or more stimulus lists."),
                       PageText::kNoteGrey),
        0, wxALL, 5);
    auto* type = new wxStaticBoxSizer(wxVERTICAL, page, wxString());
    AddTypeRadios(type, m_OneType, {ID_ONE_PAIRED, ID_ONE_UNPAIRED, ID_ONE_CROSSED});
    m_OneType.Enable(false);
    sizer->Add(type, 0, wxEXPAND | wxALL, 5);
    page->SetSizer(sizer);
    return page;
}

wxPanel* VTTrialListAccessPage::MakeManyListsPage()
{
    auto* page = new wxPanel(m_Book, ID_MANY_LISTS);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* when = new wxStaticBoxSizer(wxVERTICAL, page, _("Randomize:"));
    AddWhenRadios(when, m_ManyWhen, {ID_MANY_NEVER, ID_MANY_PER_RUN, ID_MANY_PER_GROUP, ID_MANY_EVERY});
    sizer->Add(when, 0, wxEXPAND | wxALL, 5);
    auto* type = new wxStaticBoxSizer(wxVERTICAL, page,
                                      _("The trial is linked to events that use 2 stimulus lists. List access is:"));
    m_TypeBox = type->GetStaticBox();
    AddTypeRadios(type, m_ManyType, {ID_MANY_PAIRED, ID_MANY_UNPAIRED, ID_MANY_CROSSED});
    sizer->Add(type, 0, wxEXPAND | wxALL, 5);
    m_ManyCount =
        CountLine(page, sizer, _("Selected option will result in "), "1000", _(" presentations of this trial."));
    page->SetSizer(sizer);
    return page;
}

namespace {

int WhenCode(const CodedRadioGroup& group)
{
    const int code = group.SelectedCode(kNoCode);
    if (code != kNoCode) return code;
    wxLogError(_("Error while processing randomization of Stimulus Lists."));
    return ListAccessHelper::kShuffleNever;
}

int TypeCode(const CodedRadioGroup& group)
{
    const int code = group.SelectedCode(kNoCode);
    if (code != kNoCode) return code;
    wxLogError(_("Error while processing List Access type."));
    return ListAccessHelper::kPaired;
}

}  // namespace

int VTTrialListAccessPage::GetWhenListRand_PageOne() const { return WhenCode(m_OneWhen); }
int VTTrialListAccessPage::GetWhenListRand_PageTwo() const { return WhenCode(m_ManyWhen); }
int VTTrialListAccessPage::GetListAccType_PageOne() const { return TypeCode(m_OneType); }
int VTTrialListAccessPage::GetListAccType_PageTwo() const { return TypeCode(m_ManyType); }

void VTTrialListAccessPage::MoveToProperHelperIcon(bool blank, int when, int type)
{
    int page = kBlankPicture;
    if (!blank) {
        const int shuffled = when != ListAccessHelper::kShuffleNever ? 1 : 0;
        switch (type) {
            case ListAccessHelper::kCrossed: page = kCrossedNoShuffle + shuffled; break;
            case ListAccessHelper::kPaired: page = kPairedNoShuffle + shuffled; break;
            case ListAccessHelper::kUnpaired: page = kUnpairedNoShuffle + shuffled; break;
            default: break;
        }
    }
    m_Pictures->SetSelection(size_t(page));
}

// The codes go into the working copy; the count shown is what the data model makes of them.
void VTTrialListAccessPage::ShowCountFor(int when, int type, wxStaticText* count)
{
    m_WorkingCopy->SetListAccessConfiguration(when, type);
    const unsigned long long presentations = m_WorkingCopy->GetReadOnlyReferenceToListAccess().PostExpansionItemCount();
    Orbisk::HelperFunctionChangeStaticTextIfNew(count, count->GetContainingSizer(), nullptr,
                                                wxString::Format("%llu", presentations), -999);
}

void VTTrialListAccessPage::OnRepaintExpansionCountText_ManyListPanel()
{
    if (m_Book->GetSelection() != kManyListsPage || !m_WorkingCopy) return;
    ShowCountFor(GetWhenListRand_PageTwo(), GetListAccType_PageTwo(), m_ManyCount);
}

void VTTrialListAccessPage::OnRepaintExpansionCountText_SingleListPanel()
{
    if (m_Book->GetSelection() != kOneListPage || !m_WorkingCopy) return;
    ShowCountFor(GetWhenListRand_PageOne(), GetListAccType_PageOne(), m_OneCount);
}

void VTTrialListAccessPage::UpdateHelpTextAndHelperIcons()
{
    if (!m_Loaded) return;
    OnRepaintExpansionCountText_ManyListPanel();
    OnRepaintExpansionCountText_SingleListPanel();
    if (m_Book->GetSelection() == kManyListsPage)
        MoveToProperHelperIcon(false, GetWhenListRand_PageTwo(), GetListAccType_PageTwo());
    else
        MoveToProperHelperIcon(true, 0, 0);
}

void VTTrialListAccessPage::AssignListAccessGuiControlStatesFromTrial(VTTrial& workingCopy)
{
    m_WorkingCopy = &workingCopy;
    const ListAccessHelper access = workingCopy.GetReadOnlyReferenceToListAccess();
    const int lists = workingCopy.GetNumberOfStimLists();
    m_Book->SetSelection(size_t(lists == 0 ? kNoListsPage : lists == 1 ? kOneListPage : kManyListsPage));
    // A code that matches no radio shows none of them on, never the previous trial's.
    const bool knownWhen = m_OneWhen.Select(access.WhenToShuffle());
    m_ManyWhen.Select(access.WhenToShuffle());
    if (!knownWhen) wxLogError(_("Trial contained an invalid setting for when to randomize lists."));
    const bool knownType = m_OneType.Select(access.ListAccessType());
    m_ManyType.Select(access.ListAccessType());
    if (!knownType) wxLogError(_("Trial contained an invalid setting for List Access."));
    m_Loaded = true;
    UpdateHelpTextAndHelperIcons();
    m_TypeBox->SetLabel(wxString::Format(_("The trial is linked to events that use %d stimulus lists. List access is:"),
                                         access.HowManyStimlists()));
    Layout();
}

void VTTrialListAccessPage::PropagateListAccessSettingsOntoTrial(VTTrial& trial)
{
    switch (m_Book->GetSelection()) {
        case wxNOT_FOUND:
            wxLogError(_("Error while applying List Access settings."));
            trial.SetListAccessConfiguration(0, 0);
            break;
        case kNoListsPage: break;
        case kOneListPage: trial.SetListAccessConfiguration(GetWhenListRand_PageOne(), GetListAccType_PageOne()); break;
        case kManyListsPage:
            trial.SetListAccessConfiguration(GetWhenListRand_PageTwo(), GetListAccType_PageTwo());
            break;
        default: trial.SetListAccessConfiguration(0, 0); break;
    }
}

int VTTrialListAccessPage::GetListAccessPage() const { return m_Book->GetSelection(); }
int VTTrialListAccessPage::GetPicturePage() const { return m_Pictures->GetSelection(); }

wxString VTTrialListAccessPage::GetShownCount() const
{
    return (m_Book->GetSelection() == kManyListsPage ? m_ManyCount : m_OneCount)->GetLabel();
}

wxString VTTrialListAccessPage::GetTypeBoxLabel() const { return m_TypeBox->GetLabel(); }

bool VTTrialListAccessPage::ShufflesListItems() const
{
    const int page = m_Book->GetSelection();
    if (page == kOneListPage) return m_OneWhen.HasSelection() && !m_OneWhen.RadioOf(0)->GetValue();
    if (page == kManyListsPage) return m_ManyWhen.HasSelection() && !m_ManyWhen.RadioOf(0)->GetValue();
    return false;
}

}  // namespace Vantrel
