// The chart set saved at exit and reopened at the next start, and the engine's chart actions.
#include "enginefixture.h"

#include "platform/messages.h"
#include "platform/modules.h"
#include "platform/gui.h"
#include "platform/winuser.h"
#include "platform/profile.h"

#include <QMdiArea>
#include <QMdiSubWindow>
#include <QTest>
#include <QWidget>

TEST_F(EngineTest, VersionAndCatalogueFolder)
{
    int major = 0, minor = 0, version = 0, build = 0;
    ASSERT_NE(EC_getDllVersion(&major, &minor, &version, &build), 0);
    EXPECT_GE(version, 1041);
    EXPECT_EQ(version, major * 1000 + minor);
    start();
    EXPECT_TRUE(std::filesystem::is_directory(home() / "dosdevices/c:/varnel/Catalogs"));
    char night[16];
    GetPrivateProfileStringA("OTHER", "SNIGHT", "", night, sizeof night, "c:\\varnel\\chart.ini");
    EXPECT_STREQ(night, "0.5");
    EXPECT_EQ(EC_GetCurentChartHandle(), 0) << "no chart window yet";
}

TEST_F(EngineTest, ChartStatusIsRestoredAtTheNextStart)
{
    testcell::write(chartFolder() / "TVTEST01.000");
    start();
    EXPECT_EQ(EC_UserRequiredRestore(), 0) << "nothing saved on a first start";
    HWND window = openWindow(600, 400);
    ASSERT_GT(EC_ChangeChartArea(window, 100100000, 600150000, 100300000, 600050000), 0);
    int32_t w0, n0, e0, s0;
    EC_GetChartArea(window, &w0, &n0, &e0, &s0);
    EC_oemChart_doAction(EC_ACTION_COLOUR);
    ASSERT_GT(EC_saveChartsStatus(0), 0);
    EC_ExitChartingSystem();
    EXPECT_EQ(EC_GetCurentChartHandle(), 0);

    start();
    ASSERT_NE(EC_UserRequiredRestore(), 0);
    ASSERT_EQ(EC_restoreChartStatusInit(0), 1);
    ASSERT_GT(EC_restoreChartStatusNext(0), 0);
    EC_restoreChartFinished();
    HWND restored = reinterpret_cast<HWND>(EC_GetCurentChartHandle());
    ASSERT_NE(restored, nullptr);
    EXPECT_EQ(euro32::chartWidget(restored)->windowTitle().toStdString(), "TVTEST01");
    // The saved area is shown whole and centred in the new window.
    int32_t w, n, e, s;
    ASSERT_GT(EC_GetChartArea(restored, &w, &n, &e, &s), 0);
    EXPECT_LE(w, w0 + 10);
    EXPECT_GE(e, e0 - 10);
    EXPECT_GE(n, n0 - 10);
    EXPECT_LE(s, s0 + 10);
    EXPECT_NEAR((w + e) / 2.0, (w0 + e0) / 2.0, 10);
    char scheme[8];
    GetPrivateProfileStringA("STATUS", "Scheme", "", scheme, sizeof scheme, "c:\\varnel\\chart.ini");
    EXPECT_STREQ(scheme, "1") << "dusk saved";
}

TEST_F(EngineTest, RestoredWindowKeepsItsSavedArea)
{
    testcell::write(chartFolder() / "TVTEST01.000");
    WritePrivateProfileStringA("STATUS", "Count", "2", "c:\\varnel\\chart.ini");
    WritePrivateProfileStringA("STATUS", "Chart1", "TVTEST01", "c:\\varnel\\chart.ini");
    WritePrivateProfileStringA("STATUS", "Area1", "100000000,600200000,100500000,600000000", "c:\\varnel\\chart.ini");
    WritePrivateProfileStringA("STATUS", "Chart2", "GONE0001", "c:\\varnel\\chart.ini");
    WritePrivateProfileStringA("STATUS", "Area2", "damaged", "c:\\varnel\\chart.ini");
    start();
    ASSERT_EQ(EC_restoreChartStatusInit(0), 1) << "the damaged entry is skipped";
    ASSERT_GT(EC_restoreChartStatusNext(0), 0);
    EXPECT_EQ(EC_restoreChartStatusNext(0), 0);
    EC_restoreChartFinished();
    HWND window = reinterpret_cast<HWND>(EC_GetCurentChartHandle());
    int32_t w, n, e, s;
    ASSERT_GT(EC_GetChartArea(window, &w, &n, &e, &s), 0);
    EXPECT_LE(w, 100000000 + 10);
    EXPECT_GE(e, 100500000 - 10);
    EXPECT_GE(n, 600200000 - 10);
    EXPECT_LE(s, 600000000 + 10);
}

TEST_F(EngineTest, InstallCopiesCellsWithTheirUpdatesAndFolioChoosesTheChart)
{
    const std::filesystem::path source = home() / "incoming";
    std::filesystem::create_directories(source);
    testcell::write(source / "TVTEST02.000", "TVTEST02.000");
    testcell::writeUpdate(source / "TVTEST02.001", "TVTEST02.000", 1);
    testcell::write(chartFolder() / "TVTEST01.000");
    start();
    HWND window = openWindow();
    EXPECT_EQ(euro32::chartWidget(window)->windowTitle().toStdString(), "TVTEST01");

    win::scripted::queueDialog("Install Charts", {IDOK, {{1, (source / "TVTEST02.000").string()}}});
    ASSERT_GT(EC_oemChart_doAction(EC_ACTION_INSTALL), 0);
    EXPECT_TRUE(std::filesystem::exists(chartFolder() / "TVTEST02.000"));
    EXPECT_TRUE(std::filesystem::exists(chartFolder() / "TVTEST02.001"));

    win::scripted::queueDialog("Folio", {IDOK, {{1, "TVTEST02"}}});
    ASSERT_GT(EC_oemChart_doAction(EC_ACTION_FOLIO), 0);
    EXPECT_EQ(euro32::chartWidget(window)->windowTitle().toStdString(), "TVTEST02");
    // The update's wreck is drawn: its black hull on the 10-20 m shade.
    int x, y;
    EC_GeosToPixel(static_cast<int32_t>(testcell::stripCentre(3) * 1e7),
                   static_cast<int32_t>(testcell::kWreckLat * 1e7), &x, &y, window);
    const QImage image = euro32::captureChart(window);
    int dark = 0;
    for (int dx = -8; dx <= 8; ++dx)
        dark += image.pixelColor(x + dx, y).lightness() < 60;
    EXPECT_GE(dark, 10);
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(EngineTest, CatalogueClickOpensTheChartUnderIt)
{
    testcell::write(chartFolder() / "TVTEST01.000");
    start();
    HWND window = openWindow(400, 300);
    // A region where the cell is some 20 pixels wide, and one where it is a single pixel and
    // the catalogue shows it as a mark a click a little off its centre still hits.
    struct Case {
        int32_t west, north, east, south;
        int offset;
    };
    for (const Case& c : {Case{90000000, 610000000, 110000000, 590000000, 0},
                          Case{0, 700000000, 200000000, 500000000, 5}}) {
        ASSERT_GT(EC_ChangeChartArea(window, c.west, c.north, c.east, c.south), 0);
        ASSERT_GT(EC_oemChart_doAction(EC_ACTION_CATALOGUE), 0);
        int x, y;
        EC_GeosToPixel(100250000, 600100000, &x, &y, window);
        QTest::mouseClick(euro32::chartWidget(window), Qt::LeftButton, {}, QPoint(x + c.offset, y));
        int32_t w, n, e, s;
        EC_GetChartArea(window, &w, &n, &e, &s);
        EXPECT_LE(e - w, 600000) << "zoomed to the cell";
    }
}

TEST_F(EngineTest, MouseGoesToTheProgramFirst)
{
    start();
    HWND window = openWindow();
    static std::vector<UINT> seen;
    seen.clear();
    EC_SetMouseChangeCallback([](HWND, UINT message, WPARAM, LPARAM lParam) {
        seen.push_back(message);
        EXPECT_EQ(lParam & 0xFFFF, 20);
        EXPECT_EQ((lParam >> 16) & 0xFFFF, 30);
        return 1;
    });
    QTest::mouseClick(euro32::chartWidget(window), Qt::LeftButton, {}, QPoint(20, 30));
    EXPECT_EQ(seen, (std::vector<UINT>{0x0201, 0x0202}));
}

TEST(EngineLibrary, ZoomFullIsFoundByNameInEuro32Dll)
{
    HMODULE library = LoadLibraryA("euro32.dll");
    ASSERT_NE(library, nullptr) << GetLastError();
    FARPROC zoomFull = GetProcAddress(library, "EC_ChartZoomFull");
    EXPECT_EQ(reinterpret_cast<void*>(zoomFull), reinterpret_cast<void*>(&EC_ChartZoomFull))
        << "the library the program is linked with";
    FreeLibrary(library);
}

TEST_F(EngineTest, RightButtonOffersTheUserOptions)
{
    start();
    HWND window = openWindow();
    static std::vector<int> options;
    options.clear();
    EC_SetRightMouseCallback([](HWND, int option) { options.push_back(option); return 0; },
                             "User option  1", "User option  2");
    win::scripted::queueDialog("User Options", {IDOK, {{1, "2"}}});
    QTest::mouseClick(euro32::chartWidget(window), Qt::RightButton, {}, QPoint(50, 50));
    win::scripted::queueDialog("User Options", {IDCANCEL, {}});
    QTest::mouseClick(euro32::chartWidget(window), Qt::RightButton, {}, QPoint(50, 50));
    EXPECT_EQ(options, std::vector<int>{2});
}

TEST_F(EngineTest, ChartWindowsAreChildrenOfTheProgramsMdiClient)
{
    testcell::write(chartFolder() / "TVTEST01.000");
    start();
    HWND client = win::createWindow("MDICLIENT", "Varnel chart MDI Client window", DefWindowProcA);
    auto* area = new QMdiArea;
    area->resize(800, 600);
    ASSERT_TRUE(win::attachWidget(client, area));
    ASSERT_GT(EC_SetMainWindowScreenId(client), 0);

    HWND chart = EC_CreateChartWindow(1, 1, 799, 599);
    ASSERT_NE(chart, nullptr);
    ASSERT_EQ(area->subWindowList().size(), 1);
    // The chart title is the caption of the chart window's parent, the MDI child.
    HWND child = GetParent(chart);
    ASSERT_NE(child, nullptr);
    char title[128] = {};
    GetWindowTextA(child, title, sizeof title);
    EXPECT_STREQ(title, "TVTEST01");
    EXPECT_EQ(GetParent(child), client);
    RECT rect;
    ASSERT_TRUE(GetClientRect(chart, &rect));
    EXPECT_GT(rect.right, 0);

    // Destroying the child closes the chart window: its handle is gone.
    DestroyWindow(child);
    EXPECT_FALSE(IsWindow(chart));
    EXPECT_EQ(EC_GetCurentChartHandle(), 0);
    int x, y;
    EXPECT_EQ(EC_GeosToPixel(100000000, 600000000, &x, &y, chart), 0);
    DestroyWindow(client);
}
