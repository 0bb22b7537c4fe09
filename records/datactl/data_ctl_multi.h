// records/datactl/data_ctl_multi.h: the multi-line text, address and file-name data controls:
// an edit with a side button that opens the larger text dialog, or the file picker.
#pragma once

#include "records/datactl/data_ctl_box.h"

#include <string>

/// A multi-line text in an edit beside a button that opens the text in the long-text dialog.
/// The normal form has a one-line edit and a 16-pixel button; the compact form (creation flags
/// 2) a multi-line edit with a vertical scroll bar and an 8-pixel button. Enter puts a line
/// break into the edit.
class CDataCtlEditMulti : public CDataCtlBox {
public:
    CDataCtlEditMulti() = default;
    ~CDataCtlEditMulti() override { EndWindow(); }

    BOOL CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node, UINT id,
                   IDataCtlOwner* owner, std::unique_ptr<CDataPath> path, UINT flags) override;
    void Clear() override { SetValueText(""); }
    /// Read-only: the edit; the button stays enabled while there is text to read.
    void SetReadOnly(BOOL readOnly) override;
    BOOL OnEnterKey() override;

    void SetText(const std::string& text) { SetValueText(text); }
    std::string GetText();
    /// The title of the text dialog (else the field's label, else "Note").
    void SetLabelText(std::string label) { m_label = std::move(label); }
    bool IsCompact() const { return m_compact; }
    void SetFrameless(bool frameless) { m_frameless = frameless; }

    /// The side button: the text in the long-text dialog; on OK it replaces the edit's text
    /// and is stored.
    void OnTextButton();

protected:
    void OnButton(int /*index*/) override { OnTextButton(); }

    std::string m_label;

private:
    bool m_frameless = false;
    bool m_compact = false;
};

/// An address: a multi-line text whose dialog is titled "Address".
class CDataCtlAddress final : public CDataCtlEditMulti {
public:
    CDataCtlAddress() { m_label = "Address"; }
};

/// A file name in a one-line edit (id+1) beside a browse button (id+2) that picks an existing
/// file.
class CDataCtlFile final : public CDataCtlEditMulti {
public:
    BOOL CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node, UINT id,
                   IDataCtlOwner* owner, std::unique_ptr<CDataPath> path, UINT flags) override;
    /// Read-only: the edit, and the browse button disabled.
    void SetReadOnly(BOOL readOnly) override { SetEditAndButtonReadOnly(readOnly); }
    void OnBrowse();

protected:
    void OnButton(int /*index*/) override { OnBrowse(); }
};
