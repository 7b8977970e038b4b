#include "Window.h"

#include "Button.h"
#include "Keys.h"
#include "Platform.h"
#include "Twips.h"
#include "imaging/Picture.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QIcon>
#include <QKeyEvent>
#include <QPixmap>
#include <QScreen>
#include <QWindow>

#include <cmath>

namespace ui {

namespace {

QList<Window*>& loadedWindows()
{
    static QList<Window*> windows;
    return windows;
}

int px(float twips)
{
    return int(std::lround(toPixels(twips)));
}

} // namespace

Window::Window(const QString& caption, int clientWidth, int clientHeight, Border border)
{
    setWindowTitle(caption);
    // Every window shows the game's icon, decoded once by the first window.
    // A QIcon made from the file would guess its format (see loadStoredPicture).
    if (QGuiApplication::windowIcon().isNull()) {
        if (const imaging::Picture icon = imaging::loadStoredPicture(QStringLiteral(":/pictures/icon.png")))
            QGuiApplication::setWindowIcon(QIcon(QPixmap::fromImage(*icon)));
    }
    if (border == Border::FixedDialog) {
        setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint
                       | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
        setFixedSize(px(clientWidth), px(clientHeight));
    } else {
        setWindowFlags(Qt::Window);
        resize(px(clientWidth), px(clientHeight));
    }
    qApp->installEventFilter(this);
}

Window::~Window()
{
    loadedWindows().removeAll(this);
}

void Window::load()
{
    if (loaded_)
        return;
    loaded_ = true;
    loadedWindows().append(this);
    if (onLoad)
        onLoad();
}

void Window::unload()
{
    if (!loaded_)
        return;
    loaded_ = false;
    loadedWindows().removeAll(this);
    hide();
    emit unloaded();
    if (onUnload)
        onUnload();
}

QList<Window*> Window::openWindows()
{
    return loadedWindows();
}

void Window::showModeless()
{
    load();
    show();
}

void Window::showModal(Window* owner)
{
    load();
    platform().showModal(*this, owner);
}

void Window::setOwner(Window* owner)
{
    winId();
    owner->winId();
    windowHandle()->setTransientParent(owner->windowHandle());
}

void Window::runModal(Window* owner)
{
    if (owner) {
        setOwner(owner);
        if (!testAttribute(Qt::WA_Moved))
            move(owner->frameGeometry().center() - rect().center());
    }
    setWindowModality(Qt::ApplicationModal);
    show();
    if (loaded_) {
        QEventLoop loop;
        connect(this, &Window::unloaded, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::DialogExec);
    }
    setWindowModality(Qt::NonModal);
}

void Window::refresh()
{
    if (onPaint)
        onPaint();
    repaint();
}

bool Window::isMinimised() const
{
    return isMinimized();
}

float Window::clientWidth() const
{
    return float(toTwips(width()));
}

float Window::clientHeight() const
{
    return float(toTwips(height()));
}

void Window::setClientSize(float width, float height)
{
    resize(px(width), px(height));
}

float Window::outerTop() const
{
    return float(toTwips(frameGeometry().top()));
}

float Window::outerHeight() const
{
    return float(toTwips(frameGeometry().height()));
}

float Window::screenHeight() const
{
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    return s ? float(toTwips(s->geometry().height())) : 0.0f;
}

QSize Window::screenDevicePixels() const
{
    const QScreen* s = screen() ? screen() : QGuiApplication::primaryScreen();
    if (!s)
        return {1920, 1080};
    return s->geometry().size() * s->devicePixelRatio();
}

void Window::moveTo(float left, float top)
{
    move(px(left), px(top));
}

void Window::centreOnScreen()
{
    if (const QScreen* s = QGuiApplication::primaryScreen())
        move(s->availableGeometry().center() - frameGeometry().center() + pos());
}

void Window::setShowInTaskbar(bool show)
{
    // A tool window keeps out of the taskbar.
    setWindowFlag(Qt::Tool, !show);
}

void Window::setDefaultButton(Button* button)
{
    defaultButton_ = button;
}

void Window::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (loaded_ && onResize)
        onResize();
}

void Window::closeEvent(QCloseEvent* event)
{
    // The close control unloads the window, whichever window it is.
    event->accept();
    unload();
}

void Window::changeEvent(QEvent* event)
{
    QWidget::changeEvent(event);
    if (event->type() != QEvent::WindowStateChange)
        return;
    // Coming back from the taskbar lays the window out again, as a resize would.
    const bool minimised = isMinimized();
    if (wasMinimised_ && !minimised && loaded_ && onResize)
        onResize();
    wasMinimised_ = minimised;
}

bool Window::eventFilter(QObject* watched, QEvent* event)
{
    const auto type = event->type();
    if (type != QEvent::KeyRelease && type != QEvent::KeyPress)
        return false;
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || widget->window() != this || !loaded_)
        return false;
    // A key event goes to the focused control first and, when the control
    // leaves it alone, on up to the window: act at its first stop only. With
    // nothing focused in the window, that is the window itself.
    QWidget* firstStop = QApplication::focusWidget();
    if (!firstStop || firstStop->window() != this)
        firstStop = this;
    if (widget != firstStop)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (type == QEvent::KeyPress) {
        const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
        if (enter && defaultButton_ && defaultButton_->isVisible() && defaultButton_->isEnabled()) {
            defaultButton_->click();
            return true;
        }
        return false;
    }
    if (!keyPreview_ || !onKeyUp || key->isAutoRepeat())
        return false;
    int code = virtualKeyCode(key->key());
    onKeyUp(code, shiftState(key->modifiers()));
    return code == 0 && virtualKeyCode(key->key()) != 0;
}

} // namespace ui
