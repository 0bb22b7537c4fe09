// tests/database/document/document_test_support.h: a document on the program's data set whose
// notices, window calls and merge dialog steps are written to one log, in the order they happen.
#pragma once

#include "database/document/document_data.h"
#include "database/document/document_windows.h"
#include "database/document/merge_dialog.h"
#include "database/nodes/data_observer.h"
#include "platform/base/progress.h"
#include "platform/base/wait_cursor.h"
#include "tests/database/gedcom/gedcom_test_support.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace document_test {

/// What the scripted merge dialog does at each step.
struct MergeScript {
    bool loads = true;           // the second file loads
    bool otherLocation = false;  // its multimedia links were never updated
    bool merges = false;         // the dialog ends with OK
    bool edits = false;          // the run adds a note record to the program's data set
    std::function<void()> fails; // what the run throws; empty when it does not fail
};

inline int CountAllRecords()
{
    int count = 0;
    for (int listIndex = 0; listIndex < RECORD_TYPE_COUNT; ++listIndex) {
        for (const CDataNode* r = GetRecordTypeRoot(listIndex)->GetFirstChild(); r;
             r = r->GetNextSibling())
            ++count;
    }
    return count;
}

class CMergeDialogFake final : public IMergeDialog {
public:
    CMergeDialogFake(const MergeScript& script, std::vector<std::string>& log)
        : m_script(script), m_log(log)
    {
    }
    bool LoadSecondFile(const std::string&, IProgress* progress, bool& otherLocation) override
    {
        const bool busy = WaitCursorDepth() > 0 && progress &&
                          static_cast<CProgressRecorder*>(progress)->IsActive();
        m_log.push_back(busy ? "load" : "load while idle");
        otherLocation = m_script.otherLocation;
        return m_script.loads;
    }
    void SetFiles(const std::string&, const DataSetRoots& currentRoots) override
    {
        bool current = true;
        for (int code = 0; code < RECORD_TYPE_COUNT; ++code)
            current = current && currentRoots[std::size_t(code)] ==
                                     GetRecordTypeTable().RowByCode(code)->m_root;
        m_log.push_back(current ? "files" : "files with other roots");
    }
    bool Run() override
    {
        m_log.push_back("run");
        if (m_script.edits)
            GetRecordTypeRoot(RECORD_LIST_NOTE)->CreateChild(nullptr);
        if (m_script.fails)
            m_script.fails();
        return m_script.merges;
    }
    void FreeSecondDataSet(bool merged) override
    {
        m_log.push_back(std::string("free ") + (merged ? "merged" : "unmerged") +
                        (IsChangeTrackingOn() ? " tracking on" : ""));
    }
    void ShowResults() override { m_log.push_back("results"); }

private:
    MergeScript m_script;
    std::vector<std::string>& m_log;
};

/// The document under test is the fixture's; the fixture is its observer and its windows.
class CDocumentTest : public gedcom_test::CGedcomTest,
                      public IDataObserver,
                      public IDocumentWindows {
protected:
    void SetUp() override
    {
        gedcom_test::CGedcomTest::SetUp();
        m_savedObserver = GetDataObserver();
        SetDataObserver(this);
    }
    void TearDown() override
    {
        SetDataObserver(m_savedObserver);
        gedcom_test::CGedcomTest::TearDown();
    }

    void OnDataChanged(CObject* sender, LPARAM hint, CObject* object, bool modify) override
    {
        m_log.push_back("hint " + std::to_string(hint) + " [" + std::to_string(CountAllRecords()) +
                        "]" + (modify ? " modify" : "") + (sender || object ? " from" : ""));
    }
    void RepaintMainFrame() override { m_log.push_back("repaint"); }
    void AddToRecentFileList(const std::string& path) override
    {
        m_log.push_back("recent " + path);
    }
    void RefreshMainFrameTitle() override { m_log.push_back("title " + m_doc.GetTitle()); }
    void ShowRecordsWindow(int tab) override { m_log.push_back("records " + std::to_string(tab)); }
    IProgress* GetProgress() override { return &m_progress; }
    /// Set when the windows offer no merge dialog (none is built yet).
    bool m_noMergeDialog = false;
    std::unique_ptr<IMergeDialog> CreateMergeDialog() override
    {
        if (m_noMergeDialog)
            return nullptr;
        return std::make_unique<CMergeDialogFake>(m_merge, m_log);
    }

    /// A GEDCOM file of three records (header and two individuals) with the line end given.
    std::string SmallFile(std::string_view name, std::string_view lineEnd = "\r\n")
    {
        std::string text;
        for (const char* line : {"0 HEAD", "1 CHAR UTF-8", "0 @I1@ INDI", "1 NAME Ann /Smith/",
                                 "0 @I2@ INDI", "1 NAME Bob /Smith/", "0 TRLR"})
            text.append(line).append(lineEnd);
        return File(name, text);
    }
    /// Opens a small file and forgets what that logged.
    void OpenSmallFile()
    {
        ASSERT_TRUE(m_doc.OpenDocument(SmallFile("start.ged")));
        m_log.clear();
        m_progress.TakeCalls();
    }

    CDocumentData m_doc{this};
    std::vector<std::string> m_log;
    CProgressRecorder m_progress;
    MergeScript m_merge;

private:
    IDataObserver* m_savedObserver = nullptr;
};

} // namespace document_test
