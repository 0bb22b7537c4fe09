// platform/ui/dialogs/list_ctrl.cpp: the list control over QTreeWidget without a tree, and the
// selection model that lets the parent refuse a change the user makes.
#include "platform/ui/dialogs/list_ctrl.h"

#include "platform/ui/detail/control_widgets.h"

#include <QHeaderView>
#include <QItemSelectionModel>
#include <QTreeWidget>

#include <functional>
#include <vector>

namespace {

/// The selected state of every row, in order.
using RowStates = std::vector<bool>;

/// Applies every selection change, then offers one the user made to a judge, which may have it
/// taken back. Changes made while the owner is muted come from the program and are not judged.
class VetoSelectionModel final : public QItemSelectionModel {
public:
    VetoSelectionModel(QAbstractItemModel* model, QObject* parent, const ui_detail::Mutable& owner)
        : QItemSelectionModel(model, parent), m_owner(owner)
    {
    }

    using QItemSelectionModel::select;
    void select(const QItemSelection& selection, SelectionFlags command) override
    {
        if (m_restoring || !m_judge || m_owner.Muted()) {
            QItemSelectionModel::select(selection, command);
            return;
        }
        const RowStates before = States();
        QItemSelectionModel::select(selection, command);
        const RowStates after = States();
        if (before == after || m_judge(before, after))
            return;
        m_restoring = true;
        QItemSelection old;
        for (int row = 0; row < int(before.size()); ++row)
            if (before[std::size_t(row)])
                old.select(model()->index(row, 0), model()->index(row, 0));
        QItemSelectionModel::select(old, ClearAndSelect | Rows);
        m_restoring = false;
    }

    RowStates States() const
    {
        RowStates states(std::size_t(model()->rowCount()), false);
        for (std::size_t row = 0; row < states.size(); ++row)
            states[row] = isRowSelected(int(row), QModelIndex());
        return states;
    }

    /// Answers false to have the change taken back.
    std::function<bool(const RowStates& before, const RowStates& after)> m_judge;

private:
    const ui_detail::Mutable& m_owner;
    bool m_restoring = false;
};

/// The list. A test's choice of an item acts as a click on it.
class ListCtrlWidget final : public ui_detail::ScrollControlWidget<QTreeWidget> {
public:
    explicit ListCtrlWidget(QWidget* parent) : ScrollControlWidget<QTreeWidget>(parent) {}

    bool ChooseItem(int index) override
    {
        QTreeWidgetItem* row = topLevelItem(index);
        if (!row)
            return false;
        selectionModel()->setCurrentIndex(indexFromItem(row), QItemSelectionModel::ClearAndSelect |
                                                                  QItemSelectionModel::Rows);
        return true;
    }

    /// The alignment of each column's texts.
    std::vector<Qt::Alignment> m_alignments;
};

ListCtrlWidget* ListOf(const CWnd* wnd)
{
    return dynamic_cast<ListCtrlWidget*>(ui_detail::WidgetOf(wnd));
}

Qt::Alignment AlignmentOf(int format)
{
    const Qt::Alignment across = format == LVCFMT_RIGHT    ? Qt::AlignRight
                                 : format == LVCFMT_CENTER ? Qt::AlignHCenter
                                                           : Qt::AlignLeft;
    return across | Qt::AlignVCenter;
}

/// Asks the parent about each changed row, and tells it when none refused.
bool JudgeChange(CListCtrl& list, const RowStates& before, const RowStates& after)
{
    std::vector<NMLISTVIEW> changes;
    for (std::size_t row = 0; row < after.size(); ++row) {
        const bool was = row < before.size() && before[row];
        if (was == after[row])
            continue;
        NMLISTVIEW change;
        change.iItem = int(row);
        change.uOldState = was ? LVIS_SELECTED : 0;
        change.uNewState = after[row] ? LVIS_SELECTED : 0;
        change.uChanged = LVIF_STATE;
        change.lParam = LPARAM(list.GetItemData(int(row)));
        changes.push_back(change);
    }
    for (NMLISTVIEW& change : changes)
        if (ui_detail::NotifyParent(list, change.hdr, LVN_ITEMCHANGING) != 0)
            return false;
    for (NMLISTVIEW& change : changes)
        ui_detail::NotifyParent(list, change.hdr, LVN_ITEMCHANGED);
    return true;
}

} // namespace

CListCtrl::CListCtrl() = default;

CListCtrl::~CListCtrl()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CListCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    QWidget* parentWidget = ui_detail::WidgetOf(parent);
    if (!parentWidget || GetSafeHwnd())
        return FALSE;
    auto* list = new ListCtrlWidget(parentWidget);
    list->setColumnCount(0);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setAllColumnsShowFocus(true);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode((style & LVS_SINGLESEL) ? QAbstractItemView::SingleSelection
                                                   : QAbstractItemView::ExtendedSelection);
    list->setFrameShape((style & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
    list->setFocusPolicy(ui_detail::FocusPolicyFor(style));
    list->header()->setVisible(!(style & LVS_NOCOLUMNHEADER));
    list->header()->setSectionsClickable(!(style & LVS_NOSORTHEADER));
    list->header()->setStretchLastSection(false);
    auto* selection = new VetoSelectionModel(list->model(), list, *list);
    selection->m_judge = [list](const RowStates& before, const RowStates& after) {
        auto* wnd = dynamic_cast<CListCtrl*>(ui_detail::WndFromWidget(list));
        return !wnd || JudgeChange(*wnd, before, after);
    };
    list->setSelectionModel(selection);
    QObject::connect(list, &QTreeWidget::itemDoubleClicked, list,
                     [list](QTreeWidgetItem* item, int column) {
                         ui_detail::WithWnd<CListCtrl>(list, [&](CListCtrl& wnd) {
                             NMITEMACTIVATE activate;
                             activate.iItem = list->indexOfTopLevelItem(item);
                             activate.iSubItem = column;
                             ui_detail::NotifyParent(wnd, activate.hdr, NM_DBLCLK);
                         });
                     });
    return ui_detail::CreateOver(*this, list, ui_detail::ChildArgs(style, rect, parent, id));
}

int CListCtrl::InsertColumn(int column, const char* heading, int format, int width)
{
    ListCtrlWidget* list = ListOf(this);
    if (!list || column < 0)
        return -1;
    const int at = std::min(column, list->columnCount());
    list->model()->insertColumn(at);
    list->headerItem()->setText(at, QString::fromUtf8(heading ? heading : ""));
    list->headerItem()->setTextAlignment(at, AlignmentOf(format));
    list->m_alignments.insert(list->m_alignments.begin() + at, AlignmentOf(format));
    if (width >= 0)
        list->setColumnWidth(at, width);
    return at;
}

BOOL CListCtrl::DeleteColumn(int column)
{
    ListCtrlWidget* list = ListOf(this);
    if (!list || column < 0 || column >= list->columnCount())
        return FALSE;
    list->model()->removeColumn(column);
    list->m_alignments.erase(list->m_alignments.begin() + column);
    return TRUE;
}

int CListCtrl::GetColumnWidth(int column) const
{
    const ListCtrlWidget* list = ListOf(this);
    return list && column >= 0 && column < list->columnCount() ? list->columnWidth(column) : 0;
}

BOOL CListCtrl::SetColumnWidth(int column, int width)
{
    ListCtrlWidget* list = ListOf(this);
    if (!list || column < 0 || column >= list->columnCount())
        return FALSE;
    list->setColumnWidth(column, width);
    return TRUE;
}

int CListCtrl::InsertItem(int item, const char* text)
{
    ListCtrlWidget* list = ListOf(this);
    if (!list || item < 0)
        return -1;
    const int at = std::min(item, list->topLevelItemCount());
    const ui_detail::MuteScope mute(list);
    list->insertTopLevelItem(at, new QTreeWidgetItem());
    SetItemText(at, 0, text);
    return at;
}

BOOL CListCtrl::DeleteItem(int item)
{
    ListCtrlWidget* list = ListOf(this);
    if (!list || !list->topLevelItem(item))
        return FALSE;
    const ui_detail::MuteScope mute(list);
    delete list->takeTopLevelItem(item);
    return TRUE;
}

BOOL CListCtrl::DeleteAllItems()
{
    ListCtrlWidget* list = ListOf(this);
    if (!list)
        return FALSE;
    const ui_detail::MuteScope mute(list);
    list->clear();
    return TRUE;
}

int CListCtrl::GetItemCount() const
{
    const ListCtrlWidget* list = ListOf(this);
    return list ? list->topLevelItemCount() : 0;
}

BOOL CListCtrl::SetItemText(int item, int subItem, const char* text)
{
    ListCtrlWidget* list = ListOf(this);
    QTreeWidgetItem* row = list ? list->topLevelItem(item) : nullptr;
    if (!row || subItem < 0 || subItem >= std::max(list->columnCount(), 1))
        return FALSE;
    row->setText(subItem, QString::fromUtf8(text ? text : ""));
    if (std::size_t(subItem) < list->m_alignments.size())
        row->setTextAlignment(subItem, list->m_alignments[std::size_t(subItem)]);
    return TRUE;
}

std::string CListCtrl::GetItemText(int item, int subItem) const
{
    const ListCtrlWidget* list = ListOf(this);
    const QTreeWidgetItem* row = list ? list->topLevelItem(item) : nullptr;
    return row ? row->text(subItem).toStdString() : std::string();
}

BOOL CListCtrl::SetItemData(int item, DWORD_PTR data)
{
    ListCtrlWidget* list = ListOf(this);
    QTreeWidgetItem* row = list ? list->topLevelItem(item) : nullptr;
    if (!row)
        return FALSE;
    row->setData(0, Qt::UserRole, QVariant::fromValue(quint64(data)));
    return TRUE;
}

DWORD_PTR CListCtrl::GetItemData(int item) const
{
    const ListCtrlWidget* list = ListOf(this);
    const QTreeWidgetItem* row = list ? list->topLevelItem(item) : nullptr;
    return row ? DWORD_PTR(row->data(0, Qt::UserRole).toULongLong()) : 0;
}

UINT CListCtrl::GetItemState(int item, UINT mask) const
{
    const ListCtrlWidget* list = ListOf(this);
    const QTreeWidgetItem* row = list ? list->topLevelItem(item) : nullptr;
    if (!row)
        return 0;
    UINT state = 0;
    if (list->selectionModel()->isRowSelected(item, QModelIndex()))
        state |= LVIS_SELECTED;
    if (list->currentItem() == row)
        state |= LVIS_FOCUSED;
    return state & mask;
}

BOOL CListCtrl::SetItemState(int item, UINT state, UINT mask)
{
    ListCtrlWidget* list = ListOf(this);
    if (!list || item >= list->topLevelItemCount())
        return FALSE;
    const ui_detail::MuteScope mute(list);
    const int first = item < 0 ? 0 : item;
    const int last = item < 0 ? list->topLevelItemCount() - 1 : item;
    QItemSelectionModel* selection = list->selectionModel();
    for (int i = first; i <= last; ++i) {
        const QModelIndex row = list->model()->index(i, 0);
        if (mask & LVIS_SELECTED)
            selection->select(row, ((state & LVIS_SELECTED) ? QItemSelectionModel::Select
                                                            : QItemSelectionModel::Deselect) |
                                       QItemSelectionModel::Rows);
        if ((mask & LVIS_FOCUSED) && (state & LVIS_FOCUSED))
            selection->setCurrentIndex(row, QItemSelectionModel::NoUpdate);
    }
    return TRUE;
}

int CListCtrl::GetNextItem(int start, UINT flags) const
{
    const ListCtrlWidget* list = ListOf(this);
    if (!list)
        return -1;
    for (int i = std::max(start + 1, 0); i < list->topLevelItemCount(); ++i) {
        const UINT state = GetItemState(i, LVIS_SELECTED | LVIS_FOCUSED);
        if ((state & flags) == flags)
            return i;
    }
    return -1;
}

UINT CListCtrl::GetSelectedCount() const
{
    const ListCtrlWidget* list = ListOf(this);
    return list ? UINT(list->selectionModel()->selectedRows().size()) : 0;
}

BOOL CListCtrl::EnsureVisible(int item, BOOL)
{
    ListCtrlWidget* list = ListOf(this);
    QTreeWidgetItem* row = list ? list->topLevelItem(item) : nullptr;
    if (!row)
        return FALSE;
    list->scrollToItem(row);
    return TRUE;
}
