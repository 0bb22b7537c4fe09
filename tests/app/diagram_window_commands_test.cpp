// tests/app/diagram_window_commands_test.cpp: the diagram window inside the program: Show in
// Diagram on the selected person, its status bar with the page grid, a family without parents
// refused, Properties at the diagram's preferred size and a new diagram's properties box off
// its root box, the window's print preview and a PDF with one page per page of the diagram's
// page grid, printing and printer set-up in the diagram's orientation, a new person or couple
// shown in a diagram, the Diagram Wizard, and royal92.ged printed with every box within a page
// whole on it.
#include "tests/app/app_fixture.h"

#include "app/shell/app_ids.h"
#include "app/shell/av_view.h"
#include "app/shell/main_frame.h"
#include "common/preferences.h"
#include "database/kin/ind_rec.h"
#include "database/records/fam_rec.h"
#include "database/records/record_id_state.h"
#include "diagrams/diag_elem.h"
#include "diagrams/diag_tree.h"
#include "diagrams/diag_tree_walk.h"
#include "diagrams/window/diag_print_size_dlg.h"
#include "diagrams/window/diagram_wizard.h"
#include "diagrams/window/sub_view_rel_tree.h"
#include "diagrams/window/tree_opts_font.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/dialogs/property_sheet.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/frames/status_bar.h"
#include "platform/ui/printing/print_info.h"
#include "platform/ui/printing/print_preview.h"
#include "platform/ui/printing/printer_settings.h"
#include "records/properties/properties_dlg.h"
#include "tests/support/pdf_text.h"

#include <gmock/gmock.h>

namespace app_test {
namespace {

constexpr const char* kFamilyFile =
    "0 HEAD\r\n1 CHAR UTF-8\r\n"
    "0 @I1@ INDI\r\n1 NAME John /Lee/\r\n1 SEX M\r\n1 FAMS @F1@\r\n"
    "0 @I2@ INDI\r\n1 NAME Mary /Cole/\r\n1 SEX F\r\n1 FAMS @F1@\r\n"
    "0 @I3@ INDI\r\n1 NAME Ann /Lee/\r\n1 SEX F\r\n1 FAMC @F1@\r\n"
    "0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n1 CHIL @I3@\r\n"
    "0 @F2@ FAM\r\n0 TRLR\r\n";

class DiagramWindowCommandsTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        ASSERT_TRUE(Start({WriteGedcom("family.ged", kFamilyFile)}));
    }
    CAvView* DiagramView() const { return m_app->GetNextViewOfKind(nullptr, kSubViewDiagram); }
    CSubViewRelTree* DiagramWindow() const
    {
        CAvView* view = DiagramView();
        return view ? dynamic_cast<CSubViewRelTree*>(view->GetSubView()) : nullptr;
    }
    /// The diagram window opened on the file's first person; null when none opened.
    CSubViewRelTree* OpenOnFirstPerson(int type)
    {
        auto* person = First<CIndRec>(RECORD_LIST_INDI);
        return person && m_app->ShowInDiagram(type, person, nullptr) ? DiagramWindow() : nullptr;
    }
    template <class T> T* First(int list) const
    {
        CDataNode* root = GetRecordTypeRoot(list);
        return root ? dynamic_cast<T*>(root->GetFirstChild()) : nullptr;
    }
};

TEST_F(DiagramWindowCommandsTest, ShowInDiagramOpensOneWindowOnThePerson)
{
    auto* john = First<CIndRec>(RECORD_LIST_INDI);
    ASSERT_NE(john, nullptr);
    ASSERT_NE(m_app->ShowInDiagram(kDescendantsDiagram, john, nullptr), nullptr);
    CSubViewRelTree* window = DiagramWindow();
    ASSERT_NE(window, nullptr);
    std::string title;
    window->GetTitle(title);
    EXPECT_EQ(title.rfind("Descendants of John", 0), 0u) << title;
    // Its frame shows the diagram window's icon, in both sizes.
    EXPECT_NE(window->LoadViewIcon(FALSE, FALSE), nullptr);
    EXPECT_NE(window->LoadViewIcon(FALSE, TRUE), nullptr);
    ASSERT_EQ(window->Document().Selection().Boxes().size(), 1u);
    EXPECT_EQ(window->Document().Selection().Boxes()[0]->GetIndividual(), john);
    // The reusable window is used again.
    ASSERT_NE(m_app->ShowInDiagram(kAncestorsDiagram, john, nullptr), nullptr);
    EXPECT_EQ(m_app->GetNextViewOfKind(DiagramView(), kSubViewDiagram), nullptr);
    window->GetTitle(title);
    EXPECT_EQ(title.rfind("Ancestors of John", 0), 0u) << title;
    // A locked window says so, empty or not.
    DiagramView()->SetReusable(false);
    window->GetTitle(title);
    EXPECT_EQ(title.rfind("Ancestors of John", 0), 0u) << title;
    EXPECT_EQ(title.substr(title.size() - 9), " (LOCKED)") << title;
    window->ClearDiagram();
    window->GetTitle(title);
    EXPECT_EQ(title, "Diagram Window (LOCKED)");
}

TEST_F(DiagramWindowCommandsTest, TheDiagramsStatusBarShowsThePageGrid)
{
    CSubViewRelTree* window = OpenOnFirstPerson(kAncestorsAndDescendantsDiagram);
    ASSERT_NE(window, nullptr);
    TestHooks::RunIdle();
    ASSERT_EQ(Frame()->GetCurrentStatusBar(), ID_STATUS_DIAGRAM);
    CStatusBar& bar = *Frame()->GetStatusBar(ID_STATUS_DIAGRAM);
    const auto pane = [&bar](UINT id) { return bar.GetPaneText(bar.CommandToIndex(id)); };
    EXPECT_EQ(pane(ID_PANE_DIAGRAM_SIZE), "");
    CDiagramSettings& settings = window->GetSettings();
    settings.m_pageXOrigin = 248;
    settings.m_pageYOrigin = 100;
    window->ShowPageBoundaries();
    TestHooks::RunIdle();
    EXPECT_EQ(pane(ID_PANE_DIAGRAM_SIZE),
              std::to_string(settings.m_pageWidth) + " x " + std::to_string(settings.m_pageHeight));
    EXPECT_EQ(pane(ID_PANE_DIAGRAM_POSITION), "248, 100");
}

TEST_F(DiagramWindowCommandsTest, OpeningAnotherFileClosesTheDiagramWindow)
{
    auto* john = First<CIndRec>(RECORD_LIST_INDI);
    ASSERT_NE(m_app->ShowInDiagram(kDescendantsDiagram, john, nullptr), nullptr);
    ASSERT_NE(DiagramWindow(), nullptr);
    // The data set is cleared with the window open: it closes itself.
    ASSERT_NE(m_app->OpenDocumentFile(WriteGedcom("other.ged", kFamilyFile).c_str()), nullptr);
    TestHooks::DeliverPosted();
    EXPECT_EQ(DiagramView(), nullptr);
}

TEST_F(DiagramWindowCommandsTest, AFamilyWithoutParentsIsRefused)
{
    CDataNode* families = GetRecordTypeRoot(RECORD_LIST_FAM);
    ASSERT_NE(families, nullptr);
    CFamRec* empty = nullptr;
    for (CDataNode* node = families->GetFirstChild(); node; node = node->GetNextSibling())
        if (auto* family = dynamic_cast<CFamRec*>(node); family && !family->GetHusband())
            empty = family;
    ASSERT_NE(empty, nullptr);
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_EQ(m_app->ShowInDiagram(kDescendantsDiagram, nullptr, empty), nullptr);
    const auto shown = TestHooks::TakeMessages();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text,
              "To display a family record in a diagram, it must have at least one parent.");
    EXPECT_EQ(DiagramWindow(), nullptr);
}

TEST_F(DiagramWindowCommandsTest, PropertiesFromTheDiagramOpenAtTheDiagramsOwnSize)
{
    CSubViewRelTree* window = OpenOnFirstPerson(kDescendantsDiagram);
    ASSERT_NE(window, nullptr);
    struct Case {
        int code;
        bool large;
    };
    for (const Case c : {Case{kPropDlgSmall, false}, Case{kPropDlgLarge, true},
                         Case{kPropDlgFull, true}, Case{7, true}}) {
        SCOPED_TRACE(c.code);
        Prefs().m_propDlgSizeDiagram = c.code;
        // The other contexts' sizes play no part.
        Prefs().m_propDlgSizeDefault = c.large ? kPropDlgSmall : kPropDlgLarge;
        Prefs().m_propDlgSizeDragAdd = Prefs().m_propDlgSizeDefault;
        ASSERT_TRUE(TestHooks::RunCommand(*window, diagram_cmd::kProperties));
        CPropertiesDlg* box = m_app->GetPropertiesDlg();
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->IsLarge(), c.large);
        // Closed, so that the next case opens a new box.
        TestHooks::PressCloseBox(*box);
        TestHooks::DeliverPosted();
    }
}

TEST_F(DiagramWindowCommandsTest, ANewDiagramOpensThePropertiesBoxOffItsRootBox)
{
    CSubViewRelTree* window = OpenOnFirstPerson(kDescendantsDiagram);
    ASSERT_NE(window, nullptr);
    ASSERT_EQ(window->Document().Selection().Boxes().size(), 1u);
    const auto rootOnScreen = [window] {
        const CRect box = window->Document().Selection().Boxes().front()->Rect();
        const CPoint a = window->Viewport().ToDevice(box.TopLeft()),
                     b = window->Viewport().ToDevice(box.BottomRight());
        CRect screen(a.x, a.y, b.x, b.y);
        screen.NormalizeRect();
        window->ClientToScreen(&screen);
        return screen;
    };
    // The properties box stands over the root box when the diagram is built again.
    ASSERT_TRUE(TestHooks::RunCommand(*window, diagram_cmd::kProperties));
    CPropertiesDlg* box = m_app->GetPropertiesDlg();
    ASSERT_NE(box, nullptr);
    CRect placed;
    box->GetWindowRect(&placed);
    const CRect root = rootOnScreen();
    placed.OffsetRect(root.CenterPoint().x - placed.CenterPoint().x,
                      root.CenterPoint().y - placed.CenterPoint().y);
    box->MoveWindow(placed);
    ASSERT_TRUE(
        window->BuildTree(First<CIndRec>(RECORD_LIST_INDI), true, kDescendantsDiagram, true));
    box->GetWindowRect(&placed);
    CRect overlap;
    EXPECT_FALSE(overlap.IntersectRect(placed, rootOnScreen()));
}

TEST_F(DiagramWindowCommandsTest, PreviewAndPdfHaveOnePagePerGridPage)
{
    CSubViewRelTree* window = OpenOnFirstPerson(kDescendantsDiagram);
    ASSERT_NE(window, nullptr);
    // Pages narrower than the couple: two pages across.
    CRect extent;
    ASSERT_TRUE(window->Viewport().GetDiagramExtent(extent));
    window->GetSettings().m_pageWidth = extent.Width() * 2 / 3;
    window->GetSettings().m_pageHeight = extent.Width() * 2 / 3 * 1440 / 2106;
    CPoint origin;
    int down = 0, across = 0;
    window->GetPageSpan(origin, down, across);
    EXPECT_GE(across, 2);
    const TestHooks::Image page = TestHooks::RenderPreviewPage(*DiagramView(), 1);
    ASSERT_GT(page.width, 0);
    page.SavePng(m_folder + "/diagram_preview.png");
    int ink = 0;
    for (int y = 0; y < page.height; ++y)
        for (int x = 0; x < page.width; ++x)
            ink += page.Pixel(x, y) != RGB(255, 255, 255);
    EXPECT_GT(ink, 100);
    // The preview window holds every page and shows two side by side.
    DiagramView()->OnFilePrintPreview();
    CPrintPreview* preview = CPrintPreview::Of(*DiagramView());
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->GetPageCount(), down * across);
    EXPECT_TRUE(preview->ShowsTwoPages());
    preview->Close();

    const std::string pdf = m_folder + "/diagram.pdf";
    TestHooks::AnswerPrintDialog(true, pdf);
    DiagramView()->OnFilePrint();
    std::string error;
    const auto pages = test_support::PdfPageLines(pdf, error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(int(pages.size()), down * across);
}

} // namespace
} // namespace app_test

namespace app_test {
namespace {

TEST_F(DiagramWindowCommandsTest, ACustomDiagramSavedAndReopenedKeepsItsSettingsAndName)
{
    CSubViewRelTree* window = OpenOnFirstPerson(kDescendantsDiagram);
    ASSERT_NE(window, nullptr);
    window->GetSettings().m_minBoxWidth = 123;
    const std::string path = m_folder + "/Wide.dgm";
    ASSERT_TRUE(window->GetSettings().SaveSettingsToFile(path));
    window->GetSettings().m_minBoxWidth = 75;
    ASSERT_TRUE(window->Custom().OpenCustomDiagram(path, First<CIndRec>(RECORD_LIST_INDI), "Wide"));
    EXPECT_EQ(window->Settings().m_minBoxWidth, 123);
    std::string title;
    window->GetTitle(title);
    EXPECT_EQ(title.rfind("\"Wide\" - Descendants of John", 0), 0u) << title;
    // A saved diagram that is gone says so, and opens nothing and changes nothing.
    TestHooks::AnswerMessageBox(IDOK);
    m_app->OpenSavedDiagram(m_folder + "/Gone.dgm", "Gone");
    EXPECT_THAT(MessageTexts(), testing::ElementsAre("The custom diagram \"Gone\" is no longer in "
                                                     "its folder (\"" +
                                                     m_folder + "/Gone.dgm\")."));
    EXPECT_EQ(window->Settings().m_minBoxWidth, 123);
    // A damaged file says so and opens the diagram on the defaults of new windows.
    window->Document().Defaults().Settings().m_minBoxWidth = 77;
    const std::string damaged = m_folder + "/Damaged.dgm";
    test_support::WriteFile(damaged, std::string("\x89PNG\r\n\x1a\n\0\0garbage", 16));
    TestHooks::AnswerMessageBox(IDOK);
    EXPECT_TRUE(
        window->Custom().OpenCustomDiagram(damaged, First<CIndRec>(RECORD_LIST_INDI), "Damaged"));
    EXPECT_THAT(MessageTexts(),
                testing::ElementsAre("The custom diagram file \"" + damaged +
                                     "\" is damaged or is not a custom diagram.  The diagram "
                                     "opens with the default settings instead."));
    EXPECT_EQ(window->Settings().m_minBoxWidth, 77);
    EXPECT_TRUE(window->HasTree());
}

TEST_F(DiagramWindowCommandsTest, PrintedStripesTakeThePrintedColoursOnlyWhenAskedTo)
{
    CSubViewRelTree* window = OpenOnFirstPerson(kDescendantsDiagram);
    ASSERT_NE(window, nullptr);
    CDiagramSettings& settings = window->GetSettings();
    settings.m_background = 0;
    struct Case {
        bool alternative;
        bool transparent;
        COLORREF odd, even; // the colours a page should show
    };
    const COLORREF white = RGB(255, 255, 255);
    for (const Case& c :
         {Case{true, false, settings.m_colours[21].colour, settings.m_colours[22].colour},
          Case{true, true, white, white},
          Case{false, false, settings.m_colours[18].colour, settings.m_colours[19].colour}}) {
        SCOPED_TRACE(c.alternative);
        settings.m_altPrintStripes = c.alternative;
        settings.m_colours[21].transparent = settings.m_colours[22].transparent = c.transparent;
        const TestHooks::Image page = TestHooks::RenderPreviewPage(*DiagramView(), 1);
        ASSERT_GT(page.width, 0);
        bool odd = false, even = false;
        for (int y = 0; y < page.height; ++y) {
            // Left of the boxes, inside the paper's edge.
            odd = odd || page.Pixel(page.width / 8, y) == c.odd;
            even = even || page.Pixel(page.width / 8, y) == c.even;
        }
        EXPECT_TRUE(odd && even);
    }
}

} // namespace
} // namespace app_test

namespace app_test {
namespace {

TEST_F(DiagramWindowCommandsTest, APageOfOneRowPrintsEachRowOnItsOwnPage)
{
    CSubViewRelTree* window = OpenOnFirstPerson(kDescendantsDiagram);
    ASSERT_NE(window, nullptr);
    TestHooks::OnNextDialog(CDiagPrintSizeDlg::kTemplate, [](CDialog& dialog) {
        TestHooks::SetText(dialog, CDiagPrintSizeDlg::kRowsId, "1");
        TestHooks::Click(dialog, CDiagPrintSizeDlg::kAlignId);
        TestHooks::Click(dialog, IDOK);
    });
    window->SetPrintedSize();
    EXPECT_EQ(window->Settings().m_pageHeight, window->Document().PrintedRowHeight());
    CPoint origin;
    int down = 0, across = 0;
    window->GetPageSpan(origin, down, across);
    // Two generations, one row each, aligned between the rows: two pages down.
    EXPECT_GE(down, 2);
    const std::string pdf = m_folder + "/rows.pdf";
    TestHooks::AnswerPrintDialog(true, pdf);
    DiagramView()->OnFilePrint();
    std::string error;
    const auto pages = test_support::PdfPageLines(pdf, error);
    EXPECT_EQ(error, "");
    EXPECT_EQ(int(pages.size()), down * across);
}

TEST_F(DiagramWindowCommandsTest, PrintingTakesTheDiagramsOrientationAndGivesThePrinterItsOwnBack)
{
    CPrinterSettings& printer = m_app->GetPrinterSettings();
    ASSERT_TRUE(printer.LoadDefaults());
    CSubViewRelTree* window = OpenOnFirstPerson(kDescendantsDiagram);
    ASSERT_NE(window, nullptr);
    // Narrow boxes: text printed wider than it was measured would be cut off.
    window->GetSettings().m_minBoxWidth = 1;
    for (const bool landscape : {true, false}) {
        SCOPED_TRACE(landscape);
        window->SetPrintOrientation(landscape);
        // The program's printer set the other way.
        printer.SetOrientation(landscape ? DMORIENT_PORTRAIT : DMORIENT_LANDSCAPE);
        const std::string pdf = m_folder + "/oriented.pdf";
        TestHooks::AnswerPrintDialog(true, pdf);
        DiagramView()->OnFilePrint();
        const test_support::PdfInfo info = test_support::ReadPdfInfo(pdf);
        ASSERT_GT(info.pages, 0);
        EXPECT_EQ(info.width > info.height, landscape);
        std::string error;
        std::string text;
        for (const auto& page : test_support::PdfPageLines(pdf, error))
            for (const auto& line : page)
                text += line + "\n";
        for (const char* name : {"John LEE", "Mary COLE", "Ann LEE"})
            EXPECT_NE(text.find(name), std::string::npos) << name << " in\n" << text;
        EXPECT_EQ(printer.GetOrientation(), landscape ? DMORIENT_PORTRAIT : DMORIENT_LANDSCAPE);
        // A print dialog cancelled, and a preview closed, give it back too.
        TestHooks::AnswerPrintDialog(false, "");
        DiagramView()->OnFilePrint();
        EXPECT_EQ(printer.GetOrientation(), landscape ? DMORIENT_PORTRAIT : DMORIENT_LANDSCAPE);
        DiagramView()->OnFilePrintPreview();
        CPrintPreview* preview = CPrintPreview::Of(*DiagramView());
        ASSERT_NE(preview, nullptr);
        preview->Close();
        EXPECT_EQ(printer.GetOrientation(), landscape ? DMORIENT_PORTRAIT : DMORIENT_LANDSCAPE);
    }
}

TEST_F(DiagramWindowCommandsTest, APrintedPageIsClippedToItsMarginsAndAPreviewIsNot)
{
    CSubViewRelTree* window = OpenOnFirstPerson(kDescendantsDiagram);
    ASSERT_NE(window, nullptr);
    CDiagramSettings& settings = window->GetSettings();
    settings.m_leftMargin = settings.m_rightMargin = 10;
    settings.m_topMargin = settings.m_bottomMargin = 20;
    for (const BOOL preview : {FALSE, TRUE}) {
        SCOPED_TRACE(preview);
        CPrinterSettings printer(m_app->GetPrinterSettings());
        ASSERT_TRUE(printer.LoadDefaults());
        CDC dc;
        ASSERT_TRUE(printer.CreatePrinterDC(dc));
        CPrintInfo info;
        info.m_bPreview = preview;
        info.m_nCurPage = 1;
        window->OnPrepareDC(&dc, &info);
        CRect clip;
        dc.GetClipBox(&clip);
        dc.LPtoDP(&clip);
        clip.NormalizeRect();
        const int horz = dc.GetDeviceCaps(HORZRES), vert = dc.GetDeviceCaps(VERTRES);
        const CRect expected = preview
                                   ? CRect(0, 0, horz, vert)
                                   : CRect(horz / 10, vert / 5, horz - horz / 10, vert - vert / 5);
        EXPECT_NEAR(clip.left, expected.left, 2);
        EXPECT_NEAR(clip.top, expected.top, 2);
        EXPECT_NEAR(clip.right, expected.right, 2);
        EXPECT_NEAR(clip.bottom, expected.bottom, 2);
        window->OnEndPrinting(&dc, &info);
    }
}

TEST_F(DiagramWindowCommandsTest, PrinterSetupTurnsTheDiagramsPagesAndKeepsTheProgramsOrientation)
{
    CPrinterSettings& printer = m_app->GetPrinterSettings();
    ASSERT_TRUE(printer.LoadDefaults());
    CSubViewRelTree* window = OpenOnFirstPerson(kDescendantsDiagram);
    ASSERT_NE(window, nullptr);
    CDiagramSettings& settings = window->GetSettings();
    int paperWidth = 0, paperHeight = 0;
    GetPrinterPageProportions(false, paperWidth, paperHeight);
    ASSERT_GT(paperWidth, 0);
    for (const bool preserve : {false, true}) {
        SCOPED_TRACE(preserve);
        settings.m_preserveRatios = preserve;
        window->SetPrintOrientation(true);
        ASSERT_GT(settings.m_pageWidth, settings.m_pageHeight);
        const int width = settings.m_pageWidth, height = settings.m_pageHeight;
        printer.SetOrientation(DMORIENT_LANDSCAPE);
        // Cancel changes nothing.
        TestHooks::AnswerPrintSetup(false);
        window->OnFilePrintSetup();
        EXPECT_TRUE(settings.m_printLandscape);
        // Portrait chosen: the diagram's pages turn upright, to the paper's proportions when
        // ratios are preserved; the program's printer stays landscape.
        TestHooks::AnswerPrintSetup(true, DMORIENT_PORTRAIT);
        window->OnFilePrintSetup();
        EXPECT_FALSE(settings.m_printLandscape);
        EXPECT_EQ(settings.m_pageWidth, height);
        if (preserve)
            EXPECT_NEAR(double(settings.m_pageHeight) / settings.m_pageWidth,
                        double(paperHeight) / paperWidth, 0.01);
        else
            EXPECT_EQ(settings.m_pageHeight, width);
        EXPECT_EQ(printer.GetOrientation(), DMORIENT_LANDSCAPE);
        EXPECT_THAT(MessageTexts(), testing::IsEmpty());
    }
    // An emptied window has nothing to set up.
    window->ClearDiagram();
    TestHooks::AnswerMessageBox(IDOK);
    window->OnFilePrintSetup();
    EXPECT_THAT(MessageTexts(), testing::ElementsAre("No diagram to print"));
}

TEST_F(DiagramWindowCommandsTest, NewIndividualOrCoupleIsShownInAnAllRelativesDiagram)
{
    constexpr UINT kNewIndividual = 32869, kNewCouple = 32870;
    const auto count = [](int list) { return GetRecordTypeRoot(list)->CountChildren(); };
    const std::size_t people = count(RECORD_LIST_INDI), families = count(RECORD_LIST_FAM);

    ASSERT_TRUE(TestHooks::RunCommand(*Frame(), kNewIndividual));
    EXPECT_EQ(count(RECORD_LIST_INDI), people + 1);
    ASSERT_NE(DiagramWindow(), nullptr);
    EXPECT_EQ(DiagramWindow()->Settings().m_diagramType, kAllRelativesDiagram);
    EXPECT_EQ(DiagramWindow()->Document().Selection().Boxes().size(), 1u);

    ASSERT_TRUE(TestHooks::RunCommand(*Frame(), kNewCouple));
    EXPECT_EQ(count(RECORD_LIST_INDI), people + 3);
    ASSERT_EQ(count(RECORD_LIST_FAM), families + 1);
    CDataNode* family = GetRecordTypeRoot(RECORD_LIST_FAM)->GetFirstChild();
    while (family->GetNextSibling())
        family = family->GetNextSibling();
    auto* couple = dynamic_cast<CFamRec*>(family);
    ASSERT_NE(couple, nullptr);
    ASSERT_NE(couple->GetHusband(), nullptr);
    ASSERT_NE(couple->GetWife(), nullptr);
    EXPECT_EQ(couple->GetHusband()->GetSex(), SEX_MALE);
    EXPECT_EQ(couple->GetWife()->GetSex(), SEX_FEMALE);
    EXPECT_TRUE(DiagramWindow()->HasTree());
    EXPECT_TRUE(MessageTexts().empty());
}

TEST_F(DiagramWindowCommandsTest, DiagramWizardOpensTheDiagramItMakes)
{
    constexpr UINT kWizard = 32928;
    bool shown = false;
    TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
        shown = dynamic_cast<CDiagWizDlg*>(&sheet) != nullptr;
        auto& wizard = dynamic_cast<CDiagWizDlg&>(sheet);
        wizard.OpenDiagram(First<CIndRec>(RECORD_LIST_INDI), nullptr);
        TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Cancel);
    });
    ASSERT_TRUE(TestHooks::RunCommand(*Frame(), kWizard));
    EXPECT_TRUE(shown);
    ASSERT_NE(DiagramWindow(), nullptr);
    EXPECT_TRUE(DiagramWindow()->HasTree());
}

} // namespace
} // namespace app_test

namespace app_test {
namespace {

/// The diagram window over royal92.ged.
class DiagramRoyalPrintTest : public AppTest {
protected:
    void SetUp() override
    {
        AppTest::SetUp();
        TestHooks::AnswerMessageBox(IDNO); // the exception report offered as the file loads
        ASSERT_TRUE(Start({test_support::DataPath("gedcom/royal92.ged")}));
        TestHooks::TakeMessages();
        CDataNode* root = GetRecordTypeRoot(RECORD_LIST_INDI);
        m_victoria = root ? dynamic_cast<CIndRec*>(root->GetFirstChild()) : nullptr;
        ASSERT_NE(m_victoria, nullptr);
    }
    CSubViewRelTree* Window() const
    {
        CAvView* view = m_app->GetNextViewOfKind(nullptr, kSubViewDiagram);
        return view ? dynamic_cast<CSubViewRelTree*>(view->GetSubView()) : nullptr;
    }
    /// The PDF's pages, each page's lines joined by line breaks.
    std::vector<std::string> Print(const std::string& name)
    {
        const std::string pdf = m_folder + "/" + name + ".pdf";
        TestHooks::AnswerPrintDialog(true, pdf);
        m_app->GetNextViewOfKind(nullptr, kSubViewDiagram)->OnFilePrint();
        std::string error;
        std::vector<std::string> pages;
        for (const auto& page : test_support::PdfPageLines(pdf, error)) {
            pages.emplace_back();
            for (const auto& line : page)
                pages.back() += line + "\n";
        }
        EXPECT_EQ(error, "");
        return pages;
    }

    CIndRec* m_victoria = nullptr;
};

TEST_F(DiagramRoyalPrintTest, EachTypePrintsOnePagePerGridPageAndEveryBoxWithinAPageWhole)
{
    // Margins print a page smaller than it was measured: at these, the printer's fonts come out
    // a little wider than in proportion.
    for (const double margin : {3.0, 12.0})
        for (int type = 0; type < 4; ++type) {
            SCOPED_TRACE(testing::Message() << "type " << type << " margins " << margin);
            ASSERT_NE(m_app->ShowInDiagram(type, m_victoria, nullptr), nullptr);
            CSubViewRelTree* window = Window();
            CDiagramSettings& settings = window->GetSettings();
            settings.m_ancestorGenerations = 3;
            settings.m_descendantGenerations = 3;
            settings.m_leftMargin = settings.m_rightMargin = margin;
            settings.m_topMargin = settings.m_bottomMargin = margin;
            ASSERT_TRUE(window->BuildTree(m_victoria, true, type, false));
            CPoint origin;
            int down = 0, across = 0;
            window->GetPageSpan(origin, down, across);
            const std::vector<std::string> pages = Print("type" + std::to_string(type));
            ASSERT_EQ(int(pages.size()), down * across);
            // Each box that lies within one page shows its whole lines there.
            const int width = settings.m_pageWidth, height = settings.m_pageHeight;
            int checked = 0;
            for (CDiagTree* tree : window->RowSet()->Trees())
                ForEachBox(*tree, true, [&](CDiagElem& box) {
                    const CRect rect = box.Rect();
                    const int column = (rect.left - origin.x) / width;
                    const int row = (origin.y - rect.top) / height;
                    if (!box.IsVisible() || rect.right > origin.x + (column + 1) * width ||
                        rect.bottom < origin.y - (row + 1) * height)
                        return;
                    const std::string& page = pages[std::size_t(row * across + column)];
                    const std::string text = box.GetText();
                    for (std::string_view line : SplitBoxLines(text))
                        EXPECT_NE(page.find(std::string(line)), std::string::npos)
                            << line << " on page " << row * across + column + 1 << ":\n"
                            << page;
                    ++checked;
                });
            EXPECT_GT(checked, 5);
        }
}

} // namespace
} // namespace app_test
