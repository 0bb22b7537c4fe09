// media/window/me_display_pane.h: the right half of the Multimedia window: the caption bar with
// the shown object's title, date and note, and the picture window below it.
#pragma once

#include "media/window/me_picture_wnd.h"
#include "platform/ui/dialogs/dialog.h"
#include "records/datactl/data_ctl_date.h"
#include "records/datactl/data_ctl_multi.h"

#include <string>

class CDataNode;
class CMediaItem;
class CSubViewMedia;

/// The caption bar (template 303): the title, date and note fields of the shown object's
/// holder, the title in the template's edit, the date and the note in the data controls that
/// take the places of the template's edits (the date with its assistant, the note with its
/// long-text dialog). A value is stored when its control loses the focus or the bar is filled
/// again; an emptied value leaves its field empty.
class CMeCaptionBar final : public CDialog, public IDataCtlOwner {
public:
    static constexpr int kTitleId = 1465, kDateId = 1433, kNoteId = 1434, kDateLabelId = 1467;

    /// Shows the holder's fields (null empties the bar); the edits of another holder are stored
    /// first, and an edit being typed for the same holder is left as it is.
    void Fill(CDataNode* holder);
    /// Stores the edits the user changed.
    void Commit();
    CDataNode* GetHolder() const { return m_holder; }
    CDataCtlDate& GetDateCtl() { return m_date; }
    CDataCtlEditMulti& GetNoteCtl() { return m_note; }

    // The data controls' owner.
    void OnCtlKillFocus(CDataCtl* control, CWnd* newFocus, BOOL forced) override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnPaint() override;
    /// The title and the note take the width the bar has; the date keeps its width at the right.
    void OnSize(UINT type, int cx, int cy) override;
    void OnOK() override {}
    void OnCancel() override {}

private:
    /// The places the template gives the title, the date's label and control, and the note.
    struct Layout {
        CRect title, dateLabel, date, note;
        int margin = 0; // the note's gap to the right edge
    };
    void LayOut(int width);

    /// A data control and the text it was last filled with: a text that differs is the user's.
    struct DataField {
        CDataCtl* control;
        int fieldId;
        std::string shown;
    };
    /// Replaces the template's edit of that id by the control, in its place.
    bool PlaceControl(CDataCtl& control, int id, UINT flags);
    static std::string TextOf(CDataCtl& control);

    CDataNode* m_holder = nullptr;
    Layout m_layout;
    CDataCtlDate m_date;
    CDataCtlEditMulti m_note;
    DataField m_fields[2] = {{&m_date, 0, {}}, {&m_note, 0, {}}};
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
