// tests/diagrams/hit_test_support.h: royal92.ged loaded for diagram tests, with the
// individuals a test draws diagrams of, and a walk over every shown box of a diagram.
#pragma once

#include "tests/diagrams/draw_test_painter.h"

#include "database/dictionary/record_type_table.h"
#include "database/gedcom/gedcom_loader.h"
#include "tests/support/test_support.h"

#include <functional>

class CRoyalTest : public CDrawTest {
protected:
    void SetUp() override
    {
        CDrawTest::SetUp();
        test_support::Prompt().SetAnswerDefaults(true);
        ASSERT_TRUE(LoadGedcomFile(test_support::DataPath("gedcom/royal92.ged"), nullptr, nullptr));
        test_support::Prompt().SetAnswerDefaults(false);
        test_support::Prompt().TakeMessages();
        CDataNode* root = GetRecordTypeRoot(RECORD_LIST_INDI);
        for (CDataNode* node = root->GetFirstChild(); node; node = node->GetNextSibling())
            if (CIndRec* person = AsIndividual(static_cast<CRecordNode*>(node)))
                m_all.push_back(person);
    }

    /// Some individuals spread over the file who have parents and children.
    std::vector<CIndRec*> Sample(int count) const
    {
        std::vector<CIndRec*> related;
        for (CIndRec* person : m_all) {
            CFamRec* walk = nullptr;
            if (person->GetNextParentFamily(nullptr) && person->GetNextChild(walk, nullptr, false))
                related.push_back(person);
        }
        std::vector<CIndRec*> people;
        for (int i = 0; i < count; ++i)
            people.push_back(related[related.size() * std::size_t(i) / std::size_t(count)]);
        return people;
    }

    /// A fresh row set of the type and generation counts, built from a person of the file.
    CDiagRowSet& BuildOf(int type, CIndRec* person, int ancestors, int descendants)
    {
        m_owner.m_settings.SetDiagramType(type);
        m_rowSet.reset();
        m_rowSet = std::make_unique<CDiagRowSet>(m_owner);
        m_rowSet->m_ancestorGenerations = ancestors;
        m_rowSet->m_descendantGenerations = descendants;
        EXPECT_NE(DiagBuildFromRoot(*m_rowSet, person), 0);
        return *m_rowSet;
    }

    /// Calls fn for every shown box of every row of every tree.
    void ForEachShown(const std::function<void(const CDiagTree&, CDiagElem&)>& fn) const
    {
        for (const CDiagTree* tree : m_rowSet->Trees()) {
            int highest = 0, lowest = 0;
            tree->GetGenerationRange(highest, lowest, false);
            for (int g = lowest; g <= highest; ++g)
                if (const CDiagRow* row = tree->GetRow(g))
                    for (CDiagElem* box : row->m_shown)
                        if (box->IsVisible())
                            fn(*tree, *box);
        }
    }

    std::vector<CIndRec*> m_all;
};
