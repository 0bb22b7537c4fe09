// app/av_app_services.cpp: the program-wide services that the libraries below the application
// reach through their hooks, each listed beside its removal, in start-up order; exit takes them
// out in reverse order.
#include "app/av_app.h"

#include "app/shell/load_notices.h"
#include "app/shell/saved_file_menus.h"

#include "common/preferences.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/kin/kinship_cache.h"
#include "database/multimedia/media_content.h"
#include "database/nodes/named_list_store.h"
#include "database/paths/data_expression.h"
#include "diagrams/window/diagram_window_services.h"
#include "diagrams/window/rel_tree_properties.h"
#include "media/media_content_loader.h"
#include "media/window/install_media_window.h"
#include "queries/expression.h"
#include "queries/lists/records_window_pane.h"
#include "queries/named_list.h"
#include "queries/query_eval.h"
#include "queries/query_heading.h"
#include "queries/relationship_pool.h"
#include "queries/window/qry_params_dlg.h"
#include "queries/window/qry_result_grid.h"
#include "records/datactl/data_ctl_install.h"
#include "records/dialogs/record_dialogs.h"
#include "records/window/named_lists_pane.h"
#include "reports/rpt_catalogue.h"
#include "reports/window/rpt_control_form.h"
#include "templates/heading_compiler.h"

void CAvApp::AddServices()
{
    // The named lists, kept with the data set and emptied with it.
    m_services.Add([this] { SetNamedListStore(&NamedListStore()); },
                   [] { SetNamedListStore(nullptr); });
    // The parser of the expressions that data references and query columns hold.
    m_services.Add(InstallExpressionEngine, [] { SetDataExpressionParser(nullptr); });
    // The relationship paths between two people that queries and diagrams word.
    m_services.Add(InstallRelationshipPoolFactory, [] { SetRelationshipPoolFactory(nullptr); });
    // The compiler of query titles and subtitles in the box-text template language.
    m_services.Add(InstallHeadingCompiler, [] { SetHeadingCompiler(nullptr); });
    // The decoder of the multimedia objects' pictures and embedded objects.
    m_services.Add(InstallMediaContentLoader, [] { SetMediaContentLoader(nullptr); });
    // The multimedia window, as the record pages open it on a record's multimedia.
    m_services.Add([this] { InstallMediaWindow([this] { return GetMediaWindow(); }); },
                   [] { InstallMediaWindow(nullptr); });
    // The data controls of the field definitions and the value editors' inputs.
    m_services.Add(InstallDataControls, UninstallDataControls);
    // The record choices and the sex question that editing relatives asks.
    m_services.Add(InstallRecordDialogs, UninstallRecordDialogs);
    // The named-lists pane of the records window.
    m_services.Add(InstallNamedListsPane, [] { InstallNamedListsPaneFactory(nullptr); });
    // The dialog that asks a query's parameters before it runs.
    m_services.Add(InstallQueryParameterDialog, [] { SetQueryParameterDialog(nullptr); });
    // The boxes in which a load tells what it met, and the opening of its exception report.
    m_services.Add(InstallLoadNotices, UninstallLoadNotices);
    // The dialog the loader shows for the file links of a file opened from another folder.
    m_services.Add([this] { SetFileLinksDialog(&m_movedFileLinks); },
                   [] { SetFileLinksDialog(nullptr); });
    // A double click on a record in a query's result set shows it in the record properties box.
    m_services.Add(
        [] {
            CQryResultGrid::SetRecordOpener([](CRecordNode*) {
                if (auto* app = dynamic_cast<CAvApp*>(AfxGetApp()))
                    app->ShowPropertiesDlg(0, 0, FALSE, FALSE);
            });
        },
        [] { CQryResultGrid::SetRecordOpener(nullptr); });
    // The defaults of new diagrams and the text schemes, which each diagram window the framework
    // makes gives its document.
    m_services.Add([this] { SetDiagramWindowDefaults(&m_diagramDefaults); },
                   [] { SetDiagramWindowDefaults(nullptr); });
    // The change notices that each diagram window's document follows.
    m_services.Add([this] { SetDiagramWindowChanges(&m_diagramChanges); },
                   [] { SetDiagramWindowChanges(nullptr); });
    // The properties box of a diagram opens at the size "Prop Dlg Size - Diagram" gives, or for
    // a record just added by dragging, "Prop Dlg Size - Drag Add", off the box it shows.
    m_services.Add(
        [this] {
            CRelTreeProperties::SetOpener([this](const CRect* screen, CRelTreeProperties::Use use) {
                const int code = use == CRelTreeProperties::Use::kDragAdd
                                     ? Prefs().m_propDlgSizeDragAdd
                                     : Prefs().m_propDlgSizeDiagram;
                ShowPropertiesDlg(BoxSizeOfPreference(code), 0, FALSE, FALSE, screen);
            });
        },
        [] { CRelTreeProperties::SetOpener(nullptr); });
    // A record chosen in a report's control form shows in the record properties box.
    m_services.Add(
        [this] {
            CRptControlForm::SetRecordOpener(
                [this](CRecordNode*) { ShowPropertiesDlg(0, 0, FALSE, FALSE); });
        },
        [] { CRptControlForm::SetRecordOpener(nullptr); });
    // The folders the saved-report menus list, and the scan of the standard one.
    m_services.Add(
        [] {
            CSavedFileMenus::SetReportFolders(
                [](bool custom) { return GetReportFolderPath(custom); },
                [] { return ScanReportsFolder(); });
        },
        [] { CSavedFileMenus::SetReportFolders(nullptr, nullptr); });
    // What the menus of saved queries, diagrams and reports open.
    m_services.Add(
        [this] {
            SetSavedFileOpener(SavedFileKind::kQuery,
                               [this](const std::string& path) { OpenSavedQuery(path); });
            SetSavedFileOpener(SavedFileKind::kDiagram,
                               [this](const std::string& path) { OpenSavedDiagramFile(path); });
            SetSavedFileOpener(SavedFileKind::kReport,
                               [this](const std::string& path) { OpenSavedReport(path); });
        },
        [this] {
            for (SavedFileOpener& opener : m_savedFileOpeners)
                opener = nullptr;
        });
}
