// diagrams/window/tree_opts_dlg.h: the Diagram Options sheet: six pages over a working copy of a
// diagram's settings block (or of the defaults), "Save as default" beside OK, and its print-only
// form for Page Setup.
//
// Its pages (tree_opts_main, _text, _pics, _titles, _print, _dims, over the shared tree_opts_page)
// each hand their sections to the edited block and, when "Save as default" is ticked or no window
// is given, to the default block and the profile. It asks the one whose block it edits through
// IDiagramOptionsTarget (diagrams/diagram_options_target.h) and the window's zoom through
// IDiagramOptionsWindow.
//
// Trap: a page edits the working copy in place, so a refused value may stay there until Cancel
// takes the applied copy back.
#pragma once

#include "diagrams/diagram_settings.h"
#include "diagrams/window/tree_opts_dims.h"
#include "diagrams/window/tree_opts_main.h"
#include "diagrams/window/tree_opts_pics.h"
#include "diagrams/window/tree_opts_print.h"
#include "diagrams/window/tree_opts_text.h"
#include "diagrams/window/tree_opts_titles.h"

#include "platform/ui/dialogs/property_sheet.h"

#include <memory>
#include <vector>

class CButton;
class IDiagramOptionsTarget;

/// What the sheet asks of the diagram window it was opened from, beyond the target: its zoom,
/// which the Dimensions page keeps or puts back.
class IDiagramOptionsWindow {
public:
    virtual ~IDiagramOptionsWindow() = default;
    virtual int GetScaleDivisor() const = 0;
    virtual void SetScale(int divisor) = 0;
};

/// The pages edit the working copy; the applied copy holds what OK or Apply last handed over,
/// and Cancel takes each page's sections back from it. A page hands its sections to the target
/// (which takes them into the edited block), and, when IsSaveAsDefault holds, to the default block
/// and the profile as well. With a window the sheet shows "Save as default" (181) beside OK;
/// without one (the defaults are being edited) every applied page is saved to the profile.
class CTreeOptsDlg final : public CPropertySheet {
public:
    static constexpr int kSaveAsDefaultId = 181;
    // The pages in tab order.
    enum Page : UINT { kGeneralPage, kTextPage, kPicturesPage, kTitlesPage, kPrintPage, kDimsPage };

    /// printOnly: the Print page alone (Page Setup). window: null when editing the defaults.
    CTreeOptsDlg(const char* caption, const CDiagramSettings& settings,
                 IDiagramOptionsTarget& target, CWnd* parent, UINT startPage, bool printOnly,
                 IDiagramOptionsWindow* window, bool saveAsDefault);
    ~CTreeOptsDlg() override;

    /// True when editing the defaults, else the state of "Save as default".
    bool IsSaveAsDefault() const;

    CDiagramSettings& Working() { return m_working; }
    CDiagramSettings& Applied() { return m_applied; }
    /// The block edited, as its target holds it; the target takes the sections handed back.
    const CDiagramSettings& Edited() const { return m_edited; }
    IDiagramOptionsTarget& Target() { return m_target; }
    IDiagramOptionsWindow* Window() const { return m_window; }

    /// Copies sections from the working copy into the applied copy and hands them to the target;
    /// with IsSaveAsDefault, copies defaultSections into the default block and saves them to the
    /// profile (a failed save says so; memory keeps the values).
    void ApplySections(const std::vector<int>& sections, const std::vector<int>& defaultSections);
    /// Copies sections from the working copy into the default block and saves them.
    void SaveAsDefault(const std::vector<int>& sections);

    CTreePageMain& GeneralPage() { return m_main; }
    CTreePageText& TextPage() { return m_text; }
    CTreePageDims& DimensionsPage() { return m_dims; }

protected:
    /// Adds "Save as default" on OK's row when there is a window.
    BOOL OnInitDialog() override;

private:
    const CDiagramSettings& m_edited;
    IDiagramOptionsTarget& m_target;
    IDiagramOptionsWindow* m_window;
    bool m_saveAsDefaultStart;
    CDiagramSettings m_working;
    CDiagramSettings m_applied;
    std::unique_ptr<CButton> m_saveAsDefault;
    CTreePageMain m_main;
    CTreePageText m_text;
    CTreePagePics m_pics;
    CTreePageTitles m_titles;
    CTreePagePrint m_print;
    CTreePageDims m_dims;
};
