// tests/database/document/document_merge_test.cpp: a second file loaded for the merge dialog: the
// warning about moved multimedia, the notices of a merge, the second data set freed with
// change tracking off, and a failure reported after the clean-up.
#include "tests/database/document/document_test_support.h"

#include "common/abort.h"

#include <algorithm>
#include <new>
#include <ostream>
#include <stdexcept>

namespace {

using document_test::MergeScript;
using Log = std::vector<std::string>;

constexpr const char* kWarning =
    "The file you have selected to merge/compare with the current file contains multimedia, "
    "and has not been saved since it was moved or copied from its previous location.  When a "
    "file is moved or copied, any links it contains to external multimedia files are "
    "automatically updated (where appropriate) when the file is first opened and saved in its "
    "new location.  If Ardenvel compares this file now, before these links have been updated, "
    "it may fail to match multimedia (e.g. pictures) that should be matched.  If you do not "
    "care about this, you should press 'OK' to proceed with the merge/compare.  If you wish to "
    "be sure that multimedia are matched correctly, press 'Cancel' now and open and save the "
    "file, before repeating the merge/compare.";
constexpr const char* kFailure = "An error has occurred.  This may be due to insufficient memory.";

struct MergeCase {
    const char* name;
    MergeScript script;
    int warningAnswer; // the answer to the warning; 0 when none is shown
    bool modifiedBefore;
    Log log;
    bool result;
    const char* failure; // the box shown after the clean-up; null for none
};

void PrintTo(const MergeCase& c, std::ostream* out)
{
    *out << c.name;
}

class DocumentDataMergeTest : public document_test::CDocumentTest,
                              public testing::WithParamInterface<MergeCase> {};

TEST_P(DocumentDataMergeTest, StepsComeInOrderAndAnUnmergedDataSetStaysAsItWas)
{
    const MergeCase& c = GetParam();
    OpenSmallFile();
    m_doc.SetModifiedFlag(c.modifiedBefore);
    m_merge = c.script;
    const std::string before = gedcom_test::DumpDataSet();
    if (c.warningAnswer)
        test_support::Prompt().Answer(c.warningAnswer);
    if (c.failure)
        test_support::Prompt().Answer(IDOK);

    EXPECT_EQ(m_doc.LoadFileForMerge(PathOf("other.ged")), c.result);

    EXPECT_EQ(m_log, c.log);
    std::vector<std::string> boxes;
    for (const CPromptScript::Shown& box : test_support::Prompt().TakeMessages())
        boxes.push_back(box.style == MB_OKCANCEL ? "warning: " + box.text : box.text);
    std::vector<std::string> expectedBoxes;
    if (c.warningAnswer)
        expectedBoxes.push_back(std::string("warning: ") + kWarning);
    if (c.failure)
        expectedBoxes.push_back(c.failure);
    EXPECT_EQ(boxes, expectedBoxes);
    const bool merged = std::find(c.log.begin(), c.log.end(), "results") != c.log.end();
    EXPECT_EQ(m_doc.IsModified(), merged || c.modifiedBefore);
    if (!c.script.edits) {
        EXPECT_EQ(gedcom_test::DumpDataSet(), before);
    }
    EXPECT_TRUE(IsChangeTrackingOn());
    EXPECT_FALSE(m_progress.IsActive());
    EXPECT_EQ(WaitCursorDepth(), 0);
}

MergeScript Script(bool loads, bool otherLocation, bool merges, bool edits = false,
                   std::function<void()> fails = {})
{
    return MergeScript{loads, otherLocation, merges, edits, std::move(fails)};
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DocumentDataMergeTest,
    testing::Values(
        MergeCase{"Merged", Script(true, false, true), 0, false,
                  Log{"load", "files", "run", "hint 2 [3]", "hint 3 [3]", "free merged", "results"},
                  true, nullptr},
        MergeCase{"MergeEditsAreNotifiedAfterTheFree", Script(true, false, true, true), 0, false,
                  Log{"load", "files", "run", "hint 2 [4]", "hint 3 [4]", "free merged",
                      "hint 1 [4] modify", "results"},
                  true, nullptr},
        MergeCase{"DialogCancelled", Script(true, false, false), 0, true,
                  Log{"load", "files", "run", "free unmerged"}, true, nullptr},
        MergeCase{"WarningAccepted", Script(true, true, true), IDOK, false,
                  Log{"load", "files", "run", "hint 2 [3]", "hint 3 [3]", "free merged", "results"},
                  true, nullptr},
        MergeCase{"WarningCancelled", Script(true, true, true), IDCANCEL, false,
                  Log{"load", "files", "free unmerged"}, true, nullptr},
        MergeCase{"WarningCancelledOnAModifiedFile", Script(true, true, true), IDCANCEL, true,
                  Log{"load", "files", "free unmerged"}, true, nullptr},
        MergeCase{"LoadFailed", Script(false, true, true), 0, false, Log{"load", "free unmerged"},
                  false, nullptr},
        MergeCase{"RunAborted", Script(true, false, true, false, [] { ThrowAbort(); }), 0, true,
                  Log{"load", "files", "run", "free unmerged"}, false, kFailure},
        MergeCase{"RunOutOfMemory",
                  Script(true, false, true, false, [] { throw std::bad_alloc(); }), 0, true,
                  Log{"load", "files", "run", "free unmerged"}, false, kFailure}),
    [](const testing::TestParamInfo<MergeCase>& info) { return info.param.name; });

} // namespace

using DocumentDataMergeWindowsTest = document_test::CDocumentTest;

TEST_F(DocumentDataMergeWindowsTest, AFaultOfTheProgramInTheRunReachesTheCallerAfterTheCleanUp)
{
    OpenSmallFile();
    m_merge = Script(true, false, true, false, [] { throw std::logic_error("broken"); });
    EXPECT_THROW(m_doc.LoadFileForMerge(PathOf("other.ged")), std::logic_error);
    EXPECT_EQ(m_log, (Log{"load", "files", "run", "free unmerged"}));
    EXPECT_TRUE(test_support::Prompt().TakeMessages().empty()) << "no failure box, no cancel";
    EXPECT_TRUE(IsChangeTrackingOn());
    EXPECT_FALSE(m_progress.IsActive());
}

TEST_F(DocumentDataMergeWindowsTest, WithoutAMergeDialogNothingIsLoadedOrAnnounced)
{
    m_noMergeDialog = true;
    EXPECT_FALSE(m_doc.LoadFileForMerge(SmallFile("second.ged")));
    EXPECT_TRUE(m_log.empty());
    EXPECT_FALSE(m_doc.IsModified());
}
