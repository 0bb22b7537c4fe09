// app/shell/app_ids.h: the numbers of the application shell's resources, commands, bars, panes and
// timers, as the resource scripts use them.
#pragma once

#include "platform/base/types.h"

// Resources. The main frame's menu, accelerators, standard toolbar and title share one id.
inline constexpr UINT IDR_MAINFRAME = 2;
/// The document template's string: window title, names, filter, extension and file type.
inline constexpr UINT IDR_AVTYPE = 129;
inline constexpr UINT IDR_RECORDS_TOOLBAR = 291, IDR_DIAGRAM_TOOLBAR = 157, IDR_MEDIA_TOOLBAR = 229;
/// The icons of the window kinds (each holds a 16 x 16 and a 32 x 32 picture).
inline constexpr UINT IDI_DIAGRAM_VIEW = 159, IDI_RECORDS_VIEW = 160, IDI_MEDIA_VIEW = 162,
                      IDI_QUERY_VIEW = 201, IDI_REPORT_VIEW = 205;
/// The menus that the records, diagram and multimedia windows add to the menu bar.
inline constexpr UINT IDR_LISTS_MENU = 250, IDR_DIAGRAM_MENU = 242, IDR_MEDIA_MENU = 243,
                      IDR_REPORT_MENU = 244;

// Commands of the shell.
inline constexpr UINT ID_RECORDS_WINDOW = 32771, ID_GO_TO_RECORD = 32780, ID_PROPERTIES = 32802;
inline constexpr UINT ID_ADD_TO_NAMED_LIST = 33085;
inline constexpr UINT ID_SET_AUTO_CITATION = 33008, ID_CANCEL_AUTO_CITATION = 33007;
/// Edit: Find Record; Tools: Work with External File Links.
inline constexpr UINT ID_FIND_RECORD = 32982, ID_FILE_LINKS = 33023;
/// File: backup and restore; Tools: re-order out-of-sequence data.
inline constexpr UINT ID_FILE_BACKUP = 33083, ID_FILE_RESTORE = 33084, ID_REORDER = 33062;
/// Tools: the preferences sheet and the record-identifier tool.
inline constexpr UINT ID_PREFERENCES = 32960, ID_RECORD_IDS = 33042;
/// Tools: the Record Window options sheet over the program-wide options.
inline constexpr UINT ID_RECORD_WINDOW_DEFAULTS = 32965;
/// Tools: the records that link to the selected record.
inline constexpr UINT ID_RECORD_LINKS = 32855;
/// Insert: a new unrelated individual, note, source or repository.
inline constexpr UINT ID_NEW_INDIVIDUAL = 32847, ID_NEW_NOTE = 32848, ID_NEW_SOURCE = 32849,
                      ID_NEW_REPOSITORY = 32850;
/// Insert: pictures, other multimedia and documents from files (the OLE object is the
/// framework's ID_OLE_INSERT_NEW).
inline constexpr UINT ID_INSERT_PICTURES = 32924, ID_INSERT_MULTIMEDIA = 32954,
                      ID_INSERT_DOCUMENT = 33009;
/// View: every multimedia object of the file; the multimedia of the selected record.
inline constexpr UINT ID_WORK_WITH_MEDIA = 32843, ID_VIEW_MEDIA = 32921;
/// Edit: unlink the selected individual from a parent family or from a spouse family.
inline constexpr UINT ID_UNLINK_PARENTS = 33060, ID_UNLINK_SPOUSE = 33061;
/// View: the record lists and the single records.
inline constexpr UINT ID_VIEW_INDIVIDUALS = 32985, ID_VIEW_FAMILIES = 32986, ID_VIEW_NOTES = 32987,
                      ID_VIEW_SOURCES = 32988, ID_VIEW_REPOSITORIES = 32989,
                      ID_VIEW_SUBMITTER = 32990, ID_VIEW_SUBMISSION = 32991,
                      ID_VIEW_MEDIA_LIST = 32992, ID_VIEW_HEADER = 32993;
/// Window: let the next command show its content here; keep this window's content.
inline constexpr UINT ID_REUSE_WINDOW = 32781, ID_LOCK_WINDOW = 32923;
/// Help: the user manual, the web pages, and the tutorial files.
inline constexpr UINT ID_USER_MANUAL = 33044, ID_WEB_PAGES = 33045, ID_VISIT_WEB_SITE = 33093,
                      ID_PDF_READER = 33094, ID_TUTORIAL_1 = 33095, ID_TUTORIAL_13 = 33096,
                      ID_TUTORIAL_4 = 33097, ID_TUTORIAL_5 = 33098, ID_TUTORIAL_6 = 33099,
                      ID_TUTORIAL_9 = 33100, ID_TUTORIAL_10 = 33101, ID_TUTORIAL_15 = 33104;
/// The items of the menus of saved files: standard and custom diagrams, standard and custom
/// queries, more and custom reports.
inline constexpr UINT ID_SAVED_FILES_FIRST = 26001, ID_SAVED_FILES_LAST = 27500;
inline constexpr UINT ID_VIEW_RECORDS_TOOLBAR = 33056, ID_VIEW_DIAGRAM_TOOLBAR = 32911,
                      ID_VIEW_MEDIA_TOOLBAR = 32943, ID_RESET_TOOLBARS = 33004;

// Status bars; the main one is the frame's standard status bar.
inline constexpr UINT ID_STATUS_MAIN = 59393, ID_STATUS_DIAGRAM = 59398, ID_STATUS_QUERY = 59142,
                      ID_STATUS_PROGRESS = 59432;
// Status panes, each sized by its string.
inline constexpr UINT ID_PANE_INDIVIDUALS = 59394, ID_PANE_FAMILIES = 59395, ID_PANE_PROMPT = 59399,
                      ID_PANE_DIAGRAM_SIZE = 59400, ID_PANE_DIAGRAM_POSITION = 59401,
                      ID_PANE_AUTO_CITATION = 61461, ID_PANE_PROGRESS_BAR = 59433,
                      ID_PANE_PROGRESS_TEXT = 59434, ID_PANE_RESULT_COUNT = 59437;
/// The progress bar control inside the progress status bar.
inline constexpr UINT ID_PROGRESS_CTRL = 65;

/// The main frame's autosave timer.
inline constexpr UINT_PTR kAutosaveTimer = 91;

/// What a window's content is: the value of CSubView::GetSubViewType.
enum SubViewKind : int {
    kSubViewNone = 0,
    kSubViewRecords = 1,
    kSubViewDiagram = 3,
    kSubViewMedia = 4,
    kSubViewQuery = 5,
    kSubViewReport = 6,
};
