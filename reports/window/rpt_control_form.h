// reports/window/rpt_control_form.h: the report window's control form: page number, spinner and
// scroll bar, zoom, Two Pages, the records on the page shown, and the command buttons.
//
// The records on the page shown are a column box (CColBox) made over the template's hidden
// placeholder; a double click runs the opener the application installs, its properties box. Buttons
// that pass a short form's bottom are hidden, Close first. The spinner steps a whole page (or
// spread) at a time.
#pragma once

#include "controls/col_box.h"
#include "platform/ui/dialogs/dialog.h"

#include <functional>
#include <string>
#include <vector>

class CRecordNode;
class CSubViewReport;

/// The records list is a column box (IDC_RPT_LIST) made over the template's hidden placeholder.
class CRptControlForm final : public CDialog, private CColBoxOwner {
public:
    explicit CRptControlForm(CSubViewReport& view);
    ~CRptControlForm() override;

    BOOL Create(CWnd* parent);
    BOOL OnInitDialog() override;

    void UpdatePageInfo();
    void UpdateScroll();
    void UpdatePageLabel();
    /// The zoom box's text for the window's zoom, then the records list refilled.
    void UpdateZoomText();
    void RefillRecords();
    /// Says so and answers true when there is no report or it has no records.
    bool CheckReportEmpty();
    /// A change notice: deleted records leave the list; a reload empties it.
    void OnRecordsChanged(LPARAM hint, CObject* object);
    /// A zoom typed or chosen; text that is no zoom changes nothing.
    void ApplyZoomText(const std::string& text);
    void ZoomIn();
    void ZoomOut();
    void OnRebuild();
    void OnRecords();
    /// The Save Report As pop-up under its button, after the checks.
    void OnSaveReportAs();
    /// Hides the last buttons (Close first) that do not fit a short form.
    void LayoutButtons(int height);

    const std::vector<CRecordNode*>& GetListedRecords() const { return m_records; }
    CRecordNode* GetSelectedRecord() const;
    CColBox& GetRecordsList() { return m_list; }
    /// What a double click on a listed record does (the application's properties box).
    static void SetRecordOpener(std::function<void(CRecordNode*)> opener);
    static bool HasRecordOpener();

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnVScroll(UINT code, UINT pos, CScrollBar* bar) override;
    void OnHScroll(UINT code, UINT pos, CScrollBar* bar) override;
    void OnSize(UINT type, int cx, int cy) override;
    /// Enter applies the typed zoom; the form never closes by Enter or Escape.
    void OnOK() override;
    void OnCancel() override;

private:
    bool OnDoubleClick(CColBox* box, CTreeBoxNode* node, int part) override;
    /// Refills the list's rows from m_records.
    void ShowRecords();
    void OnPageScroll(UINT code, UINT pos);
    void OnSpin(int screen);

    CSubViewReport& m_view;
    std::vector<CRecordNode*> m_records;
    CColBox m_list;
    CRect m_listRect;
};
