// tests/database/database_test_support.h: what the fixtures of the database tests share: node
// factories swapped for a test and put back, the lines a node writes, and the check that a test
// freed every node it made.
#pragma once

#include "database/dictionary/field_class.h"
#include "database/dictionary/record_type_table.h"
#include "database/gedcom/buffered_file.h"
#include "database/nodes/data_node.h"
#include "database/nodes/node_pool.h"
#include "database/nodes/root_node.h"
#include "database/records/record_id_state.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace database_test {

template <class T> CDataNode* MakeNode()
{
    return new T;
}

/// Node-class factories changed for a test: each class is remembered before its first change,
/// and Restore (or the destructor) puts every remembered factory back, the last changed first.
class CNodeClassFactories {
public:
    CNodeClassFactories() = default;
    CNodeClassFactories(const CNodeClassFactories&) = delete;
    CNodeClassFactories& operator=(const CNodeClassFactories&) = delete;
    ~CNodeClassFactories() { Restore(); }

    /// Remembers the class's factory, to be put back.
    void Save(const char* name)
    {
        CNodeClass* nodeClass = FindNodeClass(name);
        m_saved.emplace_back(nodeClass, nodeClass->GetFactory());
    }
    /// Remembers the class's factory and makes its nodes with factory.
    void Install(const char* name, CNodeClass::Factory factory)
    {
        Save(name);
        FindNodeClass(name)->SetFactory(factory);
    }
    void Restore()
    {
        for (auto saved = m_saved.rbegin(); saved != m_saved.rend(); ++saved)
            saved->first->SetFactory(saved->second);
        m_saved.clear();
    }

private:
    std::vector<std::pair<CNodeClass*, CNodeClass::Factory>> m_saved;
};

/// The bytes that node's WriteGedcom at level puts into a file; "FAILED" when it answers false.
inline std::string WrittenLines(const CDataNode& node, int level)
{
    const std::string path = test_support::NewFolder("lines") + "/out.ged";
    if (!OpenGedcomInputFile(path, true))
        return "NOT OPENED";
    std::string line;
    const bool written = node.WriteGedcom(level, line);
    if (!CloseGedcomInputFile() || !written)
        return "FAILED";
    return test_support::ReadFile(path);
}

/// Record-type roots of the test's own in place of the data set's, for the life of the object;
/// the identifier states are fresh at both ends. Records left under the roots are the test's
/// to delete first.
class CTestRecordRoots {
public:
    CTestRecordRoots()
    {
        for (int code = 0; code < RECORD_TYPE_COUNT; ++code) {
            CRecordType* row = GetRecordTypeTable().MutableRowByCode(code);
            m_savedRoots.push_back(row->m_root);
            m_roots.push_back(std::make_unique<CRootNode>());
            m_roots.back()->SetFieldDef(row->m_topDef);
            SetRecordTypeRoot(m_roots.back().get(), code);
        }
        ResetIdStates();
    }
    CTestRecordRoots(const CTestRecordRoots&) = delete;
    CTestRecordRoots& operator=(const CTestRecordRoots&) = delete;
    ~CTestRecordRoots()
    {
        for (int code = 0; code < RECORD_TYPE_COUNT; ++code)
            SetRecordTypeRoot(m_savedRoots[std::size_t(code)], code);
        m_roots.clear();
        ResetIdStates();
    }

    /// Deletes every record under the test's roots.
    void DeleteRecords()
    {
        for (auto& root : m_roots)
            root->DeleteChildren();
    }

private:
    static void ResetIdStates()
    {
        for (int i = 0; i < RECORD_TYPE_COUNT; ++i)
            GetRecordIdState(i)->Reset();
    }

    std::vector<std::unique_ptr<CRootNode>> m_roots;
    std::vector<CDataNode*> m_savedRoots;
};

/// Start counts the node pool's live blocks; Check fails the test when a block taken since was
/// not given back.
class CLiveNodeCheck {
public:
    void Start() { m_liveAtStart = CNodePool::Nodes().LiveBlocks(); }
    void Check() const
    {
        EXPECT_EQ(CNodePool::Nodes().LiveBlocks(), m_liveAtStart) << "nodes left behind";
    }

private:
    std::size_t m_liveAtStart = 0;
};

} // namespace database_test
