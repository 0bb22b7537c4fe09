// platform/ui/drawing/gdi_object.h: the common base of pens, brushes, fonts and bitmaps, and the
// stock objects every device context starts from.
#pragma once

#include "platform/base/object.h"
#include "platform/base/types.h"

using HGDIOBJ = const void*;
/// A brush's handle (CGdiObject::GetSafeHandle of a CBrush).
using HBRUSH = HGDIOBJ;

/// An object is empty until one of its Create calls succeeds, and empty again after
/// DeleteObject. A device context keeps what it needs of a selected object, except a bitmap,
/// which must outlive its selection.
class CGdiObject : public CObject {
public:
    ~CGdiObject() override = default;
    /// Non-null while the object holds something.
    HGDIOBJ GetSafeHandle() const { return m_created ? this : nullptr; }
    BOOL DeleteObject();

protected:
    CGdiObject() = default;
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    void MarkCreated() { m_created = true; }
    /// Frees what the object holds; called by DeleteObject.
    virtual void ReleaseContents() {}

private:
    bool m_created = false;
};

inline constexpr int WHITE_BRUSH = 0, LTGRAY_BRUSH = 1, GRAY_BRUSH = 2, DKGRAY_BRUSH = 3,
                     BLACK_BRUSH = 4, NULL_BRUSH = 5, HOLLOW_BRUSH = NULL_BRUSH, WHITE_PEN = 6,
                     BLACK_PEN = 7, NULL_PEN = 8, OEM_FIXED_FONT = 10, ANSI_FIXED_FONT = 11,
                     ANSI_VAR_FONT = 12, SYSTEM_FONT = 13, SYSTEM_FIXED_FONT = 16,
                     DEFAULT_GUI_FONT = 17;

/// The shared stock object; null for an unknown index. Stock objects are never deleted.
CGdiObject* GetStockObject(int index);
