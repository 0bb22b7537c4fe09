// app/av_app_services.cpp: the program-wide services that the libraries below the application
// reach through their hooks, installed in one place in start-up order and taken out again in
// reverse order at exit.
#include "app/av_app.h"

#include "app/shell/av_doc.h"
#include "app/shell/saved_file_menus.h"

#include "common/preferences.h"
#include "database/gedcom/gedcom_loader.h"
#include "database/kin/kinship_cache.h"
#include "database/kin/relative_dialogs.h"
#include "database/multimedia/media_content.h"
#include "database/nodes/named_list_store.h"
#include "database/paths/data_expression.h"
#include "database/records/assoc_node.h"
#include "diagrams/window/sub_view_rel_tree.h"
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

void CAvApp::InstallServices()
{
    // The named lists, kept with the data set and emptied with it.
    SetNamedListStore(&NamedListStore());
    // The parser of the expressions that data references and query columns hold.
    InstallExpressionEngine();
    // The relationship paths between two people that queries and diagrams word.
    InstallRelationshipPoolFactory();
    // The compiler of query titles and subtitles in the box-text template language.
    InstallHeadingCompiler();
    // The decoder of the multimedia objects' pictures and embedded objects.
    InstallMediaContentLoader();
    // The multimedia window, as the record pages open it on a record's multimedia.
    InstallMediaWindow([this] { return GetMediaWindow(); });
    // The data controls of the field definitions and the value editors' inputs.
    InstallDataControls();
    // The record choices and the sex question that editing relatives asks.
    InstallRecordDialogs();
    // The named-lists pane of the records window.
    InstallNamedListsPane();
    // The dialog that asks a query's parameters before it runs.
    InstallQueryParameterDialog();
    // The dialog the loader shows for the file links of a file opened from another folder.
    SetFileLinksDialog(&m_movedFileLinks);
    // A double click on a record in a query's result set shows it in the record properties box.
    CQryResultGrid::SetRecordOpener([](CRecordNode*) {
        if (auto* app = dynamic_cast<CAvApp*>(AfxGetApp()))
            app->ShowPropertiesDlg(0, 0, FALSE, FALSE);
    });
    // The properties box of a diagram opens at the size "Prop Dlg Size - Diagram" gives, or for
    // a record just added by dragging, "Prop Dlg Size - Drag Add", off the box it shows.
    CSubViewRelTree::SetPropertiesOpener(
        [this](const CRect* screen, CSubViewRelTree::PropertiesUse use) {
            const int code = use == CSubViewRelTree::PropertiesUse::kDragAdd
                                 ? Prefs().m_propDlgSizeDragAdd
                                 : Prefs().m_propDlgSizeDiagram;
            ShowPropertiesDlg(BoxSizeOfPreference(code), 0, FALSE, FALSE, screen);
        });
    // A record chosen in a report's control form shows in the record properties box.
    CRptControlForm::SetRecordOpener(
        [this](CRecordNode*) { ShowPropertiesDlg(0, 0, FALSE, FALSE); });
    // The folders the saved-report menus list, and the scan of the standard one.
    CSavedFileMenus::SetReportFolders([](bool custom) { return GetReportFolderPath(custom); },
                                      [] { return ScanReportsFolder(); });
    // What the menus of saved queries, diagrams and reports open.
    SetSavedFileOpener(SavedFileKind::kQuery,
                       [this](const std::string& path) { OpenSavedQuery(path); });
    SetSavedFileOpener(SavedFileKind::kDiagram,
                       [this](const std::string& path) { OpenSavedDiagramFile(path); });
    SetSavedFileOpener(SavedFileKind::kReport,
                       [this](const std::string& path) { OpenSavedReport(path); });
    m_servicesInstalled = true;
}

void CAvApp::RemoveServices()
{
    if (!m_servicesInstalled)
        return;
    m_servicesInstalled = false;
    for (SavedFileOpener& opener : m_savedFileOpeners)
        opener = nullptr;
    CSavedFileMenus::SetReportFolders(nullptr, nullptr);
    CRptControlForm::SetRecordOpener(nullptr);
    CSubViewRelTree::SetPropertiesOpener(nullptr);
    CQryResultGrid::SetRecordOpener(nullptr);
    SetFileLinksDialog(nullptr);
    SetQueryParameterDialog(nullptr);
    InstallNamedListsPaneFactory(nullptr);
    SetSexQuestion(nullptr);
    SetRelativeDialogs(nullptr);
    UninstallDataControls();
    InstallMediaWindow(nullptr);
    SetMediaContentLoader(nullptr);
    SetHeadingCompiler(nullptr);
    SetRelationshipPoolFactory(nullptr);
    SetDataExpressionParser(nullptr);
    SetNamedListStore(nullptr);
}
