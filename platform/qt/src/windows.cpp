#include "platform/gui.h"
#include "platform/modules.h"
#include "qtext.h"
#include "windowregistry.h"

#include <QCoreApplication>
#include <QTimer>
#include <QVariant>

#include <algorithm>
#include <cstring>
#include <unordered_map>

namespace win {
namespace {

constexpr const char* handleProperty = "varnelHwnd";

std::unordered_map<uintptr_t, std::shared_ptr<Window>> windows;
uintptr_t lastHandle = 0x10000;

std::vector<HWND> childrenOf(HWND parent)
{
    std::lock_guard lock(windowMutex());
    std::vector<HWND> children;
    for (const auto& [id, window] : windows)
        if (window->parent == parent)
            children.push_back(window->handle);
    std::sort(children.begin(), children.end());
    return children;
}

void forget(HWND handle)
{
    std::lock_guard lock(windowMutex());
    windows.erase(reinterpret_cast<uintptr_t>(handle));
}

// widgetGone: the widget is being deleted by Qt and must not be touched again.
BOOL destroy(HWND handle, bool widgetGone)
{
    std::shared_ptr<Window> window = findWindow(handle);
    if (!window || window->destroying)
        return FALSE;
    window->destroying = true;
    QPointer<QWidget> widget = window->widget;
    if (widgetGone)
        window->widget = nullptr;
    window->proc(handle, WM_DESTROY, 0, 0);
    for (HWND child : childrenOf(handle))
        destroy(child, false);
    for (auto& [id, timer] : window->timers) {
        timer->stop();
        timer->deleteLater();
    }
    window->timers.clear();
    forget(handle);
    if (widget && !widgetGone) {
        QObject::disconnect(widget, &QObject::destroyed, QCoreApplication::instance(), nullptr);
        widget->setProperty(handleProperty, QVariant());
        widget->hide();
        // Later, as the widget may be in the middle of its own event handler.
        widget->deleteLater();
    }
    return TRUE;
}

} // namespace

std::mutex& windowMutex()
{
    static std::mutex mutex;
    return mutex;
}

std::shared_ptr<Window> findWindow(HWND handle)
{
    std::lock_guard lock(windowMutex());
    auto it = windows.find(reinterpret_cast<uintptr_t>(handle));
    return it == windows.end() ? nullptr : it->second;
}

LRESULT onWindow(HWND handle, std::function<LRESULT(Window&)> fn)
{
    return callOnGuiThread([handle, fn = std::move(fn)]() -> LRESULT {
        std::shared_ptr<Window> window = findWindow(handle);
        return window ? fn(*window) : 0;
    });
}

LRESULT deliver(HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    std::shared_ptr<Window> window = findWindow(handle);
    return window ? window->proc(handle, message, wParam, lParam) : 0;
}

HWND createWindow(const char* className, const char* title, WNDPROC proc, HWND parent,
                  void* createParam, RECT rect)
{
    if (!proc || (parent && !IsWindow(parent)))
        return nullptr;
    return reinterpret_cast<HWND>(callOnGuiThread([=]() -> LRESULT {
        auto window = std::make_shared<Window>();
        window->className = className ? className : "";
        window->title = title ? title : "";
        const std::string name = window->title;
        window->proc = proc;
        window->parent = parent;
        window->rect = rect;
        {
            std::lock_guard lock(windowMutex());
            window->handle = reinterpret_cast<HWND>(lastHandle += 0x10);
            windows.emplace(reinterpret_cast<uintptr_t>(window->handle), window);
        }
        HWND handle = window->handle;
        CREATESTRUCTA create{createParam, nullptr, nullptr, parent,
                             int(rect.bottom - rect.top), int(rect.right - rect.left),
                             int(rect.top), int(rect.left), 0,
                             name.c_str(), window->className.c_str(), 0};
        if (proc(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
            destroy(handle, false);
            return 0;
        }
        return reinterpret_cast<LRESULT>(handle);
    }));
}

} // namespace win

using win::findWindow;
using win::Window;
using win::windowMutex;

BOOL IsWindow(HWND handle) { return findWindow(handle) ? TRUE : FALSE; }

BOOL DestroyWindow(HWND handle)
{
    return BOOL(win::callOnGuiThread([handle] { return LRESULT(win::destroy(handle, false)); }));
}

LRESULT DefWindowProcA(HWND handle, UINT message, WPARAM, LPARAM)
{
    if (message == WM_CLOSE)
        DestroyWindow(handle);
    return 0;
}

HWND GetParent(HWND handle)
{
    std::shared_ptr<Window> window = findWindow(handle);
    return window ? window->parent : nullptr;
}

HWND FindWindowA(const char* className, const char* title)
{
    std::lock_guard lock(windowMutex());
    HWND found = nullptr;
    for (const auto& [id, window] : win::windows) {
        if (className && window->className != className)
            continue;
        if (title && window->title != title)
            continue;
        if (!found || window->handle < found)
            found = window->handle;
    }
    return found;
}

LONG_PTR SetWindowLongPtrA(HWND handle, int index, LONG_PTR value)
{
    std::shared_ptr<Window> window = findWindow(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (index == GWLP_WNDPROC) {
        WNDPROC proc = reinterpret_cast<WNDPROC>(value);
        return proc ? reinterpret_cast<LONG_PTR>(std::exchange(window->proc, proc)) : 0;
    }
    std::lock_guard lock(windowMutex());
    return std::exchange(window->longs[index], value);
}

LONG_PTR GetWindowLongPtrA(HWND handle, int index)
{
    std::shared_ptr<Window> window = findWindow(handle);
    if (!window) {
        SetLastError(ERROR_INVALID_WINDOW_HANDLE);
        return 0;
    }
    if (index == GWLP_WNDPROC)
        return reinterpret_cast<LONG_PTR>(window->proc);
    std::lock_guard lock(windowMutex());
    auto it = window->longs.find(index);
    return it == window->longs.end() ? 0 : it->second;
}

LRESULT CallWindowProcA(WNDPROC proc, HWND handle, UINT message, WPARAM wParam, LPARAM lParam)
{
    return proc ? proc(handle, message, wParam, lParam) : 0;
}

BOOL SetWindowTextA(HWND handle, const char* text)
{
    std::shared_ptr<Window> window = findWindow(handle);
    if (!window)
        return FALSE;
    {
        std::lock_guard lock(windowMutex());
        window->title = text ? text : "";
    }
    // The widget shows whatever the handle holds when the update runs.
    auto showTitle = [handle] {
        std::shared_ptr<Window> w = findWindow(handle);
        if (!w || !w->widget)
            return;
        std::string title;
        {
            std::lock_guard lock(windowMutex());
            title = w->title;
        }
        w->widget->setWindowTitle(win::toQString(title));
    };
    if (win::isGuiThread())
        showTitle();
    else
        QMetaObject::invokeMethod(QCoreApplication::instance(), showTitle, Qt::QueuedConnection);
    return TRUE;
}

int GetWindowTextA(HWND handle, char* buffer, int size)
{
    std::shared_ptr<Window> window = findWindow(handle);
    if (!buffer || size <= 0)
        return 0;
    buffer[0] = '\0';
    if (!window)
        return 0;
    std::lock_guard lock(windowMutex());
    size_t length = std::min(window->title.size(), size_t(size - 1));
    std::memcpy(buffer, window->title.data(), length);
    buffer[length] = '\0';
    return int(length);
}

namespace win {

bool attachWidget(HWND handle, QWidget* widget)
{
    std::shared_ptr<Window> window = findWindow(handle);
    if (!window || !widget || !isGuiThread())
        return false;
    std::string title;
    RECT rect;
    {
        std::lock_guard lock(windowMutex());
        title = window->title;
        rect = window->rect;
    }
    if (QWidget* old = window->widget; old && old != widget) {
        QObject::disconnect(old, &QObject::destroyed, QCoreApplication::instance(), nullptr);
        old->setProperty(handleProperty, QVariant());
    }
    window->widget = widget;
    widget->setProperty(handleProperty, QVariant::fromValue(reinterpret_cast<quintptr>(handle)));
    widget->setWindowTitle(toQString(title));
    if (rect.right > rect.left && rect.bottom > rect.top)
        widget->setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    QObject::connect(widget, &QObject::destroyed, QCoreApplication::instance(),
                     [handle] { destroy(handle, true); });
    return true;
}

QWidget* widgetOf(HWND handle)
{
    std::shared_ptr<Window> window = findWindow(handle);
    return window ? window->widget.data() : nullptr;
}

HWND windowOf(const QWidget* widget)
{
    if (!widget)
        return nullptr;
    auto handle = reinterpret_cast<HWND>(widget->property(handleProperty).value<quintptr>());
    return IsWindow(handle) ? handle : nullptr;
}

} // namespace win
