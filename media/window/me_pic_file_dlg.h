// media/window/me_pic_file_dlg.h: the file picker of the Insert Pictures, Other Multimedia and
// Document commands, with a panel that asks how the file is stored and attached and, for
// pictures, shows a preview of the file.
#pragma once

#include "platform/base/geometry.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/dialogs/file_dialog.h"
#include "records/properties/record_page.h"

#include <string>

class CDataNode;
class CMePicFileDlg;

/// The part of the preview area a picture of that size is drawn in: at its own size when it
/// fits, else fitted keeping its proportions; centred either way. Empty for an empty picture.
CRect PreviewPlacement(CSize picture, const RECT& area);

/// The first name of the picker's text: a quoted name (several chosen names come quoted) with
/// its quotes removed, else the whole text, blanks and all.
std::string FirstChosenName(const std::string& text);

/// The panel (template 236): storage and attachment options and the preview.
class CMePicFilePanel final : public CDialog {
public:
    static constexpr int kStorageGroupId = 1271, kStoreLinkId = 1225, kEmbedId = 1226,
                         kLinkedRecordId = 1227, kUnlinkedId = 1231, kFieldId = 1228,
                         kPreviewAreaId = 1230, kPreviewId = 1229;

    explicit CMePicFilePanel(CMePicFileDlg& owner);
    /// Repaints the preview area.
    void RefreshPreview();
    /// The drawing area of the preview, inside its frame (client coordinates).
    CRect GetPreviewRect() const;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    /// Paints the preview area: its frame, its background, and the picture of the file.
    void DrawPreview(CDC& dc, const CRect& client);
    void OnStorageClicked();
    void OnInsertClicked(int id);

    CMePicFileDlg& m_owner;
    CRect m_area;
    CPictureAreaWnd m_previewWnd{[this](CDC& dc, const CRect& client) { DrawPreview(dc, client); }};
};

/// The caller sets what is possible and the current record, runs the dialog, and after OK
/// reads the chosen files and m_insertAs and m_storage. Embedding is never returned together
/// with a field: the panel refuses that combination as it is chosen.
class CMePicFileDlg final : public CFileDialog {
public:
    enum InsertAs : int { kLinkedRecord = 0, kUnlinkedRecord = 1, kField = 2 };
    enum Storage : int { kStoreLink = 0, kEmbedCopy = 1 };

    CMePicFileDlg(BOOL openFileDialog, const char* defaultExt, const char* fileName, DWORD flags,
                  const char* filter, CWnd* parent = nullptr);

    BOOL m_canField = FALSE;
    BOOL m_canLinkRecord = FALSE;
    int m_insertAs = kUnlinkedRecord;
    CDataNode* m_pContext = nullptr;
    int m_storage = kStoreLink;
    BOOL m_preview = FALSE;
    /// The file whose preview is shown.
    std::string m_path;
    /// Other multimedia: other wording, no preview.
    BOOL m_otherMedia = FALSE;

    /// In Other Multimedia mode the picker is titled for it.
    int DoModal() override;
    /// The first chosen name becomes the previewed file.
    void OnFileNameChange(const std::string& current) override;
    CMePicFilePanel& GetOptionsPanel() { return m_panel; }

private:
    CMePicFilePanel m_panel;
};
