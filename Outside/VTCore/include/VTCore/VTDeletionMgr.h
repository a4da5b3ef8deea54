#pragma once
// Deletes elements together with every link to them, asking the user first when
// told to. It does not mark the experiment modified; callers decide that.

#include <wx/string.h>
#include <functional>
#include <vector>

class wxWindow;

namespace Vantrel {

class Minimal_VTElement;
class VTExperiment;

class VTDeletionMgr
{
public:
    enum RemovalType
    {
        RemovalType_Normal = 0
    };

    VTDeletionMgr(wxWindow* parent, VTExperiment* experiment, Minimal_VTElement* element);
    VTDeletionMgr(wxWindow* parent, VTExperiment* experiment, const std::vector<Minimal_VTElement*>& elements);
    // For deleting the experiment parameter of that name (HandleDeletionOfParameter).
    VTDeletionMgr(wxWindow* parent, VTExperiment* experiment, const wxString& parameterName);
    virtual ~VTDeletionMgr();

    // A locked experiment deletes nothing: the refusal, with the lock's reason, is
    // logged as an error and the result is false.
    // askUser: ask before going on (the answer "no" returns false and changes nothing);
    // doDelete: delete the elements and their links. With doDelete false nothing is
    // deleted: the user is asked whether a change to elements that may be in use
    // goes ahead (a tag set's context), and the answer is returned. True when the
    // elements are gone (or, without doDelete, when the user agreed).
    bool HandleDeletion(RemovalType type, bool askUser, bool doDelete);
    bool HandleDeletion(int type, bool askUser, bool doDelete)
    {
        return HandleDeletion(RemovalType(type), askUser, doDelete);
    }

    // Asks the user, then removes the parameter together with whatever refers to it
    // (actions on it and criteria rows that test it). True when it is gone.
    bool HandleDeletionOfParameter();

    // The question shown to the user for these elements.
    wxString BuildQuestion() const;
    // The question when nothing is deleted, only changed.
    wxString BuildChangeQuestion() const;

    // Replaces the yes/no dialog (tests, scripted runs); null restores the dialog.
    using Answerer = std::function<bool(wxWindow* parent, const wxString& question)>;
    static void SetAnswerer(Answerer answerer);
    // A yes/no question through the answerer or the dialog; true for yes.
    static bool AskUser(wxWindow* parent, const wxString& question);

private:
    // Logs why nothing is deleted when the experiment is locked; true then.
    bool RefusedBecauseLocked() const;
    // One of the two texts: the first takes the element's type and name, the second the count.
    wxString Question(const wxString& aboutOne, const wxString& aboutSeveral) const;

    wxWindow* m_Parent;
    VTExperiment* m_Experiment;
    std::vector<Minimal_VTElement*> m_Elements;
    wxString m_ParameterName;
};

}  // namespace Vantrel
