// database/records/src_rec.cpp: the source record (SOUR): a book, register or census that facts
// cite.
#include "database/records/src_rec.h"

namespace {

constexpr int kScoreOtherType = -9999;

struct KeyField {
    int fieldId;
    int equal;
    int differs;
};
constexpr KeyField kKeyFields[] = {
    {FIELD_TITL, 200, -50},
    {FIELD_ABBR, 100, -50},
    {FIELD_AUTH, 40, -40},
};

bool AnyFieldContains(const CDataNode& record, int fieldId, std::span<const CSearchTerm> terms,
                      bool caseSensitive)
{
    for (const CDataNode* field = record.FindChild(nullptr, fieldId); field;
         field = record.FindChild(field, fieldId)) {
        if (field->ContainsText(terms, caseSensitive, false))
            return true;
    }
    return false;
}

} // namespace

const CRuntimeClass* CSrcRec::GetRuntimeClass() const
{
    return RuntimeClassOf<CSrcRec>();
}

int CSrcRec::MatchScore(const CRecordNode* other, const void* options) const
{
    if (!other || other->GetFieldDef() != GetFieldDef())
        return kScoreOtherType;
    int score = 0;
    for (const KeyField& key : kKeyFields) {
        const CDataNode* mine = FindChild(nullptr, key.fieldId, true);
        const CDataNode* theirs = other->FindChild(nullptr, key.fieldId, true);
        if (mine && theirs)
            score += mine->IsEqual(theirs, options) ? key.equal : key.differs;
    }
    return score;
}

bool CSrcRec::ContainsKeyText(std::span<const CSearchTerm> terms, bool caseSensitive) const
{
    return AnyFieldContains(*this, FIELD_TITL, terms, caseSensitive) ||
           AnyFieldContains(*this, FIELD_ABBR, terms, caseSensitive);
}
