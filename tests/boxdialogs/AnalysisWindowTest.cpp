// The analysis window: beside the classification window over the main window, its buttons'
// states, what it tells the classification window, and the cell of each reading.
#include "BoxEditorHost.h"
#include "chart/ChartHooks.h"
#include "classification/AnalysisWindow.h"
#include "classification/SedrixNotifications.h"
#include "frame/WindowLayout.h"

#include <QLabel>

#include <array>

namespace {

class AnalysisWindowTest : public BoxEditorHost {
protected:
    void TearDown() override
    {
        CloseAnalysisWindow();
        BoxEditorHost::TearDown();
    }
    std::array<bool, 5> enabled() const
    {
        std::array<bool, 5> states{};
        for (int id = 0; id < 5; ++id)
            states[id] = buttonOf(hwndAnalysis, id)->isEnabled();
        return states;
    }
    void click(int id) { buttonOf(hwndAnalysis, id)->click(); }
    WPARAM lastAnalysisNotice(size_t count)
    {
        auto notices = awaitPosted(WM_SEDRIX_ANALYSIS, count);
        return notices.size() == count ? notices.back().wParam : WPARAM(-1);
    }
    QString cell() const { return control<QLabel>(hwndAnalysis, IDC_ANALYSIS_CELL)->text(); }
    void reading(float e1, float e2)
    {
        TrackPoint point{};
        point.e1 = e1;
        point.e2 = e2;
        ClassifyReading(&boxFile, &point);
        SendMessageA(hwndAnalysis, WM_NEW_READING, 0, reinterpret_cast<LPARAM>(&point));
    }

    static constexpr std::array<bool, 5> stopped{true, false, false, false, true};
    static constexpr std::array<bool, 5> running{false, true, true, true, true};
};

TEST_F(AnalysisWindowTest, FloatsBesideTheClassificationWindowOnce)
{
    HWND window = ShowAnalysisWindow(sedrixWindow);
    ASSERT_EQ(window, hwndAnalysis);
    EXPECT_EQ(ShowAnalysisWindow(sedrixWindow), window);
    QWidget* widget = win::widgetOf(window);
    ASSERT_NE(widget, nullptr);
    EXPECT_EQ(widget->parentWidget(), mainWidget);
    EXPECT_TRUE(widget->isVisible());
    RECT r = screenRect(window);
    EXPECT_LE(r.right, 760); // left of the classification window
    EXPECT_EQ(r.top, 432);
    EXPECT_GE(r.left, 0);
    EXPECT_EQ(GetParent(window), sedrixWindow);
    // It goes with the classification window.
    DestroyWindow(sedrixWindow);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(hwndAnalysis, nullptr);
}

TEST_F(AnalysisWindowTest, StartAndStopSwitchTheButtonsAndTheFlag)
{
    ShowAnalysisWindow(sedrixWindow);
    EXPECT_EQ(enabled(), stopped);
    EXPECT_FALSE(bAnalysisRunning);

    click(IDC_ANALYSIS_START);
    EXPECT_TRUE(bAnalysisRunning);
    EXPECT_EQ(enabled(), running);
    EXPECT_EQ(lastAnalysisNotice(1), 1u);

    click(IDC_ANALYSIS_REFRESH);
    EXPECT_EQ(lastAnalysisNotice(2), 2u);

    click(IDC_ANALYSIS_SCALES);
    HWND scales = FindWindowA("SCALESDIALOG", nullptr);
    ASSERT_TRUE(IsWindow(scales));
    EXPECT_EQ(GetParent(scales), sedrixWindow);
    DestroyWindow(scales);

    click(IDC_ANALYSIS_STOP);
    EXPECT_FALSE(bAnalysisRunning);
    EXPECT_EQ(enabled(), stopped);
    EXPECT_EQ(lastAnalysisNotice(3), 0u);
}

TEST_F(AnalysisWindowTest, OffClosesItAndTellsTheClassificationWindow)
{
    for (bool analysing : {false, true}) {
        SCOPED_TRACE(analysing);
        received().clear();
        HWND window = ShowAnalysisWindow(sedrixWindow);
        if (analysing)
            click(IDC_ANALYSIS_START);
        click(IDC_ANALYSIS_OFF);
        EXPECT_TRUE(closed(window));
        EXPECT_EQ(hwndAnalysis, nullptr);
        auto closedNotices = awaitPosted(WM_TOOLWINDOW_CLOSED);
        ASSERT_EQ(closedNotices.size(), 1u);
        EXPECT_EQ(closedNotices[0].wParam, WPARAM(ANABARWND));
        // A running analysis does not outlive its window.
        EXPECT_FALSE(bAnalysisRunning);
        if (analysing) {
            EXPECT_EQ(lastAnalysisNotice(2), 0u);
        }
    }
}

TEST_F(AnalysisWindowTest, ShowsTheCellOfTheLatestReading)
{
    ShowAnalysisWindow(sedrixWindow);
    EXPECT_EQ(cell(), "");
    struct Case {
        float e1, e2;
        const char* shown;
    };
    // Bounds 0..4.095: column (E2 * 32 / 4.095), row ((4.095 - E1) * 32 / 4.095).
    for (const Case& c : {Case{2.0f, 1.0f, " >  7,16 < "}, Case{4.095f, 0.0f, " >  0, 0 < "},
                          Case{4.2f, 1.0f, "   <Ext>   "}, Case{0.5f, 3.9f, " > 30,28 < "}}) {
        SCOPED_TRACE(c.shown);
        reading(c.e1, c.e2);
        EXPECT_EQ(cell(), c.shown);
    }
}

} // namespace
