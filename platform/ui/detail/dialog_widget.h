// platform/ui/detail/dialog_widget.h: the widgets behind dialogs and property sheets: a
// top-level dialog that leaves Enter and Escape to its window, and the child widget of a page.
#pragma once

#include "platform/base/types.h"

#include <QDialog>
#include <QStackedWidget>
#include <QWidget>

#include <functional>

class CWnd;

namespace ui_detail {

/// The window flags of the program's dialogs and message boxes: a title bar with its close box
/// alone, as none of them has a minimize or maximize box.
Qt::WindowFlags DialogWindowFlags();

/// A top-level dialog. Input reaches its window's handlers; closing it is asked of the window
/// (WM_CLOSE). Enter and Escape that no control took go to onKey (VK_RETURN, VK_ESCAPE)
/// instead of Qt's default button and reject. A letter or digit that no control took presses
/// the button (or the label's control) whose mnemonic it is, as Alt with it does, unless the
/// focus is in an edit, a combo box, a list or a window the program draws (a grid).
class DialogWidget final : public QDialog {
public:
    explicit DialogWidget(QWidget* parent);
    ~DialogWidget() override;

    /// Answers true when it took the key.
    std::function<bool(UINT vk)> m_onKey;

protected:
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    /// A size the user gave the dialog reaches its window as WM_SIZE.
    void resizeEvent(QResizeEvent* event) override;
};

/// A dialog that lives inside another window: a property page, or a template with WS_CHILD.
/// Enter and Escape travel on to the window around it.
class ChildDialogWidget final : public QWidget {
public:
    explicit ChildDialogWidget(QWidget* parent);
    ~ChildDialogWidget() override;

protected:
    bool event(QEvent* event) override;
};

/// Makes the stack of a property sheet's page windows inside sheet; PageStackOf finds it.
void MakePageStack(QWidget& sheet);
QStackedWidget* PageStackOf(const CWnd* sheet);

/// Centres a top-level widget over the window of anchor, or over the screen without one.
void CentreOver(QWidget& widget, const QWidget* anchor);

/// The next (or previous) widget inside top, after from in the focus chain, that the Tab key
/// would reach; null when none would.
QWidget* NextTabStop(QWidget& top, QWidget* from, bool forward);

/// The upper-case character after the lone "&" of a control's text ("&&" is an ampersand
/// shown); null without one.
QChar MnemonicOf(const QString& text);

} // namespace ui_detail
