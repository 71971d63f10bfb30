// Window handles with and without a widget: a headless window's creation, state and messages,
// child rectangles, refused creations and destroyed handles, and a widget's life tied to its
// window's.
#include "platform/gui.h"
#include "recorder.h"

#include <QPaintEvent>
#include <QPointer>
#include <QTest>
#include <QWidget>

#include <gtest/gtest.h>

using test::Recorder;
using test::WM_DOUBLE;

namespace {

class WindowsTest : public testing::Test {
protected:
    void SetUp() override { Recorder::instance().clear(); }
    void TearDown() override
    {
        for (HWND w : created)
            DestroyWindow(w);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    HWND create(const char* title, HWND parent = nullptr, RECT rect = {0, 0, 0, 0},
                void* param = nullptr)
    {
        HWND w = win::createWindow("TestWnd", title, Recorder::proc, parent, param, rect);
        created.push_back(w);
        return w;
    }
    std::vector<HWND> created;
};

class PaintCounter : public QWidget {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent*) override { ++paints; }
};

bool sameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

TEST_F(WindowsTest, HeadlessWindowRunsCreateAndKeepsItsState)
{
    int param = 0;
    HWND w = create("Sonkel32", nullptr, {10, 20, 110, 70}, &param);
    ASSERT_TRUE(w);
    EXPECT_TRUE(IsWindow(w));
    EXPECT_EQ(Recorder::instance().messagesTo(w), std::vector<UINT>{WM_CREATE});
    EXPECT_EQ(Recorder::instance().createParam(), &param);
    EXPECT_EQ(FindWindowA("TestWnd", "Sonkel32"), w);
    EXPECT_EQ(FindWindowA("TestWnd", "other"), nullptr);

    RECT r;
    ASSERT_TRUE(GetClientRect(w, &r));
    EXPECT_TRUE(sameRect(r, {0, 0, 100, 50}));
    ASSERT_TRUE(GetWindowRect(w, &r));
    EXPECT_TRUE(sameRect(r, {10, 20, 110, 70}));

    EXPECT_EQ(SetWindowLongPtrA(w, GWLP_USERDATA, 1234), 0);
    EXPECT_EQ(SetWindowLongPtrA(w, 0, 99), 0);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_USERDATA), 1234);
    EXPECT_EQ(GetWindowLongPtrA(w, 0), 99);
    EXPECT_EQ(SetWindowLongPtrA(w, GWLP_USERDATA, 5), 1234);

    char title[5];
    EXPECT_TRUE(SetWindowTextA(w, "Sonkel32 - No Nav Input"));
    EXPECT_EQ(GetWindowTextA(w, title, sizeof title), 4);
    EXPECT_STREQ(title, "Sonk");

    // Without a widget the procedure hears of moves, sizes and visibility itself.
    ASSERT_TRUE(MoveWindow(w, 5, 6, 300, 200, TRUE));
    auto moves = Recorder::instance().calls(WM_MOVE);
    auto sizes = Recorder::instance().calls(WM_SIZE);
    ASSERT_EQ(moves.size(), 1u);
    ASSERT_EQ(sizes.size(), 1u);
    EXPECT_EQ(moves[0].lParam, MAKELPARAM(5, 6));
    EXPECT_EQ(LOWORD(sizes[0].lParam), 300);
    EXPECT_EQ(HIWORD(sizes[0].lParam), 200);
    ASSERT_TRUE(GetWindowRect(w, &r));
    EXPECT_TRUE(sameRect(r, {5, 6, 305, 206}));

    EXPECT_FALSE(ShowWindow(w, SW_SHOW));
    EXPECT_TRUE(ShowWindow(w, SW_SHOW));
    EXPECT_TRUE(IsWindowVisible(w));
    EXPECT_TRUE(ShowWindow(w, SW_MINIMIZE));
    EXPECT_TRUE(IsIconic(w));
    EXPECT_TRUE(ShowWindow(w, SW_HIDE));
    auto shows = Recorder::instance().calls(WM_SHOWWINDOW);
    ASSERT_EQ(shows.size(), 2u);
    EXPECT_EQ(shows[0].wParam, WPARAM(TRUE));
    EXPECT_EQ(shows[1].wParam, WPARAM(FALSE));
}

TEST_F(WindowsTest, ChildRectangleIsInItsParentsCoordinates)
{
    HWND parent = create("parent", nullptr, {100, 50, 600, 450});
    HWND child = create("child", parent, {10, 10, 60, 40});
    EXPECT_EQ(GetParent(child), parent);
    RECT r;
    ASSERT_TRUE(GetWindowRect(child, &r));
    EXPECT_TRUE(sameRect(r, {110, 60, 160, 90}));
}

TEST_F(WindowsTest, RefusedCreationDestroysTheWindow)
{
    Recorder::instance().refuseCreate();
    HWND w = create("refused");
    EXPECT_EQ(w, nullptr);
    ASSERT_EQ(Recorder::instance().calls(WM_DESTROY).size(), 1u);
    HWND dead = Recorder::instance().calls(WM_DESTROY)[0].window;
    EXPECT_FALSE(IsWindow(dead));
    EXPECT_EQ(FindWindowA("TestWnd", "refused"), nullptr);
}

// A mode that takes over a window keeps the old procedure and passes on what it leaves.
LRESULT CALLBACK_Takeover(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DOUBLE)
        return LRESULT(wParam * 3);
    auto old = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(window, GWLP_USERDATA));
    return CallWindowProcA(old, window, message, wParam, lParam);
}

TEST_F(WindowsTest, ReplacedProcedureTakesMessagesUntilPutBack)
{
    HWND w = create("chart");
    const LONG_PTR old = SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(CALLBACK_Takeover));
    ASSERT_EQ(old, reinterpret_cast<LONG_PTR>(Recorder::proc));
    SetWindowLongPtrA(w, GWLP_USERDATA, old);
    EXPECT_EQ(GetWindowLongPtrA(w, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(CALLBACK_Takeover));
    EXPECT_EQ(SendMessageA(w, WM_DOUBLE, 7, 0), 21);
    SendMessageA(w, WM_USER + 9, 0, 0); // passed on
    EXPECT_EQ(Recorder::instance().calls(WM_USER + 9).size(), 1u);

    SetWindowLongPtrA(w, GWLP_WNDPROC, old);
    EXPECT_EQ(SendMessageA(w, WM_DOUBLE, 7, 0), 14);
    EXPECT_EQ(SetWindowLongPtrA(w, GWLP_WNDPROC, 0), 0); // no procedure is no change
    EXPECT_EQ(SendMessageA(w, WM_DOUBLE, 1, 0), 2);
}

TEST_F(WindowsTest, DestroyedHandleIsRejectedSafely)
{
    HWND parent = create("parent");
    HWND child = create("child", parent);
    ASSERT_TRUE(PostMessageA(parent, WM_DOUBLE, 1, 0)); // still queued when it dies
    ASSERT_TRUE(DestroyWindow(parent));

    auto destroys = Recorder::instance().calls(WM_DESTROY);
    ASSERT_EQ(destroys.size(), 2u);
    EXPECT_EQ(destroys[0].window, parent);
    EXPECT_EQ(destroys[1].window, child);
    EXPECT_FALSE(IsWindow(parent));
    EXPECT_FALSE(IsWindow(child));

    QCoreApplication::processEvents();
    EXPECT_TRUE(Recorder::instance().calls(WM_DOUBLE).empty());

    EXPECT_EQ(SendMessageA(parent, WM_DOUBLE, 21, 0), 0);
    EXPECT_FALSE(PostMessageA(child, WM_DOUBLE, 21, 0));
    EXPECT_FALSE(DestroyWindow(parent));
    EXPECT_EQ(SetTimer(parent, 1, 10, nullptr), 0u);
    EXPECT_EQ(GetWindowLongPtrA(parent, GWLP_USERDATA), 0);
    EXPECT_FALSE(SetWindowTextA(child, "x"));
    char text[8] = "junk";
    EXPECT_EQ(GetWindowTextA(child, text, sizeof text), 0);
    EXPECT_STREQ(text, "");
    RECT r;
    EXPECT_FALSE(GetClientRect(child, &r));
    EXPECT_TRUE(Recorder::instance().calls(WM_DOUBLE).empty());
}

TEST_F(WindowsTest, WidgetShowsTheWindow)
{
    HWND w = create("Varnel Swath chart window", nullptr, {30, 40, 330, 240});
    QPointer<PaintCounter> widget = new PaintCounter;
    ASSERT_TRUE(win::attachWidget(w, widget));
    EXPECT_EQ(win::widgetOf(w), widget);
    EXPECT_EQ(win::windowOf(widget), w);
    EXPECT_EQ(widget->windowTitle(), "Varnel Swath chart window");
    EXPECT_EQ(widget->size(), QSize(300, 200));

    SetWindowTextA(w, "Sonkel32");
    EXPECT_EQ(widget->windowTitle(), "Sonkel32");

    ShowWindow(w, SW_SHOWNORMAL);
    EXPECT_TRUE(widget->isVisible());
    EXPECT_TRUE(IsWindowVisible(w));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(widget));

    int before = widget->paints;
    UpdateWindow(w);
    EXPECT_GT(widget->paints, before);
    before = widget->paints;
    RECT part{0, 0, 10, 10};
    InvalidateRect(w, &part, FALSE);
    EXPECT_TRUE(test::processEventsUntil([&] { return widget->paints > before; }));

    MoveWindow(w, 50, 60, 400, 250, TRUE);
    RECT r;
    ASSERT_TRUE(GetClientRect(w, &r));
    EXPECT_TRUE(sameRect(r, {0, 0, 400, 250}));

    ASSERT_TRUE(DestroyWindow(w));
    EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(win::windowOf(widget), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(widget.isNull());
}

TEST_F(WindowsTest, DeletingTheWidgetDestroysTheWindow)
{
    HWND parent = create("parent");
    HWND child = create("child", parent);
    HWND headlessChild = create("headless child", parent);
    auto* widget = new QWidget;
    ASSERT_TRUE(win::attachWidget(parent, widget));
    ASSERT_TRUE(win::attachWidget(child, new QWidget(widget)));
    delete widget;
    for (HWND w : {parent, child, headlessChild})
        EXPECT_FALSE(IsWindow(w));
    EXPECT_EQ(Recorder::instance().calls(WM_DESTROY).size(), 3u);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace
