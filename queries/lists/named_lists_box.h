// queries/lists/named_lists_box.h: the box that lists the named lists with their item counts,
// shared by the named-lists pane and the Select Named List dialog.
#pragma once

#include "controls/col_box.h"

class CNamedList;

/// One row per named list in chain order, its columns "Named List" and "Items"; a title click
/// sorts by name without regard to case or by count, lower first. Texts are read when painted,
/// so a repaint shows counts that changed. Its user is told of selection and focus changes and
/// of the Delete key.
class CNamedListsBox final : public CColBox, private CColBoxOwner {
public:
    class IListener {
    public:
        virtual ~IListener() = default;
        virtual void OnListsBoxSelChanged() {}
        virtual void OnListsBoxFocus() {}
        /// The Delete key was pressed in the box.
        virtual void OnListsBoxDeleteKey() {}
    };

    /// The box with its two columns, the name column three quarters of the width.
    BOOL Create(const RECT& rect, CWnd* parent, UINT id, IListener* listener);

    /// One row per list in chain order; the row of keep is selected again when it is still
    /// there. Returns the number of rows.
    int Fill(CNamedList* keep);
    /// The list of the selected row; null when none.
    CNamedList* GetSelectedList() const;
    /// Selects the row of list (null: none); true when it has one.
    bool SelectList(CNamedList* list);
    void RemoveList(CNamedList* list);
    CTreeBoxNode* FindRow(const CNamedList* list) const;

protected:
    /// The name column keeps three quarters of the width.
    void OnSize(UINT type, int cx, int cy) override;

private:
    void SetColumnWidths(int width);
    void OnSelChanged(CColBox*) override;
    void OnSetFocus(CColBox*) override;
    bool OnKeyDown(CColBox*, UINT virtKey, UINT repeatCount, UINT flags) override;
    std::string GetItemText(CColBox*, CTreeBoxNode* node, std::uintptr_t data, int column,
                            bool measure, CDC* dc, CSize* size) override;
    bool OnColumnClick(CColBox*, int column) override;
    int Compare(CColBox*, std::uintptr_t first, std::uintptr_t second) override;

    IListener* m_listener = nullptr;
    int m_sortColumn = 0;
    bool m_filling = false;
};
