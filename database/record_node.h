// database/record_node.h: the node at the top of every record.
#pragma once

#include "database/complex_node.h"
#include "platform/base/ole_date_time.h"

#include <cstdint>

/// A record: a complex node that carries the record's number, the count of link fields that
/// point at it, the time it last changed and its place in the changed-records list.
class CRecordNode : public CComplexNode {
public:
    CRecordNode() noexcept;
    /// Leaves its root while change tracking is on; the CDataNode part then sees a node that
    /// is no longer a record.
    ~CRecordNode() override;

    const CRuntimeClass* GetRuntimeClass() const override;

    /// 1 and above; 0 when the record has none.
    std::int32_t GetRecordNumber() const { return m_recordNumber; }
    void SetRecordNumber(std::int32_t number) { m_recordNumber = number; }
    /// The number of link fields whose target is this record.
    std::int32_t GetLinkCount() const { return m_linkCount; }
    void AddLinkCount(std::int32_t delta) { m_linkCount += delta; }
    /// When the record last changed; status null when it never did.
    const COleDateTime& GetChangeStamp() const { return m_changeStamp; }
    void SetChangeStamp(const COleDateTime& stamp) { m_changeStamp = stamp; }
    /// The next record in the changed-records list; null for the last or an unlisted record.
    CRecordNode* GetNextChanged() const { return m_nextChanged; }
    void SetNextChanged(CRecordNode* next) { m_nextChanged = next; }

private:
    friend class CDataNode;

    std::int32_t m_recordNumber = 0;
    std::int32_t m_linkCount = 0;
    COleDateTime m_changeStamp;
    CRecordNode* m_nextChanged = nullptr;
    CDataNode* m_root = nullptr;  // the record's parent, kept here since records are many
};
