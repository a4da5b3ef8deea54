#pragma once
// Queries about the presentation window that runs and previews show.

#include <wx/gdicmn.h>
#include <wx/string.h>

#include "VTPlugInCommon/VTSdkExport.h"

namespace VantrelSDK {

class VTSDK_API VTPresenter
{
public:
    VTPresenter();
    virtual ~VTPresenter();

    // The run that ended last was cancelled (Escape confirmed, or an input device failed to start).
    virtual bool WasLastRunCanceled() const;
    // A run or a preview shows the presentation window now.
    virtual bool IsVisible() const;
    // The display the presentation covers, in pixels.
    virtual int GetScreenWidth() const;
    virtual int GetScreenHeight() const;

    // Used without a run by the participant-input preview: show the window, draw
    // labelled rectangles, ask whether the participant confirmed Escape, take it down.
    // The runtime library installs the real window behind these; without it they do nothing.
    virtual void StartPresentation(bool fullScreen, bool showGrid);
    virtual void AddLabelledRectangle(const wxRect& rect, const wxString& label);
    virtual bool UserConfirmedEscapeKeyPress();
    virtual void TerminatePresentation();

    // The runtime records the outcome of each run here.
    void SetLastRunCanceled(bool canceled) { m_LastRunCanceled = canceled; }
    void SetVisible(bool visible) { m_Visible = visible; }
    // Why the last run failed (its data file could not be written, it could not start);
    // empty when it completed or the participant cancelled it. A failed run also
    // counts as cancelled.
    const wxString& GetLastRunFailure() const { return m_LastRunFailure; }
    void SetLastRunFailure(const wxString& why) { m_LastRunFailure = why; }

private:
    bool m_LastRunCanceled = false;
    bool m_Visible = false;
    wxString m_LastRunFailure;
};

// Never null: the process's presenter. The runtime library replaces the plain one.
VTSDK_API VTPresenter* GetPresenter();
// The runtime library installs its presenter (not owned; must outlive its use).
VTSDK_API void InstallPresenter(VTPresenter* presenter);

}  // namespace VantrelSDK
