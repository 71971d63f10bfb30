// The Sedrix toolbar: its buttons, tooltips, place and cursor position fields, the messages that
// check, enable and recolour its buttons, clicks posted to the parent as commands, and its images.
#include "ProgramWindows.h"

#include "frame/SedrixToolbar.h"
#include "frame/ToolbarImages.h"

#include <QLineEdit>
#include <QTest>
#include <QToolButton>

namespace {

using Toolbar = ProgramWindows;

QToolButton* tool(int command)
{
    return win::widgetOf(hwndSedrixToolbar)->findChild<QToolButton*>(QString::number(command));
}

QImage image(const QIcon& icon) { return icon.pixmap(16, 16).toImage().convertToFormat(QImage::Format_ARGB32); }
QImage image(int index) { return ToolbarImage(index, 16).toImage().convertToFormat(QImage::Format_ARGB32); }

TEST_F(Toolbar, ButtonsTooltipsAndPlace)
{
    HWND toolbar = CreateSedrixToolbar(chartWindow);
    ASSERT_TRUE(toolbar);
    EXPECT_EQ(hwndSedrixToolbar, toolbar);
    EXPECT_EQ(FindWindowA("SedrixToolbarWnd", "Toolbar Frame"), toolbar);
    const RECT r = screenRect(toolbar);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.top, 0);

    EXPECT_EQ(tool(IDM_MEASURE_TOOL)->toolTip(), "Measure Tool");
    EXPECT_EQ(tool(IDM_SAVING)->toolTip(), "Add a route");
    EXPECT_EQ(tool(IDM_QUERY_INFO)->toolTip(), "Draw arcs charts 1:1");
    EXPECT_EQ(tool(IDM_TIDAL_ATLAS)->toolTip(), "Tidal atlas");
    ASSERT_TRUE(tool(IDM_PAST_COLOUR));

    auto fields = win::widgetOf(toolbar)->findChildren<QLineEdit*>();
    ASSERT_EQ(fields.size(), 2);
    EXPECT_EQ(fields[0]->toolTip(), "Position of cursor (Lat)");
    EXPECT_EQ(fields[1]->toolTip(), "Position of cursor (Lng)");
    EXPECT_TRUE(fields[0]->isReadOnly());
    SetToolbarCursorPosition("50°48.123'N", "001°05.456'W");
    EXPECT_EQ(fields[0]->text(), "50°48.123'N");
    EXPECT_EQ(fields[1]->text(), "001°05.456'W");

    DestroyWindow(toolbar);
    EXPECT_EQ(hwndSedrixToolbar, nullptr);
}

TEST_F(Toolbar, MessagesSetCheckedEnabledAndTheColourImage)
{
    CreateSedrixToolbar(chartWindow);
    SendMessageA(hwndSedrixToolbar, WM_TOOLBAR_CHECK, IDM_QUERY_INFO, 1);
    EXPECT_TRUE(tool(IDM_QUERY_INFO)->isChecked());
    SendMessageA(hwndSedrixToolbar, WM_TOOLBAR_CHECK, IDM_QUERY_INFO, 0);
    EXPECT_FALSE(tool(IDM_QUERY_INFO)->isChecked());
    SendMessageA(hwndSedrixToolbar, WM_TOOLBAR_ENABLE, IDM_TIDAL_ATLAS, 0);
    EXPECT_FALSE(tool(IDM_TIDAL_ATLAS)->isEnabled());
    SendMessageA(hwndSedrixToolbar, WM_TOOLBAR_ENABLE, IDM_TIDAL_ATLAS, 1);
    EXPECT_TRUE(tool(IDM_TIDAL_ATLAS)->isEnabled());
    // A button the toolbar does not have is no error.
    SendMessageA(hwndSedrixToolbar, WM_TOOLBAR_ENABLE, 40012, 1);

    // The saving switch shows its state on the toolbar.
    AutoSaveIndicate(1);
    EXPECT_TRUE(processEventsUntil([] { return tool(IDM_SAVING)->isChecked(); }));
    AutoSaveIndicate(0);
    EXPECT_TRUE(processEventsUntil([] { return !tool(IDM_SAVING)->isChecked(); }));

    const std::pair<int, int> colours[] = {{0, 6}, {1, 7}, {2, 8}, {3, 9}, {4, 0}, {5, 5}, {6, 0}, {-1, 0}};
    for (auto [choice, expected] : colours) {
        SCOPED_TRACE(choice);
        EXPECT_EQ(PastColourImage(choice), expected);
        SendMessageA(hwndSedrixToolbar, WM_TOOLBAR_IMAGE, IDM_PAST_COLOUR, choice);
        EXPECT_EQ(image(tool(IDM_PAST_COLOUR)->icon()), image(expected));
    }
    // Only the colour button changes its image.
    const QImage route = image(tool(IDM_SAVING)->icon());
    SendMessageA(hwndSedrixToolbar, WM_TOOLBAR_IMAGE, IDM_SAVING, 1);
    EXPECT_EQ(image(tool(IDM_SAVING)->icon()), route);
}

TEST_F(Toolbar, ClicksArePostedToTheParentAsCommands)
{
    HWND toolbar = CreateSedrixToolbar(chartWindow);
    for (int command : {IDM_MEASURE_TOOL, IDM_TIDAL_ATLAS}) {
        SCOPED_TRACE(command);
        received().clear();
        QTest::mouseClick(tool(command), Qt::LeftButton);
        // Posted: nothing has arrived before the event loop runs.
        EXPECT_TRUE(receivedBy(chartWindow, WM_COMMAND).empty());
        ASSERT_TRUE(processEventsUntil([&] { return !receivedBy(chartWindow, WM_COMMAND).empty(); }));
        const Received command0 = receivedBy(chartWindow, WM_COMMAND)[0];
        EXPECT_EQ(LOWORD(command0.wParam), command);
        EXPECT_EQ(command0.lParam, LPARAM(toolbar));
        // The program checks the buttons, a click does not.
        EXPECT_FALSE(tool(command)->isChecked());
    }
}

TEST_F(Toolbar, ImagesDifferAndAreDrawn)
{
    for (int i = 0; i < TOOLBAR_IMAGE_COUNT; ++i) {
        const QImage a = image(i);
        int drawn = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                drawn += qAlpha(a.pixel(x, y)) > 0;
        EXPECT_GT(drawn, 20) << i;
        for (int j = 0; j < i; ++j)
            EXPECT_NE(a, image(j)) << i << " " << j;
    }
}

} // namespace
