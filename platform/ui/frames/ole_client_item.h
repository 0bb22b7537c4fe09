// platform/ui/frames/ole_client_item.h: an object made by another program, embedded in a document:
// its bytes are kept unchanged, it is drawn as a placeholder, and it cannot be opened here.
#pragma once

#include "platform/base/geometry.h"
#include "platform/base/object.h"
#include "platform/base/types.h"

#include <string>

class CArchive;
class CDC;
class CDocument;

/// The notices an object sends its item.
enum OLE_NOTIFICATION : int {
    OLE_CHANGED = 0,
    OLE_SAVED = 1,
    OLE_CLOSED = 2,
    OLE_RENAMED = 3,
};

/// An embedded object kept as opaque bytes. No program can serve the object on this system:
/// it is never active, its verbs are refused with a message, and it is drawn as an icon with its
/// caption. Its bytes are written back exactly as they were read, so loading, saving, merging
/// and backing up lose nothing.
class COleClientItem : public CObject {
public:
    explicit COleClientItem(CDocument* container = nullptr);
    ~COleClientItem() override;

    CDocument* GetDocument() const { return m_container; }

    /// Reads the object's bytes: all that the archive holds from its position on. FALSE when
    /// nothing could be read.
    BOOL ReadItemFlat(CArchive& archive);
    /// Writes the bytes read by ReadItemFlat, unchanged.
    void WriteItemFlat(CArchive& archive);
    /// Completes the item after ReadItemFlat; TRUE when it holds bytes.
    BOOL FinishCreate(BOOL success);
    /// The object's bytes with their length in front (4 bytes, little-endian).
    virtual void Serialize(CArchive& archive);
    const std::string& GetItemBytes() const { return m_bytes; }

    /// The object's size, which for a placeholder is the item's position rectangle's size.
    BOOL GetExtent(CSize* size) const;
    /// Draws the placeholder fitted into rect: a frame, an icon and the caption.
    BOOL Draw(CDC* dc, const RECT* rect, int aspect = -1);
    /// The text drawn under the icon.
    void SetCaption(std::string caption) { m_caption = std::move(caption); }
    const std::string& GetCaption() const { return m_caption; }

    /// Refuses: shows that objects of other programs cannot be opened on this system. FALSE.
    BOOL DoVerb(LONG verb, void* view = nullptr);
    BOOL IsInPlaceActive() const { return FALSE; }
    /// Nothing is open, so nothing is closed.
    void Close() {}

    /// What the object reports (an OLE_NOTIFICATION); none arrive on this system.
    virtual void OnChange(int notification, DWORD parameter);
    /// TRUE: the new position is taken.
    virtual BOOL OnChangeItemPosition(const CRect& position);
    virtual void OnGetItemPosition(CRect& position);

protected:
    CRect m_position;

private:
    CDocument* m_container;
    std::string m_bytes;
    std::string m_caption;
};

/// The text shown when a verb or an insertion of another program's object is refused.
inline constexpr const char* kOleUnavailableText =
    "Objects of other programs cannot be opened or inserted on this system.";
