// queries/split_tree.h: the deletions that split a file: the individuals a query picks, then
// notes, multimedia, sources and repositories (every one, or those left with no links to them),
// submissions and submitters.
#pragma once

#include <array>
#include <vector>

class CRecordNode;

/// Which individuals go.
enum class SplitIndividuals { None = 0, Found = 1, NotFound = 2 };
/// Which records of a linked-to type go.
enum class SplitLinked { None = 0, Unlinked = 1, All = 2 };

/// The linked-to record types, in the order they are handled: a note or multimedia record
/// that goes drops its links to sources, and a source its links to repositories, before the
/// later types are counted.
enum SplitLinkedType {
    kSplitNotes,
    kSplitMultimedia,
    kSplitSources,
    kSplitRepositories,
    kSplitLinkedTypeCount
};

/// What the user chose to delete.
struct SplitTreeChoices {
    SplitIndividuals m_individuals = SplitIndividuals::None;
    std::array<SplitLinked, kSplitLinkedTypeCount> m_linked{};
    bool m_submissions = false;
    bool m_submitters = false;
};

/// The individual query the user picked, loaded and ready to run.
class ISplitTreeQuery {
public:
    virtual ~ISplitTreeQuery() = default;
    /// Runs the query over the individuals, its result inverted when asked, and gives the
    /// records of its result set; false when the run was refused (its parameters were not
    /// given) or failed.
    virtual bool FindIndividuals(bool inverted, std::vector<CRecordNode*>& found) = 0;
};

enum class SplitTreeResult {
    Done,   ///< every chosen deletion was made and announced
    NotRun, ///< the query was needed and gave nothing: nothing was deleted
    Failed  ///< a failure stopped the deletions; those made are announced
};

/// Makes the deletions the choices ask for and announces them as one edit; the wait cursor
/// shows once the query has run. query is asked only when individuals go; a missing query or a
/// refused run deletes nothing at all. Of what the query finds only individuals of the data set
/// go, each once.
SplitTreeResult SplitTree(const SplitTreeChoices& choices, ISplitTreeQuery* query);

/// The records of a linked-to type that no link field points at, in file order.
std::vector<CRecordNode*> CollectUnlinkedRecords(SplitLinkedType type);
