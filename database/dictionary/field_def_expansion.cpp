// database/dictionary/field_def_expansion.cpp: Finishing the dictionary: shared structures
// expanded, siblings numbered, lookups indexed.

#include "database/dictionary/field_dictionary.h"

#include <algorithm>

namespace {

constexpr int kMaxExpansionPasses = 30;
constexpr std::uint32_t kCopiedFlags =
    FDF_EVENT | FDF_ATTRIBUTE | FDF_TYPED | FDF_NO_CITATION | FDF_READ_ONLY;

/// A product of two counts; products past the 16-bit range stay at its top rather than wrap.
std::uint16_t MultiplyCounts(std::uint16_t a, std::uint16_t b)
{
    return static_cast<std::uint16_t>(std::min<unsigned>(unsigned{a} * b, FIELD_COUNT_UNBOUNDED));
}

bool IsEventGroup(int structId)
{
    return structId >= STRUCT_FAM_EVENTS && structId <= STRUCT_INDI_EVENTS;
}

} // namespace

bool CFieldDictionary::Finish()
{
    if (!m_recordRoot || !m_structRoot)
        return Fail("the dictionary has no trees");
    int pass = 0;
    do {
        if (++pass > kMaxExpansionPasses)
            return Fail("shared structures nest too deep or refer to themselves");
        m_unresolved = false;
        if (!ExpandChildren(m_structRoot, false))
            return false;
    } while (m_unresolved);
    if (!ExpandChildren(m_recordRoot, true) || !NumberSiblings(m_structRoot) ||
        !NumberSiblings(m_recordRoot))
        return false;
    ShareGroupOrders(MutableRecordDef("INDI"));
    ShareGroupOrders(MutableRecordDef("FAM"));
    for (CFieldDef* record = m_recordRoot->m_firstChild; record; record = record->m_nextSibling) {
        for (const CFieldDef* child = record->m_firstChild; child; child = child->m_nextSibling)
            record->m_hasChangeStamp |= child->m_fieldId == FIELD_CHAN;
    }
    IndexChildren(m_structRoot);
    IndexChildren(m_recordRoot);
    return true;
}

bool CFieldDictionary::ExpandChildren(CFieldDef* def, bool strict)
{
    for (CFieldDef* child = def->m_firstChild; child;) {
        CFieldDef* next = child->m_nextSibling;
        if (child->m_kind == FDK_STRUCT_REF) {
            if (!ExpandReference(def, child, strict))
                return false;
        } else if (child->m_kind != FDK_COPY && child->m_firstChild) {
            if (!ExpandChildren(child, strict))
                return false;
        }
        child = next;
    }
    return true;
}

bool CFieldDictionary::ExpandReference(CFieldDef* parent, CFieldDef* reference, bool strict)
{
    const CFieldDef* head = m_structRoot->m_firstChild;
    while (head && (head->m_kind != FDK_STRUCT_HEAD || head->m_tag != reference->m_tag))
        head = head->m_nextSibling;
    if (!head)
        return Fail("no structure named " + reference->m_tag);
    reference->m_structHead = head;
    reference->m_structFlag = head->m_structFlag;
    for (const CFieldDef* member = head->m_firstChild; member; member = member->m_nextSibling) {
        if (member->m_kind != FDK_STRUCT_REF)
            continue;
        if (strict)
            return Fail("structure " + head->m_tag + " is still unexpanded");
        m_unresolved = true;
        return true;
    }
    CFieldDef* first = nullptr;
    CFieldDef** link = &first;
    for (const CFieldDef* member = head->m_firstChild; member; member = member->m_nextSibling) {
        *link = MakeCopy(*member, *reference, parent);
        link = &(*link)->m_nextSibling;
    }
    *link = reference->m_nextSibling;
    CFieldDef** slot = &parent->m_firstChild;
    while (*slot != reference)
        slot = &(*slot)->m_nextSibling;
    *slot = first ? first : reference->m_nextSibling;
    reference->m_nextSibling = nullptr;
    reference->m_firstCopy = first;
    return true;
}

CFieldDef* CFieldDictionary::MakeCopy(const CFieldDef& source, const CFieldDef& reference,
                                      CFieldDef* parent)
{
    CFieldDef* copy = NewDef();
    copy->m_kind = FDK_COPY;
    copy->m_parent = parent;
    copy->m_source = source.GetSource();
    copy->m_reference = &reference;
    copy->m_linkTarget = source.m_linkTarget;
    copy->m_tag = source.m_tag;
    copy->m_label = source.m_label;
    copy->m_extraText = source.m_extraText;
    copy->m_dataType = source.m_dataType;
    copy->m_contWord = source.m_contWord;
    copy->m_concWord = source.m_concWord;
    copy->m_sizeValue = source.m_sizeValue;
    copy->m_nodeClass = source.m_nodeClass;
    copy->m_controlClass = source.m_controlClass;
    copy->m_values = source.m_values;
    copy->m_fieldId = source.m_fieldId;
    copy->m_flags = (source.m_flags & ~kCopiedFlags & ~FDF_USER_DEFINED) |
                    ((source.m_flags | reference.m_flags) & kCopiedFlags);
    copy->m_hidden = source.m_hidden || reference.m_hidden;
    copy->m_notInAddMenu = source.m_notInAddMenu || reference.m_notInAddMenu;
    copy->m_minCount = MultiplyCounts(source.m_minCount, reference.m_minCount);
    const bool unbounded =
        source.m_maxCount == FIELD_COUNT_UNBOUNDED || reference.m_maxCount == FIELD_COUNT_UNBOUNDED;
    copy->m_maxCount =
        unbounded ? FIELD_COUNT_UNBOUNDED : MultiplyCounts(source.m_maxCount, reference.m_maxCount);
    return copy;
}

bool CFieldDictionary::NumberSiblings(CFieldDef* def)
{
    int order = 0;
    for (CFieldDef* child = def->m_firstChild; child; child = child->m_nextSibling) {
        if (order > 255)
            return Fail(def->m_tag + " has more children than sibling numbers");
        child->m_siblingOrder = static_cast<std::uint8_t>(order++);
        if (child->m_kind != FDK_COPY && child->m_firstChild && !NumberSiblings(child))
            return false;
    }
    return true;
}

void CFieldDictionary::ShareGroupOrders(CFieldDef* recordDef)
{
    if (!recordDef)
        return;
    int eventOrder = -1;
    int ordinanceOrder = -1;
    for (CFieldDef* child = recordDef->m_firstChild; child; child = child->m_nextSibling) {
        if (!child->m_reference)
            continue;
        const int structId = child->m_reference->m_fieldId;
        int* shared = IsEventGroup(structId)                   ? &eventOrder
                      : structId == STRUCT_LDS_INDI_ORDINANCES ? &ordinanceOrder
                                                               : nullptr;
        if (!shared)
            continue;
        if (*shared < 0)
            *shared = child->m_siblingOrder;
        child->m_siblingOrder = static_cast<std::uint8_t>(*shared);
    }
}

void CFieldDictionary::IndexChildren(CFieldDef* def)
{
    def->RebuildIndex();
    for (CFieldDef* child = def->m_firstChild; child; child = child->m_nextSibling) {
        if (child->m_kind != FDK_COPY)
            IndexChildren(child);
    }
}
