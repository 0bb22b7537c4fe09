// tests/diagrams/layout_test_support.h: a family built in the test for layout tests, a row set
// over the fake owner, an observer that runs an update when an edit ends, and checks that hold for
// every laid-out diagram: rows at their y, boxes of a row apart by at least their gap, couples over
// their children, the extent holding all.
#pragma once

#include "diagrams/diag_builder.h"
#include "diagrams/diag_tree.h"
#include "diagrams/diag_tree_walk.h"
#include "tests/database/records/record_test_support.h"
#include "tests/diagrams/diag_test_owner.h"

#include "database/kin/ind_rec.h"
#include "database/nodes/data_observer.h"
#include "database/records/fam_rec.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <utility>

/// Runs an update when an edit ends, while deleted records can still be looked at.
class CEditEndObserver final : public IDataObserver {
public:
    explicit CEditEndObserver(std::function<void()> update) : m_update(std::move(update)) {}
    void OnDataChanged(CObject*, LPARAM, CObject*, bool) override { m_update(); }

private:
    std::function<void()> m_update;
};

class CLayoutTest : public record_test::CRecordTest {
protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        m_owner.m_settings.m_minBoxWidth = 80;
        m_owner.m_settings.m_minAncestorGap = 20;
    }
    void TearDown() override
    {
        m_rowSet.reset();
        CRecordTest::TearDown();
    }

    CIndRec* Person(const std::string& key, int sex)
    {
        CIndRec* person = NewIndividual(sex, key);
        m_people[key] = person;
        return person;
    }
    CIndRec* P(const std::string& key) const { return m_people.at(key); }
    /// Robert with his parents F and M, his father's parents FF and FM, his sister Sis, his
    /// wife and their children K1 and K2; gives Robert's family.
    CFamRec* MarryRobertsFamily()
    {
        Marry(Person("FF", SEX_MALE), Person("FM", SEX_FEMALE), {Person("F", SEX_MALE)});
        Marry(P("F"), Person("M", SEX_FEMALE),
              {Person("Robert", SEX_MALE), Person("Sis", SEX_FEMALE)});
        return Marry(P("Robert"), Person("Wife", SEX_FEMALE),
                     {Person("K1", SEX_MALE), Person("K2", SEX_FEMALE)});
    }

    /// A fresh row set for a diagram of the type with the generation counts.
    CDiagRowSet& RowSet(int type, int ancestors, int descendants)
    {
        m_owner.m_settings.SetDiagramType(type);
        m_rowSet.reset();
        m_rowSet = std::make_unique<CDiagRowSet>(m_owner);
        m_rowSet->m_ancestorGenerations = ancestors;
        m_rowSet->m_descendantGenerations = descendants;
        return *m_rowSet;
    }
    /// The one visible box showing the person as a person (not as a spouse) in the main tree.
    CDiagElem* BoxOf(const std::string& key) const
    {
        CDiagElem* found = nullptr;
        ForEachBox(*m_rowSet->MainTree(), true, [&](CDiagElem& box) {
            if (box.GetKind() != kSpouseElem && box.IsVisible() && box.GetIndividual() == P(key) &&
                !found)
                found = &box;
        });
        return found;
    }
    CDiagElem* SpouseBoxOf(const std::string& key) const
    {
        CDiagElem* found = nullptr;
        ForEachBox(*m_rowSet->MainTree(), true, [&](CDiagElem& box) {
            if (box.GetKind() == kSpouseElem && box.GetIndividual() == P(key) && !found)
                found = &box;
        });
        return found;
    }

    CFakeDiagramOwner m_owner;
    std::unique_ptr<CDiagRowSet> m_rowSet;
    std::map<std::string, CIndRec*> m_people;
};

/// Left and right of a rectangle, for comparisons.
inline std::pair<int, int> Span(const CDiagElem* box)
{
    return box ? std::pair<int, int>(box->Rect().left, box->Rect().right)
               : std::pair<int, int>(INT32_MIN, INT32_MIN);
}
