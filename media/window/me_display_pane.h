// media/window/me_display_pane.h: the right half of the Multimedia window: the caption bar with
// the shown object's title, date and note, and the picture window below it.
#pragma once

#include "media/window/me_picture_wnd.h"
#include "platform/ui/dialogs/dialog.h"

class CDataNode;
class CMediaItem;
class CSubViewMedia;

/// The caption bar (template 303): three edits for the title, date and note fields of the
/// shown object's holder. An edit is stored when the edit loses the focus or the bar is filled
/// again; an emptied value leaves its field empty.
class CMeCaptionBar final : public CDialog {
public:
    static constexpr int kTitleId = 1465, kDateId = 1433, kNoteId = 1434;

    /// Shows the holder's fields (null empties the bar); the edits of another holder are stored
    /// first, and an edit being typed for the same holder is left as it is.
    void Fill(CDataNode* holder);
    /// Stores the edits the user changed.
    void Commit();
    CDataNode* GetHolder() const { return m_holder; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    CDataNode* m_holder = nullptr;
};

class CMeDisplayPane final : public CWnd {
public:
    BOOL Create(CWnd* parent, UINT id, CSubViewMedia* view);

    /// Shows the object: the caption bar its holder's fields, the picture window the object.
    void SetDisplayRecord(CMediaItem* object);
    void ClearDisplayPane();
    void ToggleCaptionBar();
    bool IsCaptionBarVisible() const { return m_captionVisible; }

    CMeCaptionBar& GetCaptionBar() { return m_caption; }
    CMePictureWnd& GetPictureWnd() { return m_picture; }

protected:
    void OnSize(UINT type, int cx, int cy) override;
    BOOL OnEraseBkgnd(CDC* dc) override;

private:
    void LayOut();

    CMeCaptionBar m_caption;
    CMePictureWnd m_picture;
    CSubViewMedia* m_view = nullptr;
    bool m_captionVisible = true;
};
