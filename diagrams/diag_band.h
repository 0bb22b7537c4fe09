// diagrams/diag_band.h: generation bands of All Relatives diagrams: the rows of layout that each
// generation occupies, the mapping between rows, bands and vertical positions. For every other
// diagram type a band is one row and every mapping is the identity.
//
// All Relatives rows: generation g of a tree sits in the first row of band (offset + g); a
// relatives tree's descendants go down the free rows of the band below, as many generations as that
// band has rows less one. Band mappings are total: past the last band is the last band.
#pragma once

class CDiagramSettings;

class CGenerationBands {
public:
    CGenerationBands() = default;
    /// The bands of a diagram of the settings' type with up generations shown upwards (the
    /// active ancestor generations).
    CGenerationBands(const CDiagramSettings& settings, int up);

    bool IsRelatives() const { return m_relatives; }
    /// Rows per band: at least 2 in an All Relatives diagram, else 1.
    int RowsPerBand() const { return m_rows; }
    /// The number of bands above the root's band that keep all their rows.
    int FullBands() const { return m_full; }
    /// -1 when no band is folded, else the rows per band less 2.
    int FirstFoldedBand() const { return m_firstFolded; }
    /// The highest band that has a row; past it every mapping gives this band.
    int LastBand() const;

    /// The band of a row; rows past the last folded band belong to the last band.
    int MapRowToBand(int row) const;
    /// The first and last row of a band; false for a band past the last.
    bool GetBandRows(int band, int& first, int& last) const;
    /// As GetBandRows, also giving the top and bottom positions with the row pitch.
    bool GetBandRows(int band, int& first, int& last, int pitch, int& top, int& bottom) const;
    /// The number of rows of a band (bands past the last count as the last).
    int GetBandBaseRow(int band) const;
    /// The band of a row and the row's index within it; false when the band has no rows.
    bool GetBandOfPosition(int row, int& band, int& index) const;

private:
    bool m_relatives = false;
    bool m_fixed = false;
    int m_rows = 1;
    int m_up = 0;
    int m_full = 1;
    int m_firstFolded = -1;
};

/// The number of generations the All Relatives layout provides for (1 for other types).
int GetRelativesGenerations(const CDiagramSettings& settings);

/// Rows and vertical positions: rows are centred on multiples of the pitch, moved by offset.
/// The row of a position, with the remainder (in [0, pitch)).
int RowFromPosition(int y, int pitch, int offset, int* remainder = nullptr);
/// The top and bottom of a row.
void RowBounds(int row, int pitch, int offset, int& top, int& bottom);
