// platform/ui/windows/test_hooks.cpp: the test hooks over the scripted prompt and an offscreen
// application: input posted as Qt events, the virtual clock, and renders read as pixels.
#include "platform/ui/windows/test_hooks.h"

#include "platform/base/abandon.h"
#include "platform/base/clock.h"
#include "platform/base/prompt.h"
#include "platform/base/text.h"
#include "platform/ui/detail/app_events.h"
#include "platform/ui/detail/app_look.h"
#include "platform/ui/detail/application.h"
#include "platform/ui/detail/colour.h"
#include "platform/ui/detail/command_dispatch.h"
#include "platform/ui/detail/control_widget.h"
#include "platform/ui/detail/dc_impl.h"
#include "platform/ui/detail/dialog_drivers.h"
#include "platform/ui/detail/hook_answers.h"
#include "platform/ui/detail/idle.h"
#include "platform/ui/detail/key_map.h"
#include "platform/ui/detail/menu_access.h"
#include "platform/ui/detail/page_sinks.h"
#include "platform/ui/detail/printer_device.h"
#include "platform/ui/detail/program_fault.h"
#include "platform/ui/detail/scroll_bar_adapter.h"
#include "platform/ui/detail/timer_service.h"
#include "platform/ui/detail/waiting_keys.h"
#include "platform/ui/detail/window_widget.h"
#include "platform/ui/dialogs/property_sheet.h"
#include "platform/ui/drawing/dc.h"
#include "platform/ui/frames/view.h"
#include "platform/ui/printing/print_info.h"
#include "platform/ui/printing/print_job.h"
#include "platform/ui/printing/print_preview.h"
#include "platform/ui/windows/message.h"

#include <QApplication>
#include <QInputDevice>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPointingDevice>
#include <QScreen>
#include <QScrollArea>
#include <QWheelEvent>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <mutex>
#include <utility>

namespace TestHooks {
namespace {

/// Where GetTickCount stands when the hooks are turned on.
constexpr DWORD kClockStart = 1000000;

bool g_enabled = false;
std::function<void(std::string)> g_onFailure;
CPromptScript g_ownScript;
CPromptScript* g_script = nullptr;

/// The script that answers questions: the one installed when first asked (the test programs
/// install theirs before enabling the hooks), else our own. It stays the script after another
/// prompt, such as the desktop's, is installed, and answers for that prompt.
CPromptScript& Script()
{
    if (g_script)
        return *g_script;
    if (auto* installed = dynamic_cast<CPromptScript*>(GetPrompt())) {
        g_script = installed;
        return *installed;
    }
    SetPrompt(&g_ownScript);
    g_script = &g_ownScript;
    return g_ownScript;
}

/// The warnings Qt gave since they were last taken; Qt may warn from any thread.
struct ToolkitWarnings {
    std::mutex mutex;
    std::vector<std::string> texts;
    QtMessageHandler passOn = nullptr;
};

ToolkitWarnings& Warnings()
{
    static auto* warnings = new ToolkitWarnings;
    return *warnings;
}

void NoteToolkitMessage(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    ToolkitWarnings& warnings = Warnings();
    if (type == QtWarningMsg) {
        const std::lock_guard lock(warnings.mutex);
        warnings.texts.push_back(text.toStdString());
    }
    if (warnings.passOn)
        warnings.passOn(type, context, text);
}

void StartApplication()
{
    if (QApplication::instance())
        return;
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    static int argc = 1;
    static char name[] = "ardenvel-tests";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QApplication> application = [] {
        auto made = std::make_unique<ui_detail::Application>(argc, argv);
        // The input devices that synthetic events use are made on first use; made now, Qt's
        // own tables outlive them when the application ends at exit.
        QPointingDevice::primaryPointingDevice();
        QInputDevice::primaryKeyboard();
        return made;
    }();
}

Qt::KeyboardModifiers Modifiers(UINT mk)
{
    Qt::KeyboardModifiers modifiers;
    if (mk & MK_SHIFT)
        modifiers |= Qt::ShiftModifier;
    if (mk & MK_CONTROL)
        modifiers |= Qt::ControlModifier;
    if (mk & MK_ALT)
        modifiers |= Qt::AltModifier;
    return modifiers;
}

Qt::MouseButtons Buttons(UINT mk)
{
    Qt::MouseButtons buttons;
    if (mk & MK_LBUTTON)
        buttons |= Qt::LeftButton;
    if (mk & MK_RBUTTON)
        buttons |= Qt::RightButton;
    if (mk & MK_MBUTTON)
        buttons |= Qt::MiddleButton;
    return buttons;
}

struct MouseShape {
    QEvent::Type type;
    Qt::MouseButton button;
};

MouseShape ShapeOf(MouseEvent event)
{
    switch (event) {
    case MouseEvent::Move:
        return {QEvent::MouseMove, Qt::NoButton};
    case MouseEvent::LeftDown:
        return {QEvent::MouseButtonPress, Qt::LeftButton};
    case MouseEvent::LeftUp:
        return {QEvent::MouseButtonRelease, Qt::LeftButton};
    case MouseEvent::LeftDoubleClick:
        return {QEvent::MouseButtonDblClick, Qt::LeftButton};
    case MouseEvent::RightDown:
        return {QEvent::MouseButtonPress, Qt::RightButton};
    case MouseEvent::RightUp:
        return {QEvent::MouseButtonRelease, Qt::RightButton};
    case MouseEvent::RightDoubleClick:
        return {QEvent::MouseButtonDblClick, Qt::RightButton};
    case MouseEvent::MiddleDown:
        return {QEvent::MouseButtonPress, Qt::MiddleButton};
    case MouseEvent::MiddleUp:
        return {QEvent::MouseButtonRelease, Qt::MiddleButton};
    case MouseEvent::MiddleDoubleClick:
        return {QEvent::MouseButtonDblClick, Qt::MiddleButton};
    }
    return {QEvent::MouseMove, Qt::NoButton};
}

Image FromQImage(const QImage& source)
{
    const QImage rgb = source.convertToFormat(QImage::Format_RGB32);
    Image image;
    image.width = rgb.width();
    image.height = rgb.height();
    image.pixels.reserve(std::size_t(image.width) * std::size_t(image.height));
    for (int y = 0; y < rgb.height(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x)
            image.pixels.push_back(ui_detail::FromQRgb(line[x]));
    }
    return image;
}

} // namespace

void Enable(std::function<void(std::string)> onFailure)
{
    StartApplication();
    ui_detail::SetUpApplicationLook();
    if (!g_enabled)
        Warnings().passOn = qInstallMessageHandler(NoteToolkitMessage);
    g_onFailure = std::move(onFailure);
    Script().SetOnUnanswered([](const std::string& text) {
        if (g_onFailure)
            g_onFailure("A message box was shown with no answer queued: " + text);
    });
    clock_seam::FreezeTickCount(kClockStart);
    ui_detail::timers::UseVirtualClock();
    g_enabled = true;
}

bool IsEnabled()
{
    return g_enabled;
}

void AnswerMessageBox(int answer)
{
    Script().Answer(answer);
}

std::vector<CPromptScript::Shown> TakeMessages()
{
    return Script().TakeMessages();
}

std::vector<std::string> TakeShellOpens()
{
    return Script().TakeShellOpens();
}

int BeepCount()
{
    return Script().BeepCount();
}

void AnswerFilePicker(std::vector<std::string> paths, std::function<void(CFileDialog&)> panelDriver)
{
    ui_detail::hooks::QueueFileAnswer({std::move(paths), std::move(panelDriver)});
}

void AnswerFolderPicker(std::string path)
{
    ui_detail::hooks::QueueFolderAnswer(std::move(path));
}

void AnswerPopupMenu(UINT commandId)
{
    ui_detail::hooks::QueuePopupAnswer(commandId);
}

void AnswerPrintDialog(bool ok, std::string pdfPath, UINT fromPage, UINT toPage)
{
    ui_detail::hooks::QueuePrintJobAnswer({ok, std::move(pdfPath), fromPage, toPage});
}

void AnswerPrintSetup(bool ok, int orientation)
{
    ui_detail::hooks::QueuePrintSetupAnswer({ok, orientation});
}

void AnswerFont(std::optional<LOGFONT> font)
{
    ui_detail::hooks::QueueFontAnswer(font);
}

void FailFontCreations(int count)
{
    ui_detail::hooks::FailFontCreations(count);
}

void SetNoPrinter(bool noPrinter)
{
    ui_detail::SetPrintersRemoved(noPrinter);
}

CWnd* MessageBoxOwner()
{
    return ui_detail::hooks::MessageBoxOwner();
}

std::vector<std::string> PopupMenuItems()
{
    return ui_detail::hooks::PopupItems();
}

void OnNextDialog(UINT templateId, std::function<void(CDialog&)> driver)
{
    ui_detail::hooks::QueueDialogDriver(templateId, std::move(driver));
}

void OnNextSheet(std::function<void(CPropertySheet&)> driver)
{
    ui_detail::hooks::QueueSheetDriver(std::move(driver));
}

namespace {

/// The control a user could act on, or null with the failure reported.
ui_detail::UserInput* ReachableControl(CWnd& dlg, int id, const char* action)
{
    CWnd* control = dlg.GetDlgItem(id);
    QWidget* widget = ui_detail::WidgetOf(control);
    const char* fault = !widget                                  ? "there is no such control"
                        : !widget->isVisibleTo(widget->window()) ? "it is hidden"
                        : !widget->isEnabled()                   ? "it is disabled"
                        : !ui_detail::UserInputOf(control)       ? "it takes no input"
                                                                 : nullptr;
    if (!fault)
        return ui_detail::UserInputOf(control);
    ui_detail::hooks::ReportFailure(text::Format("%s control %d: %s", action, id, fault));
    return nullptr;
}

void ReportRefused(const char* action, int id)
{
    ui_detail::hooks::ReportFailure(text::Format("%s control %d: it cannot take that", action, id));
}

} // namespace

void SetText(CWnd& dlg, int id, std::string_view text)
{
    ui_detail::UserInput* control = ReachableControl(dlg, id, "Typing into");
    if (control && !control->TypeText(QString::fromUtf8(text.data(), qsizetype(text.size()))))
        ReportRefused("Typing into", id);
}

void Click(CWnd& dlg, int id)
{
    ui_detail::UserInput* control = ReachableControl(dlg, id, "Clicking");
    if (control && !control->Click())
        ReportRefused("Clicking", id);
}

void SelectItem(CWnd& dlg, int id, int index)
{
    ui_detail::UserInput* control = ReachableControl(dlg, id, "Choosing an item of");
    if (control && !control->ChooseItem(index))
        ReportRefused("Choosing an item of", id);
}

void PressSheetButton(CPropertySheet& sheet, SheetButton button)
{
    static constexpr UINT kIds[] = {IDOK,       IDCANCEL,   ID_APPLY_NOW,
                                    ID_WIZBACK, ID_WIZNEXT, ID_WIZFINISH};
    Click(sheet, int(kIds[int(button)]));
}

void RunIdle()
{
    ui_detail::RunApplicationIdle();
}

bool RunCommand(CWnd& frame, UINT id)
{
    return ui_detail::RunEnabledCommand(frame, id, 0);
}

void PostMouse(CWnd& wnd, MouseEvent event, CPoint point, UINT mk)
{
    QWidget* widget = ui_detail::WidgetOf(&wnd);
    if (!widget)
        return;
    const MouseShape shape = ShapeOf(event);
    const QPointF local(point.x, point.y);
    QCoreApplication::postEvent(widget,
                                new QMouseEvent(shape.type, local, widget->mapToGlobal(local),
                                                shape.button, Buttons(mk), Modifiers(mk)));
}

void PostWheel(CWnd& wnd, int delta, CPoint point, UINT mk)
{
    QWidget* widget = ui_detail::WidgetOf(&wnd);
    if (!widget)
        return;
    const QPointF local(point.x, point.y);
    QCoreApplication::postEvent(widget, new QWheelEvent(local, widget->mapToGlobal(local), QPoint(),
                                                        QPoint(0, delta), Buttons(mk),
                                                        Modifiers(mk), Qt::NoScrollPhase, false));
}

void PostKey(CWnd& wnd, UINT vk, UINT mk)
{
    QWidget* widget = ui_detail::WidgetOf(&wnd);
    if (!widget)
        return;
    const ui_detail::QtKeyStroke stroke = ui_detail::QtKeyFromVirtualKey(vk);
    const Qt::KeyboardModifiers modifiers = Modifiers(mk) | stroke.keypad;
    const QString text = (mk & MK_ALT)
                             ? QString()
                             : ui_detail::TextForVirtualKey(vk, mk & MK_SHIFT, mk & MK_CONTROL);
    ui_detail::PostCountedKeyPress(
        widget, std::make_unique<QKeyEvent>(QEvent::KeyPress, stroke.key, modifiers, text), vk);
    QCoreApplication::postEvent(widget,
                                new QKeyEvent(QEvent::KeyRelease, stroke.key, modifiers, text));
}

void DeliverPosted()
{
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

std::vector<std::string> TakeProgramFaults()
{
    return ui_detail::TakeProgramFaults();
}

std::vector<std::string> TakeToolkitWarnings()
{
    ToolkitWarnings& warnings = Warnings();
    const std::lock_guard lock(warnings.mutex);
    return std::exchange(warnings.texts, {});
}

void SendDesktopChange(bool colours)
{
    ui_detail::InstallInputFilter(); // as the application object does when it is made
    QEvent change(colours ? QEvent::ApplicationPaletteChange : QEvent::ApplicationFontChange);
    QCoreApplication::sendEvent(QCoreApplication::instance(), &change);
}

void PressCloseBox(CWnd& wnd)
{
    if (QWidget* widget = ui_detail::WidgetOf(&wnd))
        widget->close();
}

void DragWindowSize(CWnd& wnd, int width, int height)
{
    if (QWidget* widget = ui_detail::WidgetOf(&wnd); widget && widget->isWindow()) {
        widget->resize(width, height);
        QCoreApplication::sendPostedEvents(widget, QEvent::Resize);
    }
}

void ScrollBarAction(CWnd& wnd, int bar, UINT code, int thumbPos)
{
    ui_detail::ScrollBarAdapter* adapter =
        bar == SB_CTL
            ? ui_detail::ScrollBarAdapter::Of(qobject_cast<QScrollBar*>(ui_detail::WidgetOf(&wnd)))
            : ui_detail::window_scroll::Find(wnd, bar, false);
    if (adapter)
        adapter->Perform(code, thumbPos);
}

namespace {

QMenuBar* MenuBarOf(CWnd& frame)
{
    auto* window = qobject_cast<QMainWindow*>(ui_detail::WidgetOf(&frame));
    return window ? qobject_cast<QMenuBar*>(window->menuWidget()) : nullptr;
}

} // namespace

void OpenMenuBarPopup(CWnd& frame, int position, UINT highlight)
{
    QMenuBar* bar = MenuBarOf(frame);
    if (!bar || position < 0 || position >= bar->actions().size())
        return;
    QAction* title = bar->actions()[position];
    QMenu* popup = title->menu();
    if (!popup)
        return;
    bar->setActiveAction(title); // opens the pop-up as the menu bar's own
    for (QAction* action : popup->actions())
        if (highlight && ui_detail::ItemCommand(action) == highlight)
            popup->setActiveAction(action);
}

void CloseMenuBarPopup(CWnd& frame)
{
    QMenuBar* bar = MenuBarOf(frame);
    if (!bar)
        return;
    for (QAction* title : bar->actions())
        if (title->menu() && title->menu()->isVisible())
            title->menu()->hide();
    bar->setActiveAction(nullptr);
}

void AdvanceClock(DWORD ms)
{
    ui_detail::timers::AdvanceVirtualClock(ms);
}

COLORREF Image::Pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= width || y >= height)
        return 0xFFFFFFFF;
    return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)];
}

bool Image::SavePng(const std::string& path) const
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, ui_detail::ToQRgb(Pixel(x, y)));
    return image.save(QString::fromStdString(path), "PNG");
}

Image RenderWindow(CWnd& wnd)
{
    QWidget* widget = ui_detail::WidgetOf(&wnd);
    if (!widget)
        return {};
    wnd.UpdateWindow();
    return FromQImage(widget->grab().toImage());
}

Image ShownImage(CWnd& wnd)
{
    QWidget* widget = ui_detail::WidgetOf(&wnd);
    if (!widget)
        return {};
    // The window system's exposes and the update requests, which paint and flush.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    QWidget* top = widget->window();
    const QPoint origin = widget->mapTo(top, QPoint());
    // The offscreen platform reads a window back from what was flushed.
    return FromQImage(
        top->screen()
            ->grabWindow(top->winId(), origin.x(), origin.y(), widget->width(), widget->height())
            .toImage());
}

Image RenderDC(int width, int height, const std::function<void(CDC&)>& draw)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setDotsPerMeterX(3780); // 96 dots per inch
    image.setDotsPerMeterY(3780);
    {
        CDC dc;
        ui_detail::DcAccess::AttachImage(dc, &image);
        draw(dc);
    }
    return FromQImage(image);
}

Image RenderPreviewPage(CView& view, int page)
{
    // The preview's resolution: a whole fraction of the printer's, about 100 dots per inch.
    constexpr int kPreviewDotsPerInch = 100;
    CPrintInfo info;
    info.m_bPreview = TRUE;
    CDC dc;
    if (page < 1 || !view.OnPreparePrinting(&info) ||
        !info.GetPrinterSettings().CreatePrinterDC(dc))
        return {};
    const ui_detail::PrinterMetrics metrics = *ui_detail::DcAccess::Of(dc).printer;
    ui_detail::ImagePage sink(UINT(page), metrics.physical, metrics.offset,
                              std::max(1, metrics.dotsPerInch / kPreviewDotsPerInch));
    try {
        RunPrintLoop(view, info, dc, sink);
    } catch (const COperationAborted&) {
        // A hook abandoned the loop, as it may; a page it did not finish shows nothing.
    }
    view.OnEndPrintPreview(&dc, &info, POINT{}, &view);
    return sink.Drawn() ? FromQImage(sink.Image()) : Image();
}

Image RenderPreviewWindow(CView& view)
{
    if (!CPrintPreview::Of(view))
        return {};
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (!top->isVisible() || top->windowTitle() != QStringLiteral("Print Preview"))
            continue;
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        if (const auto* area = top->findChild<QScrollArea*>())
            return FromQImage(area->viewport()->grab().toImage());
    }
    return {};
}

} // namespace TestHooks

namespace ui_detail::hooks {

CPromptScript& Script()
{
    return TestHooks::Script();
}

void ReportFailure(const std::string& failure)
{
    if (TestHooks::g_onFailure)
        TestHooks::g_onFailure(failure);
}

} // namespace ui_detail::hooks
