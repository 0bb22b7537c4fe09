// platform/ui/dialogs/control_factory.cpp: the window classes of templates, and the links between
// controls that the template order decides.
#include "platform/ui/dialogs/control_factory.h"

#include "platform/base/text.h"
#include "platform/ui/detail/dialog_widget.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/dialogs/button.h"
#include "platform/ui/dialogs/combo_box.h"
#include "platform/ui/dialogs/edit.h"
#include "platform/ui/dialogs/list_box.h"
#include "platform/ui/dialogs/list_ctrl.h"
#include "platform/ui/dialogs/progress_ctrl.h"
#include "platform/ui/dialogs/rich_edit_ctrl.h"
#include "platform/ui/dialogs/scroll_bar.h"
#include "platform/ui/dialogs/spin_button_ctrl.h"
#include "platform/ui/dialogs/static.h"
#include "platform/ui/dialogs/tab_ctrl.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QLabel>

#include <map>
#include <string_view>

namespace {

constexpr DWORD kClientEdge = 0x00000200; // WS_EX_CLIENTEDGE

std::map<std::string, ControlMaker>& Registry()
{
    static std::map<std::string, ControlMaker> registry;
    return registry;
}

/// Makes a control whose Create takes (style, rect, parent, id), and gives it the item's text.
template <class Control>
std::unique_ptr<CWnd> Make(const DialogItemTemplate& item, const CRect& rect, CWnd& parent,
                           bool setText)
{
    auto control = std::make_unique<Control>();
    if (!control->Create(item.style, rect, &parent, UINT(item.id)))
        return nullptr;
    if (setText && !item.text.empty())
        control->SetWindowText(item.text);
    return control;
}

/// Makes a control whose Create takes its text first.
template <class Control>
std::unique_ptr<CWnd> MakeTitled(const DialogItemTemplate& item, const CRect& rect, CWnd& parent)
{
    auto control = std::make_unique<Control>();
    if (!control->Create(item.text.c_str(), item.style, rect, &parent, UINT(item.id)))
        return nullptr;
    return control;
}

std::unique_ptr<CWnd> MakeBuiltIn(const DialogItemTemplate& given, const CRect& rect, CWnd& parent,
                                  bool& known)
{
    DialogItemTemplate item = given;
    if (item.exStyle & kClientEdge)
        item.style |= WS_BORDER;
    known = true;
    const std::string& name = item.className;
    const auto is = [&name](std::string_view known) { return text::EqualsNoCase(name, known); };
    if (is("Button"))
        return MakeTitled<CButton>(item, rect, parent);
    if (is("Static"))
        return MakeTitled<CStatic>(item, rect, parent);
    if (is("Edit"))
        return Make<CEdit>(item, rect, parent, true);
    if (is("RichEdit"))
        return Make<CRichEditCtrl>(item, rect, parent, true);
    if (is("ListBox"))
        return Make<CListBox>(item, rect, parent, false);
    if (is("ComboBox"))
        return Make<CComboBox>(item, rect, parent, false);
    if (is("ScrollBar"))
        return Make<CScrollBar>(item, rect, parent, false);
    if (is("SysListView32"))
        return Make<CListCtrl>(item, rect, parent, false);
    if (is("SysTabControl32"))
        return Make<CTabCtrl>(item, rect, parent, false);
    if (is("msctls_updown32"))
        return Make<CSpinButtonCtrl>(item, rect, parent, false);
    if (is("msctls_progress32"))
        return Make<CProgressCtrl>(item, rect, parent, false);
    known = false;
    return nullptr;
}

bool IsRadio(const DialogItemTemplate& item)
{
    const DWORD type = item.style & BS_TYPEMASK;
    return text::EqualsNoCase(item.className, "Button") &&
           (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

bool IsLabelWithKey(const DialogItemTemplate& item)
{
    if (!text::EqualsNoCase(item.className, "Static") || (item.style & SS_NOPREFIX))
        return false;
    const DWORD type = item.style & SS_TYPEMASK;
    if (type != SS_LEFT && type != SS_CENTER && type != SS_RIGHT && type != SS_SIMPLE &&
        type != SS_LEFTNOWORDWRAP)
        return false;
    return !ui_detail::MnemonicOf(QString::fromStdString(item.text)).isNull();
}

/// One non-exclusive button group per WS_GROUP run: it records which radio buttons an automatic
/// radio button clears.
void GroupRadios(const CDialogTemplate& dialog, CWnd& parent,
                 const std::vector<std::unique_ptr<CWnd>>& controls)
{
    QButtonGroup* group = nullptr;
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const DialogItemTemplate& item = dialog.m_items[i];
        if (item.style & WS_GROUP)
            group = nullptr;
        auto* button = qobject_cast<QAbstractButton*>(ui_detail::WidgetOf(controls[i].get()));
        if (!button || !IsRadio(item))
            continue;
        if (!group) {
            group = new QButtonGroup(ui_detail::WidgetOf(&parent));
            group->setExclusive(false);
        }
        group->addButton(button);
    }
}

void LinkBuddies(const CDialogTemplate& dialog, const std::vector<std::unique_ptr<CWnd>>& controls)
{
    for (std::size_t i = 0; i < controls.size(); ++i) {
        const DialogItemTemplate& item = dialog.m_items[i];
        if (auto* spin = dynamic_cast<CSpinButtonCtrl*>(controls[i].get());
            spin && i > 0 && (item.style & UDS_AUTOBUDDY))
            spin->SetBuddy(controls[i - 1].get());
        auto* label = qobject_cast<QLabel*>(ui_detail::WidgetOf(controls[i].get()));
        if (!label || !IsLabelWithKey(item))
            continue;
        for (std::size_t next = i + 1; next < controls.size(); ++next) {
            if (dialog.m_items[next].style & WS_TABSTOP) {
                label->setBuddy(ui_detail::WidgetOf(controls[next].get()));
                break;
            }
        }
    }
}

} // namespace

void RegisterControlClass(const std::string& className, ControlMaker maker)
{
    Registry()[text::ToLower(className)] = std::move(maker);
}

std::unique_ptr<CWnd> CreateControl(const DialogItemTemplate& item, const CRect& rect, CWnd& parent)
{
    bool known = false;
    std::unique_ptr<CWnd> control = MakeBuiltIn(item, rect, parent, known);
    if (known)
        return control;
    const auto found = Registry().find(text::ToLower(item.className));
    if (found == Registry().end() || !found->second)
        return nullptr;
    return found->second(item, rect, parent);
}

bool CreateControls(const CDialogTemplate& dialog, const CSize& baseUnits, CWnd& parent,
                    std::vector<std::unique_ptr<CWnd>>& controls)
{
    std::vector<std::unique_ptr<CWnd>> made; // made[i] is the control of item i
    for (const DialogItemTemplate& item : dialog.m_items) {
        RECT rect = item.Rect();
        MapDialogRect(baseUnits, rect);
        std::unique_ptr<CWnd> control = CreateControl(item, rect, parent);
        if (!control)
            break;
        made.push_back(std::move(control));
    }
    GroupRadios(dialog, parent, made);
    LinkBuddies(dialog, made);
    const bool complete = made.size() == dialog.m_items.size();
    for (std::unique_ptr<CWnd>& control : made)
        controls.push_back(std::move(control));
    return complete;
}
