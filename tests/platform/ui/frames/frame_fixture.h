// tests/platform/ui/frames/frame_fixture.h: an application with an MDI main frame (toolbar and
// status bar), a document template, and documents, views, sub-views and child frames that record
// what reaches them, for the frame, document and bar tests.
#pragma once

#include "platform/ui/frames/doc_template.h"
#include "platform/ui/frames/mdi_child_wnd.h"
#include "platform/ui/frames/mdi_frame_wnd.h"
#include "platform/ui/frames/status_bar.h"
#include "platform/ui/frames/tool_bar.h"
#include "platform/ui/frames/view.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/app.h"
#include "platform/ui/windows/cmd_ui.h"
#include "platform/ui/windows/test_hooks.h"
#include "tests/support/test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace frame_test {

/// Who handled what, in order.
inline std::vector<std::string>& Log()
{
    static std::vector<std::string> log;
    return log;
}

inline std::vector<std::string> TakeLog()
{
    return std::exchange(Log(), {});
}

// Each routing target handles the commands kRouted + mask for every mask that holds its bit.
enum Target {
    kChildBit = 1,
    kSubViewBit = 2,
    kViewBit = 4,
    kDocBit = 8,
    kAppBit = 16,
    kMainBit = 32
};
constexpr UINT kRouted = 40000;
constexpr int kAllTargets = 63;
/// A command the application handles whose update handler, in the document, disables it.
constexpr UINT kDisabledByDocument = 41001;
/// A command the main frame handles whose update handler, in the view, checks it.
constexpr UINT kCheckedByView = 41002;
/// Status panes and their update handler in the application.
constexpr UINT kIndividualsPane = 59394, kFamiliesPane = 59395;

template <class Map> void MapRouted(int bit, const char* name, Map map)
{
    for (int mask = 1; mask <= kAllTargets; ++mask)
        if (mask & bit)
            map(kRouted + UINT(mask), [name] { Log().push_back(name); });
}

class TestDoc : public CDocument {
public:
    TestDoc()
    {
        ++Alive();
        MapRouted(kDocBit, "document", [this](UINT id, auto fn) { MapCommand(id, fn); });
        MapUpdate(kDisabledByDocument, [](CCmdUI* state) { state->Enable(FALSE); });
    }
    ~TestDoc() override { --Alive(); }
    const CRuntimeClass* GetRuntimeClass() const override { return RuntimeClassOf<TestDoc>(); }

    static int& Alive()
    {
        static int alive = 0;
        return alive;
    }
    /// Whether OnOpenDocument fails, for the next documents.
    static bool& FailOpen()
    {
        static bool fail = false;
        return fail;
    }

    BOOL OnOpenDocument(const char* path) override
    {
        return FailOpen() ? FALSE : CDocument::OnOpenDocument(path);
    }
    BOOL OnSaveDocument(const char* path) override
    {
        saved.push_back(path);
        return saveSucceeds;
    }

    std::vector<std::string> saved;
    BOOL saveSucceeds = TRUE;
};

/// The plain child window, id 99, that a view hosts.
class SubView : public CWnd {
public:
    SubView()
    {
        MapRouted(kSubViewBit, "sub-view", [this](UINT id, auto fn) { MapCommand(id, fn); });
    }

protected:
    void PostNcDestroy() override { delete this; }
};

class TestView : public CView {
public:
    TestView()
    {
        MapRouted(kViewBit, "view", [this](UINT id, auto fn) { MapCommand(id, fn); });
        MapUpdate(kCheckedByView, [](CCmdUI* state) { state->SetCheck(1); });
    }
    const CRuntimeClass* GetRuntimeClass() const override { return RuntimeClassOf<TestView>(); }

    void OnInitialUpdate() override
    {
        CRect client;
        GetClientRect(&client);
        (new SubView)->Create(nullptr, "sub-view", WS_CHILD | WS_VISIBLE, client, this, kSubViewId);
        CView::OnInitialUpdate();
    }
    void OnUpdate(CView* sender, LPARAM hint, CObject* /*hintObject*/) override
    {
        updates.push_back({sender, hint});
    }
    void OnActivateView(BOOL activate, CView* activateView, CView* deactiveView) override
    {
        activations.push_back(activate ? "activate" : "deactivate");
        CView::OnActivateView(activate, activateView, deactiveView);
    }

    std::vector<std::pair<CView*, LPARAM>> updates;
    std::vector<std::string> activations;
};

/// A child frame that can hide instead of closing, and can limit its size.
class TestChild : public CMDIChildWnd {
public:
    TestChild()
    {
        MapRouted(kChildBit, "child frame", [this](UINT id, auto fn) { MapCommand(id, fn); });
    }
    const CRuntimeClass* GetRuntimeClass() const override { return RuntimeClassOf<TestChild>(); }

    bool hideOnClose = false;
    CSize minimum{-1, -1};
    CSize maximum{-1, -1};

protected:
    void OnSysCommand(UINT id, LPARAM lParam) override
    {
        if ((id & 0xFFF0) != SC_CLOSE || !hideOnClose)
            return CMDIChildWnd::OnSysCommand(id, lParam);
        GetMDIFrame()->MDINext();
        ShowWindow(SW_HIDE);
    }
    void OnGetMinMaxInfo(MINMAXINFO* info) override
    {
        CMDIChildWnd::OnGetMinMaxInfo(info);
        if (minimum.cx >= 0)
            info->ptMinTrackSize = {minimum.cx, minimum.cy};
        if (maximum.cx >= 0)
            info->ptMaxTrackSize = {maximum.cx, maximum.cy};
    }
};

class TestMainFrame : public CMDIFrameWnd {
public:
    TestMainFrame()
    {
        MapRouted(kMainBit, "main frame", [this](UINT id, auto fn) { MapCommand(id, fn); });
        MapCommand(kCheckedByView, [] { Log().push_back("checked command"); });
    }

    CToolBar toolBar;
    CStatusBar statusBar;
    /// The bar that shows prompts in place of statusBar, when set (a frame that has several).
    CWnd* messageBar = nullptr;

    CWnd* GetMessageBar() override
    {
        return messageBar ? messageBar : CMDIFrameWnd::GetMessageBar();
    }

protected:
    int OnCreate(CREATESTRUCT* cs) override
    {
        if (CMDIFrameWnd::OnCreate(cs) == -1)
            return -1;
        static const UINT panes[] = {ID_SEPARATOR, kIndividualsPane, kFamiliesPane};
        if (!toolBar.Create(this, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY) ||
            !toolBar.LoadToolBar(2) || !statusBar.Create(this) ||
            !statusBar.SetIndicators(panes, 3))
            return -1;
        toolBar.EnableDocking(CBRS_ALIGN_ANY);
        EnableDocking(CBRS_ALIGN_ANY);
        return 0;
    }
};

class TestApp : public CWinApp {
public:
    TestApp() : CWinApp("Frames Test")
    {
        MapRouted(kAppBit, "application", [this](UINT id, auto fn) { MapCommand(id, fn); });
        MapCommand(kDisabledByDocument, [] { Log().push_back("disabled command"); });
        MapCommand(ID_FILE_NEW, [] { Log().push_back("new"); });
        MapCommand(ID_FILE_PRINT, [] { Log().push_back("print"); });
        MapUpdate(kIndividualsPane, [](CCmdUI* state) { state->SetText("Individuals: 12"); });
    }
};

/// The application, its main frame shown at 700 x 500, the template and one document in one
/// child frame.
class FrameTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_resources.AddScriptFile(test_support::DataPath("frames/frames.rc"));
        SetAppResources(&m_resources);
        m_app = std::make_unique<TestApp>();
        m_template = new CMultiDocTemplate(129, RuntimeClassOf<TestDoc>(),
                                           RuntimeClassOf<TestChild>(), RuntimeClassOf<TestView>());
        AddDocTemplate(m_template);
        m_main = new TestMainFrame;
        ASSERT_TRUE(m_main->LoadFrame(2));
        m_app->m_pMainWnd = m_main;
        m_main->MoveWindow(0, 0, 700, 500);
        m_main->ShowWindow(SW_SHOW);
        m_doc = dynamic_cast<TestDoc*>(m_template->OpenDocumentFile(nullptr));
        ASSERT_NE(m_doc, nullptr);
        TakeLog();
    }

    void TearDown() override
    {
        DeleteDocTemplates();
        if (m_main)
            m_main->DestroyWindow();
        m_app.reset();
        SetAppResources(nullptr);
        TestHooks::DeliverPosted();
        TestHooks::TakeMessages();
        TakeLog();
    }

    /// A further frame with its own view for the document.
    TestChild* NewChild()
    {
        CFrameWnd* frame = m_template->CreateNewFrame(m_doc, nullptr);
        m_template->InitialUpdateFrame(frame, m_doc);
        return dynamic_cast<TestChild*>(frame);
    }

    static TestView* ViewOf(CFrameWnd* frame)
    {
        return dynamic_cast<TestView*>(frame->GetActiveView());
    }

    CResources m_resources;
    std::unique_ptr<TestApp> m_app;
    CMultiDocTemplate* m_template = nullptr;
    TestMainFrame* m_main = nullptr;
    TestDoc* m_doc = nullptr;
};

} // namespace frame_test
