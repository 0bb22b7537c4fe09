// tests/queries/expression_test_family.h: a small family, a note and two multimedia records for
// the tests of expressions, made through the node operations the editors use.
#pragma once

#include "database/kin/kinship_cache.h"
#include "database/multimedia/obj_rec.h"
#include "queries/expression.h"
#include "tests/database/records/record_test_support.h"

#include <map>
#include <string>
#include <string_view>

/// John Smith (born 1 JAN 1900, died 1 JUN 1950) and Mary Jones (born 1902), parents in F1 of
/// Peter (born 1925) and Anne (no dates); Peter and Sue Brown, parents in F2 of Tom. Records are
/// numbered in that order: I1 John ... I6 Tom. A note N1, a linked picture O1 and an embedded
/// picture O2.
class CExpressionFamilyTest : public record_test::CRecordTest {
protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        CIndRec* john = Person("John", SEX_MALE, "John /Smith/", "1 JAN 1900");
        SetField(john->CreateChildByTag("DEAT"), "DATE", "1 JUN 1950");
        CIndRec* mary = Person("Mary", SEX_FEMALE, "Mary /Jones/", "1902");
        CIndRec* peter = Person("Peter", SEX_MALE, "Peter /Smith/", "1925");
        CIndRec* anne = Person("Anne", SEX_FEMALE, "Anne /Smith/", "");
        CIndRec* sue = Person("Sue", SEX_FEMALE, "Sue /Brown/", "");
        CIndRec* tom = Person("Tom", SEX_MALE, "Tom /Smith/", "");
        m_records["F1"] = Family(john, mary, {peter, anne});
        m_records["F2"] = Family(peter, sue, {tom});
        m_records["N1"] = NewRecord(record_test::kNote);
        m_records["O1"] = NewRecord(record_test::kObje);
        auto* embedded = dynamic_cast<CObjRec*>(NewRecord(record_test::kObje));
        ASSERT_NE(embedded, nullptr);
        embedded->SetEmbedded(true);
        m_records["O2"] = embedded;
    }

    void TearDown() override
    {
        SetRelationshipPoolFactory(nullptr);
        CRecordTest::TearDown();
    }

    CRecordNode* Rec(const std::string& name) const { return m_records.at(name); }

    /// The value of an expression for a record (null for none); "<parse error>" when the text
    /// does not parse.
    std::string Value(std::string_view text, const std::string& record) const
    {
        CExpression expression;
        if (!expression.Parse(text))
            return "<parse error>";
        std::string value;
        expression.EvaluateToText(value, record.empty() ? nullptr : Rec(record));
        return value;
    }

    std::map<std::string, CRecordNode*> m_records;

private:
    CIndRec* Person(const std::string& key, int sex, std::string_view name, std::string_view born)
    {
        CIndRec* person = NewIndividual(sex, name);
        if (!born.empty())
            SetField(person->CreateChildByTag("BIRT"), "DATE", born);
        m_records[key] = person;
        return person;
    }

    CFamRec* Family(CIndRec* husband, CIndRec* wife, std::initializer_list<CIndRec*> children)
    {
        CFamRec* family = NewFamily();
        EXPECT_TRUE(family->LinkSpouse(husband, SEX_MALE));
        EXPECT_TRUE(family->LinkSpouse(wife, SEX_FEMALE));
        for (CIndRec* child : children)
            family->LinkChild(child, nullptr);
        return family;
    }
};
