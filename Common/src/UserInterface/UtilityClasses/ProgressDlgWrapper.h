#pragma once
// Progress reporting that only puts up a dialog once the work has taken longer
// than a delay, so quick work never flashes a window.

#include <wx/string.h>

#include <cstdint>

class wxGenericProgressDialog;
class wxWindow;

namespace Orbisk {

class ProgressDlgWrapper
{
public:
    // style: wxPD_* flags of the dialog; a maximum of 0 counts as 1.
    ProgressDlgWrapper(int style, unsigned int delayMs, wxWindow* parent, const wxString& title, unsigned int maximum);
    ~ProgressDlgWrapper();

    ProgressDlgWrapper(const ProgressDlgWrapper&) = delete;
    ProgressDlgWrapper& operator=(const ProgressDlgWrapper&) = delete;

    // After this every update is ignored and TheUserCanceled reports true.
    void HideAndDestroy();

    void UpdateTheMaxRange(int maximum);
    void AddThisMuchMoreToMaxRange(int delta);
    void UpdateItemAndText(int item, const wxString& text);
    void UpdateCurrentItem(int item);
    void AddThisMuchMoreToCurrItemStatus(int delta);
    void UpdateTheText(const wxString& text);

    bool TheUserCanceled() const;
    void Yield_Deprecated_NotForNewCallSites();

    int GetMaximum() const { return m_maximum; }
    int GetCurrentItem() const { return m_currentItem; }
    const wxString& GetCurrentText() const { return m_currentText; }
    bool IsFinished() const { return m_finished; }
    wxGenericProgressDialog* GetDialog_CanReturnNull() const { return m_dialog; }

private:
    void CreateDialogWhenDue();
    int ValueShownForCurrentItem() const;

    bool m_finished;
    wxGenericProgressDialog* m_dialog;
    int m_style;
    std::int64_t m_startTimeMs;
    unsigned int m_delayMs;
    wxString m_title;
    wxWindow* m_parent;
    int m_maximum;
    int m_currentItem;
    wxString m_currentText;
};

}  // namespace Orbisk
