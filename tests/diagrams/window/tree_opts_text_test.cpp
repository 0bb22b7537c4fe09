// tests/diagrams/window/tree_opts_text_test.cpp: the Text page of the Diagram Options sheet:
// choosing the scheme, editing box-text templates (compiled when left, a fault refused with the
// compiler's message and selected in the edit), making, deleting and resetting schemes, and
// what Apply and OK hand back to the program's list and the machine-wide store.
#include "tests/diagrams/window/tree_opts_fixture.h"

#include "diagrams/diagram_defaults.h"
#include "diagrams/text_scheme_store.h"
#include "diagrams/window/diag_scheme_name_dlg.h"
#include "diagrams/window/diagram_defaults_owner.h"
#include "diagrams/window/tree_opts_font.h"
#include "diagrams/window/tree_opts_print.h"
#include "platform/base/prompt.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/dialogs/list_box.h"
#include "records/dialogs/data_ref_dlg.h"

#include <gtest/gtest.h>

namespace {

using TestHooks::SheetButton;
using T = CTreePageText;

class TreePageTextTest : public TreeOptsTest {
protected:
    void TearDown() override
    {
        EXPECT_TRUE(SaveTextSchemes(CTextSchemeList())); // the store left empty for the next test
        TreeOptsTest::TearDown();
    }

    /// Runs the sheet on the Text page.
    int RunText(const std::function<void(CPropertySheet&, CDialog&)>& drive)
    {
        return RunSheet(CTreeOptsDlg::kTextPage, [&](CPropertySheet& sheet) {
            drive(sheet, static_cast<CDialog&>(Page(sheet)));
        });
    }
    static void ChooseScheme(CDialog& page, const char* name)
    {
        auto* combo = dynamic_cast<CComboBox*>(page.GetDlgItem(T::kSchemeId));
        ASSERT_NE(combo, nullptr);
        const int index = combo->FindStringExact(-1, name);
        ASSERT_GE(index, 0) << name;
        TestHooks::SelectItem(page, T::kSchemeId, index);
    }
    static std::vector<std::string> BoxTypes(CDialog& page)
    {
        std::vector<std::string> items;
        auto* list = dynamic_cast<CListBox*>(page.GetDlgItem(T::kBoxTypeId));
        for (int i = 0; list && i < list->GetCount(); ++i) {
            std::string item;
            list->GetText(i, item);
            items.push_back(item);
        }
        return items;
    }
    static std::pair<int, int> Selection(CDialog& page)
    {
        int start = 0, end = 0;
        dynamic_cast<CEdit*>(page.GetDlgItem(T::kTemplateId))->GetSel(start, end);
        return {start, end};
    }
    const std::string* TargetTemplate(const char* scheme, int type)
    {
        const CTextScheme* found = m_target.m_schemes.FindScheme(scheme);
        return found ? found->GetSchemeTemplate(type, false) : nullptr;
    }
};

TEST_F(TreePageTextTest, OpensOnTheSettingsSchemeWithItsBoxTypes)
{
    m_settings.m_textScheme = "Compact";
    RunText([&](CPropertySheet&, CDialog& page) {
        EXPECT_EQ(Text(page, T::kSchemeId), "Compact");
        EXPECT_FALSE(Enabled(page, T::kDeleteId));
        EXPECT_TRUE(Enabled(page, T::kResetId));
        EXPECT_EQ(BoxTypes(page),
                  (Texts{"Default*", "Ancestor", "Descendant*", "Spouse", "Duplicate*", "Proxy*"}));
        EXPECT_EQ(Text(page, T::kTemplateId),
                  "%INDI.NAME:GIVEN%\r\n%INDI.NAME:SURNAME%\r\n{picture}");
        EXPECT_TRUE(Text(page, T::kDescriptionId).starts_with("This template will be used"));
        TestHooks::SelectItem(page, T::kBoxTypeId, 1);
        EXPECT_EQ(Text(page, T::kTemplateId), "");
        EXPECT_EQ(Text(page, T::kDescriptionId),
                  "Direct ancestors (parents, grandparents, great grandparents, etc) of the "
                  "diagram root(s).");
    });
    m_settings.m_textScheme = "compact"; // not exactly a name: the first
    RunText([&](CPropertySheet&, CDialog& page) {
        EXPECT_EQ(Text(page, T::kSchemeId), "Adorned Name, Title, Dates");
    });
    m_settings.m_textScheme.clear(); // the default scheme, kept by OK
    RunText([&](CPropertySheet& sheet, CDialog& page) {
        EXPECT_EQ(Text(page, T::kSchemeId), "Name, Dates");
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
    });
    EXPECT_EQ(m_settings.m_textScheme, "Name, Dates");
}

TEST_F(TreePageTextTest, FaultyTemplateIsRefusedWithItsFaultSelected)
{
    struct Case {
        const char* typed;
        const char* message;
        std::pair<int, int> selection;
    };
    const Case cases[] = {
        {"%INDI.NAME%\r\nBorn = 1900",
         "Error in line 2 of text template.\n\nThe expression at position 6 is not a valid "
         "Function. See Help for more details.",
         {18, 24}},
        {"\r\n\r\n%INDI.NAME%\r\nBorn = 1900", nullptr, {22, 28}},
        {"{picture}\r\n{picture}",
         "Error in line 2 of text template.\n\nYou may not have more than one Picture Marker.",
         {11, 20}},
        {"a\rBorn = 1900", nullptr, {8, 14}}, // the edit makes a bare CR a line break
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        std::vector<CPromptScript::Shown> shown;
        std::pair<int, int> selection;
        int typeShown = -1;
        RunText([&](CPropertySheet& sheet, CDialog& page) {
            TestHooks::SelectItem(page, T::kBoxTypeId, 3);
            TestHooks::SetText(page, T::kTemplateId, c.typed);
            TestHooks::AnswerMessageBox(IDNO);
            TestHooks::SelectItem(page, T::kBoxTypeId, 4);
            shown = TestHooks::TakeMessages();
            typeShown = dynamic_cast<CListBox*>(page.GetDlgItem(T::kBoxTypeId))->GetCurSel();
            selection = Selection(page);
            // Yes drops the edit and moves on.
            TestHooks::AnswerMessageBox(IDYES);
            TestHooks::SelectItem(page, T::kBoxTypeId, 4);
            TestHooks::TakeMessages();
            TestHooks::PressSheetButton(sheet, SheetButton::Ok);
        });
        ASSERT_EQ(shown.size(), 1u);
        if (c.message) {
            EXPECT_EQ(shown[0].text, std::string(c.message) +
                                         "\r\n\r\nText template changes will not be saved.  "
                                         "Continue anyway?");
        }
        EXPECT_EQ(shown[0].style, UINT(MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON2));
        EXPECT_EQ(typeShown, 3);
        EXPECT_EQ(selection, c.selection);
        EXPECT_EQ(m_target.m_replacements, 0);
        EXPECT_EQ(TargetTemplate("Name, Dates", 3), nullptr);
    }
}

TEST_F(TreePageTextTest, ApplyRefusesAFaultyTemplateFromAnyPage)
{
    int pageShown = -1;
    bool open = false;
    RunText([&](CPropertySheet& sheet, CDialog& page) {
        TestHooks::SetText(page, T::kTemplateId, "{hello} x");
        ASSERT_TRUE(sheet.SetActivePage(0));
        TestHooks::AnswerMessageBox(IDNO);
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
        pageShown = sheet.GetActiveIndex();
        open = sheet.IsWindowVisible();
        TestHooks::TakeMessages();
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(pageShown, int(CTreeOptsDlg::kTextPage));
    EXPECT_EQ(m_target.m_replacements, 0);
}

TEST_F(TreePageTextTest, TemplatesReachTheProgramsListAndTheStoreAsTyped)
{
    const std::string typed = "%INDI.NAME%\rm. %FAM.MARR.DATE%";
    const std::string kept = "%INDI.NAME%\r\nm. %FAM.MARR.DATE%"; // the edit's line break
    Texts types, blanked;
    RunText([&](CPropertySheet& sheet, CDialog& page) {
        TestHooks::SelectItem(page, T::kBoxTypeId, 3);
        TestHooks::SetText(page, T::kTemplateId, "\r\n" + typed);
        TestHooks::SelectItem(page, T::kBoxTypeId, 0);
        types = BoxTypes(page);
        TestHooks::SetText(page, T::kTemplateId, "\r\n\r\n\r\n");
        TestHooks::SelectItem(page, T::kBoxTypeId, 1);
        blanked = BoxTypes(page);
        m_observer.m_hints.clear();
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
    });
    EXPECT_EQ(types[3], "Spouse*");
    EXPECT_EQ(blanked[0], "Default");
    EXPECT_EQ(m_target.m_replacements, 1);
    ASSERT_NE(TargetTemplate("Name, Dates", 3), nullptr);
    EXPECT_EQ(*TargetTemplate("Name, Dates", 3), kept);
    EXPECT_EQ(TargetTemplate("Name, Dates", 0), nullptr);
    EXPECT_EQ(m_observer.m_hints, std::vector<LPARAM>{5});
    EXPECT_EQ(m_settings.m_textScheme, "Name, Dates");
    CTextSchemeList stored;
    ASSERT_TRUE(LoadTextSchemes(stored));
    const CTextScheme* scheme = stored.FindScheme("Name, Dates");
    ASSERT_NE(scheme, nullptr);
    ASSERT_NE(scheme->GetSchemeTemplate(3, false), nullptr);
    EXPECT_EQ(*scheme->GetSchemeTemplate(3, false), kept);
}

TEST_F(TreePageTextTest, PastedTemplatesOfAHundredThousandCharacters)
{
    std::string manyLines;
    while (manyLines.size() < 100000)
        manyLines += "%INDI.NAME%\r\n";
    manyLines += "%INDI.NAME%";
    const std::string oneLine(100000, 'x');
    std::vector<CPromptScript::Shown> shown;
    RunText([&](CPropertySheet& sheet, CDialog& page) {
        TestHooks::SelectItem(page, T::kBoxTypeId, 1);
        TestHooks::SetText(page, T::kTemplateId, oneLine);
        TestHooks::AnswerMessageBox(IDYES);
        TestHooks::SelectItem(page, T::kBoxTypeId, 2);
        shown = TestHooks::TakeMessages();
        TestHooks::SelectItem(page, T::kBoxTypeId, 1);
        TestHooks::SetText(page, T::kTemplateId, manyLines);
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
    });
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_TRUE(shown[0].text.starts_with("Error in line 1 of text template."));
    ASSERT_NE(TargetTemplate("Name, Dates", 1), nullptr);
    EXPECT_EQ(*TargetTemplate("Name, Dates", 1), manyLines);
}

TEST_F(TreePageTextTest, NewSchemeStartsFromItsBaseAndCancelForgetsIt)
{
    Texts refused;
    std::string chosen;
    bool deleteOn = false, resetOn = true;
    Texts types;
    RunText([&](CPropertySheet&, CDialog& page) {
        TestHooks::OnNextDialog(CSchemeNameDlg::kTemplate, [&](CDialog& dlg) {
            TestHooks::AnswerMessageBox(IDOK);
            TestHooks::SetText(dlg, CSchemeNameDlg::kNameId, "name ONLY");
            TestHooks::Click(dlg, IDOK);
            refused = MessageTexts();
            TestHooks::SetText(dlg, CSchemeNameDlg::kNameId, "My Scheme");
            auto* base = dynamic_cast<CComboBox*>(dlg.GetDlgItem(CSchemeNameDlg::kBaseId));
            TestHooks::SelectItem(dlg, CSchemeNameDlg::kBaseId,
                                  base->FindStringExact(-1, "Compact"));
            TestHooks::Click(dlg, IDOK);
        });
        TestHooks::Click(page, T::kNewId);
        chosen = Text(page, T::kSchemeId);
        deleteOn = Enabled(page, T::kDeleteId);
        resetOn = Enabled(page, T::kResetId);
        types = BoxTypes(page);
    });
    EXPECT_EQ(refused,
              Texts{"Name is not unique.  Another Text Template Scheme already has this name."});
    EXPECT_EQ(chosen, "My Scheme");
    EXPECT_TRUE(deleteOn);
    EXPECT_FALSE(resetOn);
    EXPECT_EQ(types[0], "Default*");
    EXPECT_EQ(types[1], "Ancestor");
    EXPECT_EQ(m_target.m_schemes.FindScheme("My Scheme"), nullptr);
    EXPECT_EQ(m_target.m_replacements, 0);
}

TEST_F(TreePageTextTest, DeletingTheLastSchemeSelectsTheNewLast)
{
    std::string after;
    RunText([&](CPropertySheet& sheet, CDialog& page) {
        TestHooks::OnNextDialog(CSchemeNameDlg::kTemplate, [&](CDialog& dlg) {
            TestHooks::SetText(dlg, CSchemeNameDlg::kNameId, "Zz Mine");
            TestHooks::Click(dlg, IDOK);
        });
        TestHooks::Click(page, T::kNewId);
        TestHooks::Click(page, T::kDeleteId);
        after = Text(page, T::kSchemeId);
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
    });
    EXPECT_EQ(after, "Name, Nickname, Dates");
    EXPECT_EQ(m_target.m_schemes.FindScheme("Zz Mine"), nullptr);
    EXPECT_EQ(m_target.m_schemes.Size(), std::size_t(kBuiltInSchemeCount));
}

TEST_F(TreePageTextTest, ResetGivesASystemSchemeItsBuiltInTemplatesBack)
{
    std::string afterNo, afterYes;
    RunText([&](CPropertySheet& sheet, CDialog& page) {
        TestHooks::SetText(page, T::kTemplateId, "%INDI.NAME%");
        TestHooks::SelectItem(page, T::kBoxTypeId, 1);
        TestHooks::SelectItem(page, T::kBoxTypeId, 0);
        TestHooks::AnswerMessageBox(IDNO);
        TestHooks::Click(page, T::kResetId);
        afterNo = Text(page, T::kTemplateId);
        TestHooks::AnswerMessageBox(IDYES);
        TestHooks::Click(page, T::kResetId);
        afterYes = Text(page, T::kTemplateId);
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
    });
    EXPECT_EQ(MessageTexts().front(), "Reset the current system-supplied Scheme to its original "
                                      "state, at the time the application was installed?");
    EXPECT_EQ(afterNo, "%INDI.NAME%");
    EXPECT_EQ(afterYes, *FindBuiltInScheme("Name, Dates")->templates[0]);
    EXPECT_EQ(*TargetTemplate("Name, Dates", 0), afterYes);
}

TEST_F(TreePageTextTest, PictureMarkerAndDataReferenceGoIntoTheTemplate)
{
    std::string after;
    bool dataRefShown = false;
    RunText([&](CPropertySheet&, CDialog& page) {
        TestHooks::SelectItem(page, T::kBoxTypeId, 1);
        TestHooks::AnswerMessageBox(IDCANCEL);
        TestHooks::Click(page, T::kPictureMarkerId);
        EXPECT_EQ(Text(page, T::kTemplateId), "");
        TestHooks::AnswerMessageBox(IDOK);
        TestHooks::Click(page, T::kPictureMarkerId);
        after = Text(page, T::kTemplateId);
        TestHooks::OnNextDialog(kDataRefTemplate, [&](CDialog& dlg) {
            dataRefShown = true;
            TestHooks::Click(dlg, IDCANCEL);
        });
        TestHooks::Click(page, T::kDataRefId);
    });
    const auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[0].caption, "Insert Picture Marker");
    EXPECT_EQ(after, "{picture}\r\n");
    EXPECT_TRUE(dataRefShown);
}

TEST_F(TreePageTextTest, DefaultsTakeAUserSchemeWithItsTemplatesAsTyped)
{
    CDiagramDefaults defaults;
    defaults.TextSchemes().CopySchemeList(m_target.m_schemes);
    const std::string typed = "%INDI.NAME:SURNAME%\r\n{if female} née %INDI.NAME%";
    m_observer.m_hints.clear();
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        ASSERT_TRUE(sheet.SetActivePage(CTreeOptsDlg::kTextPage));
        auto& page = static_cast<CDialog&>(Page(sheet));
        TestHooks::OnNextDialog(CSchemeNameDlg::kTemplate, [&](CDialog& dlg) {
            TestHooks::SetText(dlg, CSchemeNameDlg::kNameId, "Mine");
            TestHooks::Click(dlg, IDOK);
        });
        TestHooks::Click(page, T::kNewId);
        TestHooks::SetText(page, T::kTemplateId, typed);
        TestHooks::PressSheetButton(sheet, SheetButton::Ok);
    });
    ShowDiagramDefaults(defaults, nullptr);
    const CTextScheme* mine = defaults.TextSchemes().FindScheme("Mine");
    const bool inList =
        mine && mine->GetSchemeTemplate(0, false) && *mine->GetSchemeTemplate(0, false) == typed;
    EXPECT_TRUE(inList);
    EXPECT_EQ(defaults.Settings().m_textScheme, "Mine");
    EXPECT_EQ(m_observer.m_hints, (std::vector<LPARAM>{7, 5}));
    // The next start reads both back.
    CDiagramSettings loaded;
    loaded.LoadSettingsFromProfile(m_app.GetProfile());
    EXPECT_EQ(loaded.m_textScheme, "Mine");
    CTextSchemeList stored;
    InitTextSchemes(stored);
    const CTextScheme* again = stored.FindScheme("Mine");
    ASSERT_NE(again, nullptr);
    EXPECT_FALSE(again->IsSystem());
    ASSERT_NE(again->GetSchemeTemplate(0, false), nullptr);
    EXPECT_EQ(*again->GetSchemeTemplate(0, false), typed);
}

TEST_F(TreePageTextTest, BoxFontSizesThePageWhichThePrintPageShows)
{
    std::string before, after;
    bool modified = true;
    RunSheet(CTreeOptsDlg::kPrintPage, [&](CPropertySheet& sheet) {
        before = Text(Page(sheet), CTreePagePrint::kHeightId);
        ASSERT_TRUE(sheet.SetActivePage(CTreeOptsDlg::kTextPage));
        LOGFONT chosen = m_settings.m_boxFont;
        chosen.lfHeight = -32; // 24 points: the page halves
        TestHooks::AnswerFont(chosen);
        TestHooks::Click(Page(sheet), T::kFontId);
        ASSERT_TRUE(sheet.SetActivePage(CTreeOptsDlg::kPrintPage));
        after = Text(Page(sheet), CTreePagePrint::kHeightId);
        modified = sheet.GetActivePage()->IsModified();
    });
    EXPECT_EQ(before, "1440");
    EXPECT_EQ(after, std::to_string(m_settings.m_pageHeight));
    EXPECT_NE(after, before);
    EXPECT_FALSE(modified);
    EXPECT_EQ(m_settings.m_boxFont.lfHeight, 12);
    EXPECT_GE(m_target.m_refreshes, 1);
}

TEST_F(TreePageTextTest, FontIsChosenInPrintedPoints)
{
    CDiagramSettings settings;
    LOGFONT font = settings.m_boxFont;
    font.lfHeight = 40;
    // Without a printer the font is taken as chosen.
    TestHooks::SetNoPrinter(true);
    LOGFONT chosen = font;
    chosen.lfHeight = -16;
    TestHooks::AnswerFont(chosen);
    ASSERT_TRUE(ChooseDiagramFont(nullptr, font, settings, false));
    EXPECT_EQ(font.lfHeight, -16);
    TestHooks::SetNoPrinter(false);
    // With one, 12 points on a page of the settings' height; page scaling keeps the height.
    chosen.lfHeight = -16; // 12 points
    TestHooks::AnswerFont(chosen);
    font.lfHeight = 40;
    ASSERT_TRUE(ChooseDiagramFont(nullptr, font, settings, false));
    int pw = 0, ph = 0;
    GetPrinterPageProportions(true, pw, ph);
    const long long points = 72LL * ph / 600; // the virtual printer's 600 dots per inch
    EXPECT_EQ(font.lfHeight, LONG(1440LL * 120 / (points * 10)));
    TestHooks::AnswerFont(chosen);
    font.lfHeight = 40;
    ASSERT_TRUE(ChooseDiagramFont(nullptr, font, settings, true));
    EXPECT_EQ(font.lfHeight, 40);
    EXPECT_EQ(settings.m_pageHeight, int(40LL * 10 * points / 120));
    EXPECT_EQ(settings.m_pageWidth, int(settings.m_pageHeight * 1LL * pw / ph));
}

} // namespace
