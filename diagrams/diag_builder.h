// diagrams/diag_builder.h: building the trees of a diagram from a root person or couple, the
// secondary trees of All Relatives diagrams, and opening and closing a box's branch.
#pragma once

#include <string>

class CDiagElem;
class CDiagRowSet;
class CFamRec;
class CIndRec;
class IBoxPainter;

/// The message a caller shows when a build fails.
inline constexpr const char* kInsufficientMemoryTreeText =
    "Insufficient memory to display tree.\nClose other applications and retry, or change 'Tree "
    "View Options' to display fewer generations.";
/// The message a caller shows for a failed build of the row set (the cause it recorded).
std::string DiagBuildFailureText(const CDiagRowSet& rowSet);
/// The message a caller shows when opening a branch fails.
inline constexpr const char* kInsufficientMemoryBranchText =
    "Insufficient memory to display branch.\nClose other applications and retry.";

/// Builds, lays out and (with several trees) compacts the diagram of a person with the row set's
/// generation counts as the window set them (m_ancestorGenerations, m_descendantGenerations).
/// The trees held before are freed first. Nonzero on success; 0 for a null root or when the
/// build was abandoned, for whatever reason: the row set then holds no tree, and
/// m_buildFailure says why.
int DiagBuildFromRoot(CDiagRowSet& rowSet, CIndRec* person, IBoxPainter* measurer = nullptr);
/// The same for a couple (a family record).
int DiagBuildFromRootParents(CDiagRowSet& rowSet, CFamRec* family, IBoxPainter* measurer = nullptr);

/// Opens or closes the branch of a box (its parents, relatives tree or children) and lays out
/// again what changed. False when the branch could not be built (show
/// kInsufficientMemoryBranchText); the box then stays collapsed.
bool DiagExpandElement(CDiagRowSet& rowSet, CDiagElem& box, IBoxPainter* measurer = nullptr);
