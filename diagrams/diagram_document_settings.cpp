// diagrams/diagram_document_settings.cpp: the diagram document's settings changes (frames,
// buttons, "Spouse Option", titles placed and shown, colours, override texts, sections taken
// from the options sheet, a custom diagram's file or the installation, what becomes the
// defaults) and its pages: avoiding the page boundaries as the last step of a layout, the grid
// covering the diagram, the page sized by rows, and the printed orientation.
#include "diagrams/diagram_document.h"

#include "diagrams/diag_elem.h"
#include "diagrams/diag_page.h"
#include "diagrams/diag_resync.h"
#include "diagrams/page_grid.h"

#include <algorithm>
#include <utility>

CDiagramSettings& CDiagramDocument::DefaultSettings()
{
    return m_defaults.Settings();
}

void CDiagramDocument::Mirror(const std::function<void(CDiagramSettings&)>& change)
{
    change(m_settings);
    if (m_customName.empty())
        change(DefaultSettings());
}

void CDiagramDocument::SetShowBoxes(bool on)
{
    Mirror([on](CDiagramSettings& settings) { settings.m_showBoxes = on; });
    Notify([](IDiagramObserver& o) { o.DiagramSettingsChanged(); });
}

void CDiagramDocument::SetShowExpansionButtons(bool on)
{
    Mirror([on](CDiagramSettings& settings) { settings.m_showExpansionButtons = on; });
    Notify([](IDiagramObserver& o) { o.DiagramSettingsChanged(); });
}

bool CDiagramDocument::SetSpouseOption(int option)
{
    if (m_settings.m_diagramType == kAncestorsDiagram || m_settings.m_spouseOption == option)
        return true;
    const int old = m_settings.m_spouseOption;
    Mirror([option](CDiagramSettings& settings) { settings.m_spouseOption = option; });
    return ConvertSpouseOption(old);
}

SaveOutcome CDiagramDocument::ToggleTitle(int index, CAppProfile* saveTo)
{
    CDiagramTitle& title = m_settings.m_titles[std::size_t(index)];
    title.visible = !title.visible;
    SaveOutcome saved = DefaultSettings().CopySettings(m_settings, kSectionTitles, saveTo);
    Notify([](IDiagramObserver& o) { o.DiagramSettingsChanged(); });
    return saved;
}

SaveOutcome CDiagramDocument::HideSelectedTitles(CAppProfile* saveTo)
{
    for (int t = 0; t < kDiagramTitleCount; ++t)
        if (m_selection.IsTitleSelected(t))
            m_settings.m_titles[std::size_t(t)].visible = false;
    m_selection.ClearTitles();
    SaveOutcome saved = SaveTitlesIfOrdinary(saveTo);
    Notify([](IDiagramObserver& o) { o.DiagramSettingsChanged(); });
    return saved;
}

SaveOutcome CDiagramDocument::SaveTitlesIfOrdinary(CAppProfile* saveTo)
{
    if (!m_customName.empty())
        return {};
    return DefaultSettings().CopySettings(m_settings, kSectionTitles, saveTo);
}

void CDiagramDocument::MoveTitle(int index, const CRect& frame)
{
    m_settings.m_titles[std::size_t(index)].frame = frame;
    Notify([](IDiagramObserver& o) { o.DiagramSettingsChanged(); });
}

SaveOutcome CDiagramDocument::KeepTitlesPlaced(CAppProfile* saveTo)
{
    return SaveTitlesIfOrdinary(saveTo);
}

SaveOutcome CDiagramDocument::SetTitle(int index, const CDiagramTitle& title, CAppProfile* saveTo)
{
    m_settings.m_titles[std::size_t(index)] = title;
    SaveOutcome saved = DefaultSettings().CopySettings(m_settings, kSectionTitles, saveTo);
    Notify([](IDiagramObserver& o) { o.DiagramSettingsChanged(); });
    return saved;
}

void CDiagramDocument::ResetTitles()
{
    m_settings.SetDefaultSettings(kSectionTitles);
    Notify([](IDiagramObserver& o) { o.DiagramSettingsChanged(); });
}

SaveOutcome CDiagramDocument::SaveAsDefaults(int section, CAppProfile* saveTo)
{
    return DefaultSettings().CopySettings(m_settings, section, saveTo);
}

void CDiagramDocument::TakeSettings(const CDiagramSettings& from, int section)
{
    m_settings.CopySettings(from, section);
    Notify([](IDiagramObserver& o) { o.DiagramSettingsChanged(); });
}

void CDiagramDocument::TakeDefaults()
{
    TakeSettings(DefaultSettings(), kSectionAll);
}

bool CDiagramDocument::LoadSettingsFromFile(const std::string& path)
{
    const bool loaded = m_settings.LoadSettingsFromFile(path);
    Notify([](IDiagramObserver& o) { o.DiagramSettingsChanged(); });
    return loaded;
}

SaveOutcome CDiagramDocument::RestoreInstallationSettings(bool asDefaults, CAppProfile* saveTo)
{
    const int type = m_settings.m_diagramType;
    m_settings.SetDefaultSettings(kSectionAll);
    m_settings.SetDiagramType(type);
    SaveOutcome saved;
    if (asDefaults) {
        CDiagramSettings& defaults = DefaultSettings();
        const int defaultType = defaults.m_diagramType;
        defaults.SetDefaultSettings(kSectionAll);
        defaults.SetDiagramType(defaultType);
        if (saveTo)
            saved = defaults.SaveSettings(saveTo, {}, kSectionAll);
    }
    Notify([](IDiagramObserver& o) { o.DiagramSettingsChanged(); });
    return saved;
}

void CDiagramDocument::SetExpandSiblingBranches(bool on)
{
    m_settings.m_expandSiblingBranches = on;
}

void CDiagramDocument::KeepSpousesInAllRelatives()
{
    if (m_settings.m_diagramType == kAllRelativesDiagram && m_settings.m_spouseOption == 0)
        m_settings.m_spouseOption = 1;
}

void CDiagramDocument::SetColours(const DiagramColourEntry* entries, int count)
{
    for (int row = 0; row < count && row < kDiagramColourCount; ++row) {
        m_settings.m_colours[std::size_t(row)].colour = entries[row].colour;
        m_settings.m_colours[std::size_t(row)].transparent = entries[row].transparent;
    }
    Notify([](IDiagramObserver& o) { o.DiagramSettingsChanged(); });
}

void CDiagramDocument::SetOverrideText(CDiagElem& box, const char* text)
{
    box.SetText(text);
    Remeasure();
}

void CDiagramDocument::ClearSelectedOverrideTexts()
{
    for (CDiagElem* box : m_selection.Boxes())
        box->SetText(nullptr);
    Remeasure();
}

// ---------------------------------------------------------------------------------------------
// Pages.

bool CDiagramDocument::AvoidPageBoundariesIfOn()
{
    if (!m_avoidPages || !HasTree())
        return false;
    for (auto& rowSet : m_rowSets) {
        CDiagRepaint repaint;
        DiagRepack(*rowSet, repaint);
    }
    CPoint origin;
    int down = 1, across = 1;
    GetPageSpan(origin, down, across);
    for (auto& rowSet : m_rowSets)
        DiagAvoidPageBoundaries(*rowSet, origin.x, m_settings.m_minSiblingGap);
    return true;
}

void CDiagramDocument::SetAvoidsPageBoundaries(bool on)
{
    m_avoidPages = on;
    if (!AvoidPageBoundariesIfOn())
        for (auto& rowSet : m_rowSets) {
            CDiagRepaint repaint;
            DiagRepack(*rowSet, repaint);
        }
    Notify([](IDiagramObserver& o) { o.DiagramLayoutChanged(); });
}

void CDiagramDocument::AvoidPageBoundariesAgain()
{
    if (AvoidPageBoundariesIfOn())
        Notify([](IDiagramObserver& o) { o.DiagramSettingsChanged(); });
}

void CDiagramDocument::GetPageSpan(CPoint& origin, int& down, int& across) const
{
    const int width = std::max(1, m_settings.m_pageWidth);
    const int height = std::max(1, m_settings.m_pageHeight);
    const long long x0 = NormalisePageOrigin(m_settings.m_pageXOrigin, width);
    const long long y0 = NormalisePageOrigin(m_settings.m_pageYOrigin, height);
    CRect extent;
    if (!m_view || !m_view->GetDiagramExtent(extent)) {
        origin = CPoint(int(x0), int(y0));
        down = across = 1;
        return;
    }
    // The grid line at or left of the extent, and at or above it.
    const long long left = x0 + FloorDiv(extent.left - x0, width) * width;
    const long long top = y0 - FloorDiv(y0 - extent.top, height) * height;
    across = int(std::max<long long>(1, (extent.right - left + width - 1) / width));
    down = int(std::max<long long>(1, (top - extent.bottom + height - 1) / height));
    origin = CPoint(int(left), int(top));
}

void CDiagramDocument::SetPageGrid(const PageGrid& grid)
{
    m_settings.m_pageWidth = grid.width;
    m_settings.m_pageHeight = grid.height;
    m_settings.m_pageXOrigin = grid.xOrigin;
    m_settings.m_pageYOrigin = grid.yOrigin;
    Notify([](IDiagramObserver& o) { o.DiagramSettingsChanged(); });
}

int CDiagramDocument::PrintedRowHeight() const
{
    const CDiagRowSet* rowSet = RowSet();
    if (!rowSet || rowSet->m_boxHeight <= 0)
        return 0;
    return rowSet->m_boxHeight + std::max(0, m_settings.m_boxToBoxVertGap);
}

int CDiagramDocument::RowEdgeOffset() const
{
    return (m_settings.m_boxToBoxVertGap - m_settings.m_sibLineToBoxVertGap) / 2;
}

void CDiagramDocument::FitPageToRows(int printerWidth, int printerHeight, int rows, bool alignRows)
{
    int rowHeight = PrintedRowHeight();
    if (rowHeight <= 0 || rows < 1)
        return;
    // Boxes measured on a page of another size may change height: size again until they don't.
    for (int pass = 0; pass < 30; ++pass) {
        const PageGrid page = SizePageForRows(printerWidth, printerHeight, rows, rowHeight,
                                              m_settings.m_pageXOrigin, m_settings.m_pageYOrigin);
        m_settings.m_pageWidth = page.width;
        m_settings.m_pageHeight = page.height;
        m_settings.m_pageXOrigin = page.xOrigin;
        m_settings.m_pageYOrigin = page.yOrigin;
        Remeasure();
        const int measured = PrintedRowHeight();
        if (measured <= 0 || measured == rowHeight)
            break;
        rowHeight = measured;
    }
    if (alignRows)
        m_settings.m_pageYOrigin = NormalisePageOrigin(
            AlignPageToRows(m_settings.m_pageYOrigin, rowHeight, RowEdgeOffset()),
            m_settings.m_pageHeight);
    AvoidPageBoundariesIfOn();
    Notify([](IDiagramObserver& o) { o.DiagramSettingsChanged(); });
}

void CDiagramDocument::SetPrintOrientation(bool landscape, int paperWidth, int paperHeight)
{
    if (m_settings.m_printLandscape == landscape)
        return;
    m_settings.m_printLandscape = landscape;
    // A page keeps its shape to the paper, as the orientation choice of the options does.
    if (landscape ? m_settings.m_pageWidth < m_settings.m_pageHeight
                  : m_settings.m_pageWidth > m_settings.m_pageHeight)
        std::swap(m_settings.m_pageWidth, m_settings.m_pageHeight);
    // In the paper's proportions the diagram is neither squeezed nor stretched on it (nor its
    // boxes measured so).
    if (paperWidth > 0 && paperHeight > 0) {
        const long long height =
            SideInProportion(m_settings.m_pageWidth, paperWidth, paperHeight, false);
        m_settings.m_pageHeight = int(std::clamp<long long>(height, kMinPageSide, kMaxPageSide));
    }
    // The boxes are measured on the printer in the diagram's orientation: measure them again.
    RemeasureForPrinter();
}

void CDiagramDocument::RemeasureForPrinter()
{
    if (HasTree())
        Remeasure();
    else
        Notify([](IDiagramObserver& o) { o.DiagramSettingsChanged(); });
}
