// records/properties/record_page.h: one page of the record properties box, built from a dialog
// template whose placeholder statics become data controls, a record grid or a picture area.
#pragma once

#include "records/datactl/data_ctl.h"
#include "records/grid/tag_grid.h"
#include "records/properties/prop_history.h"

#include "platform/ui/dialogs/property_page.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

class CDataNode;
class CMediaItem;
class CObject;
class CPropertiesDlg;
class CView;

/// What a placeholder's text asks for.
enum class PlaceholderKind {
    None,         // a label, or a placeholder a derived page handles itself
    Field,        // "~path": a data control
    Compact,      // "F~path": a data control in its compact form
    Growing,      // "G~path": a compact data control that grows with the page
    Large,        // "L~path": a data control shown in the large box only
    LargeCompact, // "M~path": a compact data control shown in the large box only
    Grid,         // "<TAGGRID>"
    Picture,      // "<PICTURE>"
};

struct Placeholder {
    PlaceholderKind kind = PlaceholderKind::None;
    /// The data path after the prefix, for the data control kinds.
    std::string path;
};

/// Reads a placeholder text: case counts, and texts of fewer than two characters are labels.
Placeholder ParsePlaceholder(std::string_view text);

/// A child window over a page's picture area, painted by its draw function in its own client
/// coordinates. A page's own surface is drawn by the dialog layer and never reaches OnPaint, so a
/// page shows a picture through one of these.
class CPictureAreaWnd final : public CWnd {
public:
    using Draw = std::function<void(CDC& dc, const CRect& client)>;
    explicit CPictureAreaWnd(Draw draw) : m_draw(std::move(draw)) {}

protected:
    void OnPaint() override;
    BOOL OnEraseBkgnd(CDC*) override { return TRUE; }

private:
    Draw m_draw;
};

/// A page is made by the box for a template, built (its controls made) at its first display and
/// loaded from the box's record then and each time the box shows another record of the type.
/// Every data control is bound to its data path, never to a node: each load and commit finds
/// the field again in the record shown, so an edit never reaches a field deleted meanwhile.
class CRecordPage : public CPropertyPage, public IDataCtlOwner {
public:
    explicit CRecordPage(UINT templateId);
    ~CRecordPage() override;

    void SetBox(CPropertiesDlg* box) { m_box = box; }
    CPropertiesDlg* GetBox() const { return m_box; }
    bool IsBuilt() const { return m_built; }

    // The page's part in the box, in the order the box calls them.
    /// Right after the page was added to the box; the base does nothing.
    virtual void OnPageAdded() {}
    /// Fills the controls from the box's record; state is a position to go back to (the
    /// history's), which the base ignores.
    virtual void LoadFromRecord(const CPageState& state);
    /// After a change notice; FALSE tells the box the page can no longer show its record.
    virtual BOOL Refresh(CView* sender, LPARAM hint, CObject* object);
    virtual void SetLargeMode(bool large);
    /// Gives the focus to the first data control.
    virtual void SetFocusFirst();
    /// The focus for a page the box has just shown; the base's is SetFocusFirst, but for a
    /// note's page, whose text takes the focus.
    virtual void FocusDefault();
    /// The field the control edits in the box's record (the grid's selected field on the All
    /// page); null when there is none.
    virtual CDataNode* GetNodeForControl(CDataCtl* control);
    /// Where the page stands, for the history; the base's are all zero.
    virtual void GetFirstPageState(CPageState& state) const;
    virtual void GetPageState(CPageState& state) const;
    /// Stores the pending edit of the focused control through the box.
    virtual void CommitEdits();

    /// The commit of one field: finds it in the box's record, making the record (for a new
    /// one) and the missing fields when the control is not empty, and stores the value.
    virtual void OnDataCtlEdit(CDataCtl* control, CWnd* newFocus, BOOL forced);

    // IDataCtlOwner.
    void OnCtlDestroyed(CDataCtl* control) override;
    void OnCtlKillFocus(CDataCtl* control, CWnd* newFocus, BOOL forced) override;
    BOOL CanChangeField(CDataCtl* control, int fieldId, std::string& message) override;

    BOOL OnSetActive() override;

    /// Draws the picture of item (none: "No picture") fitted into rect, or into the page's
    /// picture rectangle without one, cut to crop when given; item stays locked as the picture
    /// shown until another replaces it.
    void DrawPicture(CDC& dc, CMediaItem* item, const RECT* crop, const RECT* rect);

    const std::vector<CDataCtl*>& GetDataControls() const { return m_controls; }
    const std::vector<CDataCtl*>& GetLargeOnlyControls() const { return m_largeOnly; }
    CTagGrid* GetGrid() const { return m_grid.get(); }
    CDataCtl* GetGrowingControl() const { return m_growing; }
    bool HasPicture() const { return m_hasPicture; }
    bool IsLarge() const { return m_large; }
    const CRect& GetPictureRect() const { return m_pictureRect; }

protected:
    BOOL OnInitDialog() override;
    void OnDestroy() override;
    BOOL OnEraseBkgnd(CDC* dc) override;
    void OnPaint() override;
    void OnSize(UINT type, int cx, int cy) override;

    /// Builds the controls from the placeholders, loading when load is enabled.
    void BuildControls();
    /// Derived pages switch loading off while the base builds and load themselves afterwards.
    void SetLoadEnabled(bool enabled) { m_loadEnabled = enabled; }
    bool IsLoadEnabled() const { return m_loadEnabled; }
    /// The record the box shows; null for a new record or no box.
    CRecordNode* GetRecord() const;
    /// The first data control whose path ends at a field of that id; null when none.
    CDataCtl* FindControlByField(int fieldId) const;
    /// Forgets the picture shown (unlocking it), so that the next paint takes the current one.
    void DropPicture();
    /// The picture the page shows for the record: a multimedia record's own object, else the
    /// record's first linked picture; null when none.
    CMediaItem* FindRecordPicture() const;
    /// Whether the page is going away (its window ending); commits are ignored meanwhile.
    bool IsClosing() const { return m_closing; }
    /// A child window's rectangle in the page's client coordinates.
    CRect ChildRect(const CWnd& child) const;
    /// The rectangle of the child with that id in the page's client coordinates; empty when the
    /// page has no such child.
    CRect ChildRect(int id) const;
    /// Makes a new record of the box's type (the box shows a record not stored yet); null when
    /// it cannot be made.
    CRecordNode* CreateRecordOfBoxType() const;
    /// The field a data control shows and edits in record: the one its path names (null when
    /// the record has none), unless a page stands another field in for it.
    virtual CDataNode* FindControlField(CDataCtl& control, CRecordNode& record);

private:
    bool MakeDataControl(CWnd& placeholder, const Placeholder& what);
    void MakeGrid(CWnd& placeholder);
    void ApplyPageHeight();

    CPropertiesDlg* m_box = nullptr;
    std::vector<CDataCtl*> m_controls;
    std::vector<CDataCtl*> m_largeOnly;
    std::unique_ptr<CTagGrid> m_grid;
    bool m_built = false;
    bool m_activated = false;
    bool m_loadEnabled = true;
    bool m_hasPicture = false;
    CRect m_pictureRect;
    int m_pictureGap = 0;
    CMediaItem* m_shownPicture = nullptr;
    CDataCtl* m_growing = nullptr;
    int m_growingGap = 0;
    UINT m_nextId = 0;
    bool m_closing = false;
    bool m_large = false;
};
