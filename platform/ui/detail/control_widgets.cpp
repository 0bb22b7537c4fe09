// platform/ui/detail/control_widgets.cpp: the multi-line edit's CR LF text and Enter key, the
// limit on what is typed into it, the rich edit's breaking of long words, and the combo box's
// list and edit callbacks.
#include "platform/ui/detail/control_widgets.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>
#include <QTextDocument>

namespace ui_detail {
namespace {

/// Longer runs without a blank break anywhere; below it, breaking between words costs little.
constexpr int kLongestWord = 1000;

bool HasLongWord(const QString& text)
{
    int run = 0;
    for (const QChar c : text) {
        run = c.isSpace() ? 0 : run + 1;
        if (run > kLongestWord)
            return true;
    }
    return false;
}

} // namespace

MultiLineEditWidget::MultiLineEditWidget(QWidget* parent, bool wantReturn)
    : ScrollControlWidget<QPlainTextEdit>(parent), m_wantReturn(wantReturn)
{
    setTabChangesFocus(true);
    connect(document(), &QTextDocument::contentsChange, this, [this](int position, int, int added) {
        KeepWithinLimit(position, added);
        if (!m_setting)
            FitWrapMode();
    });
}

void MultiLineEditWidget::FitWrapMode(const QString& incoming)
{
    if (lineWrapMode() == NoWrap)
        return;
    const bool anywhere = HasLongWord(incoming) || HasLongWord(toPlainText());
    const QTextOption::WrapMode mode = anywhere ? QTextOption::WrapAnywhere : QTextOption::WordWrap;
    if (wordWrapMode() != mode)
        setWordWrapMode(mode);
}

void MultiLineEditWidget::InsertText(const QString& text)
{
    FitWrapMode(text);
    insertPlainText(text);
}

void MultiLineEditWidget::insertFromMimeData(const QMimeData* source)
{
    if (source && source->hasText())
        FitWrapMode(source->text());
    QPlainTextEdit::insertFromMimeData(source);
}

QString MultiLineEditWidget::ApiText() const
{
    QString text = toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void MultiLineEditWidget::SetApiText(const QString& text)
{
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_setting = true;
    if (lineWrapMode() != NoWrap)
        setWordWrapMode(HasLongWord(plain) ? QTextOption::WrapAnywhere : QTextOption::WordWrap);
    setPlainText(plain);
    m_setting = false;
    document()->setModified(false);
}

bool MultiLineEditWidget::TypeText(const QString& text)
{
    if (isReadOnly())
        return false;
    QString plain = text;
    plain.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    selectAll();
    InsertText(plain);
    return true;
}

void MultiLineEditWidget::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !m_wantReturn && !(event->modifiers() & Qt::ControlModifier)) {
        event->ignore(); // the dialog's default button takes it
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void MultiLineEditWidget::KeepWithinLimit(int position, int added)
{
    if (m_setting || m_limit <= 0 || added <= 0)
        return;
    const int overflow = document()->characterCount() - 1 - m_limit;
    if (overflow <= 0)
        return;
    // What was just typed beyond the limit is taken back.
    QTextCursor cursor(document());
    cursor.setPosition(position + added - std::min(overflow, added));
    cursor.setPosition(position + added, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

QString RichEditWidget::ApiText() const
{
    QString text = toPlainText();
    text.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return text;
}

void RichEditWidget::SetApiText(const QString& text)
{
    setWordWrapMode(HasLongWord(text) ? QTextOption::WrapAnywhere
                                      : QTextOption::WrapAtWordBoundaryOrAnywhere);
    if (Qt::mightBeRichText(text))
        setHtml(text);
    else
        setPlainText(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
    document()->setModified(false);
}

ComboWidget::ComboWidget(QWidget* parent) : ControlWidget<QComboBox>(parent)
{
    connect(this, &QComboBox::activated, this, [this](int index) {
        if (m_onChosen)
            m_onChosen(index);
    });
}

void ComboWidget::SetText(const QString& text)
{
    if (isEditable())
        setEditText(text);
}

void ComboWidget::showPopup()
{
    if (m_onDropDown)
        m_onDropDown();
    QComboBox::showPopup();
}

void ComboWidget::hidePopup()
{
    QComboBox::hidePopup();
    if (m_onCloseUp)
        m_onCloseUp();
}

bool ComboWidget::TypeText(const QString& text)
{
    if (!isEditable())
        return false;
    lineEdit()->selectAll();
    lineEdit()->insert(text);
    return true;
}

bool ComboWidget::ChooseItem(int index)
{
    if (index < 0 || index >= count())
        return false;
    setCurrentIndex(index);
    if (m_onChosen)
        m_onChosen(index);
    return true;
}

void GroupBoxWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QFontMetrics metrics(font());
    const QString text = title();
    // The etched frame: a shadow line, and a light line one pixel inside it.
    const QRect frame = rect().adjusted(0, metrics.height() / 2, -2, -2);
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(frame);
    painter.setPen(palette().color(QPalette::Light));
    painter.drawRect(frame.translated(1, 1));
    if (text.isEmpty())
        return;
    constexpr int kTitleLeft = 6, kTitleGap = 2;
    const int width = metrics.horizontalAdvance(QString(text).remove(QLatin1Char('&')));
    const QRect title(kTitleLeft, 0, width + 2 * kTitleGap, metrics.height());
    painter.fillRect(title, palette().color(backgroundRole()));
    painter.setPen(
        palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::WindowText));
    painter.drawText(title, Qt::AlignCenter | Qt::TextShowMnemonic, text);
}

} // namespace ui_detail
