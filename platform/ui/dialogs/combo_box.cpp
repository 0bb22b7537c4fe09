// platform/ui/dialogs/combo_box.cpp: the combo box over QComboBox.
#include "platform/ui/dialogs/combo_box.h"

#include "platform/ui/detail/control_widgets.h"
#include "platform/ui/detail/list_items.h"

#include <QAbstractItemView>
#include <QLineEdit>

#include <algorithm>

namespace {

using ui_detail::ComboWidget;

ComboWidget* ComboOf(const CWnd* wnd)
{
    return dynamic_cast<ComboWidget*>(ui_detail::WidgetOf(wnd));
}

QString Utf8(const char* text)
{
    return QString::fromUtf8(text ? text : "");
}

ui_detail::ItemText TextsOf(const QComboBox* combo)
{
    return [combo](int index) { return combo->itemText(index).toStdString(); };
}

/// Tells the parent what the user did, unless the change came from the program.
void Notify(const ComboWidget* combo, UINT code)
{
    if (!combo->Muted())
        ui_detail::WithWnd<CWnd>(combo, [code](CWnd& wnd) { ui_detail::NotifyCommand(wnd, code); });
}

bool IsItem(const QComboBox* combo, int index)
{
    return index >= 0 && index < combo->count();
}

} // namespace

CComboBox::CComboBox() = default;

CComboBox::~CComboBox()
{
    if (GetSafeHwnd())
        DestroyWindow();
}

BOOL CComboBox::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id)
{
    QWidget* parentWidget = ui_detail::WidgetOf(parent);
    if (!parentWidget || GetSafeHwnd())
        return FALSE;
    auto* combo = new ComboWidget(parentWidget);
    const bool editable = (style & 0x3) != CBS_DROPDOWNLIST;
    combo->setEditable(editable);
    combo->setInsertPolicy(QComboBox::NoInsert);
    if (editable) {
        combo->setCompleter(nullptr);
        QObject::connect(combo->lineEdit(), &QLineEdit::textEdited, combo,
                         [combo] { Notify(combo, CBN_EDITCHANGE); });
    }
    combo->setFocusPolicy(ui_detail::FocusPolicyFor(style));
    combo->m_onDropDown = [combo] { Notify(combo, CBN_DROPDOWN); };
    combo->m_onCloseUp = [combo] { Notify(combo, CBN_CLOSEUP); };
    combo->m_onChosen = [combo](int) { Notify(combo, CBN_SELCHANGE); };
    // The template's height is the height with the list dropped; the box keeps its own.
    const int closed = combo->sizeHint().height();
    const int rowHeight = std::max(1, combo->fontMetrics().height() + 2);
    combo->setMaxVisibleItems(std::max(1, (int(rect.bottom - rect.top) - closed) / rowHeight));
    const CRect place(rect.left, rect.top, rect.right, rect.top + closed);
    return ui_detail::CreateOver(*this, combo, ui_detail::ChildArgs(style, place, parent, id));
}

int CComboBox::AddString(const char* text)
{
    ComboWidget* combo = ComboOf(this);
    if (!combo)
        return CB_ERR;
    const int index =
        (GetStyle() & CBS_SORT)
            ? ui_detail::SortedPosition(combo->count(), TextsOf(combo), text ? text : "")
            : combo->count();
    return InsertString(index, text);
}

int CComboBox::InsertString(int index, const char* text)
{
    ComboWidget* combo = ComboOf(this);
    if (!combo || index > combo->count())
        return CB_ERR;
    const int at = index < 0 ? combo->count() : index;
    const ui_detail::MuteScope mute(combo);
    const int selected = combo->currentIndex();
    const QString editText = combo->currentText();
    combo->insertItem(at, Utf8(text));
    // Qt selects the first item added; here adding items leaves the selection and the edit.
    if (selected < 0)
        combo->setCurrentIndex(-1);
    if (combo->isEditable())
        combo->setEditText(editText);
    return at;
}

int CComboBox::DeleteString(UINT index)
{
    ComboWidget* combo = ComboOf(this);
    if (!combo || !IsItem(combo, int(index)))
        return CB_ERR;
    const ui_detail::MuteScope mute(combo);
    const bool selected = combo->currentIndex() == int(index);
    const QString editText = combo->currentText();
    combo->removeItem(int(index));
    if (selected)
        combo->setCurrentIndex(-1); // no other item takes the selection
    if (combo->isEditable())
        combo->setEditText(editText);
    return combo->count();
}

void CComboBox::ResetContent()
{
    if (ComboWidget* combo = ComboOf(this)) {
        const ui_detail::MuteScope mute(combo);
        combo->clear();
        if (combo->isEditable())
            combo->setEditText(QString());
    }
}

int CComboBox::GetCount() const
{
    const ComboWidget* combo = ComboOf(this);
    return combo ? combo->count() : 0;
}

int CComboBox::GetCurSel() const
{
    const ComboWidget* combo = ComboOf(this);
    return combo ? combo->currentIndex() : CB_ERR;
}

int CComboBox::SetCurSel(int index)
{
    ComboWidget* combo = ComboOf(this);
    if (!combo)
        return CB_ERR;
    const ui_detail::MuteScope mute(combo);
    if (!IsItem(combo, index)) {
        combo->setCurrentIndex(-1);
        if (combo->isEditable())
            combo->setEditText(QString());
        return CB_ERR;
    }
    combo->setCurrentIndex(index);
    return index;
}

int CComboBox::GetLBText(int index, std::string& text) const
{
    const ComboWidget* combo = ComboOf(this);
    if (!combo || !IsItem(combo, index))
        return CB_ERR;
    text = combo->itemText(index).toStdString();
    return int(text.size());
}

int CComboBox::GetLBTextLen(int index) const
{
    std::string text;
    return GetLBText(index, text);
}

int CComboBox::FindString(int start, const char* text) const
{
    const ComboWidget* combo = ComboOf(this);
    return combo ? ui_detail::FindListItem(combo->count(), start, TextsOf(combo), text ? text : "",
                                           false)
                 : CB_ERR;
}

int CComboBox::FindStringExact(int start, const char* text) const
{
    const ComboWidget* combo = ComboOf(this);
    return combo ? ui_detail::FindListItem(combo->count(), start, TextsOf(combo), text ? text : "",
                                           true)
                 : CB_ERR;
}

int CComboBox::SelectString(int start, const char* text)
{
    const int index = FindString(start, text);
    if (index != CB_ERR)
        SetCurSel(index);
    return index;
}

int CComboBox::SetItemData(int index, DWORD_PTR data)
{
    ComboWidget* combo = ComboOf(this);
    if (!combo || !IsItem(combo, index))
        return CB_ERR;
    combo->setItemData(index, QVariant::fromValue(quint64(data)), Qt::UserRole);
    return 0;
}

DWORD_PTR CComboBox::GetItemData(int index) const
{
    const ComboWidget* combo = ComboOf(this);
    if (!combo || !IsItem(combo, index))
        return DWORD_PTR(CB_ERR);
    return DWORD_PTR(combo->itemData(index, Qt::UserRole).toULongLong());
}

void CComboBox::ShowDropDown(BOOL show)
{
    ComboWidget* combo = ComboOf(this);
    if (!combo)
        return;
    const ui_detail::MuteScope mute(combo);
    show ? combo->showPopup() : combo->hidePopup();
}

BOOL CComboBox::GetDroppedState() const
{
    const ComboWidget* combo = ComboOf(this);
    return combo && combo->view()->isVisible();
}
