// The "Folder Location" page of the options dialog: four modes of the preferred
// data folder, the folder string that stands for it, and the checks on OK.
//   mode 0 "$(V)"          the experiment's folder
//   mode 1 "$(V)/name"     a folder inside it
//   mode 2 a path          chosen with the folder chooser
//   mode 3 the configuration's "/LastExperimentRun/last_saved_results_dir"
// The update passes keep the string, the radios and the field consistent; they
// are also run before storing, since a page that is not on screen gets none.

#include "VTOptionsDlg.h"

#include "OptionsDlgPage.h"
#include "OptionsDlgValues.h"

#include <UserInterface/OrbiskChoiceBookWithHiddenCtrl.h>
#include <VTCore/VTExperiment.h>
#include <VTRuntime/VTDataFolder.h>

#include <wx/button.h>
#include <wx/config.h>
#include <wx/dirdlg.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/panel.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/statbox.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

namespace Vantrel {

wxPanel* VTOptionsDlg::CreateFolderPage(wxWindow* book)
{
    const auto addControls = [&](wxWindow* page, wxSizer* sizer) {
        auto* modes = new wxStaticBoxSizer(
            new wxStaticBox(page, wxID_ANY, _("Preferred Folder for Saving the Collected Data: ")), wxVERTICAL);
        wxWindow* box = modes->GetStaticBox();
        const wxSizerFlags row = wxSizerFlags().Border(wxALL, 3);
        m_FolderPrevious =
            new wxRadioButton(box, ID_FOLDER_PREVIOUS, _("The same folder that I specified the previous time"),
                              wxDefaultPosition, wxDefaultSize, wxRB_GROUP);
        m_FolderPrevious->SetValue(true);
        m_FolderExperiment =
            new wxRadioButton(box, ID_FOLDER_EXPERIMENT, _("The same folder where my experiment file is"));
        m_FolderSub = new wxRadioButton(box, ID_FOLDER_SUB, _("A folder within my experiment's folder  (recommended)"));
        modes->Add(m_FolderPrevious, row);
        modes->Add(m_FolderExperiment, row);
        modes->Add(m_FolderSub, row);
        auto* nameRow = new wxBoxSizer(wxHORIZONTAL);
        nameRow->AddSpacer(20);
        nameRow->Add(new wxStaticText(box, wxID_STATIC, _("Folder name:")),
                     wxSizerFlags().CentreVertical().Border(wxALL, 3));
        m_FolderName = new wxTextCtrl(box, ID_FOLDER_NAME, wxString());
        nameRow->Add(m_FolderName, wxSizerFlags(1).Border(wxALL, 3));
        modes->Add(nameRow, wxSizerFlags().Expand());
        auto* anotherRow = new wxBoxSizer(wxHORIZONTAL);
        m_FolderAnother = new wxRadioButton(box, ID_FOLDER_ANOTHER, _("Another folder"));
        anotherRow->Add(m_FolderAnother, wxSizerFlags().CentreVertical().Border(wxALL, 3));
        anotherRow->Add(new wxButton(box, ID_SELECT_FOLDER, _("Select Folder...")), row);
        modes->Add(anotherRow);
        sizer->Add(modes, wxSizerFlags().Expand().Border(wxALL, 5));

        auto* path = new wxStaticBoxSizer(new wxStaticBox(page, wxID_ANY, _("Path: ")), wxVERTICAL);
        m_FolderPath = new wxTextCtrl(path->GetStaticBox(), ID_FOLDER_PATH, wxString());
        path->Add(m_FolderPath, wxSizerFlags().Expand().Border(wxALL, 3));
        sizer->Add(path, wxSizerFlags().Expand().Border(wxALL, 5));
    };
    return new OptionsDlgPage(book, ID_PANEL_FOLDER, "wxPanel panel_options_saving_folder", addControls);
}

// ---------------------------------------------------------------- modes

wxString VTOptionsDlg::FolderReference() const
{
    return "$(" + (m_FolderVariable ? m_FolderVariable->GetName() : VTExperiment::ExperimentFolderVariableName()) + ")";
}

wxString VTOptionsDlg::FolderVariableValue() const
{
    wxString value;
    if (m_FolderVariable) m_FolderVariable->GetValueAsText(value, 0);
    return value;
}

int VTOptionsDlg::SelectedFolderMode() const
{
    if (m_FolderExperiment->GetValue()) return VTSaveDataOptions::ExperimentFolder;
    if (m_FolderSub->GetValue()) return VTSaveDataOptions::SubFolderOfExperiment;
    if (m_FolderAnother->GetValue()) return VTSaveDataOptions::AnotherFolder;
    return VTSaveDataOptions::PreviousFolder;
}

void VTOptionsDlg::SelectFolderMode(int mode)
{
    switch (mode) {
        case VTSaveDataOptions::ExperimentFolder: m_FolderExperiment->SetValue(true); break;
        case VTSaveDataOptions::SubFolderOfExperiment: m_FolderSub->SetValue(true); break;
        case VTSaveDataOptions::AnotherFolder: m_FolderAnother->SetValue(true); break;
        case VTSaveDataOptions::PreviousFolder: m_FolderPrevious->SetValue(true); break;
        default: break;  // an unknown mode leaves the radios as they are
    }
}

void VTOptionsDlg::ComposeMode0()
{
    m_FolderString = FolderReference();
    m_Folder = wxFileName::DirName(FolderVariableValue());
}

void VTOptionsDlg::ComposeMode1()
{
    const wxString separator(wxFileName::GetPathSeparator());
    m_FolderString = FolderReference() + separator + m_FolderName->GetValue();
    m_Folder = wxFileName::DirName(FolderVariableValue() + separator + m_FolderName->GetValue());
}

void VTOptionsDlg::ComposeMode3()
{
    // A missing key keeps the previous folder string. This page never writes the key.
    wxString previous;
    if (wxConfigBase* config = wxConfigBase::Get(); config && config->Read(VTDataFolder::kPreviousFolderKey, &previous))
        m_FolderString = previous;
    m_Folder = wxFileName(m_FolderString);
}

void VTOptionsDlg::ApplySelectFolderUpdate()
{
    if (m_FolderExperiment->GetValue()) ComposeMode0();
    m_FolderPath->ChangeValue(m_FolderString);
}

void VTOptionsDlg::ApplySavePathUpdate()
{
    if (m_FolderPrevious->GetValue()) {
        ComposeMode3();
    } else {
        if (m_FolderSub->GetValue()) {
            ComposeMode1();
            m_FolderPath->ChangeValue(m_FolderString);
        }
        if (m_FolderPath->GetValue() != m_FolderString) UpdateFolderBasedOnString(m_FolderString);
    }
    if (m_FolderPath->GetValue() != m_FolderString) m_FolderPath->ChangeValue(m_FolderString);
}

void VTOptionsDlg::OnUpdateSelectFolder(wxUpdateUIEvent& event)
{
    ApplySelectFolderUpdate();
    event.Enable(m_FolderAnother->GetValue());
}

void VTOptionsDlg::OnUpdateSavePath(wxUpdateUIEvent&) { ApplySavePathUpdate(); }

// The update passes that follow every event do the work of a mode change.
void VTOptionsDlg::OnSelectFolderPrevious(wxCommandEvent&) { m_FolderPrevious->SetValue(true); }
void VTOptionsDlg::OnSelectFolderAnother(wxCommandEvent&) { m_FolderAnother->SetValue(true); }
void VTOptionsDlg::OnSelectFolderExperiment(wxCommandEvent&) { m_FolderExperiment->SetValue(true); }
void VTOptionsDlg::OnSelectFolderSubExperiment(wxCommandEvent&) { m_FolderSub->SetValue(true); }

void VTOptionsDlg::OnUserUpdatedTextCtrl(wxCommandEvent&)
{
    if (m_FolderName && m_FolderSub && !m_FolderName->GetValue().empty()) m_FolderSub->SetValue(true);
}

void VTOptionsDlg::OnSelectFolder(wxCommandEvent&)
{
    wxDirDialog chooser(this, _("Please select a folder:"), wxString(), wxDD_DEFAULT_STYLE);
    if (chooser.ShowModal() == wxID_OK) UpdateFolderBasedOnString(chooser.GetPath());
}

bool VTOptionsDlg::UpdateFolderBasedOnString(const wxString& text)
{
    using OptionsDlgValues::FolderString;
    m_FolderString = text;
    const wxString variableName =
        m_FolderVariable ? m_FolderVariable->GetName() : VTExperiment::ExperimentFolderVariableName();
    const FolderString parts =
        OptionsDlgValues::InterpretFolderString(text, variableName, wxFileName::GetPathSeparator());
    switch (parts.kind) {
        case FolderString::Path:
            m_FolderName->SetValue(wxString());
            m_FolderAnother->SetValue(true);
            m_Folder = wxFileName::DirName(text);
            m_FolderPath->ChangeValue(text);
            return true;
        case FolderString::Empty:
            m_FolderName->SetValue(wxString());
            m_FolderString = FolderReference();
            m_FolderExperiment->SetValue(true);
            break;
        case FolderString::ExperimentFolder:
            m_FolderExperiment->SetValue(true);
            m_FolderName->SetValue(wxString());
            break;
        case FolderString::SubFolder:
            m_FolderSub->SetValue(true);
            m_FolderName->SetValue(parts.subFolder);
            break;
        case FolderString::Unrecognised: break;  // radios and field stay as they are
    }
    m_Folder = wxFileName::DirName(FolderVariableValue() + wxString(wxFileName::GetPathSeparator()) +
                                   m_FolderName->GetValue());
    m_FolderPath->ChangeValue(m_FolderString);
    return true;
}

// ---------------------------------------------------------------- loading, storing, checking

void VTOptionsDlg::LoadFolder()
{
    const VTSaveDataOptions& options = m_Experiment->GetSaveDataOptions();
    m_FolderString = options.GetExpandedFolder(m_Experiment);
    m_Folder = wxFileName::DirName(m_FolderString);
    m_FolderPath->ChangeValue(m_FolderString);
    m_FolderName->SetValue(options.m_SubFolderName.GetFullPath());
    m_FolderVariable = m_Experiment->GetMutableFolderPathVariable(VantrelVariable::FolderPathID);
    SelectFolderMode(options.m_FolderMode);
}

void VTOptionsDlg::StoreFolder()
{
    VTSaveDataOptions& options = m_Experiment->GetSaveDataOptions();
    options.m_FolderMode = SelectedFolderMode();
    options.m_SubFolderName = wxFileName(m_FolderName->GetValue());
    options.m_Folder = wxFileName(m_FolderString);
}

void VTOptionsDlg::ReturnToFolderPage()
{
    SelectPage(PageFolder);
    m_FolderName->SetFocus();
}

bool VTOptionsDlg::CheckFolderBeforeStoring()
{
    const int mode = SelectedFolderMode();
    const bool inExperimentFolder =
        mode == VTSaveDataOptions::ExperimentFolder || mode == VTSaveDataOptions::SubFolderOfExperiment;
    if (!m_Experiment->IsSavedToFile() && inExperimentFolder) {
        wxMessageBox(_("Your experiment has not yet been saved.  The preferred data folder option that you selected "
                       "will not take effect until the experiment is saved."),
                     wxString(), wxOK | wxICON_INFORMATION, nullptr);
        return true;
    }
    if (m_Folder.DirExists() || mode == VTSaveDataOptions::PreviousFolder) return true;
    const wxString fullPath = m_Folder.GetFullPath();
    if (wxFileName::FileExists(m_Folder.GetPath())) {
        wxLogMessage(_("The folder that you selected \"") + fullPath + _("\" could not be used; ") +
                     _("a file already exists at this location.\n\nPlease choose another folder."));
        ReturnToFolderPage();
        return false;
    }
    const int answer = wxMessageBox(_("The directory \"") + fullPath +
                                        _("\" does not exist.\n\nWould you like Vantrel to create it now?"),
                                    _("Please Confirm"), wxYES_NO | wxCANCEL | wxICON_QUESTION | wxCENTRE, this);
    if (answer == wxCANCEL) return false;
    // After a yes the folder must really be there; otherwise stay on the page.
    if (answer == wxYES && !m_Folder.Mkdir(0755, wxPATH_MKDIR_FULL)) {
        wxLogError(_("The folder \"%s\" could not be created."), fullPath);
        ReturnToFolderPage();
        return false;
    }
    return true;
}

}  // namespace Vantrel
