// database/multimedia/format_node.cpp: the format (file type) of a multimedia object, its FORM
// field.
#include "database/multimedia/format_node.h"

#include "database/multimedia/media_format_holder.h"
#include "database/multimedia/media_item.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_control_access.h"

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

std::string CFormatNode::FormatChangeRefusal(const IMediaFormatHolder* holder)
{
    if (!holder)
        return {};
    if (holder->IsEmbedded())
        return "Cannot change format of embedded objects.";
    if (holder->GetUseCount() > 0)
        return "Cannot change format.  Object is in use.";
    return {};
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
    if (const std::string refusal = FormatChangeRefusal(holder); !refusal.empty()) {
        GetDataControlAccess()->RefuseValue(*control, refusal);
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

EngineOutcome CFormatNode::SetFormat(std::string_view text)
{
    if (m_value == text)
        return EngineOutcome::Done();
    IMediaFormatHolder* holder = GetHolder();
    if (std::string refusal = FormatChangeRefusal(holder); !refusal.empty())
        return EngineOutcome::Refused(std::move(refusal));
    const std::string lower = text::ToLower(text);
    if (holder)
        holder->SetFormat(lower);
    m_value.Assign(lower);
    MarkChanged(this);
    return EngineOutcome::Done();
}
