// tests/database/fields/text_field_test_support.h: the program's dictionary with the real text,
// enumeration and name classes, stand-ins for the classes built elsewhere, a scripted data
// control, and the GEDCOM lines a node writes.
#pragma once

#include "database/fields/edit_node.h"
#include "database/fields/number_node.h"
#include "database/fields/rect_node.h"
#include "database/fields/text_field_classes.h"
#include "database/gedcom/buffered_file.h"
#include "database/nodes/change_tracking.h"
#include "database/nodes/data_control_access.h"
#include "database/nodes/data_control_host.h"
#include "database/nodes/data_observer.h"
#include "database/nodes/node_pool.h"
#include "database/records/record_id_state.h"
#include "database/records/record_node.h"

#include "common/preferences.h"
#include "tests/database/database_test_support.h"
#include "tests/database/dictionary/field_defs_for_tests.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace text_field_test {

/// A link field: its target and nothing else (the real link classes live elsewhere).
class CTestLinkNode final : public CDataNode {
public:
    bool IsEmpty() const override { return m_target == nullptr; }
    CRecordNode* GetLinkTarget() const override { return m_target; }
    int SetLink(CRecordNode* record, bool) override
    {
        m_target = record;
        return 1;
    }

private:
    CRecordNode* m_target = nullptr;
};

/// One data control as a user sees it: its text or selection, what the node did to it.
class CScriptedControl final : public IDataControlAccess, public IDataControlHost {
public:
    CDataCtl* Handle() { return reinterpret_cast<CDataCtl*>(this); }

    bool GetText(CDataCtl&, std::string& text) override
    {
        text = m_text;
        return m_readable;
    }
    void SetText(CDataCtl&, std::string_view text) override { m_text = text; }
    void SelectText(CDataCtl&, int start, int end) override { m_selection = {start, end}; }
    void ClearModified(CDataCtl&) override { m_modified = false; }
    void ShowAndFocus(CDataCtl&) override { m_shown = m_focused = true; }
    void SetFocus(CDataCtl&) override { m_focused = true; }
    bool GetCurSel(CDataCtl&, int& position) override
    {
        position = m_curSel;
        return m_readable;
    }
    void SetCurSel(CDataCtl&, int position) override { m_curSel = position; }
    int GetCount(CDataCtl&) override { return m_count; }
    void RefuseValue(CDataCtl&, const std::string& message) override
    {
        m_refusals.push_back(message);
    }
    CDataCtl* CreateControl(const CControlClass& controlClass, CDataNode&, CWnd*, const RECT&,
                            IDataCtlOwner*, DWORD, UINT, DWORD) override
    {
        m_class = controlClass.GetName();
        return Handle();
    }

    std::string m_text;
    std::vector<std::string> m_refusals;
    std::string m_class;
    std::pair<int, int> m_selection{-2, -2};
    int m_curSel = -1;
    int m_count = 0;
    bool m_readable = true;
    bool m_modified = true;
    bool m_shown = false;
    bool m_focused = false;
};

class CCountingObserver final : public IDataObserver {
public:
    void OnDataChanged(CObject*, LPARAM, CObject*, bool) override { ++m_notices; }
    int m_notices = 0;
};

using database_test::MakeNode;

/// Nodes of the program's dictionary with the real text, enumeration, name, number and
/// rectangle classes, plain records for every record class, stand-ins for links, a scripted
/// control and change tracking on. Checks at the end that every node was freed.
class CTextFieldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_liveNodes.Start();
        ASSERT_TRUE(test_support::LoadTestFieldDefs()) << GetFieldDefsError();
        for (const char* name :
             {"CEditNode", "CCustomAttrNode", "CFileNode", "CEditMultiNode", "CNoteTextNode",
              "CObjNoteNode", "CEnumNode", "CSexNode", "CEnumEditNode", "CFormatNode", "CNameNode"})
            m_factories.Save(name);
        RegisterTextFieldClasses();
        for (const char* name : {"CIndRec", "CFamRec", "CObjRec", "CNoteRec", "CSrcRec"})
            Install(name, &MakeNode<CRecordNode>);
        for (const char* name : {"CAssocNode", "CAssocFamcNode", "CAssocChilNode"})
            Install(name, &MakeNode<CTestLinkNode>);
        Install("CNumberNode", &MakeNode<CNumberNode>);
        Install("CRectNode", &MakeNode<CRectNode>);
        for (int i = 0; i < RECORD_TYPE_COUNT; ++i)
            GetRecordIdState(i)->Reset();
        m_upperCase = Prefs().m_surnamesInUpperCase;
        SetDataControlAccess(&m_control);
        SetDataControlHost(&m_control);
        SetDataObserver(&m_observer);
        SetChangeTracking(true);
    }

    void TearDown() override
    {
        SetChangeTracking(false);
        ResetChangeTracking();
        for (std::unique_ptr<CDataNode>& node : m_owned)
            node->DeleteChildren();
        m_owned.clear();
        SetDataObserver(nullptr);
        SetDataControlAccess(nullptr);
        SetDataControlHost(nullptr);
        Prefs().m_surnamesInUpperCase = m_upperCase;
        m_factories.Restore();
        m_liveNodes.Check();
    }

    /// A new record of a type ("INDI"), owned by the test.
    CRecordNode* NewRecord(const char* tag)
    {
        CDataNode* record = CreateNodeFromDef(test_support::DefByPath(tag), true, nullptr);
        m_owned.emplace_back(record);
        return static_cast<CRecordNode*>(record);
    }

    /// A new field of a definition path ("INDI.NAME"), detached and owned by the test.
    template <class T> T* NewField(const char* path)
    {
        CDataNode* node = CreateNodeFromDef(test_support::DefByPath(path), false, nullptr);
        m_owned.emplace_back(node);
        return dynamic_cast<T*>(node);
    }

    /// Takes ownership of a node made by the test.
    template <class T> T* Own(T* node)
    {
        m_owned.emplace_back(node);
        return node;
    }

    /// The bytes that node's WriteGedcom at level puts into a file; "FAILED" when it fails.
    static std::string WrittenLines(const CDataNode& node, int level)
    {
        return database_test::WrittenLines(node, level);
    }

    void Install(const char* name, CNodeClass::Factory factory)
    {
        m_factories.Install(name, factory);
    }

    CScriptedControl m_control;
    CCountingObserver m_observer;

private:
    database_test::CNodeClassFactories m_factories;
    std::vector<std::unique_ptr<CDataNode>> m_owned;
    database_test::CLiveNodeCheck m_liveNodes;
    bool m_upperCase = true;
};

} // namespace text_field_test
