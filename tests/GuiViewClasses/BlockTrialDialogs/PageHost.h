#pragma once
// A plain frame that hosts one editor page at a time, as the block and trial
// editors will, with an experiment for the pages to read.

#include "PageControls.h"
#include "TestSupport.h"

#include <Resources/EmbeddedResources.h>

#include <VTCore/VTExperiment.h>
#include <VTPlugInCommon/VTListViews.h>

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/checkbox.h>
#include <wx/frame.h>
#include <wx/image.h>
#include <wx/notebook.h>
#include <wx/xrc/xmlres.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>

#include <memory>

class PageHost : public ::testing::Test
{
protected:
    void SetUp() override
    {
        static bool resources = false;
        if (!resources) {
            // The dialogs the pages open are laid out by the program's resources.
            wxInitAllImageHandlers();
            wxXmlResource::Get()->InitAllHandlers();
            wxXmlResource::Get()->InsertHandler(new Vantrel::VTListViewXmlHandler);
            Init_bitmaps_XRC();
            Init_ui_db_XRC();
            resources = true;
        }
        TestSupport::ClearLog();
        experiment = std::make_unique<Vantrel::VTExperiment>();
        frame = new wxFrame(nullptr, wxID_ANY, "Pages", wxPoint(0, 0), wxSize(1000, 900));
        book = new wxNotebook(frame, wxID_ANY);
        frame->SetSizer(new wxBoxSizer(wxVERTICAL));
        frame->GetSizer()->Add(book, 1, wxEXPAND);
        frame->Show();
    }
    void TearDown() override
    {
        frame->Destroy();
        TestSupport::PumpFor(20);
        experiment.reset();
    }

    // Makes the page (built with `Parent()` as its parent) a tab of the frame's
    // notebook, as the editors hold their pages, and shows it.
    wxWindow* Parent() { return book; }
    template <class Page>
    Page* Host(Page* page)
    {
        book->AddPage(page, wxString::Format("%zu", book->GetPageCount()), true);
        frame->Layout();
        TestSupport::PumpUntil([&] { return page->IsShownOnScreen(); });
        Settle();
        return page;
    }
    // Shows the tab that holds the window.
    void Reveal(wxWindow* window)
    {
        while (window && window->GetParent() != book) window = window->GetParent();
        const int index = window ? book->FindPage(window) : wxNOT_FOUND;
        if (index != wxNOT_FOUND && book->GetSelection() != index) book->SetSelection(size_t(index));
        Settle();
    }

    static void Settle()
    {
        wxTheApp->ProcessIdle();
        TestSupport::PumpFor(40);
        wxTheApp->ProcessIdle();
    }

    template <class T>
    T* Find(wxWindow* page, int id)
    {
        return PageControls::Find<T>(page, id);
    }
    bool On(wxWindow* page, int id) { return PageControls::On(page, id); }
    bool Enabled(wxWindow* page, int id)
    {
        Settle();
        wxWindow* w = page->FindWindow(id);
        return w && w->IsEnabled();
    }
    // A real click on the control, as the user does it.
    void Click(wxWindow* page, int id)
    {
        wxWindow* w = page->FindWindow(id);
        ASSERT_NE(w, nullptr) << id;
        ASSERT_TRUE(w->IsEnabled()) << id << " is not offered";
        Reveal(w);
        TestSupport::ClickWindow(w);
        Settle();
    }

    std::unique_ptr<Vantrel::VTExperiment> experiment;
    wxFrame* frame = nullptr;
    wxNotebook* book = nullptr;
};
