// database/fields/rect_node.cpp: a rectangle on a picture (the frame of a multimedia frame note).
#include "database/fields/rect_node.h"

#include "common/rect_text.h"
#include "database/gedcom/gedcom_line_sink.h"
#include "database/nodes/change_tracking.h"

const CRuntimeClass* CRectNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CRectNode>();
}

CDataCtl* CRectNode::ShowInControl(CWnd*, const RECT&, IDataCtlOwner*, DWORD, UINT, DWORD)
{
    return nullptr;
}

bool CRectNode::UpdateFromControl(CDataCtl*, bool, bool)
{
    return false;
}

bool CRectNode::GetText(std::string& text, int withLabel) const
{
    text.clear();
    if (withLabel && GetFieldDef())
        text = GetFieldDef()->GetLabel() + ": ";
    text += RectToText(m_rect);
    return true;
}

int CRectNode::GetTextBuf(char* buffer, int size, int) const
{
    return CDataNode::GetTextBuf(buffer, size, 0);
}

bool CRectNode::SetText(std::string_view text)
{
    TextToRect(text, m_rect);
    return true;
}

CDataNode* CRectNode::CopyValueFrom(const CDataNode* other)
{
    const auto* rect = dynamic_cast<const CRectNode*>(other);
    if (!rect || rect == this)
        return this;
    m_rect = rect->m_rect;
    MarkChanged(this);
    return this;
}

bool CRectNode::IsEqual(const CDataNode* other, const void*) const
{
    const auto* rect = dynamic_cast<const CRectNode*>(other);
    return rect && rect->m_rect == m_rect;
}

bool CRectNode::WriteGedcom(int level, std::string& line) const
{
    const CFieldDef* def = GetFieldDef();
    if (!def)
        return true;
    line = std::to_string(level);
    line += ' ';
    line += def->GetGedcomTag();
    line += ' ';
    line += RectToText(m_rect);
    if (!WriteGedcomLine(line))
        return false;
    for (const CDataNode* child = GetFirstChild(); child; child = child->GetNextSibling()) {
        if (!child->WriteGedcom(level + 1, line))
            return false;
    }
    return true;
}

void CRectNode::SetRect(const RECT& rect)
{
    const CRect value(rect);
    if (value == m_rect)
        return;
    m_rect = value;
    MarkChanged(this);
}
