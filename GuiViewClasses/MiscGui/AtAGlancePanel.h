#pragma once
// A strip of five indicators beside an element's name in the block and trial
// editors: randomisation, tags and looping (an icon and a word each), and the
// numbers of rules and of children (a number over a noun).
//
// The panel never reads the data model: the hosting editor installs a function per
// indicator, and an indicator stays hidden until its function is installed. The
// functions are polled at idle while the panel is on screen, so they must be
// cheap; the panel changes icons, words and colours, and lays itself out again,
// only when a value differs from what it shows.

#include <boost/function.hpp>
#include <wx/colour.h>
#include <wx/panel.h>

class wxStaticBitmap;
class wxStaticText;

// The grey of a zero count.
extern const wxColour GRAY;

class AtAGlancePanel : public wxPanel
{
    wxDECLARE_DYNAMIC_CLASS(AtAGlancePanel);

public:
    // kind 0: a block (its children are trials); otherwise a trial. Chooses the tooltips.
    enum
    {
        ID_RANDOM_ICON = 10005,
        ID_TAGS_ICON = 10031,
        ID_LOOPING_ICON = 10006,
        ID_RULES_NUMBER = 10128,
        ID_CHILDREN_NUMBER = 10127,
        ID_RANDOM_WORD = 10136,
        ID_TAGS_WORD = 10004,
        ID_LOOPING_WORD = 10129,
        ID_RULES_NOUN = 10143,
        ID_CHILDREN_NOUN = 10149
    };

    AtAGlancePanel();
    AtAGlancePanel(int kind, wxWindow* parent, int id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                   const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    ~AtAGlancePanel() override;

    bool Create(wxWindow* parent, int id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
                const wxSize& size = wxDefaultSize, long style = wxTAB_TRAVERSAL);
    void Init();
    void CreateControls();

    void SetHasRandomFunctor(boost::function<bool()> hasRandom);
    void SetHasLoopingFunctor(boost::function<bool()> hasLooping);
    void SetHasTagsFunctor(boost::function<bool()> hasTags);
    // childrenAreTrials: the nouns read "TRIAL(S)"; otherwise "EVENT(S)".
    void SetNumChildrenFunctor(boost::function<wxString()> numChildren, bool childrenAreTrials);
    void SetNumRulesFunctor(boost::function<wxString()> numRules);

    wxBitmap GetBitmapResource(const wxString& name);
    wxIcon GetIconResource(const wxString& name);
    static bool ShowToolTips();

    // How many times the panel laid itself out after a change (for tests and benchmarks).
    int RelayoutCount() const { return m_RelayoutCount; }

    void OnIdle(wxIdleEvent& event);

private:
    // Shows the new state of a flag indicator when it changed; true then.
    bool UpdateFlag(const boost::function<bool()>& query, bool& shown, wxStaticBitmap* icon, wxStaticText* word,
                    const wxBitmap& onIcon, const wxBitmap& offIcon, const wxString& onWord, const wxString& offWord);
    // Shows a new count when it changed; true then.
    bool UpdateCount(const boost::function<wxString()>& query, wxString& shown, wxStaticText* number,
                     wxStaticText* noun, const wxString& singular, const wxString& plural);

    wxStaticBitmap* m_RandomIcon;
    wxStaticBitmap* m_TagsIcon;
    wxStaticBitmap* m_LoopingIcon;
    wxStaticText* m_RulesNumber;
    wxStaticText* m_ChildrenNumber;
    wxStaticText* m_RandomWord;
    wxStaticText* m_TagsWord;
    wxStaticText* m_LoopingWord;
    wxStaticText* m_RulesNoun;
    wxStaticText* m_ChildrenNoun;
    int m_Kind;
    boost::function<bool()> m_HasRandom;
    boost::function<bool()> m_HasLooping;
    boost::function<bool()> m_HasTags;
    boost::function<wxString()> m_NumChildren;
    boost::function<wxString()> m_NumRules;
    bool m_ShownRandom = false;
    bool m_ShownLooping = false;
    bool m_ShownTags = false;
    bool m_ChildrenAreTrials = true;
    wxString m_ShownChildren;
    wxString m_ShownRules;
    int m_RelayoutCount = 0;
};
