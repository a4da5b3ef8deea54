#include "EventConfigPanel.h"

#include <wx/button.h>
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/filename.h>
#include <wx/intl.h>
#include <wx/panel.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/xrc/xmlres.h>

#include "VTPlugInCommon/VTSdkEventInstance.h"

namespace VantrelSDK {

namespace {

template <class W, class... Args>
W* Named(wxWindow* parent, const char* name, Args&&... args)
{
    auto* window = new W(parent, wxXmlResource::GetXRCID(name), std::forward<Args>(args)...);
    window->SetName(name);
    return window;
}

wxBoxSizer* Row(wxWindow* parent, const wxString& label, wxWindow* control)
{
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    row->Add(new wxStaticText(parent, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    row->Add(control, 1, wxALIGN_CENTER_VERTICAL);
    return row;
}

}  // namespace

EventPanelFeatures EventPanelFeatures::ForPlugIn(int plugInID)
{
    EventPanelFeatures f;
    switch (plugInID) {
        case VTSdkEventPlugin::kPictures:
        case VTSdkEventPlugin::kAudio:
        case VTSdkEventPlugin::kMovies: f.files = true; break;
        case VTSdkEventPlugin::kText: f.text = true; break;
        case VTSdkEventPlugin::kSelfPacedReading:
            f.text = true;
            f.segments = true;
            break;
        case VTSdkEventPlugin::kRapidSerialPresentation:
            f.text = true;
            f.segments = true;
            f.wordDuration = true;
            break;
        default: break;
    }
    return f;
}

wxPanel* BuildEventConfigPanel(wxWindow* parent, const EventPanelFeatures& features)
{
    auto* panel = new wxPanel(parent, wxID_ANY);
    panel->SetName("plugin_config_panel");
    auto* top = new wxBoxSizer(wxVERTICAL);

    wxArrayString modes;
    modes.Add(features.files ? _("Use a single file") : _("Use the text typed here"));
    modes.Add(_("Use a stimulus list"));
    auto* mode = Named<wxChoice>(panel, "ID_MN_USE_LIST_OR_FILE", wxDefaultPosition, wxDefaultSize, modes);
    mode->SetSelection(0);
    top->Add(Row(panel, _("Stimulus:"), mode), 0, wxEXPAND | wxALL, 5);

    auto* lists = new wxBoxSizer(wxHORIZONTAL);
    lists->Add(Named<wxChoice>(panel, "ID_MN_SELECT_LIST"), 1, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    lists->Add(Named<wxButton>(panel, "ID_BT_EDIT_STIM_LIST", _("Edit List...")), 0, wxRIGHT, 6);
    lists->Add(Named<wxButton>(panel, "ID_BT_CREATE_LIST", _("Create List...")), 0);
    top->Add(lists, 0, wxEXPAND | wxLEFT | wxRIGHT, 5);

    if (features.files) {
        auto* file = new wxBoxSizer(wxHORIZONTAL);
        file->Add(Named<wxButton>(panel, "ID_BT_SELECT_FILE", _("Select File...")), 0, wxRIGHT, 6);
        file->Add(Named<wxStaticText>(panel, "label_stim_file", _("(no file chosen)")), 1, wxALIGN_CENTER_VERTICAL);
        top->Add(file, 0, wxEXPAND | wxALL, 5);
    }
    if (features.text) {
        top->Add(new wxStaticText(panel, wxID_ANY, _("Text:")), 0, wxLEFT | wxRIGHT | wxTOP, 5);
        top->Add(Named<wxTextCtrl>(panel, "text_stimulus", wxEmptyString, wxDefaultPosition, wxSize(320, 80),
                                   wxTE_MULTILINE),
                 1, wxEXPAND | wxALL, 5);
    }
    if (features.segments)
        top->Add(Row(panel, _("Segment separator:"),
                     Named<wxTextCtrl>(panel, "text_segment_character", "\\", wxDefaultPosition, wxSize(60, -1))),
                 0, wxEXPAND | wxALL, 5);
    if (features.wordDuration)
        top->Add(Row(panel, _("Milliseconds per word or segment (16 to 10000):"),
                     Named<wxTextCtrl>(panel, "text_word_duration", "250", wxDefaultPosition, wxSize(80, -1))),
                 0, wxEXPAND | wxALL, 5);

    auto* preview = new wxBoxSizer(wxHORIZONTAL);
    preview->Add(Named<wxCheckBox>(panel, "ID_CB_SHOW_GRID", _("Show a grid in the preview")), 1,
                 wxALIGN_CENTER_VERTICAL);
    preview->Add(Named<wxButton>(panel, "ID_BT_PREVIEW", _("Preview")), 0);
    top->Add(preview, 0, wxEXPAND | wxALL, 5);

    panel->SetSizer(top);
    return panel;
}

StandardEventEditor::StandardEventEditor(VTSdkBaseEditorPageHost* host, const EventPanelFeatures& features)
    : m_Host(host), m_Features(features)
{
    // The preview's run loop starts after the click has been handled: a loop run
    // inside the button's own handler leaves GTK's button holding the pointer.
    if (wxWindow* preview = Find("ID_BT_PREVIEW"))
        preview->Bind(wxEVT_BUTTON, [this, preview](wxCommandEvent&) {
            preview->CallAfter([this] {
                if (m_Host) m_Host->ProcessPreviewEvent(false);
            });
        });
}

wxWindow* StandardEventEditor::Find(const char* name) const
{
    wxWindow* panel = m_Host ? m_Host->GetPanel() : nullptr;
    return panel ? wxWindow::FindWindowByName(name, panel) : nullptr;
}

void StandardEventEditor::TakeSettingsPack(const VTSdkEditorSettingsPack& pack)
{
    VTSdkEventInstance* instance = pack.instance;
    if (!instance) return;
    if (auto* text = dynamic_cast<wxTextCtrl*>(Find("text_stimulus"))) text->ChangeValue(instance->GetStimulusText());
    if (auto* separator = dynamic_cast<wxTextCtrl*>(Find("text_segment_character")))
        separator->ChangeValue(instance->GetSetting(kSegmentCharacter, "\\"));
    if (auto* duration = dynamic_cast<wxTextCtrl*>(Find("text_word_duration")))
        duration->ChangeValue(wxString::Format("%ld", instance->GetSettingNumber(kWordDuration, 250, 16, 10000)));
    UpdateOwnStimulusControls(*instance, 0, false);
}

void StandardEventEditor::WriteStateIntoInstance(VTSdkEventInstance& instance)
{
    if (auto* text = dynamic_cast<wxTextCtrl*>(Find("text_stimulus"))) instance.SetStimulusText(text->GetValue());
    if (auto* separator = dynamic_cast<wxTextCtrl*>(Find("text_segment_character")))
        instance.SetSetting(kSegmentCharacter, separator->GetValue());
    if (auto* duration = dynamic_cast<wxTextCtrl*>(Find("text_word_duration")))
        instance.SetSetting(kWordDuration, duration->GetValue().Strip(wxString::both));
}

bool StandardEventEditor::UpdateOwnStimulusControls(VTSdkEventInstance& instance, int, bool isListEvent)
{
    if (auto* label = dynamic_cast<wxStaticText*>(Find("label_stim_file"))) {
        const auto& files = instance.GetLoadedFiles();
        label->SetLabel(isListEvent     ? wxString(_("(the list's files)"))
                        : files.empty() ? wxString(_("(no file chosen)"))
                                        : wxFileName(files.front()).GetFullName());
    }
    if (wxWindow* text = Find("text_stimulus")) text->Enable(!isListEvent);
    return true;
}

}  // namespace VantrelSDK
