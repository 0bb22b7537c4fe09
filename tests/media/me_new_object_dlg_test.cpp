// tests/media/me_new_object_dlg_test.cpp: the New Object Options dialog offers only what the
// current record allows, names the record, and answers the choice.
#include "media/me_new_object_dlg.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/database/multimedia/multimedia_test_support.h"

#include <gtest/gtest.h>

using namespace multimedia_test;

namespace {

constexpr int kLinked = 1227, kField = 1228, kUnlinked = 1231;

/// The program's compiled-in resources, where the dialog's template is.
class CNewObjectDlgTest : public CMultimediaTest {
protected:
    void SetUp() override
    {
        CMultimediaTest::SetUp();
        std::string error;
        ASSERT_TRUE(m_resources.LoadCompiledIn(error)) << error;
        SetAppResources(&m_resources);
    }
    void TearDown() override
    {
        SetAppResources(nullptr);
        CMultimediaTest::TearDown();
    }

private:
    CResources m_resources;
};

} // namespace

TEST_F(CNewObjectDlgTest, OnlyTheAllowedOptionsAreOffered)
{
    CObjRec* wedding = NewMediaRecord(1);
    AddField(wedding, FIELD_TITL, "Wedding");
    struct Row {
        const char* what;
        bool context, canLink, canField;
        int insertAs;
        bool linkEnabled, fieldEnabled;
        int checked;
    };
    const Row rows[] = {
        {"no current record", false, true, true, 0, false, false, kUnlinked},
        {"everything allowed", true, true, true, 2, true, true, kField},
        {"no links: the choice moves", true, false, true, 0, false, true, kUnlinked},
        {"no field: the choice moves", true, true, false, 2, true, false, kUnlinked},
        {"link chosen", true, true, false, 0, true, false, kLinked},
    };
    for (const Row& row : rows) {
        CMeNewObjectDlg dialog;
        dialog.m_pContext = row.context ? wedding : nullptr;
        dialog.m_canLinkRecord = row.canLink;
        dialog.m_canField = row.canField;
        dialog.m_insertAs = row.insertAs;
        TestHooks::OnNextDialog(254, [&](CDialog& shown) {
            EXPECT_EQ(shown.GetDlgItem(kLinked)->IsWindowEnabled() != FALSE, row.linkEnabled)
                << row.what;
            EXPECT_EQ(shown.GetDlgItem(kField)->IsWindowEnabled() != FALSE, row.fieldEnabled)
                << row.what;
            for (int button : {kLinked, kField, kUnlinked})
                EXPECT_EQ(shown.IsDlgButtonChecked(button) != 0, button == row.checked)
                    << row.what << " " << button;
            std::string text;
            shown.GetDlgItemText(kLinked, text);
            EXPECT_EQ(text, row.context ? "record, linked to Wedding"
                                        : "record, linked to <no selection>")
                << row.what;
            shown.GetDlgItemText(kField, text);
            EXPECT_EQ(text, row.context ? "field, belonging to  Wedding"
                                        : "field, belonging to <no selection>")
                << row.what;
            shown.EndDialog(IDCANCEL);
        });
        EXPECT_EQ(dialog.DoModal(), IDCANCEL);
    }
}

TEST_F(CNewObjectDlgTest, TheChoiceClickedIsAnswered)
{
    CObjRec* wedding = NewMediaRecord(1);
    CMeNewObjectDlg dialog;
    dialog.m_pContext = wedding;
    dialog.m_canLinkRecord = TRUE;
    dialog.m_canField = TRUE;
    TestHooks::OnNextDialog(254, [&](CDialog& shown) {
        TestHooks::Click(shown, kField);
        TestHooks::Click(shown, IDOK);
    });
    EXPECT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_insertAs, CMeNewObjectDlg::kField);
}
