// The program's main and chart windows with the demo survey's box loaded, for the
// classification window: its controls by identifier, readings sent as the chart sends them, and
// pictures of its grid.
#pragma once

#include "ProgramWindows.h"
#include "ScopedGuards.h"

#include "chart/ChartHooks.h"
#include "chart/TrackPens.h"
#include "classification/BoxFile.h"
#include "classification/SedrixWindow.h"
#include "frame/WindowLayout.h"

#include <QImage>
#include <QLabel>
#include <QTest>

#include <cstdlib>
#include <filesystem>

class SedrixHost : public ProgramWindows {
protected:
    void SetUp() override
    {
        ProgramWindows::SetUp();
        ComputeDefaultRects();
        const auto boxes = home.driveC() / "varnel" / "BoxFiles";
        std::filesystem::create_directories(boxes);
        std::filesystem::copy_file(DEMO_DATA_DIR "/demo.box", boxes / "demo.box");
        ASSERT_EQ(LoadBoxFile("c:\\varnel\\BoxFiles\\demo.box", nullptr, &boxFile, 0), 1);
        RecreateClassBrushes();
        // The chart window closes the classification window when it asks to be hidden.
        onReceived() = [](const Received& r) {
            if (r.message == WM_TOOLWINDOW_CLOSED && r.wParam == SEDRIXWND)
                CloseSedrixWindow();
        };
    }
    void TearDown() override
    {
        onReceived() = nullptr;
        if (IsWindow(hwndSedrixWnd))
            CloseSedrixWindow();
        ProgramWindows::TearDown();
    }

public:
    // The E1 and E2 that land on a pixel of the grid with this cell size.
    static std::pair<float, float> valuesAt(QPoint pixel, int cell)
    {
        const float size = float(32 * cell);
        return {boxFile.e1Min + (size - pixel.y() + 0.5f) / size * (boxFile.e1Max - boxFile.e1Min),
                boxFile.e2Min + (pixel.x() + 0.5f) / size * (boxFile.e2Max - boxFile.e2Min)};
    }

protected:
    HWND open()
    {
        HWND window = ShowSedrixWindow(chartWindow);
        EXPECT_EQ(window, hwndSedrixWnd);
        return window;
    }

    // Clicks are posted to the window: they have been handled once this returns.
    static void click(int id)
    {
        QAbstractButton* button = buttonOf(hwndSedrixWnd, id);
        ASSERT_NE(button, nullptr) << "no control " << id;
        button->click();
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
    static bool editing() { return buttonOf(hwndSedrixWnd, IDC_SEDRIX_MODE)->text() == "Normal"; }

    static QWidget* gridWidget() { return win::widgetOf(FindWindowA("SedrixDisplayWnd", nullptr)); }
    static QWidget* selectionWidget() { return win::widgetOf(FindWindowA("SelectionWnd", nullptr)); }
    static QImage gridPicture() { return gridWidget()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

    // The reading as the chart passes it on: classified, then sent.
    static void sendReading(float e1, float e2)
    {
        TrackPoint point{};
        point.e1 = e1;
        point.e2 = e2;
        ClassifyReading(&boxFile, &point);
        SendMessageA(hwndSedrixWnd, WM_NEW_READING, 0, reinterpret_cast<LPARAM>(&point));
    }
    // A drag over the grid with the left button, from and to grid pixels.
    static void drag(QPoint from, QPoint to)
    {
        QWidget* grid = gridWidget();
        QTest::mousePress(grid, Qt::LeftButton, Qt::NoModifier, from);
        QTest::mouseMove(grid, (from + to) / 2);
        QTest::mouseMove(grid, to);
        QTest::mouseRelease(grid, Qt::LeftButton, Qt::NoModifier, to);
    }
    static QPoint cellCentre(int column, int row, int cell) { return {column * cell + cell / 2, row * cell + cell / 2}; }

    // Chooses the class in the selection window, as the user clicks it.
    static void chooseClass(int cls)
    {
        QWidget* selection = selectionWidget();
        ASSERT_NE(selection, nullptr);
        const int h = selection->height() / 32;
        QTest::mouseClick(selection, Qt::LeftButton, Qt::NoModifier, QPoint(selection->width() / 2, cls * h + h / 2));
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        ASSERT_EQ(boxFile.currentClass, cls);
    }

    // Saved into $SEDRIX_GRAB_DIR when it is set, to be looked at.
    static void keepPicture(const QImage& picture, const char* name)
    {
        if (const char* folder = std::getenv("SEDRIX_GRAB_DIR"))
            picture.save(QString("%1/%2.png").arg(folder, name));
    }

    ScopedMessageListening listening;
};
