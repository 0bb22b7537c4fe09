// records/datactl/data_ctl_edit.h: the data controls that are single-line edits: text, personal
// names and numbers.
#pragma once

#include "platform/ui/dialogs/edit.h"
#include "records/datactl/data_ctl.h"

/// A one-line text. Keys (F5 aside) and left-button clicks are first offered to the owner. Text
/// pasted with line breaks stays on one line, each break a blank.
class CDataCtlEdit : public TDataCtlWnd<CEdit> {
public:
    CDataCtlEdit() = default;
    ~CDataCtlEdit() override { EndWindow(); }

    BOOL CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node, UINT id,
                   IDataCtlOwner* owner, CDataPath* path, UINT flags) override;
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
/// behaviour (nothing is offered to the owner first).
class CDataCtlNumber final : public CDataCtlEdit {
public:
    BOOL CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node, UINT id,
                   IDataCtlOwner* owner, CDataPath* path, UINT flags) override;

protected:
    bool OffersKeysToOwner() const override { return false; }
    void OnChar(UINT character, UINT repeatCount, UINT flags) override;
    void OnLButtonDown(UINT flags, CPoint point) override { CEdit::OnLButtonDown(flags, point); }
    void OnLButtonUp(UINT flags, CPoint point) override { CEdit::OnLButtonUp(flags, point); }
};
