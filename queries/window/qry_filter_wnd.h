// queries/window/qry_filter_wnd.h: the base of the Rows pane's filter editors: what an editor
// asks of the pane, the condition combo every editor shares, the changed mark and the enabling
// of the controls.
#pragma once

#include "controls/dialog_template_builder.h"
#include "platform/base/log_font.h"
#include "queries/window/button_face_pane.h"

#include <memory>
#include <vector>

class CAvFilter;
class CComboBox;
class CObject;
class CQueryDef;
class CView;

// The editors' child ids inside the Rows pane.
inline constexpr UINT kFilterWndGenId = 121, kFilterWndListId = 122, kFilterWndRelsId = 123;

/// The condition combo of every editor's template.
inline constexpr int kFilterConditionCombo = 1142;
/// The condition combo's entries in order.
inline constexpr const char* kFilterConditionTexts[4] = {"Add if...", "Add unless...",
                                                         "Exclude if...", "Exclude unless..."};

/// The condition entry for a row's two flags: 0 add if, 1 add unless, 2 exclude if, 3 exclude
/// unless.
constexpr int FilterConditionIndex(bool exclude, bool unless)
{
    return (exclude ? 2 : 0) + (unless ? 1 : 0);
}

/// The two flags of a condition entry; an index outside 0 to 3 (no entry chosen) is "Add if".
constexpr void FilterConditionFlags(int index, bool& exclude, bool& unless)
{
    const bool valid = index >= 0 && index <= 3;
    exclude = valid && index >= 2;
    unless = valid && index % 2 == 1;
}

/// Whether a query's filters may be changed: a custom query that is not read-only.
bool IsQueryEditable(const CQueryDef* query);

/// What an editor asks of the Rows pane that owns it.
class IQryRowsPane {
public:
    /// The row selected in the pane's list and loaded into the editors; null when none.
    virtual CAvFilter* GetCurrentFilter() const = 0;
    /// The query the pane edits; null when the window shows none.
    virtual CQueryDef* GetCurrentQuery() const = 0;
    /// Enables Add and Update for what the shown editor holds now.
    virtual void UpdateButtons() = 0;
    /// The font the editors lay their templates out with.
    virtual const LOGFONT& GetPaneFont() const = 0;

protected:
    ~IQryRowsPane() = default;
};

/// One filter editor: a child window of the Rows pane whose controls come from a dialog template
/// laid out with the pane's font, its combo boxes stretching with the window, its background the
/// button face. Every edit of a control sets the changed mark; loading a row clears it.
class CQryFilterWnd : public CButtonFacePane {
public:
    /// Makes the editor, hidden, as child id of parent at rect.
    BOOL Create(CWnd* parent, const RECT& rect, UINT id);

    /// The condition combo's choice as a row's two flags.
    virtual void GetCondition(bool& exclude, bool& unless) const;
    /// Selects the condition entry of the two flags.
    virtual void SetCondition(bool exclude, bool unless);
    /// Fills lists that follow the query (the columns the expression may name) again.
    virtual void RefreshChoices() = 0;
    /// Shows the pane's current row when it is of the editor's kind, else the editor's defaults;
    /// clears the changed mark and enables the controls for the query (EnableForQuery).
    virtual void LoadFilter() = 0;
    /// Whether the controls hold enough to make a row.
    virtual bool IsComplete() const = 0;
    /// Fills a row from the controls: row itself when it is of the editor's kind (result stays
    /// empty), else a new row in result. False, with row and result untouched, when the
    /// controls cannot make a row or the user declined.
    virtual bool SaveFilter(CAvFilter* row, std::unique_ptr<CAvFilter>& result) = 0;
    /// A change notice of the document, passed on from the query window.
    virtual void OnDataChanged(CView* sender, LPARAM hint, CObject* object) = 0;

    /// Enables every control but the static texts, or disables them.
    virtual void EnableControls(bool enable);
    /// EnableControls for whether the pane's query may be changed.
    void EnableForQuery();

    bool IsChanged() const { return m_changed; }
    void SetChanged(bool changed) { m_changed = changed; }
    IQryRowsPane& GetPane() const { return m_pane; }

protected:
    CQryFilterWnd(IQryRowsPane& pane, UINT templateId, const char* className);

    /// Builds the template's controls; -1 when the template is missing or a control fails.
    int OnCreate(CREATESTRUCT* createStruct) override;
    /// Handles a change of the condition combo (OnEdited); other commands go to the base.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    /// Called once the template's controls exist and are anchored; false fails the creation.
    virtual bool OnControlsCreated(const CDlgTemplateBuilder& builder);
    /// An edit of one of the controls: sets the changed mark and updates the pane's buttons.
    virtual void OnEdited();

    /// The combo box with the id, or null.
    CComboBox* GetCombo(int id) const;
    CDlgLayout& GetLayout() { return m_layout; }

private:
    IQryRowsPane& m_pane;
    UINT m_templateId;
    const char* m_className;
    bool m_changed = false;
};

/// The three editors of the Rows pane's tabs.
enum class FilterEditorKind { General, Relations, List };

/// Makes the editor of a kind for the pane, not yet created as a window.
std::unique_ptr<CQryFilterWnd> NewFilterEditor(FilterEditorKind kind, IQryRowsPane& pane);
