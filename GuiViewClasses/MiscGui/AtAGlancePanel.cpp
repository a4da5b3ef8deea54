#include "AtAGlancePanel.h"

#include <VTPlugInCommon/OrbiskImagesArtworkEtc.h>

#include <wx/icon.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>

const wxColour GRAY(76, 76, 76);

wxIMPLEMENT_DYNAMIC_CLASS(AtAGlancePanel, wxPanel);

using Orbisk::OrbiskImagesArtworkEtc;

AtAGlancePanel::AtAGlancePanel() { Init(); }

AtAGlancePanel::AtAGlancePanel(int kind, wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long style)
{
    Init();
    m_Kind = kind;
    Create(parent, id, pos, size, style);
}

AtAGlancePanel::~AtAGlancePanel() = default;

void AtAGlancePanel::Init()
{
    m_RandomIcon = m_TagsIcon = m_LoopingIcon = nullptr;
    m_RulesNumber = m_ChildrenNumber = nullptr;
    m_RandomWord = m_TagsWord = m_LoopingWord = m_RulesNoun = m_ChildrenNoun = nullptr;
    m_Kind = 0;
}

bool AtAGlancePanel::Create(wxWindow* parent, int id, const wxPoint& pos, const wxSize& size, long style)
{
    wxPanel::Create(parent, id, pos, size, style);
    CreateControls();
    if (GetSizer()) GetSizer()->Fit(this);
    Bind(wxEVT_IDLE, &AtAGlancePanel::OnIdle, this);
    return true;
}

void AtAGlancePanel::CreateControls()
{
    const bool block = m_Kind == 0;
    const wxString randomTip = _("Shows if randomization is enabled");
    const wxString tagsTip = _("Shows if tags are set");
    const wxString loopingTip = _("Shows if looping is enabled");
    const wxString rulesTip = block ? _("Number of rules used in this block") : _("Number of rules used in this trial");
    const wxString childrenTip = block ? _("Number of trials in this block") : _("Number of events in this trial");

    auto* grid = new wxFlexGridSizer(2, 5, 0, 0);
    SetSizer(grid);
    const auto iconFlags = wxSizerFlags().Center().Border(wxLEFT | wxRIGHT, 5);
    auto icon = [&](int id, const char* image, const wxString& tip, const wxSizerFlags& flags) {
        auto* bitmap = new wxStaticBitmap(this, id, GetBitmapResource(image));
        if (ShowToolTips()) bitmap->SetToolTip(tip);
        grid->Add(bitmap, flags);
        return bitmap;
    };
    auto text = [&](int id, const wxString& label, const wxString& tip, const wxSizerFlags& flags) {
        auto* control = new wxStaticText(this, id, label);
        if (ShowToolTips()) control->SetToolTip(tip);
        grid->Add(control, flags);
        return control;
    };
    m_RandomIcon = icon(ID_RANDOM_ICON, "icon_randomize_off.png", randomTip, iconFlags);
    m_TagsIcon = icon(ID_TAGS_ICON, "icon_tags_off.png", tagsTip, wxSizerFlags().Center().Border(wxALL, 5));
    m_LoopingIcon = icon(ID_LOOPING_ICON, "icon_looping_off.png", loopingTip, iconFlags);
    m_RulesNumber = text(ID_RULES_NUMBER, "0", rulesTip, iconFlags);
    m_ChildrenNumber = text(ID_CHILDREN_NUMBER, "3", childrenTip, iconFlags);
    const auto wordFlags = wxSizerFlags().Center().Border(wxLEFT | wxRIGHT, 15);
    m_RandomWord = text(ID_RANDOM_WORD, _("OFF"), randomTip, wordFlags);
    m_TagsWord = text(ID_TAGS_WORD, _("NO TAGS"), tagsTip, wordFlags);
    m_LoopingWord = text(ID_LOOPING_WORD, _("OFF"), loopingTip, wordFlags);
    m_RulesNoun = text(ID_RULES_NOUN, _("RULES"), rulesTip, wordFlags);
    m_ChildrenNoun = text(ID_CHILDREN_NOUN, _("TRIALS"), childrenTip, wordFlags);
    for (wxStaticText* word : {m_RandomWord, m_TagsWord, m_LoopingWord, m_RulesNoun, m_ChildrenNoun}) {
        wxFont font = word->GetFont();
        font.SetPointSize(int(font.GetPointSize() * 0.9));
        word->SetFont(font);
    }
    for (wxWindow* control : GetChildren()) control->Hide();
}

void AtAGlancePanel::SetHasRandomFunctor(boost::function<bool()> hasRandom)
{
    m_HasRandom = hasRandom;
    m_RandomIcon->Show();
    m_RandomWord->Show();
}

void AtAGlancePanel::SetHasLoopingFunctor(boost::function<bool()> hasLooping)
{
    m_HasLooping = hasLooping;
    m_LoopingIcon->Show();
    m_LoopingWord->Show();
}

void AtAGlancePanel::SetHasTagsFunctor(boost::function<bool()> hasTags)
{
    m_HasTags = hasTags;
    m_TagsIcon->Show();
    m_TagsWord->Show();
}

void AtAGlancePanel::SetNumChildrenFunctor(boost::function<wxString()> numChildren, bool childrenAreTrials)
{
    m_NumChildren = numChildren;
    m_ChildrenNumber->Show();
    m_ChildrenNoun->Show();
    m_ChildrenAreTrials = childrenAreTrials;
}

void AtAGlancePanel::SetNumRulesFunctor(boost::function<wxString()> numRules)
{
    m_NumRules = numRules;
    m_RulesNumber->Show();
    m_RulesNoun->Show();
}

wxBitmap AtAGlancePanel::GetBitmapResource(const wxString& name)
{
    if (name == "icon_randomize_off.png") return OrbiskImagesArtworkEtc::GetIcon_AaGRandomizeOff();
    if (name == "icon_looping_off.png") return OrbiskImagesArtworkEtc::GetIcon_AaGLoopingOff();
    if (name == "icon_tags_off.png") return OrbiskImagesArtworkEtc::GetIcon_AaGTagsOff();
    return wxNullBitmap;
}

wxIcon AtAGlancePanel::GetIconResource(const wxString&) { return wxNullIcon; }

bool AtAGlancePanel::ShowToolTips() { return true; }

bool AtAGlancePanel::UpdateFlag(const boost::function<bool()>& query, bool& shown, wxStaticBitmap* icon,
                                wxStaticText* word, const wxBitmap& onIcon, const wxBitmap& offIcon,
                                const wxString& onWord, const wxString& offWord)
{
    if (query.empty()) return false;
    const bool now = query();
    if (now == shown) return false;
    shown = now;
    icon->SetBitmap(now ? onIcon : offIcon);
    word->SetLabel(now ? onWord : offWord);
    word->SetForegroundColour(now ? *wxBLUE : *wxBLACK);
    return true;
}

bool AtAGlancePanel::UpdateCount(const boost::function<wxString()>& query, wxString& shown, wxStaticText* number,
                                 wxStaticText* noun, const wxString& singular, const wxString& plural)
{
    if (query.empty()) return false;
    const wxString now = query();
    if (now == shown) return false;
    number->SetLabel(now);
    const bool zero = now == "0";
    number->SetForegroundColour(zero ? GRAY : *wxBLUE);
    noun->SetForegroundColour(zero ? *wxBLACK : *wxBLUE);
    noun->SetLabel(now == "1" ? singular : plural);
    shown = now;
    return true;
}

void AtAGlancePanel::OnIdle(wxIdleEvent& event)
{
    event.Skip();
    if (!IsShownOnScreen()) return;
    bool changed = false;
    changed |= UpdateFlag(m_HasRandom, m_ShownRandom, m_RandomIcon, m_RandomWord,
                          OrbiskImagesArtworkEtc::GetIcon_AaGRandomizeOn(),
                          OrbiskImagesArtworkEtc::GetIcon_AaGRandomizeOff(), _("ON"), _("OFF"));
    changed |= UpdateFlag(m_HasLooping, m_ShownLooping, m_LoopingIcon, m_LoopingWord,
                          OrbiskImagesArtworkEtc::GetIcon_AaGLoopingOn(),
                          OrbiskImagesArtworkEtc::GetIcon_AaGLoopingOff(), _("ON"), _("OFF"));
    changed |= UpdateFlag(m_HasTags, m_ShownTags, m_TagsIcon, m_TagsWord, OrbiskImagesArtworkEtc::GetIcon_AaGTagsOn(),
                          OrbiskImagesArtworkEtc::GetIcon_AaGTagsOff(), _("HAS TAGS"), _("NO TAGS"));
    changed |= UpdateCount(m_NumRules, m_ShownRules, m_RulesNumber, m_RulesNoun, _("RULE"), _("RULES"));
    changed |=
        UpdateCount(m_NumChildren, m_ShownChildren, m_ChildrenNumber, m_ChildrenNoun,
                    m_ChildrenAreTrials ? _("TRIAL") : _("EVENT"), m_ChildrenAreTrials ? _("TRIALS") : _("EVENTS"));
    if (!changed) return;
    ++m_RelayoutCount;
    Layout();
}
