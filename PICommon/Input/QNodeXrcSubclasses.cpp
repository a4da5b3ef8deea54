// Lets the panel layout name the toolkit's choice book as a subclass of
// wxChoicebook: the toolkit's class has no wx class information of its own.
// The plug-in library stays loaded for the life of the process, so the factory
// may stay registered.

#include "UserInterface/OrbiskChoiceBookWithHiddenCtrl.h"

#include <wx/xrc/xmlres.h>

namespace VantrelSDK {
namespace {

class QNodeXrcSubclassFactory : public wxXmlSubclassFactory {
public:
    wxObject* Create(const wxString& className) override
    {
        if (className == "Orbisk::OrbiskChoiceBookWithHiddenCtrl")
            return new Orbisk::OrbiskChoiceBookWithHiddenCtrl();
        return nullptr;
    }
};

struct Registration {
    Registration() { wxXmlResource::AddSubclassFactory(new QNodeXrcSubclassFactory); }
} registration;

}  // namespace
}  // namespace VantrelSDK
