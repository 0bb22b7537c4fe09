// platform/ui/dialogs/list_box.cpp: the list box over QListWidget.
#include "platform/ui/dialogs/list_box.h"

#include "platform/ui/detail/control_widgets.h"
#include "platform/ui/detail/list_items.h"

#include <QListWidget>
#include <QScrollBar>

#include <algorithm>

namespace {

/// The list. A test's choice of an item acts as a click on it.
class ListBoxWidget final : public ui_detail::ScrollControlWidget<QListWidget> {
public:
    explicit ListBoxWidget(QWidget* parent) : ScrollControlWidget<QListWidget>(parent) {}

    bool ChooseItem(int index) override
    {
        if (index < 0 || index >= count() || selectionMode() == NoSelection)
            return false;
        const auto command = selectionMode() == MultiSelection
                                 ? QItemSelectionModel::Toggle
                                 : QItemSelectionModel::ClearAndSelect;
        setCurrentRow(index, command);
        return true;
    }
};

ListBoxWidget* ListOf(const CWnd* wnd)
{
    return dynamic_cast<ListBoxWidget*>(ui_detail::WidgetOf(wnd));
}

/// Tells the parent what the user did, when the list has LBS_NOTIFY.
void Notify(const ListBoxWidget* list, UINT code)
{
    if (list->Muted())
        return;
    ui_detail::WithWnd<CWnd>(list, [code](CWnd& wnd) {
        if (wnd.GetStyle() & LBS_NOTIFY)
            ui_detail::NotifyCommand(wnd, code);
    });
}

bool IsItem(const QListWidget* list, int index)
{
    return index >= 0 && index < list->count();
}

ui_detail::ItemText TextsOf(const QListWidget* list)
{
    return [list](int index) { return list->item(index)->text().toStdString(); };
}

QAbstractItemView::SelectionMode SelectionModeOf(DWORD style)
{
    if (style & LBS_NOSEL)
        return QAbstractItemView::NoSelection;
    if (style & LBS_EXTENDEDSEL)
        return QAbstractItemView::ExtendedSelection;
    if (style & LBS_MULTIPLESEL)
        return QAbstractItemView::MultiSelection;
    return QAbstractItemView::SingleSelection;
}

bool IsMultiple(const QListWidget* list)
{
    return list->selectionMode() != QAbstractItemView::SingleSelection;
}

} // namespace

CListBox::CListBox() = default;

CListBox::~CListBox()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CListBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    QWidget* parentWidget = ui_detail::WidgetOf(parent);
    if (!parentWidget || GetSafeHwnd())
        return FALSE;
    auto* list = new ListBoxWidget(parentWidget);
    list->setSelectionMode(SelectionModeOf(style));
    list->setFrameShape((style & WS_BORDER) ? QFrame::StyledPanel : QFrame::NoFrame);
    list->setFocusPolicy(ui_detail::FocusPolicyFor(style));
    list->setUniformItemSizes(true);
    QObject::connect(list, &QListWidget::itemSelectionChanged, list,
                     [list] { Notify(list, LBN_SELCHANGE); });
    QObject::connect(list, &QListWidget::itemDoubleClicked, list,
                     [list] { Notify(list, LBN_DBLCLK); });
    return ui_detail::CreateOver(*this, list, ui_detail::ChildArgs(style, rect, parent, id));
}

int CListBox::AddString(const char* text)
{
    ListBoxWidget* list = ListOf(this);
    if (!list)
        return LB_ERR;
    const int index =
        (GetStyle() & LBS_SORT)
            ? ui_detail::SortedPosition(list->count(), TextsOf(list), text ? text : "")
            : list->count();
    return InsertString(index, text);
}

int CListBox::InsertString(int index, const char* text)
{
    ListBoxWidget* list = ListOf(this);
    if (!list || index > list->count())
        return LB_ERR;
    const int at = index < 0 ? list->count() : index;
    const ui_detail::MuteScope mute(list);
    list->insertItem(at, QString::fromUtf8(text ? text : ""));
    return at;
}

int CListBox::DeleteString(UINT index)
{
    ListBoxWidget* list = ListOf(this);
    if (!list || !IsItem(list, int(index)))
        return LB_ERR;
    const ui_detail::MuteScope mute(list);
    delete list->takeItem(int(index));
    return list->count();
}

void CListBox::ResetContent()
{
    if (ListBoxWidget* list = ListOf(this)) {
        const ui_detail::MuteScope mute(list);
        list->clear();
    }
}

int CListBox::GetCount() const
{
    const ListBoxWidget* list = ListOf(this);
    return list ? list->count() : 0;
}

int CListBox::GetCurSel() const
{
    const ListBoxWidget* list = ListOf(this);
    if (!list)
        return LB_ERR;
    if (IsMultiple(list))
        return list->currentRow();
    const QList<QListWidgetItem*> selected = list->selectedItems();
    return selected.isEmpty() ? LB_ERR : list->row(selected.front());
}

int CListBox::SetCurSel(int index)
{
    ListBoxWidget* list = ListOf(this);
    if (!list || IsMultiple(list))
        return LB_ERR;
    const ui_detail::MuteScope mute(list);
    if (!IsItem(list, index)) {
        list->clearSelection();
        return LB_ERR;
    }
    list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    return index;
}

int CListBox::GetSel(int index) const
{
    const ListBoxWidget* list = ListOf(this);
    if (!list || !IsItem(list, index))
        return LB_ERR;
    return list->item(index)->isSelected() ? 1 : 0;
}

int CListBox::SetSel(int index, BOOL select)
{
    ListBoxWidget* list = ListOf(this);
    if (!list || !IsMultiple(list) || index >= list->count())
        return LB_ERR;
    const ui_detail::MuteScope mute(list);
    const int first = index < 0 ? 0 : index;
    const int last = index < 0 ? list->count() - 1 : index;
    for (int i = first; i <= last; ++i)
        list->item(i)->setSelected(select != FALSE);
    return 0;
}

int CListBox::GetSelCount() const
{
    const ListBoxWidget* list = ListOf(this);
    return list ? int(list->selectedItems().size()) : LB_ERR;
}

int CListBox::GetSelItems(int maxItems, int* indexes) const
{
    const ListBoxWidget* list = ListOf(this);
    if (!list)
        return LB_ERR;
    int found = 0;
    for (int i = 0; i < list->count() && found < maxItems; ++i)
        if (list->item(i)->isSelected())
            indexes[found++] = i;
    return found;
}

int CListBox::GetText(int index, std::string& text) const
{
    const ListBoxWidget* list = ListOf(this);
    if (!list || !IsItem(list, index))
        return LB_ERR;
    text = list->item(index)->text().toStdString();
    return int(text.size());
}

int CListBox::GetTextLen(int index) const
{
    std::string text;
    return GetText(index, text);
}

int CListBox::FindString(int start, const char* text) const
{
    const ListBoxWidget* list = ListOf(this);
    return list ? ui_detail::FindListItem(list->count(), start, TextsOf(list), text ? text : "",
                                          false)
                : LB_ERR;
}

int CListBox::FindStringExact(int start, const char* text) const
{
    const ListBoxWidget* list = ListOf(this);
    return list ? ui_detail::FindListItem(list->count(), start, TextsOf(list), text ? text : "",
                                          true)
                : LB_ERR;
}

int CListBox::SelectString(int start, const char* text)
{
    const int index = FindString(start, text);
    if (index == LB_ERR)
        return LB_ERR;
    ListBoxWidget* list = ListOf(this);
    const ui_detail::MuteScope mute(list);
    list->setCurrentRow(index, QItemSelectionModel::ClearAndSelect);
    return index;
}

int CListBox::SetItemData(int index, DWORD_PTR data)
{
    ListBoxWidget* list = ListOf(this);
    if (!list || !IsItem(list, index))
        return LB_ERR;
    list->item(index)->setData(Qt::UserRole, QVariant::fromValue(quint64(data)));
    return 0;
}

DWORD_PTR CListBox::GetItemData(int index) const
{
    const ListBoxWidget* list = ListOf(this);
    if (!list || !IsItem(list, index))
        return DWORD_PTR(LB_ERR);
    return DWORD_PTR(list->item(index)->data(Qt::UserRole).toULongLong());
}

int CListBox::GetTopIndex() const
{
    const ListBoxWidget* list = ListOf(this);
    if (!list || list->count() == 0)
        return 0;
    const QModelIndex top = list->indexAt(QPoint(1, 1));
    return top.isValid() ? top.row() : 0;
}

int CListBox::SetTopIndex(int index)
{
    ListBoxWidget* list = ListOf(this);
    if (!list || !IsItem(list, index))
        return LB_ERR;
    list->scrollToItem(list->item(index), QAbstractItemView::PositionAtTop);
    return 0;
}
