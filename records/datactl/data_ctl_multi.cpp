// records/datactl/data_ctl_multi.cpp: the multi-line text, address and file-name controls.
#include "records/datactl/data_ctl_multi.h"

#include "controls/text_dlg.h"
#include "database/dictionary/field_def.h"
#include "database/multimedia/linked_file_location.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/file_dialog.h"

#include <utility>

namespace {

constexpr const char* kMultiClass = "AV_DataCtlEditMulti";
constexpr const char* kFilter = "All Files (*.*)|*.*||";
constexpr const char* kBrowseTitle = "Select file";
constexpr UINT kCompactFlags = 2;

} // namespace

BOOL CDataCtlEditMulti::CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node,
                                  UINT id, IDataCtlOwner* owner, std::unique_ptr<CDataPath> path,
                                  UINT flags)
{
    m_compact = flags == kCompactFlags;
    BoxSpec spec{kMultiClass, WS_GROUP | WS_TABSTOP | (m_frameless ? 0 : WS_BORDER),
                 2,           ES_AUTOHSCROLL | WS_TABSTOP,
                 1,           {{1, kDataCtlMoreBitmap, 10}}};
    if (m_compact) {
        spec.editStyle = ES_MULTILINE | WS_VSCROLL | ES_WANTRETURN | WS_TABSTOP;
        spec.buttons[0] = {1, kDataCtlMoreNarrowBitmap, 4};
        spec.buttonWidth = kDataCtlButtonWidth / 2;
    }
    return CreateBox(spec, held, rect, parent, node, id, owner, std::move(path), flags);
}

void CDataCtlEditMulti::SetReadOnly(BOOL readOnly)
{
    SetEditReadOnly(readOnly);
    if (CUButton* button = GetButton(0))
        button->EnableWindow(!readOnly || !IsEmpty());
}

BOOL CDataCtlEditMulti::OnEnterKey()
{
    // The one-line form keeps the line feed in its text (shown as a blank), so that a line the
    // user ends with Enter stays a line of its own in the value.
    if (!IsReadOnly())
        m_edit.ReplaceSel(m_compact ? "\r\n" : "\n");
    return TRUE;
}

std::string CDataCtlEditMulti::GetText()
{
    std::string text;
    GetValueText(text);
    return text;
}

void CDataCtlEditMulti::OnTextButton()
{
    CTextDlg dialog(this);
    const CFieldDef* def = GetBoundFieldDef();
    dialog.m_caption = !m_label.empty()                  ? m_label
                       : def && !def->GetLabel().empty() ? def->GetLabel()
                                                         : std::string("Note");
    dialog.m_readOnly = IsReadOnly();
    const std::string text = GetText();
    dialog.m_text = m_compact ? text : ToCrLfLines(text);
    if (!RunDialog(dialog))
        return;
    if (!IsReadOnly())
        SetValueText(m_compact ? dialog.m_text : ToLfLines(dialog.m_text));
    CommitDialogValue(!IsReadOnly());
}

BOOL CDataCtlFile::CreateCtl(BOOL held, const RECT& rect, CWnd* parent, CDataNode* node, UINT id,
                             IDataCtlOwner* owner, std::unique_ptr<CDataPath> path, UINT flags)
{
    constexpr BoxSpec kFileBox{kMultiClass, WS_GROUP | WS_TABSTOP | WS_BORDER | WS_CLIPCHILDREN,
                               1,           ES_AUTOHSCROLL | WS_TABSTOP,
                               1,           {{2, kDataCtlMoreBitmap, 10}}};
    return CreateBox(kFileBox, held, rect, parent, node, id, owner, std::move(path), flags);
}

void CDataCtlFile::OnBrowse()
{
    const std::string current = LinkedFileLocation(GetText());
    CFileDialog dialog(TRUE, nullptr, current.c_str(), OFN_FILEMUSTEXIST | OFN_HIDEREADONLY,
                       kFilter, this);
    dialog.SetTitle(kBrowseTitle);
    if (!RunDialog(dialog))
        return;
    SetValueText(dialog.GetPathName());
    CommitDialogValue(true);
}
