// records/datactl/data_ctl_enum.h: the data controls that choose an enumerated value: a
// drop-down list, the sex list with its check, and an editable drop-down.
#pragma once

#include "platform/ui/dialogs/combo_box.h"
#include "records/datactl/data_ctl.h"

/// The most rows an open enumeration list shows.
inline constexpr int kEnumMaxRows = 12;
/// The rows an open list of count values shows.
int EnumListRows(int count);

class CDataCtlEnumBase;

/// The combo box inside an enumeration control; it reports its focus to the control.
class CDataCtlCombo final : public CComboBox {
public:
    explicit CDataCtlCombo(CDataCtlEnumBase& control) : m_control(control) {}

protected:
    void OnSetFocus(CWnd* oldWnd) override;
    void OnKillFocus(CWnd* newWnd) override;

private:
    CDataCtlEnumBase& m_control;
};

/// A borderless container filled by its combo box (same id), which holds the bound field's
/// enumerated values in definition order.
class CDataCtlEnumBase : public TDataCtlWnd<CWnd> {
public:
    CDataCtlEnumBase() = default;
    ~CDataCtlEnumBase() override { EndWindow(); }

    BOOL CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node, UINT id,
                   IDataCtlOwner* owner, std::unique_ptr<CDataPath> path, UINT flags) override;
    void Clear() override { m_combo.SetCurSel(-1); }

    CComboBox& GetCombo() { return m_combo; }
    /// The selected index, -1 for none.
    int GetCurSel() const { return m_combo.GetCurSel(); }

    bool GetListSelection(int& position) override;
    void SetListSelection(int position) override;
    int GetListCount() override { return m_combo.GetCount(); }

protected:
    friend class CDataCtlCombo;
    virtual DWORD ComboStyle() const = 0;
    virtual void OnComboSetFocus() { NotifySetFocus(); }
    virtual void OnComboKillFocus(CWnd* next) { NotifyKillFocus(next); }
    /// The user chose another value.
    virtual void OnSelChange() {}
    /// The list closed.
    virtual void OnCloseUp() { CommitForced(); }

    bool OwnFocusReports() const override { return false; }
    void OnSetFocus(CWnd* oldWnd) override;
    /// The combo box keeps filling the container.
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

    CDataCtlCombo m_combo{*this};
};

/// A drop-down list; read-only is the window disabled.
class CDataCtlEnum : public CDataCtlEnumBase {
public:
    void SetReadOnly(BOOL readOnly) override { m_combo.EnableWindow(!readOnly); }
    BOOL IsReadOnly() const override { return !m_combo.IsWindowEnabled(); }
    BOOL IsEmpty() const override { return m_combo.GetCurSel() < 0; }

protected:
    DWORD ComboStyle() const override { return CBS_DROPDOWNLIST; }
};

/// The sex: first entry male (0), second female (1). A change the record refuses (a spouse in
/// a family keeps the sex) is reported in a message box and the stored value comes back.
class CDataCtlSex final : public CDataCtlEnum {
public:
    /// 0 selects the first entry, 1 the second, anything else clears the selection.
    void SetSex(int sex);
    /// 0, 1, or 2 with no selection.
    int GetSex() const;
    void SetListSelection(int position) override;

protected:
    void OnSelChange() override;

private:
    int m_shown = -1; // the selection the control last agreed to
};

/// An editable drop-down. Its focus loss is reported once the focus has settled (a posted
/// message), and not at all while the focus stays inside it; closing its list stores.
class CDataCtlEnumEdit final : public CDataCtlEnumBase {
public:
    BOOL IsEmpty() const override { return m_combo.GetWindowTextLength() == 0; }
    bool GetValueText(std::string& text) override;
    void SetValueText(std::string_view text) override { m_combo.SetWindowText(std::string(text)); }

protected:
    DWORD ComboStyle() const override { return CBS_DROPDOWN | CBS_AUTOHSCROLL; }
    void OnComboKillFocus(CWnd* next) override;
    void OnCloseUp() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool m_committing = false;
};
