// merge/merge_session.h: the second file of a merge or compare, loaded into a data set of its own
// beside the program's, and the engine comparing the two.
#pragma once

#include "database/gedcom/merge_data_set.h"
#include "merge/merge_engine.h"

#include <memory>
#include <string>

class IProgress;

/// The program's nine record-type roots, in table order.
MergeRoots CurrentDataSetRoots();

/// How the second file's load ended.
enum class SecondFileLoad {
    NotRead, // the file could not be read to its end (the loader has said why)
    Read,
    // Read, but the file holds multimedia and its header names another location: its links to
    // external files were never updated since it was moved, so multimedia may not be matched.
    ReadLinksNotUpdated,
};

/// One merge or compare from the load of the second file to the freeing of its data set: Load,
/// Compare, then the engine for the dialog and the merge, then Free (the destructor frees too).
class CMergeSession final {
public:
    CMergeSession() = default;
    ~CMergeSession();
    CMergeSession(const CMergeSession&) = delete;
    CMergeSession& operator=(const CMergeSession&) = delete;

    /// Reads path into the session's own data set, leaving the program's data set, record
    /// identifiers and named lists as they are.
    SecondFileLoad Load(const std::string& path, IProgress* progress);
    /// Makes the engine over the program's data set and the file loaded, and compares them when
    /// the engine can work on the two.
    void Compare(const std::string& path, IProgress* progress);
    /// The engine made by Compare, when it can work on the two data sets; else null.
    CMergeEngine* GetEngine() const
    {
        return m_engine && m_engine->IsValid() ? m_engine.get() : nullptr;
    }
    /// Ends the engine (it clears its flags on both data sets), then frees the second data set,
    /// with change tracking off meanwhile. Load and the destructor free first.
    void Free();

private:
    std::unique_ptr<CMergeDataSet> m_second;
    std::unique_ptr<CMergeEngine> m_engine;
};
