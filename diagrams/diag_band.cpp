// diagrams/diag_band.cpp: rows and bands of All Relatives diagrams.
#include "diagrams/diag_band.h"

#include "diagrams/diagram_settings.h"

#include <algorithm>

namespace {

int FloorDiv(int a, int b)
{
    const int q = a / b;
    return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

} // namespace

CGenerationBands::CGenerationBands(const CDiagramSettings& settings, int up)
{
    m_relatives = settings.m_diagramType == kAllRelativesDiagram;
    if (!m_relatives)
        return;
    m_fixed = settings.m_fixedGenerationSize;
    m_rows = std::max(2, settings.m_rowsPerGeneration);
    m_up = up;
    m_full = std::max(1, up - m_rows + 1);
    m_firstFolded = (m_fixed && !settings.m_gapsAtTop) ? -1 : m_rows - 2;
}

int CGenerationBands::LastBand() const
{
    if (!m_relatives)
        return 0;
    if (m_fixed)
        return std::max(m_up, m_rows);
    // The bands past the full ones shrink by one row each, down to one row.
    return m_full + m_rows - 1;
}

int CGenerationBands::MapRowToBand(int row) const
{
    if (!m_relatives)
        return row;
    if (m_fixed || row < (m_full + 1) * m_rows)
        return FloorDiv(row, m_rows);
    int start = (m_full + 1) * m_rows;
    int band = m_full + 1;
    for (int k = m_rows - 1; k >= 1; --k) {
        start += k;
        if (row < start)
            return band;
        ++band;
    }
    return LastBand();
}

bool CGenerationBands::GetBandRows(int band, int& first, int& last) const
{
    if (!m_relatives) {
        first = last = band;
        return true;
    }
    if (m_fixed || band <= m_full) {
        first = band * m_rows;
        last = first + m_rows - 1;
        return true;
    }
    first = (m_full + 1) * m_rows;
    int k = m_rows - 1;
    for (int b = m_full + 2; b <= band; ++b) {
        if (k < 2)
            return false;
        first += k;
        --k;
    }
    last = first + k - 1;
    return true;
}

bool CGenerationBands::GetBandRows(int band, int& first, int& last, int pitch, int& top,
                                   int& bottom) const
{
    if (!GetBandRows(band, first, last))
        return false;
    top = pitch * last;
    bottom = pitch * (first - 1);
    return true;
}

int CGenerationBands::GetBandBaseRow(int band) const
{
    if (!m_relatives)
        return 1;
    if (m_fixed || band <= m_full)
        return m_rows;
    return std::max(1, m_full - std::min(band, LastBand()) + m_rows);
}

bool CGenerationBands::GetBandOfPosition(int row, int& band, int& index) const
{
    band = MapRowToBand(row);
    int first = 0, last = 0;
    if (!GetBandRows(band, first, last))
        return false;
    index = row - first;
    return true;
}

int GetRelativesGenerations(const CDiagramSettings& settings)
{
    if (settings.m_diagramType != kAllRelativesDiagram)
        return 1;
    const int up = settings.m_ancestorGenerations;
    if (settings.m_fixedGenerationSize && !settings.m_gapsAtTop)
        return std::max(2, up);
    if (settings.m_countDownFromTop && settings.m_descendantGenerations < up)
        return std::max(2, settings.m_descendantGenerations + 1);
    return std::max(2, up);
}

int RowFromPosition(int y, int pitch, int offset, int* remainder)
{
    const int t = y + offset;
    const int row = FloorDiv(t, pitch);
    if (remainder)
        *remainder = t - row * pitch;
    return row;
}

void RowBounds(int row, int pitch, int offset, int& top, int& bottom)
{
    bottom = pitch * row - offset;
    top = bottom + pitch;
}
