// Rectangles, visibility and repainting: from the widget when one is attached, from the
// handle's own record otherwise.
#include "platform/gui.h"
#include "windowregistry.h"

#include <QCoreApplication>
#include <QWidget>

namespace win {
namespace {

RECT toRect(const QRect& r) { return RECT{r.x(), r.y(), r.x() + r.width(), r.y() + r.height()}; }

RECT storedRect(const Window& window)
{
    std::lock_guard lock(windowMutex());
    return window.rect;
}

QPoint clientOrigin(const Window& window);

// Screen coordinates; a child without a widget keeps its rectangle in its parent's client
// coordinates.
RECT screenRect(const Window& window)
{
    if (QWidget* widget = window.widget)
        return toRect(widget->isWindow() ? widget->frameGeometry()
                                         : QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size()));
    RECT r = storedRect(window);
    if (std::shared_ptr<Window> parent = findWindow(window.parent)) {
        QPoint o = clientOrigin(*parent);
        r = RECT{r.left + o.x(), r.top + o.y(), r.right + o.x(), r.bottom + o.y()};
    }
    return r;
}

QPoint clientOrigin(const Window& window)
{
    if (window.widget)
        return window.widget->mapToGlobal(QPoint(0, 0));
    RECT r = screenRect(window);
    return QPoint(r.left, r.top);
}

bool isVisible(const Window& window)
{
    if (window.widget)
        return window.widget->isVisible();
    std::lock_guard lock(windowMutex());
    return window.show != ShowState::Hidden;
}

ShowState stateFor(int command)
{
    switch (command) {
    case SW_HIDE: return ShowState::Hidden;
    case SW_SHOWMINIMIZED:
    case SW_MINIMIZE:
    case SW_SHOWMINNOACTIVE: return ShowState::Minimized;
    case SW_SHOWMAXIMIZED: return ShowState::Maximized;
    default: return ShowState::Normal;
    }
}

void showWidget(QWidget& widget, int command, ShowState state)
{
    switch (state) {
    case ShowState::Hidden: widget.hide(); break;
    case ShowState::Minimized: widget.showMinimized(); break;
    case ShowState::Maximized: widget.showMaximized(); break;
    case ShowState::Normal:
        if (command == SW_SHOWNORMAL || command == SW_RESTORE)
            widget.showNormal();
        else
            widget.show();
        break;
    }
}

// Runs on the GUI thread without waiting for it; repaint requests need no answer.
void onGuiThreadLater(std::function<void()> fn)
{
    if (isGuiThread())
        fn();
    else if (QCoreApplication* app = QCoreApplication::instance())
        QMetaObject::invokeMethod(app, std::move(fn), Qt::QueuedConnection);
}

} // namespace
} // namespace win

using win::findWindow;
using win::Window;

BOOL GetClientRect(HWND handle, RECT* rect)
{
    if (!rect)
        return FALSE;
    return BOOL(win::onWindow(handle, [=](Window& window) -> LRESULT {
        RECT r = window.widget ? win::toRect(window.widget->rect()) : win::storedRect(window);
        *rect = RECT{0, 0, r.right - r.left, r.bottom - r.top};
        return TRUE;
    }));
}

BOOL GetWindowRect(HWND handle, RECT* rect)
{
    if (!rect)
        return FALSE;
    return BOOL(win::onWindow(handle, [=](Window& window) -> LRESULT {
        *rect = win::screenRect(window);
        return TRUE;
    }));
}

BOOL MoveWindow(HWND handle, int x, int y, int width, int height, BOOL)
{
    return BOOL(win::onWindow(handle, [=](Window& window) -> LRESULT {
        if (QWidget* widget = window.widget) {
            if (widget->isWindow()) {
                widget->move(x, y);
                widget->resize(width, height);
            } else {
                widget->setGeometry(x, y, width, height);
            }
            return TRUE;
        }
        {
            std::lock_guard lock(win::windowMutex());
            window.rect = RECT{x, y, x + width, y + height};
        }
        window.proc(handle, WM_MOVE, 0, MAKELPARAM(x, y));
        window.proc(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(width, height));
        return TRUE;
    }));
}

BOOL ShowWindow(HWND handle, int command)
{
    return BOOL(win::onWindow(handle, [=](Window& window) -> LRESULT {
        bool wasVisible = win::isVisible(window);
        win::ShowState state = win::stateFor(command);
        {
            std::lock_guard lock(win::windowMutex());
            window.show = state;
        }
        if (window.widget)
            win::showWidget(*window.widget, command, state);
        bool visible = state != win::ShowState::Hidden;
        if (visible != wasVisible)
            window.proc(handle, WM_SHOWWINDOW, visible, 0);
        return wasVisible;
    }));
}

BOOL IsWindowVisible(HWND handle)
{
    return BOOL(
        win::onWindow(handle, [](Window& window) -> LRESULT { return win::isVisible(window); }));
}

BOOL IsIconic(HWND handle)
{
    return BOOL(win::onWindow(handle, [=](Window& window) -> LRESULT {
        if (window.widget)
            return window.widget->isMinimized();
        std::lock_guard lock(win::windowMutex());
        return window.show == win::ShowState::Minimized;
    }));
}

BOOL InvalidateRect(HWND handle, const RECT* rect, BOOL)
{
    if (!IsWindow(handle))
        return FALSE;
    std::optional<QRect> area;
    if (rect)
        area = QRect(rect->left, rect->top, rect->right - rect->left, rect->bottom - rect->top);
    win::onGuiThreadLater([handle, area] {
        QWidget* widget = win::widgetOf(handle);
        if (widget && area)
            widget->update(*area);
        else if (widget)
            widget->update();
    });
    return TRUE;
}

BOOL UpdateWindow(HWND handle)
{
    if (!IsWindow(handle))
        return FALSE;
    win::onGuiThreadLater([handle] {
        if (QWidget* widget = win::widgetOf(handle))
            widget->repaint();
    });
    return TRUE;
}
