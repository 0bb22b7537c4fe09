// merge/window/merge_dialog_runner.h: the merge dialog as the document drives it: the second file
// loaded into a data set of its own, compared, shown in the Merge File dialog, freed, and the
// results shown.
#pragma once

#include "database/document/merge_dialog.h"
#include "database/gedcom/merge_data_set.h"
#include "merge/merge_engine.h"

#include <array>
#include <functional>
#include <memory>

class CWnd;

class CMergeDialogRunner final : public IMergeDialog {
public:
    explicit CMergeDialogRunner(CWnd* parent = nullptr) : m_parent(parent) {}
    ~CMergeDialogRunner() override;

    bool LoadSecondFile(const std::string& path, IProgress* progress, bool& otherLocation) override;
    void SetFiles(const std::string& path, const DataSetRoots& currentRoots) override;
    bool Run() override;
    void FreeSecondDataSet(bool merged) override;
    void ShowResults() override;

    CMergeEngine* GetEngine() const { return m_engine.get(); }
    /// Makes the engine (a test makes one whose merge steps fail); a CMergeEngine by default.
    using EngineMaker =
        std::function<std::unique_ptr<CMergeEngine>(const MergeRoots&, const MergeRoots&)>;
    void SetEngineMaker(EngineMaker maker) { m_makeEngine = std::move(maker); }

private:
    CWnd* m_parent;
    IProgress* m_progress = nullptr;
    std::unique_ptr<CMergeDataSet> m_second;
    std::unique_ptr<CMergeEngine> m_engine;
    EngineMaker m_makeEngine;
    std::array<MergeCounts, RECORD_TYPE_COUNT> m_counts{};
};

/// Lets the program's document make the merge dialog from now on.
void InstallMergeDialog();
