// tests/database/paths/data_path_test_family.h: a small family for the tests of data paths and data
// references, made through the node operations the editors use.
#pragma once

#include "database/dictionary/qualifier_table.h"
#include "tests/database/records/record_test_support.h"

#include <string>
#include <string_view>

/// Ann Smith (also named Annie Brown; born 3 MAR 1930 in York; a graduation in 1950 and an
/// emigration record in 1960) is the daughter of John Smith (born 1900, son of Adam, born 1870)
/// and Mary Jones (born 1902), sister of Sam (born "when the war ended"), wife of Bob Brown
/// (children Carl and Dora) and then of Fred Green (child Eve).
class CDataPathFamilyTest : public record_test::CRecordTest {
protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        CIndRec* adam = Person(SEX_MALE, "Adam /Smith/", "1870");
        CIndRec* john = Person(SEX_MALE, "John /Smith/", "1 JAN 1900");
        CIndRec* mary = Person(SEX_FEMALE, "Mary /Jones/", "1902");
        m_ann = Person(SEX_FEMALE, "Ann /Smith/", "3 MAR 1930");
        m_sam = Person(SEX_MALE, "Sam /Smith/", "when the war ended");
        Marry(adam, nullptr, {john});
        Marry(john, mary, {m_ann, m_sam});
        Marry(Person(SEX_MALE, "Bob /Brown/", ""), m_ann,
              {Person(SEX_UNDETERMINED, "Carl /Brown/", ""),
               Person(SEX_UNDETERMINED, "Dora /Brown/", "")});
        Marry(Person(SEX_MALE, "Fred /Green/", ""), m_ann,
              {Person(SEX_UNDETERMINED, "Eve /Green/", "")});
        m_ann->CreateChildByTag("NAME")->SetText("Annie /Brown/");
        m_annBirth = m_ann->FindChild(nullptr, FIELD_BIRT);
        SetField(m_annBirth, "PLAC", "York");
        Event(m_ann, "graduation.", "1950");
        Event(m_ann, "Emigration record", "1960");
    }

    /// How a test row names what a path found: "null"; a record's given name; a field's text
    /// in the qualifier's form.
    static std::string Shown(const CDataNode* node, int qualifier)
    {
        if (!node)
            return "null";
        if (node->IsRecord()) {
            const CDataNode* name = node->FindChild(nullptr, FIELD_NAME);
            return name ? TextOf(*name, QUAL_GIVEN) : "record";
        }
        return TextOf(*node, qualifier);
    }

    static std::string TextOf(const CDataNode& node, int format)
    {
        char buffer[512];
        const int length = node.GetTextBuf(buffer, int(sizeof buffer), format);
        return std::string(buffer, std::size_t(length));
    }

    CIndRec* m_ann = nullptr;
    CIndRec* m_sam = nullptr;
    CDataNode* m_annBirth = nullptr;

private:
    CIndRec* Person(int sex, std::string_view name, std::string_view born)
    {
        CIndRec* person = NewIndividual(sex, name);
        if (!born.empty())
            SetField(person->CreateChildByTag("BIRT"), "DATE", born);
        return person;
    }

    void Event(CIndRec* person, std::string_view type, std::string_view date)
    {
        CDataNode* event = person->CreateChildByTag("EVEN");
        SetField(event, "TYPE", type);
        SetField(event, "DATE", date);
    }
};
