#include <VTCore/VTDeletionMgr.h>
#include <VTCore/VTElements.h>
#include <VTCore/VTExperiment.h>

#include <wx/intl.h>
#include <wx/log.h>
#include <wx/msgdlg.h>

#include <algorithm>
#include <utility>

namespace Vantrel {

namespace {

VTDeletionMgr::Answerer& CurrentAnswerer()
{
    static VTDeletionMgr::Answerer answerer;
    return answerer;
}

bool Ask(wxWindow* parent, const wxString& question)
{
    if (CurrentAnswerer()) return CurrentAnswerer()(parent, question);
    wxMessageDialog dialog(parent, question, _("Delete"), wxYES_NO | wxNO_DEFAULT | wxICON_QUESTION);
    return dialog.ShowModal() == wxID_YES;
}

}  // namespace

VTDeletionMgr::VTDeletionMgr(wxWindow* parent, VTExperiment* experiment, Minimal_VTElement* element)
    : m_Parent(parent), m_Experiment(experiment)
{
    if (element) m_Elements.push_back(element);
}

VTDeletionMgr::VTDeletionMgr(wxWindow* parent, VTExperiment* experiment,
                             const std::vector<Minimal_VTElement*>& elements)
    : m_Parent(parent), m_Experiment(experiment)
{
    for (Minimal_VTElement* el : elements)
        if (el && std::find(m_Elements.begin(), m_Elements.end(), el) == m_Elements.end()) m_Elements.push_back(el);
}

VTDeletionMgr::VTDeletionMgr(wxWindow* parent, VTExperiment* experiment, const wxString& parameterName)
    : m_Parent(parent), m_Experiment(experiment), m_ParameterName(parameterName)
{}

VTDeletionMgr::~VTDeletionMgr() = default;

void VTDeletionMgr::SetAnswerer(Answerer answerer) { CurrentAnswerer() = std::move(answerer); }

bool VTDeletionMgr::AskUser(wxWindow* parent, const wxString& question) { return Ask(parent, question); }

wxString VTDeletionMgr::Question(const wxString& aboutOne, const wxString& aboutSeveral) const
{
    if (m_Elements.size() == 1) {
        const Minimal_VTElement* el = m_Elements.front();
        return wxString::Format(aboutOne, el->GetTypeName(true).Lower(), el->GetName());
    }
    return wxString::Format(aboutSeveral, unsigned(m_Elements.size()));
}

wxString VTDeletionMgr::BuildQuestion() const
{
    return Question(_("Delete the %s \"%s\"? Everything that uses it will no longer refer to it."),
                    _("Delete these %u elements? Everything that uses them will no longer refer to them."));
}

wxString VTDeletionMgr::BuildChangeQuestion() const
{
    return Question(_("The %s \"%s\" may be in use elsewhere in the experiment. Go ahead with the change?"),
                    _("These %u elements may be in use elsewhere in the experiment. Go ahead with the change?"));
}

bool VTDeletionMgr::RefusedBecauseLocked() const
{
    wxString reason;
    if (!m_Experiment->IsLocked(reason)) return false;
    wxLogError("%s %s", Question(_("The %s \"%s\" cannot be deleted."), _("These %u elements cannot be deleted.")),
               reason);
    return true;
}

bool VTDeletionMgr::HandleDeletion(RemovalType, bool askUser, bool doDelete)
{
    if (!m_Experiment || m_Elements.empty()) return false;
    if (!doDelete) return !askUser || Ask(m_Parent, BuildChangeQuestion());
    // Checked before the question: a locked experiment is not offered a deletion it cannot have.
    if (RefusedBecauseLocked()) return false;
    if (askUser && !Ask(m_Parent, BuildQuestion())) return false;

    // One pass over the experiment for all of them; a tag set takes its tags along.
    const bool allGone = m_Experiment->DeleteElementsAndTheirLinks(m_Elements);
    m_Elements.clear();
    return allGone;
}

bool VTDeletionMgr::HandleDeletionOfParameter()
{
    if (!m_Experiment || !m_Experiment->GetParameters()->NameAlreadyExists(m_ParameterName)) return false;
    wxString reason;
    if (m_Experiment->IsLocked(reason)) {
        wxLogError("%s %s", wxString::Format(_("The parameter \"%s\" cannot be deleted."), m_ParameterName), reason);
        return false;
    }
    const wxString question = wxString::Format(
        _("Delete the parameter \"%s\"? Rule and feedback actions on it and criteria that test it are removed; a "
          "rule left without criteria then always acts."),
        m_ParameterName);
    if (!Ask(m_Parent, question)) return false;
    return m_Experiment->DeleteParameterAndItsReferences(m_ParameterName);
}

}  // namespace Vantrel
