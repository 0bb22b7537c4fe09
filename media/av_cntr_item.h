// media/av_cntr_item.h: the OLE item through which a multimedia object holds another program's
// object: its rectangle, its change notices, and its file form.
#pragma once

#include "database/multimedia/media_content.h"
#include "platform/ui/frames/ole_client_item.h"

#include <string>

/// An OLE item of a multimedia object. Its bytes are kept unchanged (see COleClientItem); it is
/// drawn as a placeholder with the proportions of its rectangle.
class CAvCntrItem final : public COleClientItem, public IMediaContent {
public:
    explicit CAvCntrItem(CDocument* container = nullptr);

    const CRuntimeClass* GetRuntimeClass() const override;

    /// The base's bytes, then the rectangle as four 32-bit little-endian numbers (left, top,
    /// right, bottom).
    void Serialize(CArchive& archive) override;
    /// Changed (0) or saved (1) marks the item modified; every notice is broadcast as
    /// kHintItemChanged with the item and the modified flag.
    void OnChange(int notification, DWORD parameter) override;
    /// Takes the rectangle and broadcasts kHintItemMoved with modify; FALSE, changing nothing and
    /// sending nothing, when the base refuses.
    BOOL OnChangeItemPosition(const CRect& position) override;
    void OnGetItemPosition(CRect& position) override;

    /// Draws into rect shrunk to the proportions of the item's rectangle (see FitRectToAspect).
    BOOL DrawItem(CDC* dc, const RECT& rect, bool widthOnly);
    /// Writes the item's bytes into the existing file at path, which is cut to their length.
    /// FALSE when the file does not exist or cannot be written.
    BOOL WriteToFile(const char* path);
    /// Reads the item's bytes from the file. FALSE when it cannot be opened or read.
    BOOL ReadFromFile(const char* path);

    const CRect& GetRect() const { return m_rect; }
    bool IsModified() const { return m_modified; }

    // IMediaContent.
    CSize GetExtent() const override { return m_rect.Size(); }
    bool Draw(CDC& dc, const RECT& target, const RECT* source) override;
    bool IsChanged() const override { return m_modified; }
    bool WriteToFile(const std::string& path) override;

private:
    CRect m_rect{10, 10, 210, 210};
    bool m_modified = false;
};
