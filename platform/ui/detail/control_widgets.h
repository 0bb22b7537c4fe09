// platform/ui/detail/control_widgets.h: the Qt widgets of the controls that need more than
// ControlWidget gives: mouse input from a scroll area's viewport, and a window text that is not
// Qt's own text (multi-line edits with CR LF, combo boxes, group boxes).
#pragma once

#include "platform/ui/detail/control_widget.h"

#include <QAbstractScrollArea>
#include <QComboBox>
#include <QGroupBox>
#include <QPlainTextEdit>
#include <QTextEdit>

#include <functional>

namespace ui_detail {

/// A control over a scroll area. Its mouse events arrive at the viewport, and reach the window's
/// handlers from there.
template <class Base> class ScrollControlWidget : public ControlWidget<Base> {
public:
    using ControlWidget<Base>::ControlWidget;

protected:
    bool viewportEvent(QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::Paint:
            AskControlColours(*this, QRect());
            return Base::viewportEvent(event);
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonRelease:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseMove:
        case QEvent::Wheel:
            break;
        default:
            return Base::viewportEvent(event);
        }
        CWnd* wnd = WndFromWidget(this);
        if (!wnd)
            return Base::viewportEvent(event);
        const EventScope scope(this);
        bool result = true;
        DispatchInput(*wnd, this, event,
                      [this, event, &result] { result = Base::viewportEvent(event); });
        return result;
    }
};

/// The multi-line edit. Its window text joins lines with CR LF; setting it clears the modified
/// flag. Enter types a line break only when the edit wants it; otherwise it goes to the dialog.
/// Wrapped lines break between words, or anywhere while the text holds a word too long to lay
/// out that way in time (Qt measures such a word again for every line it fills).
class MultiLineEditWidget final : public ScrollControlWidget<QPlainTextEdit> {
    Q_OBJECT
    Q_PROPERTY(QString text READ ApiText WRITE SetApiText)

public:
    MultiLineEditWidget(QWidget* parent, bool wantReturn);

    QString ApiText() const;
    void SetApiText(const QString& text);
    /// The most characters typing may leave in the edit; 0 for no limit.
    int m_limit = 0;

    bool TypeText(const QString& text) override;
    /// Inserts text at the caret, in place of the selection.
    void InsertText(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    void KeepWithinLimit(int position, int added);
    /// Chooses how wrapped lines break for the text now shown plus incoming, which is about to
    /// be added.
    void FitWrapMode(const QString& incoming = QString());

    bool m_wantReturn;
    bool m_setting = false;
};

/// The combo box. Its window text is the edit's text, or the chosen item's in a drop-down list;
/// opening and closing the list run the callbacks.
class ComboWidget final : public ControlWidget<QComboBox> {
    Q_OBJECT
    Q_PROPERTY(QString text READ currentText WRITE SetText)

public:
    explicit ComboWidget(QWidget* parent);

    void SetText(const QString& text);
    void showPopup() override;
    void hidePopup() override;

    bool TypeText(const QString& text) override;
    bool ChooseItem(int index) override;

    std::function<void()> m_onDropDown;
    std::function<void()> m_onCloseUp;
    /// A user's choice of an item, including one made by a test.
    std::function<void(int)> m_onChosen;
};

/// The rich edit: its window text is set as HTML (or as plain text when it has no mark-up) and
/// read back as plain text, lines joined with CR LF. A word longer than the line is broken where
/// the line ends; a text with a word of over 1,000 characters is broken anywhere, since Qt
/// measures such a word again for every line it fills between words (a megabyte word took
/// minutes).
class RichEditWidget final : public ScrollControlWidget<QTextEdit> {
    Q_OBJECT
    Q_PROPERTY(QString text READ ApiText WRITE SetApiText)

public:
    explicit RichEditWidget(QWidget* parent) : ScrollControlWidget<QTextEdit>(parent) {}

    QString ApiText() const;
    void SetApiText(const QString& text);
};

/// The group box: a frame with a title, holding no controls of its own.
/// Drawn as a dialog's group box is: the frame's top edge runs through the middle of the title,
/// which interrupts it. A style's group box puts the frame below the whole title line, where it
/// crosses the first control that a dialog template places a line below the box's top.
class GroupBoxWidget final : public ControlWidget<QGroupBox> {
    Q_OBJECT
    Q_PROPERTY(QString text READ title WRITE setTitle)

public:
    explicit GroupBoxWidget(QWidget* parent) : ControlWidget<QGroupBox>(parent) {}

protected:
    void paintEvent(QPaintEvent* event) override;
};

} // namespace ui_detail
