// queries/window/qry_general_wnd.h: the query window's General tab: the record type a query
// selects, its read-only mark, its description and its print details.
#pragma once

#include "queries/window/qry_pane.h"

class CFieldDef;

/// Made from template 204. Only a custom query that is not read-only can have its type and texts
/// changed; the orientation and multi-page lists take changes on every query, which a standard
/// or read-only query keeps in memory. A change of record type on a query with columns or rows is
/// asked about once until the tab shows again (Cancel puts the entry back; a change clears the
/// columns and rows). The read-only mark of a custom query is written to its file at once. The
/// tab also sets the caption above the tabs: the query's kind, or "<No Query>" without a query.
class CQryGenWnd final : public CQryPane {
public:
    static constexpr int kTypeList = 1180, kReadOnly = 1182, kDescription = 1132, kTitle = 1185,
                         kSubtitle = 1187, kOrientation = 1104, kMultiPage = 1105;

    explicit CQryGenWnd(CSubViewQuery& window);
    ~CQryGenWnd() override;

    /// Fills every control from the window's query.
    void LoadFromQuery();
    /// Forgets that a change of type was agreed to and selects the query's record type.
    void ReloadType();
    /// The record type chosen in the list; null when none.
    const CFieldDef* GetRecordType() const { return m_recordType; }
    /// Stores the description, title and subtitle where they were changed; always true.
    bool CommitEdits();
    /// Selects "Landscape" or "Portrait".
    void SetOrientationSel(bool landscape);

protected:
    int OnCreate(CREATESTRUCT* createStruct) override;

private:
    void MapHandlers();
    void SetAnchors(const CRect& design);
    void OnTypeChosen();
    /// Selects the type's entry (none when it has none), keeps it and lets the window apply it.
    void SelectType(const CFieldDef* type);
    void OnReadOnlyClicked();
    void OnPrintListChosen(int id);
    void OnTextChanged();
    /// Stores the edit's text in the query when the user changed it.
    void StoreText(int id);

    bool m_typeConfirmed = false;
    const CFieldDef* m_recordType = nullptr;
    bool m_loading = false;
};
