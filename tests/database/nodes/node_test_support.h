// tests/database/nodes/node_test_support.h: a small dictionary, stand-in field classes and
// recording fakes for the tests of the node tree, change tracking and merge support.
#pragma once

#include "database/dictionary/field_dictionary.h"
#include "database/dictionary/record_type_table.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/complex_node.h"
#include "database/nodes/data_model.h"
#include "database/nodes/data_node.h"
#include "database/nodes/data_observer.h"
#include "database/nodes/node_choice_list.h"
#include "database/nodes/node_menu.h"
#include "database/nodes/node_pool.h"
#include "database/nodes/node_text.h"
#include "database/nodes/root_node.h"
#include "database/nodes/source_citation.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"
#include "platform/base/text.h"
#include "tests/database/database_test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace node_test {

/// A text field as the text field classes will hold one: its value in a CNodeText.
class CTestTextNode : public CDataNode {
public:
    bool IsEmpty() const override { return m_text.IsEmpty(); }
    bool GetText(std::string& text, int) const override
    {
        text = m_text.Str();
        return true;
    }
    bool SetText(std::string_view text) override
    {
        m_text.Assign(text);
        MarkChanged(this);
        return true;
    }
    bool IsEqual(const CDataNode* other, const void*) const override
    {
        std::string theirs;
        other->GetText(theirs, 0);
        return m_text == theirs;
    }

private:
    CNodeText m_text;
};

/// A link field: its target and nothing else.
class CTestLinkNode : public CDataNode {
public:
    bool IsEmpty() const override { return m_target == nullptr; }
    CRecordNode* GetLinkTarget() const override { return m_target; }
    int SetLink(CRecordNode* record, bool) override
    {
        m_target = record;
        MarkChanged(this);
        return 1;
    }
    bool IsEqual(const CDataNode* other, const void*) const override
    {
        return other->GetLinkTarget() == m_target;
    }

private:
    CRecordNode* m_target = nullptr;
};

using database_test::MakeNode;

/// Installs this library's node classes and, over them, stand-ins for the field and record
/// classes, so that these tests depend on no value class; puts every factory back when
/// destroyed.
class CScopedNodeClasses {
public:
    CScopedNodeClasses()
    {
        for (const char* name : kClassNames)
            m_factories.Save(name);
        RegisterDataNodeClasses();
        for (const char* name :
             {"CEditNode", "CCustomAttrNode", "CFileNode", "CEditMultiNode", "CNoteTextNode",
              "CObjNoteNode", "CEnumNode", "CEnumEditNode", "CFormatNode", "CSexNode", "CDateNode",
              "CNameNode", "CNumberNode", "CRectNode", "CAgeNode", "CBlobNode"})
            FindNodeClass(name)->SetFactory(&MakeNode<CTestTextNode>);
        for (const char* name : {"CAssocNode", "CAssocFamcNode", "CAssocChilNode"})
            FindNodeClass(name)->SetFactory(&MakeNode<CTestLinkNode>);
        for (const char* name : {"CFamRec", "CIndRec", "CNoteRec", "CObjRec", "CSrcRec"})
            FindNodeClass(name)->SetFactory(&MakeNode<CRecordNode>);
        FindNodeClass("CObjNode")->SetFactory(&MakeNode<CComplexNode>);
    }

private:
    static constexpr const char* kClassNames[] = {
        "CEditNode",    "CCustomAttrNode", "CFileNode",      "CEditMultiNode", "CNoteTextNode",
        "CObjNoteNode", "CEnumNode",       "CEnumEditNode",  "CFormatNode",    "CSexNode",
        "CAssocNode",   "CAssocFamcNode",  "CAssocChilNode", "CComplexNode",   "CCustomEventNode",
        "CObjNode",     "CFamRec",         "CIndRec",        "CNoteRec",       "CObjRec",
        "CRecordNode",  "CSrcRec",         "CDateNode",      "CNameNode",      "CNumberNode",
        "CRectNode",    "CAgeNode",        "CBlobNode"};

    database_test::CNodeClassFactories m_factories;
};

inline std::string IdLine(const char* name, int id)
{
    return text::Format("id %s %d\n", name, id);
}

/// A small definitions table: individuals with events in a shared structure (which cites
/// sources through another one), LDS ordinances, notes; families; sources; notes; a header.
inline std::string TestTable()
{
    std::string table;
    const std::pair<const char*, int> ids[] = {
        {"FIELD_AFN", FIELD_AFN},
        {"FIELD_BAPL", FIELD_BAPL},
        {"FIELD_BIRT", FIELD_BIRT},
        {"FIELD_CHIL", FIELD_CHIL},
        {"FIELD_DATA", FIELD_DATA},
        {"FIELD_DATE", FIELD_DATE},
        {"FIELD_DEAT", FIELD_DEAT},
        {"FIELD_EVEN", FIELD_EVEN},
        {"FIELD_FAM", FIELD_FAM},
        {"FIELD_FAMS", FIELD_FAMS},
        {"FIELD_HEAD", FIELD_HEAD},
        {"FIELD_HUSB", FIELD_HUSB},
        {"FIELD_INDI", FIELD_INDI},
        {"FIELD_MARR", FIELD_MARR},
        {"FIELD_NAME", FIELD_NAME},
        {"FIELD_NOTE", FIELD_NOTE},
        {"FIELD_NOTE_TEXT", FIELD_NOTE_TEXT},
        {"FIELD_PAGE", FIELD_PAGE},
        {"FIELD_PLAC", FIELD_PLAC},
        {"FIELD_QUAY", FIELD_QUAY},
        {"FIELD_RIN", FIELD_RIN},
        {"FIELD_SEX", FIELD_SEX},
        {"FIELD_SLGS", FIELD_SLGS},
        {"FIELD_SOUR", FIELD_SOUR},
        {"FIELD_SOUR_TEXT", FIELD_SOUR_TEXT},
        {"FIELD_TEMP", FIELD_TEMP},
        {"FIELD_TEXT", FIELD_TEXT},
        {"FIELD_TITL", FIELD_TITL},
        {"FIELD_TYPE", FIELD_TYPE},
        {"FIELD_WIFE", FIELD_WIFE},
        {"STRUCT_INDI_EVENTS", STRUCT_INDI_EVENTS},
        {"STRUCT_LDS_INDI_ORDINANCES", STRUCT_LDS_INDI_ORDINANCES},
    };
    for (const auto& [name, id] : ids)
        table += IdLine(name, id);
    table += R"(
struct @CITE
  SOUR Assoc 0:M "Source Record" pointer {SOUR}
    PAGE Edit 0:1 "Page"
    DATA Complex 0:1 "Data"
      DATE Date 0:1 "Entry Date"
      TEXT EditMulti 0:M "Text from Source" CONT CONC
    QUAY EnumEdit 0:1 "Certainty" {|0=Unreliable|1=Questionable|2=Secondary|3=Direct}
    NOTE2 NoteText 0:M "Note" local id=FIELD_NOTE_TEXT flags=U CONT CONC
  SOUR2 EditMulti 0:M "Source Text" local id=FIELD_SOUR_TEXT flags=U CONT CONC
struct @EVENT_DETAIL
  TYPE Edit 0:1 "Type"
  DATE Date 0:1 "Date"
  PLAC Edit 0:1 "Place"
  @CITE ref 1:1 ""
struct @INDI_EVENTS
  BIRT ComplexY 0:M "Birth" flags=!E {1[#1]1&2[, ]2[#2]|DATE|PLAC}
    @EVENT_DETAIL ref 1:1 ""
  DEAT ComplexY 0:M "Death" flags=!E {1[#1]1&2[, ]2[#2]|DATE|PLAC}
    @EVENT_DETAIL ref 1:1 ""
  EVEN CustomEvent 0:M "Custom Event" flags=!CE {1[#1]|DATE|PLAC|TYPE-Graduation}
    @EVENT_DETAIL ref 1:1 ""
struct @LDS_INDI_ORDINANCES
  BAPL Complex 0:M "LDS Baptism" flags=! {1![only #1]2![only #2]1^2[ any]~[none]|DATE|TEMP}
    DATE Date 0:1 "Date"
    TEMP Edit 0:1 "Temple"
  SLGS Complex 0:1 "LDS Sealing" {[a#0b]x[never]}
    DATE Date 0:1 "Date"
HEAD Record 1:1 "Header"
  NOTE2 NoteText 0:1 "Note" local id=FIELD_NOTE_TEXT flags=U
INDI Record 0:M "Individual" {[#1]|NAME}
  NAME Edit 1:M "Name"
  SEX Edit 0:1 "Sex"
  @INDI_EVENTS ref 1:1 "Events"
  @LDS_INDI_ORDINANCES ref 1:1 "LDS Ordinances" flags=L
  FAMS Assoc 0:M "Spouse Family Record" {FAM}
  @CITE ref 1:1 ""
  NOTE Assoc 0:M "Note Record" pointer {NOTE}
  NOTE2 NoteText 0:M "Note" local id=FIELD_NOTE_TEXT
  RIN Edit 0:1 "Record Id" flags=R
  AFN Edit 0:1 "Ancestral File Number" flags=H
FAM Record 0:M "Family"
  HUSB Assoc 0:1 "Husband" {INDI}
  WIFE Assoc 0:1 "Wife" {INDI}
  CHIL Assoc 0:M "Child" {INDI}
  MARR ComplexY 0:M "Marriage" flags=E {1[#1]|DATE}
    DATE Date 0:1 "Date"
NOTE Record 0:M "Note"
  TEXT EditMulti 0:1 "Text" CONT CONC
SOUR Record 0:M "Source"
  TITL Edit 0:1 "Title"
)";
    return table;
}

/// Records every notice and runs an optional check while it is delivered.
class CRecordingObserver final : public IDataObserver {
public:
    struct Notice {
        LPARAM hint;
        bool modify;
    };
    void OnDataChanged(CObject* sender, LPARAM hint, CObject* object, bool modify) override
    {
        EXPECT_EQ(sender, nullptr);
        EXPECT_EQ(object, nullptr);
        m_notices.push_back({hint, modify});
        if (m_check)
            m_check();
    }
    std::vector<Notice> m_notices;
    std::function<void()> m_check;
};

/// A menu that keeps its items as text: "Add Birth", "-" for a separator, "(greyed) " before a
/// greyed item, and "Title>{...}" for a popup.
class CRecordingMenu final : public INodeMenu {
public:
    void AppendItem(UINT command, std::string_view text, bool greyed) override
    {
        m_items.push_back((greyed ? "(greyed) " : "") + std::string(text));
        m_commands.push_back(command);
    }
    void AppendSeparator() override { m_items.push_back("-"); }
    std::unique_ptr<INodeMenu> NewPopup() override { return std::make_unique<CRecordingMenu>(); }
    void AppendPopup(std::unique_ptr<INodeMenu> popup, std::string_view text) override
    {
        std::string item = std::string(text) + ">{";
        const auto& inner = static_cast<CRecordingMenu&>(*popup);
        for (std::size_t i = 0; i < inner.m_items.size(); ++i)
            item += (i ? "; " : "") + inner.m_items[i];
        m_items.push_back(item + "}");
        m_commands.push_back(0);
    }
    int GetItemCount() const override { return int(m_items.size()); }

    std::vector<std::string> m_items;
    std::vector<UINT> m_commands;
};

class CRecordingChoiceList final : public INodeChoiceList {
public:
    void AddChoice(std::string_view text, CDataNode* node) override
    {
        m_texts.emplace_back(text);
        m_nodes.push_back(node);
    }
    std::vector<std::string> m_texts;
    std::vector<CDataNode*> m_nodes;
};

/// A data set built on the test table: roots for individuals, families, notes and sources,
/// change tracking on, a recording observer. Checks at the end that every node was freed.
class CNodeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_liveNodes.Start();
        ASSERT_TRUE(m_dictionary.Load(TestTable(), &GetRecordTypeTable()))
            << m_dictionary.GetError();
        for (int i = 0; i < RECORD_TYPE_COUNT; ++i)
            GetRecordIdState(i)->Reset();
        m_indi = MakeRoot("INDI");
        m_fam = MakeRoot("FAM");
        m_note = MakeRoot("NOTE");
        m_sour = MakeRoot("SOUR");
        SetDataObserver(&m_observer);
        SetChangeTracking(true);
    }

    void TearDown() override
    {
        SetChangeTracking(false);
        ResetChangeTracking();
        ForgetCitations();
        for (std::unique_ptr<CDataNode>& root : m_roots)
            root->DeleteChildren();
        m_roots.clear();
        SetDataObserver(nullptr);
        GetRecordTypeTable().Clear();
        m_liveNodes.Check();
    }

    CDataNode* MakeRoot(const char* tag)
    {
        m_roots.push_back(std::make_unique<CRootNode>());
        CDataNode* root = m_roots.back().get();
        root->SetFieldDef(m_dictionary.FindRecordDef(tag));
        return root;
    }

    /// A new record of the root's type, with its mandatory and default children.
    CRecordNode* NewRecord(CDataNode* root)
    {
        return static_cast<CRecordNode*>(root->CreateChild(nullptr));
    }

    const CFieldDef* Def(const CDataNode* parent, int fieldId)
    {
        return FindChildDefById(parent->GetFieldDef(), fieldId);
    }

    /// The tags of node's children in order, joined by blanks.
    static std::string ChildTags(const CDataNode* node)
    {
        std::string tags;
        for (const CDataNode* child = node->GetFirstChild(); child; child = child->GetNextSibling())
            tags += (tags.empty() ? "" : " ") + std::string(child->GetFieldDef()->GetGedcomTag());
        return tags;
    }

    /// Ends the edit in progress so that a test starts from a quiet data set.
    void Settle()
    {
        NotifyChanges();
        m_observer.m_notices.clear();
    }

    CScopedNodeClasses m_classes;
    CFieldDictionary m_dictionary;
    CRecordingObserver m_observer;
    std::vector<std::unique_ptr<CDataNode>> m_roots;
    CDataNode* m_indi = nullptr;
    CDataNode* m_fam = nullptr;
    CDataNode* m_note = nullptr;
    CDataNode* m_sour = nullptr;
    database_test::CLiveNodeCheck m_liveNodes;
};

} // namespace node_test
