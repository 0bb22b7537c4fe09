// tests/merge/merge_references_test.cpp: every reference that a merge brings over names, in the
// open file, the record it named in its own file, whichever field holds it (a link, a text field
// naming a record), and one whose record stays behind names nothing, then and after a reload.
#include "merge_test_support.h"

#include "database/fields/text_value_node.h"

#include <filesystem>

using namespace merge_test;
using gedcom_test::CrLf;

namespace {

constexpr int kIndi = 2;

/// The record of any type that an identifier ("I4") names under roots; null when none.
CRecordNode* FindAnyById(const MergeRoots& roots, std::string_view id)
{
    for (int type = 1; type < RECORD_TYPE_COUNT; ++type) {
        if (CRecordNode* record = FindById(roots, type, std::string(id)))
            return record;
    }
    return nullptr;
}

/// The record a reference names under roots: a link's target, or the record a text field's
/// cross-reference names; null for a reference to nothing, and for a field that is no reference
/// (plain text).
const CRecordNode* Named(const CDataNode& reference, const MergeRoots& roots)
{
    if (const auto* link = dynamic_cast<const CAssocNode*>(&reference))
        return link->GetLinkTarget();
    const auto* text = dynamic_cast<const CTextValueNode*>(&reference);
    if (!text || !text->HoldsCrossReference())
        return nullptr;
    return FindAnyById(roots, CrossReferenceIn(text->GetValue()));
}

bool IsReference(const CDataNode& node)
{
    const auto* text = dynamic_cast<const CTextValueNode*>(&node);
    return dynamic_cast<const CAssocNode*>(&node) ||
           (text && text->HoldsCrossReference() && !node.IsRecord());
}

/// What tells a record from another: its type, its names and titles, the dates of its facts,
/// its own text, and for a family its partners' names.
std::multiset<std::string> Describe(const CRecordNode& record)
{
    std::multiset<std::string> lines{std::string(record.GetFieldDef()->GetGedcomTag())};
    std::string value;
    if (record.GetText(value, 0) && !value.empty())
        lines.insert(text::ToLower(value));
    for (const CDataNode* field = record.GetFirstChild(); field; field = field->GetNextSibling()) {
        const std::string tag(field->GetFieldDef()->GetGedcomTag());
        if (const CRecordNode* partner = field->GetLinkTarget();
            partner && (tag == "HUSB" || tag == "WIFE")) {
            if (const CDataNode* name = partner->FindChild(nullptr, FIELD_NAME);
                name && name->GetText(value, 0))
                lines.insert(tag + " " + text::ToLower(value));
        } else if ((tag == "NAME" || tag == "TITL") && field->GetText(value, 0)) {
            lines.insert(tag + " " + text::ToLower(value));
        }
        for (const CDataNode* sub = field->GetFirstChild(); sub; sub = sub->GetNextSibling()) {
            if (sub->GetFieldId() == FIELD_DATE && sub->GetText(value, 0))
                lines.insert(tag + " " + text::ToLower(value));
        }
    }
    return lines;
}

void AllNodes(CDataNode* node, std::set<const CDataNode*>& out)
{
    out.insert(node);
    for (CDataNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
        AllNodes(child, out);
}

class MergeReferencesTest : public CMergeTest {
protected:
    void SetUp() override
    {
        CMergeTest::SetUp();
        m_defaultAnswers = true;
    }

    /// The open file: identifiers of every kind that the merged files use too.
    std::string OpenFile()
    {
        return File("open.ged", CrLf({"0 HEAD", "0 @I1@ INDI", "1 NAME Alice /Qwyxz/", "1 SEX F",
                                      "0 @I2@ INDI", "1 NAME Dan /Qwyxz/", "1 SEX M", "0 @F1@ FAM",
                                      "1 HUSB @I2@", "1 WIFE @I1@", "0 @N1@ NOTE Qwyxz open note",
                                      "0 @S1@ SOUR", "1 TITL Qwyxz register", "0 TRLR"}));
    }

    /// Where the fields holding references of the merged records are sure to end, with the
    /// description of what each names: a reference that comes over is a node that moves.
    struct Expected {
        CDataNode* node;
        std::multiset<std::string> names; // empty: names no record
        std::string where;
    };
    std::vector<Expected> ReferencesThatComeOver(const CMergeEngine& engine)
    {
        std::vector<Expected> out;
        std::vector<CDataNode*> pending;
        for (CDataNode* root : SecondRoots()) {
            for (CDataNode* record = root->GetFirstChild(); record;
                 record = record->GetNextSibling())
                pending.push_back(record);
        }
        while (!pending.empty()) {
            CDataNode* node = pending.back();
            pending.pop_back();
            if (node->HasFlag(DNF_MARK))
                continue;
            for (CDataNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
                pending.push_back(child);
            if (node->HasFlag(DNF_PAIRED) || !IsReference(*node))
                continue;
            Expected expected{node, {}, ""};
            // One whose record stays behind is to name nothing.
            if (const CRecordNode* target = Named(*node, SecondRoots());
                target && !target->HasFlag(DNF_MARK)) {
                const MergeRow* row = engine.FindIncomingRow(target);
                expected.names = Describe(row && row->current ? *row->current : *target);
            }
            std::string value;
            node->GetText(value, 0);
            const CDataNode* record = node;
            while (!record->IsRecord())
                record = record->GetParent();
            expected.where = static_cast<const CRecordNode*>(record)->GetIdText() + " " +
                             std::string(node->GetFieldDef()->GetGedcomTag()) + " " + value;
            out.push_back(std::move(expected));
        }
        return out;
    }

    /// Checks what every reference brought over names after the merge.
    void CheckReferences(const std::vector<Expected>& references)
    {
        std::set<const CDataNode*> present;
        for (CDataNode* root : ProgramRoots())
            AllNodes(root, present);
        for (const Expected& reference : references) {
            ASSERT_TRUE(present.count(reference.node)) << reference.where << " did not come over";
            const CRecordNode* named = Named(*reference.node, ProgramRoots());
            if (reference.names.empty()) {
                EXPECT_FALSE(named) << reference.where << " names " << named->GetIdText();
                continue;
            }
            ASSERT_TRUE(named) << reference.where << " names nothing";
            EXPECT_EQ(Missing(reference.names, Describe(*named)), std::vector<std::string>{})
                << reference.where << " names " << named->GetIdText();
        }
    }
};

/// The value of a text field as it stands, with "ref " before a cross-reference.
std::string TextOf(const CDataNode* node)
{
    const auto* text = dynamic_cast<const CTextValueNode*>(node);
    if (!text)
        return "none";
    return (text->HoldsCrossReference() ? "ref " : "text ") + std::string(text->GetValue());
}

TEST_F(MergeReferencesTest, TextFieldsNamingRecordsFollowThemAndNewRecordsComeLast)
{
    // Bob names Carl in a user-defined tag, a misplaced standard tag and a real link, and Eve
    // (whom the user leaves out) in a misplaced tag; the submitter's note is kept as text.
    LoadBoth(OpenFile(), File("merged.ged", CrLf({"0 HEAD",
                                                  "0 @I1@ INDI",
                                                  "1 NAME Bob /Bell/",
                                                  "1 SEX M",
                                                  "1 _LINK @I2@",
                                                  "1 CHIL @I2@",
                                                  "1 WIFE @I3@",
                                                  "1 ASSO @I2@",
                                                  "2 RELA Friend",
                                                  "0 @I2@ INDI",
                                                  "1 NAME Carl /Cole/",
                                                  "1 SEX M",
                                                  "0 @I3@ INDI",
                                                  "1 NAME Eve /Eden/",
                                                  "1 SEX F",
                                                  "0 @N1@ NOTE merged note",
                                                  "0 @U1@ SUBM",
                                                  "1 NAME Sub",
                                                  "1 NOTE @N1@",
                                                  "0 TRLR"})));
    ASSERT_TRUE(m_secondLoaded);
    CMergeEngine& engine = Compare();
    ASSERT_TRUE(engine.MarkItem(FindById(SecondRoots(), kIndi, "I3"), MergeMark::Discard).changed);
    const auto references = ReferencesThatComeOver(engine);
    ASSERT_EQ(references.size(), 5u);
    ASSERT_EQ(engine.Merge(nullptr), MergeOutcome::Merged);
    NotifyChanges();
    CheckReferences(references);

    const auto byName = [](const std::string& name) -> CRecordNode* {
        for (CDataNode* node = ProgramRoots()[kIndi]->GetFirstChild(); node;
             node = node->GetNextSibling()) {
            std::string value;
            const CDataNode* field = node->FindChild(nullptr, FIELD_NAME);
            if (field && field->GetText(value, 0) && value == name)
                return static_cast<CRecordNode*>(node);
        }
        return nullptr;
    };
    CRecordNode* bob = byName("Bob BELL");
    CRecordNode* carl = byName("Carl COLE");
    ASSERT_TRUE(bob && carl);
    const std::string carlRef = "ref @" + carl->GetIdText() + "@";
    std::string texts;
    for (CDataNode* field = bob->GetFirstChild(); field; field = field->GetNextSibling()) {
        const std::string tag(field->GetFieldDef()->GetGedcomTag());
        if (tag == "_LINK" || tag == "CHIL" || tag == "WIFE")
            texts += tag + " " + TextOf(field) + ";";
    }
    // Eve stayed behind: her reference became text under a number no record holds.
    const std::size_t eveAt = texts.find("WIFE text @I");
    ASSERT_NE(eveAt, std::string::npos) << texts;
    const std::string eveId = texts.substr(eveAt + 11, texts.find('@', eveAt + 12) - eveAt - 11);
    EXPECT_FALSE(FindAnyById(ProgramRoots(), eveId)) << eveId;
    EXPECT_EQ(texts, "_LINK " + carlRef + ";CHIL " + carlRef + ";WIFE text @" + eveId + "@;");

    // The new records follow the open file's, in their own order, and a second save of the
    // merged file is the first.
    const std::string first = Save(PathOf("out.ged"));
    const std::vector<std::string> order = {"0 @I1@ INDI", "0 @I2@ INDI",
                                            "0 @" + bob->GetIdText() + "@ INDI",
                                            "0 @" + carl->GetIdText() + "@ INDI"};
    std::size_t at = 0;
    for (const std::string& line : order) {
        const std::size_t found = first.find(line + "\r\n");
        ASSERT_NE(found, std::string::npos) << line;
        EXPECT_GE(found, at) << line << " out of order in\n" << first;
        at = found;
    }
    EXPECT_NE(first.find("1 WIFE @@" + eveId + "@@\r\n"), std::string::npos) << first;
    m_engine.reset();
    m_second.reset();
    ASSERT_TRUE(Load(PathOf("out.ged")));
    EXPECT_EQ(Save(PathOf("out.ged")), first);
}

TEST_F(MergeReferencesTest, TextFieldsOfAMatchedPairAreOneOnlyWhenTheyNameMatchedRecords)
{
    // Alice is in both files. Her "@I2@" is Dan in the open file and Carl in the other: two
    // references, both kept; her "@I1@" names herself in both: one, also where a field of its
    // own tag that is two follows it.
    const auto file = [this](const char* name, const char* second) {
        return File(name, CrLf({"0 HEAD", "0 @I1@ INDI", "1 NAME Alice /Qwyxz/", "1 SEX F",
                                "1 _LINK @I1@", "1 _LINK @I2@", "1 _SELF @I1@", "0 @I2@ INDI",
                                std::string("1 NAME ") + second, "1 SEX M", "0 TRLR"}));
    };
    LoadBoth(file("open.ged", "Dan /Dale/"), file("merged.ged", "Carl /Cole/"));
    CMergeEngine& engine = Compare();
    ASSERT_EQ(
        RowTexts(engine, kIndi),
        (std::vector<std::string>{"I1 I1 " + std::to_string(engine.Rows(kIndi).front()->score),
                                  "I2 - 0", "- I2 0"}));
    const auto references = ReferencesThatComeOver(engine);
    ASSERT_EQ(engine.Merge(nullptr), MergeOutcome::Merged);
    NotifyChanges();
    CheckReferences(references);
    const CRecordNode* alice = FindById(ProgramRoots(), kIndi, "I1");
    std::multiset<std::string> named;
    for (const CDataNode* field = alice->GetFirstChild(); field; field = field->GetNextSibling()) {
        const std::string tag(field->GetFieldDef()->GetGedcomTag());
        if (tag.front() != '_')
            continue;
        std::string name;
        const CRecordNode* record = Named(*field, ProgramRoots());
        const CDataNode* nameField = record ? record->FindChild(nullptr, FIELD_NAME) : nullptr;
        if (nameField)
            nameField->GetText(name, 0);
        named.insert(tag + " " + name);
    }
    EXPECT_EQ(named, (std::multiset<std::string>{"_LINK Alice QWYXZ", "_LINK Carl COLE",
                                                 "_LINK Dan DALE", "_SELF Alice QWYXZ"}));
}

TEST_F(MergeReferencesTest, EveryReferenceOfARealFileNamesItsRecordAfterTheMerge)
{
    std::vector<std::string> paths;
    for (const auto& entry :
         std::filesystem::directory_iterator(test_support::DataPath("gedcom"))) {
        const std::string extension = text::ToLower(entry.path().extension().string());
        if (entry.is_regular_file() && extension == ".ged")
            paths.push_back(entry.path().string());
    }
    std::sort(paths.begin(), paths.end());
    ASSERT_GT(paths.size(), 20u);
    int merged = 0;
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        m_engine.reset();
        m_second.reset();
        LoadBoth(OpenFile(), path);
        if (!m_secondLoaded)
            continue;
        CMergeEngine& engine = Compare();
        const auto references = ReferencesThatComeOver(engine);
        ASSERT_EQ(engine.Merge(nullptr), MergeOutcome::Merged);
        NotifyChanges();
        CheckReferences(references);
        ++merged;
    }
    EXPECT_GT(merged, 20);
}

} // namespace
