// tests/database/kin/ind_rec_match_test.cpp: tests of the match score of two individuals: names,
// sexes, birth, parents and spouses.
#include "database/kin/ind_compare_keys.h"
#include "tests/database/kin/ind_rec_test_support.h"

#include <gtest/gtest.h>

using namespace ind_test;
using namespace record_test;

namespace {

/// Installs the compare keys of the given individuals for the life of a scope.
class CKeysInstalled {
public:
    explicit CKeysInstalled(std::initializer_list<const CIndRec*> people)
    {
        for (const CIndRec* person : people)
            m_keys[person] = MakeCompareKeys(*person, m_texts);
        SetCompareKeys(&m_keys);
    }
    ~CKeysInstalled() { SetCompareKeys(nullptr); }
    CKeysInstalled(const CKeysInstalled&) = delete;
    CKeysInstalled& operator=(const CKeysInstalled&) = delete;

private:
    CCompareKeyTexts m_texts;
    CIndCompareKeyMap m_keys;
};

struct NameCase {
    const char* name;
    const char* mine;
    const char* theirs;
    int withKeys;
    int withoutKeys;
};

class IndRecNameScore : public IndRecTest, public ::testing::WithParamInterface<NameCase> {};

TEST_P(IndRecNameScore, ScoresNamesWithAndWithoutKeys)
{
    const NameCase& c = GetParam();
    CIndRec* mine = Person(SEX_MALE, c.mine);
    CIndRec* theirs = Person(SEX_MALE, c.theirs);
    EXPECT_EQ(mine->MatchScore(theirs, nullptr), c.withoutKeys);
    const CKeysInstalled keys{mine, theirs};
    EXPECT_EQ(mine->MatchScore(theirs, nullptr), c.withKeys);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, IndRecNameScore,
    ::testing::Values(NameCase{"TwoWords", "John /Smith/", "John /Smith/", 50, 50},
                      NameCase{"ThreeWords", "John Paul /Smith/", "John Paul /Smith/", 100, 100},
                      NameCase{"OtherSurname", "John /Smith/", "John /Jones/", -100, -100},
                      NameCase{"OtherGivenName", "John /Smith/", "Tom /Smith/", 0, 0},
                      NameCase{"SurnameOnly", "/Smith/", "/Smith/", 10, 10},
                      NameCase{"NoNames", "", "", 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(IndRecTest, AManAndAWomanNeverMatch)
{
    CIndRec* man = Person(SEX_MALE, "Sam /Lee/");
    CIndRec* woman = Person(SEX_FEMALE, "Sam /Lee/");
    CIndRec* unknown = Person(SEX_UNDETERMINED, "Sam /Lee/");
    EXPECT_EQ(man->MatchScore(woman, nullptr), -999);
    EXPECT_EQ(man->MatchScore(unknown, nullptr), 50);
    const CKeysInstalled keys{man, woman, unknown};
    EXPECT_EQ(woman->MatchScore(man, nullptr), -999);
    EXPECT_EQ(unknown->MatchScore(woman, nullptr), 50);
    EXPECT_EQ(man->MatchScore(NewFamily(), nullptr), -999);
}

TEST_F(IndRecTest, ANegativeBirthScoreAloneAnswersAtTheTop)
{
    CIndRec* mine = Person(SEX_MALE, "", "1850");
    CIndRec* theirs = Person(SEX_MALE, "", "1865");
    EXPECT_EQ(mine->MatchScore(theirs, nullptr), -50);
    Marry(Person(SEX_MALE, "Pa Jo /Ash/", "1800"), nullptr, {mine});
    Marry(Person(SEX_MALE, "Pa Jo /Ash/", "1800"), nullptr, {theirs});
    EXPECT_EQ(mine->MatchScore(theirs, nullptr), -50) << "the parents are not looked at";
    CIndRec* near = Person(SEX_MALE, "", "1855");
    Marry(Person(SEX_MALE, "Pa Jo /Ash/", "1800"), nullptr, {near});
    EXPECT_EQ(mine->MatchScore(near, nullptr), 20 + (125 + 0) / 2)
        << "near births, and fathers scoring 150 count 125";
}

TEST_F(IndRecTest, KeysChangeNoBirthScore)
{
    // Births of one name's men: mine, theirs and the score, the completed years counted from
    // theirs to mine.
    const struct {
        const char* mine;
        const char* theirs;
        int score;
    } cases[] = {
        {"1 JAN 1850", "1 JAN 1850", 50},
        {"ABT 1850", "1850", 50},
        {"1 JAN 1850/51", "1 JAN 1850", 20},
        {"@#DJULIAN@ 1 JAN 1850", "1 JAN 1850", 20},
        {"1 JAN 1860", "2 FEB 1850", 20},
        {"2 FEB 1850", "1 JAN 1860", -50},
        {"@#DJULIAN@ 1 JAN 1860", "2 FEB 1850", -50},
        {"15 MAR 1860", "20 MAR 1850", 20},
        {"MAR 1860", "20 MAR 1850", -50},
        {"15 MAR 1880", "20 MAR 1860", -50},
        {"1880", "1860", -100},
        {"BET 1850 AND 1860", "1855", 20},
        {"1850", "50", 20},
    };
    std::vector<std::pair<CIndRec*, CIndRec*>> pairs;
    for (const auto& c : cases) {
        pairs.emplace_back(Person(SEX_MALE, "Jo /Ash/", c.mine),
                           Person(SEX_MALE, "Ann /Ash/", c.theirs));
    }
    const auto expect = [&](const char* with) {
        for (std::size_t i = 0; i < pairs.size(); ++i) {
            EXPECT_EQ(pairs[i].first->MatchScore(pairs[i].second, nullptr), cases[i].score)
                << with << ": " << cases[i].mine << " and " << cases[i].theirs;
        }
    };
    // Other given names score 0; the births alone count.
    expect("without keys");
    {
        CCompareKeyTexts texts;
        CIndCompareKeyMap keys;
        for (const auto& [mine, theirs] : pairs) {
            keys[mine] = MakeCompareKeys(*mine, texts);
            keys[theirs] = MakeCompareKeys(*theirs, texts);
        }
        SetCompareKeys(&keys);
        expect("with keys");
        SetCompareKeys(nullptr);
    }
}

TEST_F(IndRecTest, ParentScoresAreLimitedBeforeTheyAreHalved)
{
    CIndRec* mine = Person(SEX_MALE, "");
    CIndRec* theirs = Person(SEX_MALE, "");
    // Fathers: the same three-word name (100) and birth (50); mothers: other surnames (-100)
    // and births far apart (-100).
    Marry(Person(SEX_MALE, "John Paul /Ash/", "1800"), Person(SEX_FEMALE, "Ann /Bell/", "1800"),
          {mine});
    Marry(Person(SEX_MALE, "John Paul /Ash/", "1800"), Person(SEX_FEMALE, "Ann /Cole/", "1750"),
          {theirs});
    EXPECT_EQ(mine->MatchScore(theirs, nullptr), (125 - 75) / 2);
}

TEST_F(IndRecTest, TheSpouseScoreIsLimitedAndHalved)
{
    // The wives: the same three-word name and birth score 150; other surnames and births far
    // apart score -200.
    CIndRec* mine = Person(SEX_MALE, "");
    CIndRec* theirs = Person(SEX_MALE, "");
    CIndRec* third = Person(SEX_MALE, "");
    CIndRec* myWife = Person(SEX_FEMALE, "Mary Ann /Lee/", "1800");
    CIndRec* theirWife = Person(SEX_FEMALE, "Mary Ann /Lee/", "1800");
    CIndRec* thirdWife = Person(SEX_FEMALE, "Mary /Fox/", "1850");
    Marry(mine, myWife);
    Marry(theirs, theirWife);
    Marry(third, thirdWife);
    EXPECT_EQ(mine->MatchScore(theirs, nullptr), 100 / 2);
    EXPECT_EQ(mine->MatchScore(third, nullptr), -25 / 2);
    const CKeysInstalled keys{mine, theirs, third, myWife, theirWife, thirdWife};
    EXPECT_EQ(mine->MatchScore(theirs, nullptr), 100 / 2) << "the wives scored by their keys";
    EXPECT_EQ(mine->MatchScore(third, nullptr), -25 / 2) << "nested surnames are compared";
}

TEST_F(IndRecTest, KeysChangeNoScoreTwoGenerationsDeep)
{
    // Two versions of a man with his parents, his father's parents, his wife and her parents,
    // apart in the mother's birth, a grandmother's surname and the wife's mother.
    struct Tree {
        CIndRec* man;
        CIndRec* wife;
        CIndRec* father;
        CIndRec* grandmother;
    };
    const auto tree = [&](bool other) {
        Tree t{Person(SEX_MALE, "John /Ash/", "1850"), Person(SEX_FEMALE, "Mary Ann /Lee/", "1852"),
               Person(SEX_MALE, "Tom /Ash/", "1820"),
               Person(SEX_FEMALE, other ? "Eve /Dunn/" : "Eve /Cole/", "1792")};
        Marry(Person(SEX_MALE, "Old Tom /Ash/", "1790"), t.grandmother, {t.father});
        Marry(t.father, Person(SEX_FEMALE, "Ann /Bell/", other ? "1826" : "1822"), {t.man});
        Marry(Person(SEX_MALE, "Sam /Lee/", "1825"),
              other ? Person(SEX_FEMALE, "Jane /Lee/", "1827") : nullptr, {t.wife});
        Marry(t.man, t.wife);
        return t;
    };
    const Tree mine = tree(false);
    const Tree theirs = tree(true);
    const std::pair<CIndRec*, CIndRec*> pairs[] = {{mine.man, theirs.man},
                                                   {theirs.man, mine.man},
                                                   {mine.wife, theirs.wife},
                                                   {mine.father, theirs.father}};
    std::vector<int> unkeyed;
    for (const auto& [a, b] : pairs)
        unkeyed.push_back(a->MatchScore(b, nullptr));
    // Every individual keyed but one grandmother, whose name is then read from her fields.
    CCompareKeyTexts texts;
    CIndCompareKeyMap keys;
    const CDataNode* root = static_cast<const CDataNode*>(theirs.man)->GetParent();
    for (CDataNode* node = root->GetFirstChild(); node; node = node->GetNextSibling()) {
        if (const CIndRec* person = AsIndividual(static_cast<CRecordNode*>(node));
            person && person != mine.grandmother)
            keys[person] = MakeCompareKeys(*person, texts);
    }
    SetCompareKeys(&keys);
    for (std::size_t i = 0; i < std::size(pairs); ++i)
        EXPECT_EQ(pairs[i].first->MatchScore(pairs[i].second, nullptr), unkeyed[i]) << i;
    SetCompareKeys(nullptr);
}

} // namespace
