// database/multimedia/format_node.cpp: the format (file type) of a multimedia object, its FORM
// field.
#include "database/multimedia/format_node.h"

#include "database/multimedia/media_format_holder.h"
#include "database/multimedia/media_item.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_control_access.h"

#include "platform/base/prompt.h"
#include "platform/base/text.h"

const CRuntimeClass* CFormatNode::GetRuntimeClass() const
{
    return RuntimeClassOf<CFormatNode>();
}

IMediaFormatHolder* CFormatNode::GetHolder() const
{
    CDataNode* parent = GetParent();
    if (auto* holder = dynamic_cast<IMediaFormatHolder*>(parent))
        return holder;
    // A format under a file field describes the object only when the object reads it.
    auto* object = parent ? dynamic_cast<CMediaItem*>(parent->GetParent()) : nullptr;
    return object && object->FindFormatField() == this ? object : nullptr;
}

bool CFormatNode::MayChangeFormat(const IMediaFormatHolder* holder) const
{
    if (!holder)
        return true;
    if (holder->IsEmbedded()) {
        MessageBox("Cannot change format of embedded objects.", MB_OK);
        return false;
    }
    if (holder->GetUseCount() > 0) {
        MessageBox("Cannot change format.  Object is in use.", MB_OK);
        return false;
    }
    return true;
}

bool CFormatNode::UpdateFromControl(CDataCtl* control, bool save, bool notify)
{
    if (!save)
        return WriteControlText(control, GetValue());
    std::string text;
    if (!ReadControlText(control, text))
        return false;
    text = text::ToLower(text);
    // A format read as "PCX" shows so and is the same format as "pcx": untouched, it stays.
    if (text::ToLower(GetValue()) == text)
        return true;
    IMediaFormatHolder* holder = GetHolder();
    if (!MayChangeFormat(holder)) {
        WriteControlText(control, GetValue());
        GetDataControlAccess()->SetFocus(*control);
        return false;
    }
    if (holder)
        holder->SetFormat(text);
    StoreEditedText(text, notify);
    return true;
}

bool CFormatNode::SetText(std::string_view text)
{
    CEditNode::SetText(text);
    if (IMediaFormatHolder* holder = GetHolder())
        holder->SetFormat(text::ToLower(GetValue()));
    return true;
}

bool CFormatNode::SetFormat(std::string_view text)
{
    if (m_value == text)
        return true;
    IMediaFormatHolder* holder = GetHolder();
    if (!MayChangeFormat(holder))
        return false;
    const std::string lower = text::ToLower(text);
    if (holder)
        holder->SetFormat(lower);
    m_value.Assign(lower);
    MarkChanged(this);
    return true;
}
