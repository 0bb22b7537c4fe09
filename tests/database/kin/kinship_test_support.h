// tests/database/kin/kinship_test_support.h: families made straight from nodes, as a loaded file
// has them, including the broken links (repeats, loops) that the link checks refuse.
#pragma once

#include "database/kin/kinship.h"
#include "tests/database/records/record_test_support.h"

#include <algorithm>
#include <initializer_list>
#include <map>
#include <string>
#include <string_view>
#include <vector>

/// Individuals and families with two-way family links, made without change tracking, numbering
/// or link checks; each individual has a name for the tests to print.
class CKinshipTest : public record_test::CRecordTest {
public:
    std::string Name(const CRecordNode* individual) const
    {
        const auto found = m_names.find(individual);
        return found == m_names.end() ? "?" : found->second;
    }

protected:
    CIndRec* Person(std::string_view name, int sex = SEX_UNDETERMINED)
    {
        const record_test::CLoading loading;
        auto* person = AsIndividual(AppendRecord(record_test::kIndi));
        if (sex != SEX_UNDETERMINED)
            AppendField(person, FIELD_SEX)->SetText(sex == SEX_MALE ? "M" : "F");
        m_names[person] = std::string(name);
        return person;
    }

    /// A family with its partners and children, every link made both ways.
    CFamRec* Family(CIndRec* husband, CIndRec* wife, std::initializer_list<CIndRec*> children)
    {
        const record_test::CLoading loading;
        auto* family = AsFamily(AppendRecord(record_test::kFam));
        if (husband)
            LinkBothWays(family, FIELD_HUSB, husband, FIELD_FAMS);
        if (wife)
            LinkBothWays(family, FIELD_WIFE, wife, FIELD_FAMS);
        for (CIndRec* child : children)
            LinkBothWays(family, FIELD_CHIL, child, FIELD_FAMC);
        return family;
    }

    /// One more link of holder to target, one way only (a repeat, or a link without its pair).
    static void LinkOneWay(CDataNode* holder, int fieldId, CRecordNode* target)
    {
        const record_test::CLoading loading;
        auto* link = dynamic_cast<CAssocNode*>(AppendField(holder, fieldId));
        ASSERT_NE(link, nullptr);
        link->SetTarget(target);
    }
    static void LinkBothWays(CFamRec* family, int familyField, CIndRec* individual,
                             int individualField)
    {
        LinkOneWay(family, familyField, individual);
        LinkOneWay(individual, individualField, family);
    }

    /// A set of individuals in the form the walks take.
    static CMapPtrToWord Set(std::initializer_list<CIndRec*> individuals)
    {
        CMapPtrToWord set;
        for (CIndRec* individual : individuals)
            set.emplace(individual, 0);
        return set;
    }

    /// The names of a set's individuals, sorted and joined by blanks.
    std::string Names(const CMapPtrToWord& set) const
    {
        std::vector<std::string> names;
        for (const auto& entry : set) {
            EXPECT_EQ(entry.second, 0);
            names.push_back(Name(entry.first));
        }
        std::sort(names.begin(), names.end());
        std::string text;
        for (const std::string& name : names)
            text += (text.empty() ? "" : " ") + name;
        return text;
    }

private:
    static CRecordNode* AppendRecord(int listIndex)
    {
        CDataNode* root = GetRecordTypeRoot(listIndex);
        auto* record =
            static_cast<CRecordNode*>(CreateNodeFromDef(root->GetFieldDef(), false, nullptr));
        root->AppendChild(record, false);
        return record;
    }
    static CDataNode* AppendField(CDataNode* holder, int fieldId)
    {
        CDataNode* field =
            CreateNodeFromDef(holder->GetFieldDef()->FindChildById(fieldId), false, nullptr);
        holder->AppendChild(field, true);
        return field;
    }

    std::map<const CRecordNode*, std::string> m_names;
};
