// bench/diagrams/bench_diagram.h: what the diagram benchmarks share: a measurer with fixed
// metrics, a window side with one template for every box kind, and the generated tree's person
// whose Descendants diagram first reaches 10,000 boxes.
#pragma once

#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "database/records/record_id_state.h"
#include "diagrams/box_painter.h"
#include "diagrams/diag_builder.h"
#include "diagrams/diag_owner.h"
#include "diagrams/diag_tree.h"
#include "diagrams/diagram_settings.h"
#include "templates/text_template.h"

#include <memory>
#include <string>
#include <vector>

/// Measures 6 units a character and 10 a line; draws nothing.
class CBenchMeasurer : public IBoxPainter {
public:
    CSize MeasureText(std::string_view line) override { return CSize(6 * int(line.size()), 10); }
    void DrawBox(const CRect&, int) override {}
    void DrawTextLine(const CRect&, int, std::string_view, COLORREF) override {}
    void DrawPicture(CMediaItem&, const CRect&, const RECT*) override {}
    void DrawHandles(const CRect&, bool) override {}
};

/// A window's side of a diagram: settings of a type, one template for every box kind.
class CBenchOwner : public IDiagramOwner {
public:
    explicit CBenchOwner(int type)
    {
        m_settings.SetDiagramType(type);
        std::string message;
        m_template.CompileTemplate("%INDI.NAME:PREFERRED%\r\n=LifeDates(%INDI%)", message);
    }
    const CDiagramSettings& Settings() const override { return m_settings; }
    const CTextTemplate* BoxTemplate(int) const override { return &m_template; }
    COLORREF ProxyTextColour() const override { return 0; }
    bool ShowsPictures() const override { return false; }
    int Scaled(int value) const override { return value; }
    int BoxHeight() const override { return m_settings.m_defaultBoxHeight; }
    std::unique_ptr<IBoxPainter> CreateMeasurer() override
    {
        return std::make_unique<CBenchMeasurer>();
    }
    void SetLayoutChanged() override {}
    void ElementDestroyed(CDiagElem&) override {}
    void FamilyBoxDestroyed(CDiagElem&, CDiagElem*) override {}
    const CDiagElem* RootElement() const override { return nullptr; }
    const CDiagFamilyLink* RootFamilyLink() const override { return nullptr; }
    bool IsLastAncestorGeneration(int) const override { return false; }
    bool IsAtDescendantLimit(int) const override { return false; }
    void IndexElement(const CIndRec*, CDiagElem*) override {}

    CDiagramSettings m_settings;
    CTextTemplate m_template;
};

/// The loaded individuals in file order.
inline std::vector<CIndRec*> BenchIndividuals()
{
    std::vector<CIndRec*> people;
    CDataNode* root = GetRecordTypeRoot(RECORD_LIST_INDI);
    for (CDataNode* node = root->GetFirstChild(); node; node = node->GetNextSibling())
        if (CIndRec* person = AsIndividual(static_cast<CRecordNode*>(node)))
            people.push_back(person);
    return people;
}

/// The first person with a family of two children or more whose Descendants diagram reaches
/// 10,000 boxes (but not 14,000), with the generations it takes; the edits of the update
/// benchmarks swap two of those children.
inline bool FindTenThousandBoxRoot(CBenchOwner& owner, CIndRec*& root, int& generations)
{
    for (CIndRec* person : BenchIndividuals()) {
        const CFamRec* family = person->GetNextSpouseFamily(nullptr);
        if (!family || family->CountChildren() < 2)
            continue;
        for (int d = 2; d < 60; ++d) {
            CDiagRowSet rowSet(owner);
            rowSet.m_descendantGenerations = d;
            rowSet.m_boxBudget = 40000;
            if (!DiagBuildFromRoot(rowSet, person) || rowSet.m_boxCount > 14000)
                break;
            if (rowSet.m_boxCount >= 10000) {
                root = person;
                generations = d;
                return true;
            }
            if (rowSet.MainTree()->DescendantRowCount() < d)
                break; // no deeper generations
        }
    }
    return false;
}
