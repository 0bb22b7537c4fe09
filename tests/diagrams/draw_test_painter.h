// tests/diagrams/draw_test_painter.h: a diagram painter that records every line, button and
// box it is asked to draw, and an owner whose zoom-key and page-boundary answers a test sets.
#pragma once

#include "diagrams/diag_builder.h"
#include "diagrams/diag_draw.h"
#include "diagrams/diag_tree.h"
#include "diagrams/diag_tree_walk.h"
#include "tests/database/records/record_test_support.h"
#include "tests/diagrams/diag_test_owner.h"

#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

class CRecordingPainter : public IDiagramPainter {
public:
    enum Style { kSolid, kDotted, kStretchy };
    struct Line {
        Style style;
        std::vector<std::pair<int, int>> points;
        std::size_t boxesBefore = 0; // boxes drawn before the line
    };
    struct Button {
        CRect circle;
        bool atLimit;
    };

    CSize MeasureText(std::string_view line) override { return m_measure.MeasureText(line); }
    void DrawBox(const CRect& box, int colourRow) override { m_boxes.push_back({box, colourRow}); }
    void DrawTextLine(const CRect&, int, std::string_view, COLORREF) override {}
    void DrawPicture(CMediaItem&, const CRect&, const RECT*) override {}
    void DrawHandles(const CRect&, bool) override {}
    void DrawLines(const POINT* points, int count) override { Record(kSolid, points, count); }
    void DrawDottedLines(const POINT* points, int count) override
    {
        Record(kDotted, points, count);
    }
    void DrawStretchyLine(const CPoint& from, const CPoint& to, int halfWidth,
                          int halfHeight) override
    {
        const POINT points[] = {from, to};
        Record(kStretchy, points, 2);
        m_stretch = {halfWidth, halfHeight};
    }
    void DrawButton(const CRect& circle, bool atLimit) override
    {
        m_buttons.push_back({circle, atLimit});
    }
    void DrawBandDescriptions(int band) override { m_bands.push_back(band); }
    bool IsPrinting() const override { return m_printing; }
    CSize PixelsToLogical(int pixels) const override { return CSize(pixels, pixels); }

    /// Whether a line of the style with exactly these points was drawn.
    bool Has(Style style, std::vector<std::pair<int, int>> points) const
    {
        for (const Line& line : m_lines)
            if (line.style == style && line.points == points)
                return true;
        return false;
    }
    int CountStyle(Style style) const
    {
        int count = 0;
        for (const Line& line : m_lines)
            count += line.style == style;
        return count;
    }
    bool HasBox(const CRect& box) const
    {
        for (const auto& drawn : m_boxes)
            if (drawn.first == box)
                return true;
        return false;
    }
    void Clear()
    {
        m_lines.clear();
        m_buttons.clear();
        m_boxes.clear();
        m_bands.clear();
    }

    std::vector<Line> m_lines;
    std::vector<Button> m_buttons;
    std::vector<std::pair<CRect, int>> m_boxes;
    std::vector<int> m_bands;
    std::pair<int, int> m_stretch;
    bool m_printing = false;

private:
    void Record(Style style, const POINT* points, int count)
    {
        Line line{style, {}, m_boxes.size()};
        for (int i = 0; i < count; ++i)
            line.points.emplace_back(points[i].x, points[i].y);
        m_lines.push_back(std::move(line));
    }
    CFakeBoxPainter m_measure;
};

/// The fake owner with the window's answers a drawing test sets: a zoom key waits after so
/// many boxes, the page-boundaries mode.
class CDrawTestOwner : public CFakeDiagramOwner {
public:
    bool ZoomKeyWaiting() const override
    {
        return m_boxesBeforeKey >= 0 && ++m_asked > m_boxesBeforeKey;
    }
    bool AvoidsPageBoundaries() const override { return m_avoid; }

    int m_boxesBeforeKey = -1;
    mutable int m_asked = 0;
    bool m_avoid = false;
};

/// People made in the test, a row set over the drawing owner and the boxes that show them.
class CDrawTest : public record_test::CRecordTest {
protected:
    void SetUp() override
    {
        CRecordTest::SetUp();
        m_owner.m_settings.m_minBoxWidth = 80;
        m_owner.m_settings.m_minAncestorGap = 20;
        m_owner.m_settings.m_spouseOption = 2;
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

    /// A fresh row set of the type and generation counts, built from a person.
    CDiagRowSet& Build(int type, const std::string& root, int ancestors, int descendants)
    {
        m_owner.m_settings.SetDiagramType(type);
        m_rowSet.reset();
        m_rowSet = std::make_unique<CDiagRowSet>(m_owner);
        m_rowSet->m_ancestorGenerations = ancestors;
        m_rowSet->m_descendantGenerations = descendants;
        EXPECT_NE(DiagBuildFromRoot(*m_rowSet, P(root)), 0);
        return *m_rowSet;
    }
    /// The first visible box of the person as a person (kind other than spouse), or as a
    /// spouse; over every tree.
    CDiagElem* BoxOf(const std::string& key, bool asSpouse = false) const
    {
        CDiagElem* found = nullptr;
        for (const CDiagTree* tree : m_rowSet->Trees())
            ForEachBox(*tree, false, [&](CDiagElem& box) {
                if ((box.GetKind() == kSpouseElem) == asSpouse && box.IsVisible() &&
                    box.GetIndividual() == P(key) && !found)
                    found = &box;
            });
        return found;
    }
    /// Paints everything (a clip far around the diagram).
    int PaintAll(int mode = kDrawLinesAndBoxes)
    {
        return DiagPaintRows(*m_rowSet, m_painter, CRect(-100000, 100000, 100000, -100000), mode);
    }

    CDrawTestOwner m_owner;
    CRecordingPainter m_painter;
    std::unique_ptr<CDiagRowSet> m_rowSet;
    std::map<std::string, CIndRec*> m_people;
};
