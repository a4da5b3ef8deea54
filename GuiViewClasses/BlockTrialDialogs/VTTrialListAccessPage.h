#pragma once
// The trial editor's "List Access" page: one page for a trial without lists, one for
// a single list (when to shuffle; the combination radios greyed), one for two or
// more (when to shuffle and how the lists are combined), with the number of
// presentations the choice yields and a picture of the combination. Clicking a radio
// of the many-lists page writes the choice into the editor's working copy at once,
// so the count shown is the data model's.

#include <wx/panel.h>

#include <cstdint>

#include "CodedRadioGroup.h"

class wxStaticBox;
class wxStaticText;

namespace Orbisk {
class OrbiskChoiceBookWithHiddenCtrl;
}

namespace Vantrel {

class VTTrial;

class VTTrialListAccessPage : public wxPanel
{
public:
    enum
    {
        ID_PAGE = 10191,
        ID_BOOK = 10198,
        ID_NO_LISTS = 10199,
        ID_ONE_LIST = 10200,
        ID_MANY_LISTS = 10207,
        ID_HELP = 10215,
        // One list: when to shuffle, and the greyed combination.
        ID_ONE_NEVER = 10003,
        ID_ONE_PER_RUN = 10004,
        ID_ONE_PER_GROUP = 10005,
        ID_ONE_EVERY = 10006,
        ID_ONE_PAIRED = 10007,
        ID_ONE_UNPAIRED = 10008,
        ID_ONE_CROSSED = 10009,
        // Two or more lists.
        ID_MANY_NEVER = 10211,
        ID_MANY_PER_RUN = 10212,
        ID_MANY_PER_GROUP = 10213,
        ID_MANY_EVERY = 10001,
        ID_MANY_PAIRED = 10208,
        ID_MANY_UNPAIRED = 10209,
        ID_MANY_CROSSED = 10210
    };
    // The pages of the list-access book and of the picture book.
    enum
    {
        kNoListsPage = 0,
        kOneListPage = 1,
        kManyListsPage = 2
    };
    enum
    {
        kCrossedNoShuffle = 0,
        kPairedNoShuffle = 2,
        kUnpairedNoShuffle = 4,
        kBlankPicture = 6
    };

    explicit VTTrialListAccessPage(wxWindow* parent, wxWindowID id = ID_PAGE);

    // Shows the trial's settings; `workingCopy` is the editor's copy of the trial,
    // which the many-lists radios change as they are clicked.
    void AssignListAccessGuiControlStatesFromTrial(VTTrial& workingCopy);
    // Writes the shown page's choice into the trial (nothing without lists).
    void PropagateListAccessSettingsOntoTrial(VTTrial& trial);

    int GetWhenListRand_PageOne() const;
    int GetWhenListRand_PageTwo() const;
    int GetListAccType_PageOne() const;
    int GetListAccType_PageTwo() const;
    void MoveToProperHelperIcon(bool blank, int when, int type);
    void UpdateHelpTextAndHelperIcons();

    int GetListAccessPage() const;
    int GetPicturePage() const;
    wxString GetShownCount() const;
    wxString GetTypeBoxLabel() const;
    // Whether the shown page shuffles list items (the heading's "random" indicator).
    bool ShufflesListItems() const;

private:
    void OnRepaintExpansionCountText_SingleListPanel();
    void OnRepaintExpansionCountText_ManyListPanel();
    void ShowCountFor(int when, int type, wxStaticText* count);
    wxPanel* MakeNoListsPage();
    wxPanel* MakeOneListPage();
    wxPanel* MakeManyListsPage();

    Orbisk::OrbiskChoiceBookWithHiddenCtrl* m_Book = nullptr;
    Orbisk::OrbiskChoiceBookWithHiddenCtrl* m_Pictures = nullptr;
    CodedRadioGroup m_OneWhen, m_OneType, m_ManyWhen, m_ManyType;
    wxStaticText* m_OneCount = nullptr;
    wxStaticText* m_ManyCount = nullptr;
    wxStaticBox* m_TypeBox = nullptr;
    VTTrial* m_WorkingCopy = nullptr;
    bool m_Loaded = false;
};

}  // namespace Vantrel
