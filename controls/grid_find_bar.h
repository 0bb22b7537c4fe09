// controls/grid_find_bar.h: the bar above a tree grid with the edits a user types a name, a
// second text or a record id into, and F3 to find the next match.
#pragma once

#include "controls/find_bar_edit.h"
#include "controls/find_bar_layout.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/windows/wnd.h"

#include <string>
#include <vector>

class CTreeGrid;

/// Built from a find-bar template (345 to 348) as a child of the grid, and deleted with its
/// window. It reports each edit's changes and F3 to the grid. A bar narrower than its template
/// narrows its edits so that every control stays inside it.
class CGridFindBar : public CWnd, private CFindBarEditListener {
public:
    explicit CGridFindBar(CTreeGrid& grid);

    /// Makes the bar's window from the dialog template; false when there is no such template or
    /// it lacks one of the three edits.
    bool Create(UINT templateId);
    /// F3: searches with the text of the edit editId, else of the edit with the focus, else of
    /// the first one not empty (name, second text, record id). False when there is none.
    bool FindNext(int editId);
    /// The narrowest the bar can be with every control inside it, its edits at their least width.
    int GetLeastWidth() const;
    /// The width the template gives the bar, every edit at its full width.
    int GetTemplateWidth() const;
    /// The edit that had the focus last; 0 before any.
    int GetLastFocused() const { return m_lastFocused; }
    CFindBarEdit* GetEdit(int id);
    /// Empties the three edits without a search (the list they searched went).
    void Clear();

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnKeyDown(UINT virtKey, UINT repeatCount, UINT flags) override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnPaint() override;
    void OnSize(UINT type, int cx, int cy) override;
    void PostNcDestroy() override;

private:
    struct Label {
        std::string text;
        CRect rect;
    };
    /// A shown label or edit at its template's place: the edit, or the label's index.
    struct Placed {
        CRect rect;
        CFindBarEdit* edit = nullptr;
        std::size_t label = 0;
    };

    /// The labels and edits at their template's places, left to right.
    std::vector<FindBarItem> TemplateItems() const;
    bool OnEditKeyDown(CFindBarEdit* edit, UINT virtKey) override;
    /// The edit that gains the focus becomes the last focused.
    void OnEditSetFocus(CFindBarEdit* edit) override;

    CTreeGrid& m_grid;
    CFindBarEdit m_textEdit{this};
    CFindBarEdit m_idEdit{this};
    CFindBarEdit m_text2Edit{this};
    std::vector<Label> m_labels;
    /// Left to right.
    std::vector<Placed> m_placed;
    /// The narrowest an edit becomes in a narrow bar.
    int m_minEditWidth = 0;
    CFont m_font;
    int m_lastFocused = 0;
    /// Set while Clear empties the edits: their changes search nothing.
    bool m_clearing = false;
};
