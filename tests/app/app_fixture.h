// tests/app/app_fixture.h: the application started as the program starts it, over fresh
// configuration and data folders, with the program's own resources, and small GEDCOM files.
#pragma once

#include "app/av_app.h"
#include "app/shell/av_doc.h"
#include "app/shell/av_view.h"
#include "app/shell/main_frame.h"
#include "app/shell/splash_wnd.h"

#include "common/preferences.h"
#include "database/dictionary/field_dictionary.h"
#include "database/dictionary/record_type_table.h"
#include "platform/base/registry.h"
#include "platform/ui/frames/menu.h"
#include "platform/ui/frames/recent_file_list.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/test_hooks.h"
#include "records/window/sub_view_rec.h"
#include "tests/support/test_support.h"
#include "tests/support/window_test.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace app_test {

/// The process id of a process that has ended.
inline int EndedProcess()
{
    const pid_t child = fork();
    if (child == 0)
        _exit(0);
    int status = 0;
    waitpid(child, &status, 0);
    return int(child);
}

/// A family of two: John and Mary, married.
inline constexpr const char* kFamilyFile = "0 HEAD\r\n1 SOUR Tests\r\n1 GEDC\r\n2 VERS 5.5\r\n"
                                           "1 CHAR UTF-8\r\n"
                                           "0 @I1@ INDI\r\n1 NAME John /Smith/\r\n1 SEX M\r\n"
                                           "1 FAMS @F1@\r\n"
                                           "0 @I2@ INDI\r\n1 NAME Mary /Jones/\r\n1 SEX F\r\n"
                                           "1 FAMS @F1@\r\n"
                                           "0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n"
                                           "0 TRLR\r\n";
/// One person alone.
inline constexpr const char* kSingleFile = "0 HEAD\r\n1 SOUR Tests\r\n1 CHAR UTF-8\r\n"
                                           "0 @I1@ INDI\r\n1 NAME Ann /Lee/\r\n0 TRLR\r\n";

/// The list indices of individuals and families.
inline constexpr int kIndividuals = 0, kFamilies = 1;

class AppTest : public test_support::WindowTest {
protected:
    void SetUp() override
    {
        setenv(FIELD_DEFS_ENV, ARDENVEL_TEST_FIELD_DEFS, 1);
        m_folder = test_support::NewFolder("app");
        setenv("XDG_CONFIG_HOME", (m_folder + "/config").c_str(), 1);
        setenv("XDG_DATA_HOME", (m_folder + "/data").c_str(), 1);
        RegReset();
        Prefs() = Preferences();
        std::string error;
        ASSERT_TRUE(m_resources.LoadCompiledIn(error)) << error;
        SetAppResources(&m_resources);
        m_app = std::make_unique<CAvApp>();
    }

    void TearDown() override
    {
        if (m_app)
            m_app->ExitInstance();
        m_app.reset();
        SetAppResources(nullptr);
        TestHooks::DeliverPosted();
        TestHooks::TakeMessages();
        TestHooks::TakeShellOpens();
    }

    /// Starts the application with the arguments; the main frame is then 800 x 600.
    bool Start(const std::vector<std::string>& arguments = {})
    {
        if (!m_app->StartUp(arguments))
            return false;
        // The start-up picture would take the first posted key or click, and the backup
        // offered at exit would ask after every test; each has tests of its own.
        if (CSplashWnd* splash = CSplashWnd::GetSplashScreen())
            splash->HideSplashScreen();
        Prefs().m_backupPrompt = false;
        // The client area at the screen's corner, 800 x 600: the window rectangle holds the
        // frame around it.
        CRect window, client;
        Frame()->GetWindowRect(&window);
        Frame()->GetClientRect(&client);
        CPoint origin(0, 0);
        Frame()->ClientToScreen(&origin);
        Frame()->MoveWindow(window.left - origin.x, window.top - origin.y,
                            800 + window.Width() - client.Width(),
                            600 + window.Height() - client.Height());
        TestHooks::DeliverPosted();
        return true;
    }

    /// A GEDCOM file in this test's folder.
    std::string WriteGedcom(const std::string& name, const char* content)
    {
        return test_support::WriteFile(m_folder + "/" + name, content);
    }

    CMainFrame* Frame() const { return m_app->GetMainFrame(); }
    CAvDoc* Doc() const { return m_app->GetDocument(); }
    bool Run(UINT command) { return TestHooks::RunCommand(*Frame(), command); }

    /// The number of records the list of a type shows in the records window; -1 without one.
    int ShownRows(int listIndex) const
    {
        auto* pane = dynamic_cast<CSubViewRec*>(m_app->FindRecordsView());
        CTagGrid* grid = pane ? pane->GetRecLists().GetGrid(listIndex) : nullptr;
        if (!grid)
            return -1;
        int rows = 0;
        for (CTreeBoxNode* row = grid->GetBox().GetFirstItem(); row; row = row->m_nextSibling)
            ++rows;
        return rows;
    }

    /// The titles of the menu bar's pop-ups, in order.
    std::vector<std::string> MenuTitles() const
    {
        std::vector<std::string> titles;
        CMenu* menu = Frame()->GetMenu();
        for (int i = 0; menu && i < menu->GetMenuItemCount(); ++i) {
            std::string text;
            menu->GetMenuString(UINT(i), text, MF_BYPOSITION);
            titles.push_back(text);
        }
        return titles;
    }

    std::string m_folder;
    CResources m_resources;
    std::unique_ptr<CAvApp> m_app;
};

} // namespace app_test
