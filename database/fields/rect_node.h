// database/fields/rect_node.h: a rectangle on a picture (the frame of a multimedia frame note).
#pragma once

#include "database/nodes/data_node.h"
#include "platform/base/geometry.h"

#include <string>
#include <string_view>

/// A rectangle field. Its text form is "{top,left,bottom,right}"; it is never empty and is
/// always written. It has no data control: it is shown in none and takes nothing from one.
class CRectNode : public CDataNode {
public:
    const CRuntimeClass* GetRuntimeClass() const override;

    CDataCtl* ShowInControl(CWnd* parent, const RECT& rect, IDataCtlOwner* owner, DWORD style,
                            UINT id, DWORD flags) override;
    bool UpdateFromControl(CDataCtl* control, bool save, bool notify) override;
    /// The text form; with label, after the field's label and ": ".
    bool GetText(std::string& text, int withLabel) const override;
    /// The text form alone, whatever the format, cut to the buffer.
    int GetTextBuf(char* buffer, int size, int format) const override;
    /// Reads the text form; anything malformed leaves the empty rectangle. Always true.
    bool SetText(std::string_view text) override;
    /// From another rectangle node; marks the node changed.
    CDataNode* CopyValueFrom(const CDataNode* other) override;
    bool IsEqual(const CDataNode* other, const void* options) const override;
    /// "3 _FRAME {20,10,40,30}", then the children.
    bool WriteGedcom(int level, std::string& line) const override;

    const CRect& GetRect() const { return m_rect; }
    /// Stores the rectangle and marks the node changed, unless it is already the same.
    void SetRect(const RECT& rect);

private:
    CRect m_rect;
};
