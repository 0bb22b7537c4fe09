// diagrams/diag_page.h: moving boxes off vertical page boundaries, so that no box is cut when
// a diagram is printed on several pages across.
#pragma once

class CDiagRowSet;

/// Pushes boxes right so that none straddles a vertical page boundary: from the first
/// boundary, one "Page width" apart, a box reaching over a boundary starts margin right of it,
/// together with every box right of it in its generation and the same amount in every other
/// generation. Boxes not narrower than the page less twice the margin stay where they are.
void DiagAvoidPageBoundaries(CDiagRowSet& rowSet, int firstBoundary, int margin);
