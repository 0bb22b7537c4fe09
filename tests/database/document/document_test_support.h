// tests/database/document/document_test_support.h: a document on the program's data set whose
// notices and window calls are written to one log, in the order they happen.
#pragma once

#include "database/document/document_data.h"
#include "database/document/document_windows.h"
#include "database/nodes/data_observer.h"
#include "platform/base/progress.h"
#include "tests/database/gedcom/gedcom_test_support.h"

#include <string>
#include <vector>

namespace document_test {

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

private:
    IDataObserver* m_savedObserver = nullptr;
};

} // namespace document_test
