// records/datactl/data_ctl_edit.h: the data controls that are single-line edits: text, personal
// names and numbers.
#pragma once

#include "platform/ui/dialogs/edit.h"
#include "records/datactl/data_ctl.h"

/// A one-line text, read-only from the start when its field's definition is. Keys (F5 aside) and
/// left-button clicks are first offered to the owner. Text
/// pasted with line breaks stays on one line, each break a blank. While read-only it paints its
/// text grey on the read-only brush (when one is set) and shows the arrow cursor.
class CDataCtlEdit : public TDataCtlWnd<CEdit> {
public:
    CDataCtlEdit() = default;
    ~CDataCtlEdit() override { EndWindow(); }

    BOOL CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node, UINT id,
                   IDataCtlOwner* owner, std::unique_ptr<CDataPath> path, UINT flags) override;
    void Clear() override { SetWindowText(""); }
    void SetReadOnly(BOOL readOnly) override;
    BOOL IsReadOnly() const override { return m_readOnly; }
    BOOL IsEmpty() const override { return GetWindowTextLength() == 0; }
    void Cut() override { CEdit::Cut(); }
    void Copy() override { CEdit::Copy(); }
    void Paste() override;

    bool GetValueText(std::string& text) override;
    void SetValueText(std::string_view text) override;
    void SelectValueText(int start, int end) override { SetSel(start, end); }
    void ClearModified() override { SetModify(FALSE); }

protected:
    bool OffersKeysToOwner() const override { return true; }
    /// Whether the read-only look (grey text, brush, arrow) applies.
    virtual bool ShowsReadOnlyLook() const { return true; }
    BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result) override;
    void OnLButtonDown(UINT flags, CPoint point) override;
    void OnLButtonUp(UINT flags, CPoint point) override;

private:
    bool m_readOnly = false;
};

/// A personal name: before every commit the text takes the program's normalised form (the
/// surname between slashes).
class CDataCtlName final : public CDataCtlEdit {
public:
    void CommitEdit() override;
};

/// A number: the keys type only digits, ".", "-" and Backspace. It keeps the base key and focus
/// behaviour (nothing is offered to the owner first) and the edit's usual read-only look.
class CDataCtlNumber final : public CDataCtlEdit {
public:
    BOOL CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node, UINT id,
                   IDataCtlOwner* owner, std::unique_ptr<CDataPath> path, UINT flags) override;

protected:
    bool OffersKeysToOwner() const override { return false; }
    bool ShowsReadOnlyLook() const override { return false; }
    void OnChar(UINT character, UINT repeatCount, UINT flags) override;
    void OnLButtonDown(UINT flags, CPoint point) override { CEdit::OnLButtonDown(flags, point); }
    void OnLButtonUp(UINT flags, CPoint point) override { CEdit::OnLButtonUp(flags, point); }
};
