// database/multimedia/object_rows.cpp: the rows of a record's list of objects and their column
// texts.
#include "database/multimedia/object_rows.h"

#include "database/dates/date_node.h"
#include "database/dictionary/field_ids.h"
#include "database/kin/ind_rec.h"
#include "database/multimedia/media_item.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"

std::vector<CObjectRow> CollectObjectRows(const CRecordNode& record)
{
    std::vector<CObjectRow> rows;
    for (CDataNode* link = record.FindChild(nullptr, FIELD_OBJE); link;
         link = record.FindChild(link, FIELD_OBJE))
        if (link->GetLinkTarget())
            rows.push_back({link, kMediaRowLink});
    for (CDataNode* embedded = record.FindChild(nullptr, FIELD_OBJE_EMBEDDED); embedded;
         embedded = record.FindChild(embedded, FIELD_OBJE_EMBEDDED))
        rows.push_back({embedded, kMediaRowEmbedded});
    return rows;
}

const CDataNode* GetObjectHolder(const CDataNode* node, int kind)
{
    if (!node)
        return nullptr;
    return kind == kMediaRowLink ? node->GetLinkTarget() : node;
}

const CDateNode* GetObjectDate(const CDataNode* node, int kind)
{
    const CDataNode* holder = GetObjectHolder(node, kind);
    const auto* date = dynamic_cast<const CDateNode*>(
        holder ? holder->FindChild(nullptr, FIELD_OBJE_DATE) : nullptr);
    if (!date || date->IsEmpty())
        return nullptr;
    const DateKind dateKind = date->GetKind();
    return dateKind == DATE_SIMPLE || dateKind == DATE_APPROXIMATE || dateKind == DATE_INTERPRETED
               ? date
               : nullptr;
}

std::string GetObjectRowText(const CDataNode* record, const CDataNode* node, int kind,
                             const CIndRec* individual, int column)
{
    std::string text;
    const CDataNode* holder = GetObjectHolder(node, kind);
    switch (column) {
    case 0:
        if (holder)
            holder->GetText(text, 0);
        break;
    case 1: {
        // The format that decides the kind, which a GEDCOM 5.5.1 file puts under the file line.
        const auto* item = dynamic_cast<const CMediaItem*>(holder);
        if (const CDataNode* form = item ? item->FindFormatField() : nullptr)
            form->GetText(text, 0);
        break;
    }
    case 2: {
        const int links = record ? record->CountChildren(FIELD_OBJE) : 0;
        const int position = node ? node->GetSiblingIndex() : 0;
        text = std::to_string(kind == kMediaRowLink ? position + 1 : links + position + 1);
        break;
    }
    case 3:
        if (const CDateNode* date = GetObjectDate(node, kind))
            text = date->FormatText(false, 9);
        break;
    case 4: {
        const CDateNode* birth = individual ? individual->GetBirthDate() : nullptr;
        const CDateNode* date = GetObjectDate(node, kind);
        int least = 0;
        int greatest = 0;
        if (birth && date && date->GetYearsRange(*birth, least, greatest)) {
            text = least == greatest ? text::Format("%d", least)
                                     : text::Format("%d-%d", least, greatest);
            if (least < 0)
                text += " (!)";
        }
        break;
    }
    default:
        break;
    }
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : text.substr(first);
}

COrderRow GetObjectRowKeys(const CColumnOrder& order, const CDataNode* record,
                           const CDataNode* node, int kind, const CIndRec* individual)
{
    COrderRow row;
    if (order.m_order == ERowOrder::Date) {
        const CDateNode* date = GetObjectDate(node, kind);
        row.m_date = date ? &date->GetFirstValue() : nullptr;
    } else if (order.m_order != ERowOrder::Stored) {
        row.m_text = GetObjectRowText(record, node, kind, individual, order.m_column);
    }
    return row;
}
