// manual/screenshots.cpp: manual_screenshots FOLDER TUTORIALS SETTINGS: starts the program's
// application object over fresh settings kept in SETTINGS, opens the tutorial files of TUTORIALS
// and renders the windows the user manual shows into PNG files in FOLDER, through the window
// layer's test hooks (nothing reaches the screen). Exits with 1 when a window could not be shown or
// saved.
#include "app/av_app.h"
#include "app/shell/app_ids.h"
#include "app/shell/av_doc.h"
#include "app/shell/av_view.h"
#include "app/shell/main_frame.h"
#include "app/shell/splash_wnd.h"
#include "records/dialogs/date_dlg.h"
#include "records/dialogs/date_entry_logic.h"
#include "records/properties/properties_dlg.h"
#include "records/window/find_record_dlg.h"
#include "records/window/records_window_ids.h"

#include "common/preferences.h"
#include "database/dates/date_options.h"
#include "database/dictionary/field_dictionary.h"
#include "database/dictionary/record_type_table.h"
#include "database/kin/ind_rec.h"
#include "database/records/record_node.h"
#include "diagrams/window/sub_view_rel_tree.h"
#include "platform/base/paths.h"
#include "platform/base/registry.h"
#include "platform/base/text.h"
#include "platform/ui/dialogs/dialog.h"
#include "platform/ui/dialogs/property_sheet.h"
#include "platform/ui/frames/mdi_child_wnd.h"
#include "platform/ui/resources/resources.h"
#include "platform/ui/windows/test_hooks.h"
#include "queries/lists/select_records_dlg.h"
#include "reports/window/rpt_window_ids.h"

#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string>

namespace {

int g_failures = 0;

void Fail(const std::string& what)
{
    std::cerr << "manual_screenshots: " << what << "\n";
    ++g_failures;
}

class Shots {
public:
    Shots(std::string folder, std::string tutorials)
        : m_folder(std::move(folder)), m_tutorials(std::move(tutorials))
    {
    }

    bool Start()
    {
        std::string error;
        if (!m_resources.LoadCompiledIn(error)) {
            Fail(error);
            return false;
        }
        SetAppResources(&m_resources);
        m_app = std::make_unique<CAvApp>();
        if (!m_app->StartUp({})) {
            Fail("the program did not start");
            return false;
        }
        if (CSplashWnd* splash = CSplashWnd::GetSplashScreen())
            splash->HideSplashScreen();
        Prefs().m_backupPrompt = false;
        Frame()->MoveWindow(0, 0, 1000, 700);
        TestHooks::DeliverPosted();
        return true;
    }

    void Stop()
    {
        m_app->ExitInstance();
        m_app.reset();
        SetAppResources(nullptr);
        TestHooks::DeliverPosted();
    }

    bool Open(const std::string& tutorial)
    {
        const std::string path = paths::Join(m_tutorials, tutorial);
        if (!m_app->OpenDocumentFile(path.c_str())) {
            Fail("could not open " + path);
            return false;
        }
        TestHooks::DeliverPosted();
        TestHooks::RunIdle();
        return true;
    }

    void Save(const TestHooks::Image& image, const std::string& name)
    {
        if (image.width <= 0 || image.height <= 0 || !image.SavePng(paths::Join(m_folder, name)))
            Fail("could not render " + name);
    }

    void Run(UINT command)
    {
        if (!TestHooks::RunCommand(*Frame(), command))
            Fail("command " + std::to_string(command) + " is disabled");
        TestHooks::DeliverPosted();
        TestHooks::RunIdle();
    }

    /// The main frame with the records window filling it, on the first individual.
    void MainWindow()
    {
        if (!Open("Tutorial - Chapter 4.GED"))
            return;
        SelectFirst(0);
        MaximiseActive();
        Save(TestHooks::RenderWindow(*Frame()), "main-window.png");
        Run(ID_NAMED_LISTS_PANE);
        Save(TestHooks::RenderWindow(*Frame()), "named-lists.png");
        Run(ID_NAMED_LISTS_PANE);
    }

    /// The Record Properties box on the first individual of the chapter 5 file.
    void RecordProperties()
    {
        if (!Open("Tutorial - Chapter 5.GED"))
            return;
        SelectFirst(0);
        Run(ID_PROPERTIES);
        CPropertiesDlg* box = m_app->GetPropertiesDlg();
        if (!box || !box->GetSafeHwnd()) {
            Fail("no Record Properties box");
            return;
        }
        Save(TestHooks::RenderWindow(*box), "record-properties.png");
        box->ShowWindow(SW_HIDE);
    }

    /// The query window, and the multimedia window of every object.
    void OtherWindows()
    {
        if (!Open("Tutorial - Chapter 9.GED"))
            return;
        SelectFirst(0);
        Run(ID_WORK_WITH_QUERIES);
        MaximiseActive();
        Save(TestHooks::RenderWindow(*Frame()), "query-window.png");
        Run(ID_WORK_WITH_MEDIA);
        MaximiseActive();
        Save(TestHooks::RenderWindow(*Frame()), "multimedia-window.png");
    }

    /// A modal dialog or sheet of a Tools command as it first shows.
    void ModalOf(UINT command, bool sheet, const std::string& name)
    {
        bool shown = false;
        if (sheet) {
            TestHooks::OnNextSheet([&](CPropertySheet& s) {
                Save(TestHooks::RenderWindow(s), name);
                shown = true;
                TestHooks::PressSheetButton(s, TestHooks::SheetButton::Cancel);
            });
        } else {
            TestHooks::OnNextDialog(0, [&](CDialog& d) {
                Save(TestHooks::RenderWindow(d), name);
                shown = true;
                d.EndDialog(IDCANCEL);
            });
        }
        Run(command);
        if (!shown)
            Fail(name + " was not shown");
    }

    /// The Date Entry Assistant on a range, as the "..." button of a date opens it.
    void DateAssistant()
    {
        CDateDlg sheet(kDateAssistantCaption, Frame(), 0);
        sheet.m_input.SetFromText("BET 1705 AND 1710", true, false, CDateParseOptions{});
        sheet.SetStartPage(StartPageForKind(sheet.m_input.GetKind()));
        bool shown = false;
        TestHooks::OnNextSheet([&](CPropertySheet& s) {
            Save(TestHooks::RenderWindow(s), "date-assistant.png");
            shown = true;
            TestHooks::PressSheetButton(s, TestHooks::SheetButton::Cancel);
        });
        sheet.DoModal();
        if (!shown)
            Fail("the Date Entry Assistant was not shown");
    }

    /// Find Record over the chapter 4 file, and the Merge File dialog comparing the chapter 13
    /// file with it.
    void FindAndMerge()
    {
        if (!Open("Tutorial - Chapter 4.GED"))
            return;
        SelectFirst(0);
        Run(ID_FIND_RECORD);
        if (CFindRecordDlg* find = m_app->CreateFindRecordDlg()) {
            Save(TestHooks::RenderWindow(*find), "find-record.png");
            find->ShowWindow(SW_HIDE);
        }
        TestHooks::AnswerFilePicker({paths::Join(m_tutorials, kModifiedTutorial)});
        ModalOf(ID_MERGE_COMPARE, false, "merge-file.png");
        TestHooks::DeliverPosted();
    }

    /// The four kinds of diagram on the chapter 10 file, each drawn by its Show in Diagram
    /// command and shown whole, and the Diagram Options sheet of the last, at its General and
    /// Text pages.
    void Diagrams()
    {
        if (!Open("Tutorial - Chapter 10.GED"))
            return;
        struct Kind {
            UINT command;
            const char* person;
            const char* picture;
        };
        static constexpr Kind kKinds[] = {
            {diagram_cmd::kShowAncestors, "David Fairbank", "diagram-ancestors.png"},
            {diagram_cmd::kShowDescendants, "Edward Fairbank", "diagram-descendants.png"},
            {ID_SHOW_ANCESTORS_AND_DESCENDANTS, "Henry Fairbank",
             "diagram-ancestors-and-descendants.png"},
            {ID_SHOW_ALL_RELATIVES, "Edward Fairbank", "diagram-all-relatives.png"},
        };
        for (const Kind& kind : kKinds) {
            if (!SelectIndividual(kind.person))
                return;
            Run(kind.command);
            MaximiseActive();
            Run(diagram_cmd::kViewWhole);
            Save(TestHooks::RenderWindow(*Frame()), kind.picture);
        }
        bool shown = false;
        TestHooks::OnNextSheet([&](CPropertySheet& sheet) {
            Save(TestHooks::RenderWindow(sheet), "diagram-options.png");
            sheet.SetActivePage(1);
            TestHooks::DeliverPosted();
            Save(TestHooks::RenderWindow(sheet), "diagram-options-text.png");
            shown = true;
            TestHooks::PressSheetButton(sheet, TestHooks::SheetButton::Cancel);
        });
        Run(diagram_cmd::kOptions);
        if (!shown)
            Fail("the Diagram Options sheet was not shown");
    }

    /// The Individual Summary Report of Edward Fairbank in the report window, the records chosen
    /// as the Select Records dialog first offers them, and its Report Options sheet.
    void Reports()
    {
        if (!Open("Tutorial - Chapter 10.GED") || !SelectIndividual("Edward Fairbank"))
            return;
        bool chosen = false;
        TestHooks::OnNextDialog(kSelectRecordsTemplate, [&](CDialog& dialog) {
            chosen = true;
            TestHooks::Click(dialog, IDOK);
        });
        Run(ID_INDIVIDUAL_SUMMARY_REPORT);
        if (!chosen) {
            Fail("the Select Records dialog was not shown");
            return;
        }
        MaximiseActive();
        TestHooks::RunIdle();
        Save(TestHooks::RenderWindow(*Frame()), "report-window.png");
        ModalOf(ID_RPT_OPTIONS, true, "report-options.png");
    }

    void Tools()
    {
        if (!Open("Tutorial - Chapter 15.GED"))
            return;
        SelectFirst(0);
        ModalOf(ID_REORDER, false, "reorder.png");
        ModalOf(ID_RECORD_IDS, false, "record-identifiers.png");
        ModalOf(ID_PREFERENCES, true, "preferences.png");
    }

private:
    CMainFrame* Frame() const { return m_app->GetMainFrame(); }

    void SelectFirst(int listIndex)
    {
        CDataNode* root = GetRecordTypeRoot(listIndex);
        auto* record = root ? dynamic_cast<CRecordNode*>(root->GetFirstChild()) : nullptr;
        if (!record) {
            Fail("the file has no record of list " + std::to_string(listIndex));
            return;
        }
        m_app->ShowRecordInRecordsWindow(record, TRUE);
        TestHooks::DeliverPosted();
        TestHooks::RunIdle();
    }

    /// Shows the individual of that name (as the preferred form gives it, in any case) in the
    /// records window, selected.
    bool SelectIndividual(const std::string& name)
    {
        CDataNode* root = GetRecordTypeRoot(0);
        for (CDataNode* node = root ? root->GetFirstChild() : nullptr; node;
             node = node->GetNextSibling()) {
            auto* person = dynamic_cast<CIndRec*>(node);
            char text[128] = {};
            if (!person || !text::EqualsNoCase(person->CopyNameText(text, int(sizeof text)), name))
                continue;
            m_app->ShowRecordInRecordsWindow(person, TRUE);
            TestHooks::DeliverPosted();
            TestHooks::RunIdle();
            return true;
        }
        Fail("the file has no individual " + name);
        return false;
    }

    void MaximiseActive()
    {
        if (CMDIChildWnd* child = Frame()->MDIGetActive())
            Frame()->MDIMaximize(child);
        TestHooks::DeliverPosted();
    }

    static constexpr UINT ID_WORK_WITH_QUERIES = 32871, ID_MERGE_COMPARE = 32851,
                          ID_SHOW_ANCESTORS_AND_DESCENDANTS = 32774, ID_SHOW_ALL_RELATIVES = 32900,
                          ID_INDIVIDUAL_SUMMARY_REPORT = 33048;
    static constexpr const char* kModifiedTutorial =
        "Tutorial - Chapter 13 (Chapter 4 modified).GED";

    std::string m_folder;
    std::string m_tutorials;
    CResources m_resources;
    std::unique_ptr<CAvApp> m_app;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        std::cerr << "usage: manual_screenshots FOLDER TUTORIALS SETTINGS\n";
        return 2;
    }
    const std::string folder = argv[1];
    // Fresh settings, so the pictures show the program as it first runs.
    const std::string settings = argv[3];
    std::filesystem::remove_all(settings);
    const std::string runtime = paths::Join(settings, "runtime");
    paths::MakeDirectories(folder);
    paths::MakeDirectories(runtime);
    std::filesystem::permissions(runtime, std::filesystem::perms::owner_all);
    setenv("XDG_CONFIG_HOME", paths::Join(settings, "config").c_str(), 1);
    setenv("XDG_DATA_HOME", paths::Join(settings, "data").c_str(), 1);
    setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
    setenv("TMPDIR", settings.c_str(), 1);
    TestHooks::Enable([](const std::string& failure) { Fail(failure); });
    RegReset();
    // The report types are those of the program folder, the one that holds the tutorial folder.
    const std::string types = paths::Join(paths::Folder(argv[2]), "Reports/Types");
    HKEY key = nullptr;
    RegCreateKeyEx(HKEY_LOCAL_MACHINE, kProgramKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                   nullptr);
    RegSetValueEx(key, "Reports Directory - Type", 0, REG_SZ,
                  reinterpret_cast<const BYTE*>(types.c_str()), DWORD(types.size() + 1));
    RegCloseKey(key);

    Shots shots(folder, argv[2]);
    if (shots.Start()) {
        shots.MainWindow();
        shots.RecordProperties();
        shots.OtherWindows();
        shots.Tools();
        shots.DateAssistant();
        shots.FindAndMerge();
        shots.Diagrams();
        shots.Reports();
        shots.Stop();
    }
    return g_failures == 0 ? 0 : 1;
}
