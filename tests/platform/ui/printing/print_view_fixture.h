// tests/platform/ui/printing/print_view_fixture.h: a view whose print hooks record what reaches
// them and whose page n shows n black squares, over an application with the virtual printer.
#pragma once

#include "platform/base/abandon.h"
#include "platform/base/text.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/drawing/font.h"
#include "platform/ui/frames/view.h"
#include "platform/ui/printing/print_info.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace print_test {

/// A page's squares: 600 printer pixels (one inch) wide, 900 apart, at the top of the page;
/// below them its number in 20-point text at kTextTop, and a line across at kLineY.
inline constexpr int kSquare = 600, kSquarePitch = 900, kTextTop = 700, kLineY = 1200;

class PagesView : public CView {
public:
    /// The length the view gives the job; 0 leaves it unknown.
    UINT maxPage = 0;
    /// Whether the view agrees to print, before the print dialog.
    bool agree = true;
    UINT previewPages = 1;
    /// The page at which OnPrepareDC or OnPrint clears the continue flag, or OnPrint throws.
    UINT stopInPrepareAt = 0;
    UINT stopInPrintAt = 0;
    UINT throwAt = 0;
    /// What OnPrint throws at that page: an abandoned operation unless a test says otherwise.
    std::function<void()> raise = [] { throw COperationAborted(); };

    std::vector<std::string> log;
    /// Also told of the preview's end, for a test that outlives the view.
    std::vector<std::string>* endLog = nullptr;
    std::vector<BOOL> previewFlags;
    CRect rectDraw;
    BOOL printing = FALSE;

    std::vector<std::string> TakeLog() { return std::exchange(log, {}); }

    BOOL OnPreparePrinting(CPrintInfo* info) override
    {
        log.push_back("prepare printing");
        if (!agree)
            return FALSE;
        if (maxPage)
            info->SetMaxPage(maxPage);
        info->m_nNumPreviewPages = previewPages;
        return DoPreparePrinting(info);
    }
    void OnBeginPrinting(CDC* /*dc*/, CPrintInfo* info) override
    {
        log.push_back("begin");
        previewFlags.push_back(info->m_bPreview);
    }
    void OnPrepareDC(CDC* dc, CPrintInfo* info) override
    {
        CView::OnPrepareDC(dc, info);
        if (!info)
            return;
        log.push_back(text::Format("prepare %u", info->m_nCurPage));
        if (info->m_nCurPage == stopInPrepareAt)
            info->m_bContinuePrinting = FALSE;
    }
    void OnPrint(CDC* dc, CPrintInfo* info) override
    {
        const UINT page = info->m_nCurPage;
        log.push_back(text::Format("print %u", page));
        if (page == throwAt)
            raise();
        rectDraw = info->m_rectDraw;
        printing = dc->IsPrinting();
        for (UINT i = 0; i < page; ++i)
            dc->FillSolidRect(int(i) * kSquarePitch, 0, kSquare, kSquare, RGB(0, 0, 0));
        CFont font;
        font.CreatePointFont(200, "Arial", dc);
        CFont* old = dc->SelectObject(&font);
        dc->SetBkMode(TRANSPARENT);
        dc->TextOut(0, kTextTop, text::Format("Page %u", page));
        dc->SelectObject(old);
        dc->MoveTo(0, kLineY);
        dc->LineTo(dc->GetDeviceCaps(HORZRES), kLineY);
        if (page == stopInPrintAt)
            info->m_bContinuePrinting = FALSE;
    }
    void OnEndPrinting(CDC* /*dc*/, CPrintInfo* /*info*/) override { log.push_back("end"); }
    void OnEndPrintPreview(CDC* /*dc*/, CPrintInfo* /*info*/, POINT /*point*/,
                           CView* /*view*/) override
    {
        log.push_back("end preview");
        if (endLog)
            endLog->push_back("end preview");
    }
};

/// An application whose printer is the virtual one, restored after each test.
class PrintTest : public testing::Test {
protected:
    void SetUp() override
    {
        TestHooks::SetNoPrinter(false);
        m_app = std::make_unique<CWinApp>("Print Test");
        m_folder = test_support::NewFolder("print");
    }
    void TearDown() override
    {
        TestHooks::SetNoPrinter(false);
        m_app.reset();
        TestHooks::DeliverPosted();
        TestHooks::TakeMessages();
    }

    std::unique_ptr<CWinApp> m_app;
    std::string m_folder;
};

} // namespace print_test
