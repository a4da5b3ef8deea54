#pragma once
// A page of the options dialog's book: a generated panel whose controls, in one
// vertical sizer, are added by the dialog, since the dialog keeps them (its
// handlers and its data transfers work on them across pages).

#include <GuiViewClasses/DialogClasses/GeneratedWindow.h>

#include <functional>
#include <utility>

namespace Vantrel {

class OptionsDlgPage : public GeneratedPanel
{
public:
    using AddControls = std::function<void(wxWindow* page, wxSizer* sizer)>;

    OptionsDlgPage(wxWindow* book, wxWindowID id, const wxString& name, AddControls addControls)
        : m_AddControls(std::move(addControls))
    {
        Create(book, id, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, name);
    }

    void CreateControls() override
    {
        auto* sizer = new wxBoxSizer(wxVERTICAL);
        m_AddControls(this, sizer);
        SetSizer(sizer);
        // Called once, while the page is made; what it refers to may not outlive that.
        m_AddControls = nullptr;
    }

private:
    AddControls m_AddControls;
};

}  // namespace Vantrel
