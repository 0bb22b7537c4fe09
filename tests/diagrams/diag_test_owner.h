// tests/diagrams/diag_test_owner.h: a diagram owner for element tests: settings, the templates
// of a text scheme by box kind, scale 1, a fixed box height, a record index and a log of
// destroyed elements; and a painter that measures 6 units a character and 10 a line and
// records what it is asked to draw.
#pragma once

#include "diagrams/box_painter.h"
#include "diagrams/diag_elem.h"
#include "diagrams/diag_owner.h"
#include "diagrams/diagram_settings.h"
#include "diagrams/text_scheme_table.h"
#include "templates/text_template.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

/// Measures 6 units a character (UTF-8 aware) and 10 a line; records every call.
class CFakeBoxPainter : public IBoxPainter {
public:
    struct Line {
        CRect area;
        int top;
        std::string text;
        COLORREF colour;
    };
    CSize MeasureText(std::string_view line) override
    {
        int chars = 0;
        for (char c : line)
            chars += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
        return CSize(6 * chars, 10);
    }
    void DrawBox(const CRect& box, int colourRow) override { m_boxes.push_back({box, colourRow}); }
    void DrawTextLine(const CRect& area, int top, std::string_view line, COLORREF colour) override
    {
        m_lines.push_back({area, top, std::string(line), colour});
    }
    void DrawPicture(CMediaItem&, const CRect& rect, const RECT*) override
    {
        m_pictures.push_back(rect);
    }
    void DrawHandles(const CRect& box, bool remove) override { m_handles.push_back({box, remove}); }

    std::vector<std::pair<CRect, int>> m_boxes;
    std::vector<Line> m_lines;
    std::vector<CRect> m_pictures;
    std::vector<std::pair<CRect, bool>> m_handles;
};

class CFakeDiagramOwner : public IDiagramOwner {
public:
    CFakeDiagramOwner() { m_settings.SetDiagramType(kAllRelativesDiagram); }

    /// The templates of a built-in scheme by box kind, as the window selects them for an All
    /// Relatives diagram (each falls back to the scheme's default template).
    void UseScheme(const BuiltInScheme& scheme)
    {
        constexpr std::array<int, kDiagramBoxKindCount> kBoxType = {1, 2, 3, 4, 5};
        for (int kind = 0; kind < kDiagramBoxKindCount; ++kind) {
            const auto& own = scheme.templates[std::size_t(kBoxType[std::size_t(kind)])];
            const auto& text = own ? own : scheme.templates[0];
            UseTemplate(kind, text ? text->c_str() : nullptr);
        }
    }
    /// One kind's template; null leaves the kind without one.
    void UseTemplate(int kind, const char* text)
    {
        CTextTemplate& compiled = m_templates[std::size_t(kind)];
        compiled.FreeTemplate();
        m_hasTemplate[std::size_t(kind)] = text != nullptr;
        if (!text)
            return;
        std::string message;
        EXPECT_TRUE(compiled.CompileTemplate(text, message)) << text << ": " << message;
    }

    const CDiagramSettings& Settings() const override { return m_settings; }
    const CTextTemplate* BoxTemplate(int kind) const override
    {
        return m_hasTemplate[std::size_t(kind)] ? &m_templates[std::size_t(kind)] : nullptr;
    }
    COLORREF ProxyTextColour() const override { return kProxyColour; }
    bool ShowsPictures() const override { return m_showPictures; }
    int Scaled(int value) const override { return value; }
    int BoxHeight() const override { return m_boxHeight; }
    std::unique_ptr<IBoxPainter> CreateMeasurer() override
    {
        ++m_measurersMade;
        return std::make_unique<CFakeBoxPainter>();
    }
    void SetLayoutChanged() override { ++m_layoutChanges; }
    void ElementDestroyed(CDiagElem& element) override { m_destroyed.push_back(&element); }
    void FamilyBoxDestroyed(CDiagElem& box, CDiagElem* next) override
    {
        if (m_current == &box)
            m_current = next;
    }
    const CDiagElem* RootElement() const override { return m_root; }
    const CDiagFamilyLink* RootFamilyLink() const override { return m_rootLink; }
    bool IsLastAncestorGeneration(int generation) const override
    {
        return generation == m_lastAncestorRow;
    }
    bool IsAtDescendantLimit(int generation) const override
    {
        return generation <= m_descendantLimit;
    }
    void IndexElement(const CIndRec* individual, CDiagElem* element) override
    {
        m_index.emplace(individual, element);
    }

    static constexpr COLORREF kProxyColour = RGB(1, 2, 3);
    CDiagramSettings m_settings;
    std::array<CTextTemplate, kDiagramBoxKindCount> m_templates;
    std::array<bool, kDiagramBoxKindCount> m_hasTemplate{};
    bool m_showPictures = true;
    int m_boxHeight = 50;
    int m_lastAncestorRow = 3;
    int m_descendantLimit = -3;
    int m_measurersMade = 0;
    int m_layoutChanges = 0;
    std::vector<CDiagElem*> m_destroyed;
    std::multimap<const CIndRec*, CDiagElem*> m_index;
    CDiagElem* m_current = nullptr;
    const CDiagElem* m_root = nullptr;
    const CDiagFamilyLink* m_rootLink = nullptr;
};
