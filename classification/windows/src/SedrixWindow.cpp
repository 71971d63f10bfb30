// The classification window's life and its procedure: creation over the main window, the
// notifications of the chart, the dialogs, the selection and the analysis windows, and its
// buttons.
#include "classification/SedrixWindow.h"

#include "SedrixState.h"
#include "WindowWidget.h"

#include "chart/ChartHooks.h"
#include "chart/ChartWindow.h"
#include "classification/AnalysisWindow.h"
#include "classification/SedrixNotifications.h"
#include "frame/Inifile.h"
#include "frame/WindowLayout.h"
#include "platform/gui.h"

#include <QApplication>

#include <cstring>

SedrixWindowState sedrix;

namespace {

constexpr char SEDRIX_SECTION[] = "SedrixWnd";

void takeRestoreCopy() { std::memcpy(sedrix.restoreGrid, boxFile.grid, sizeof boxFile.grid); }

void onCreate(HWND window, const CREATESTRUCTA* create)
{
    sedrix = SedrixWindowState{};
    sedrix.window = window;
    sedrix.chartWindow = create->hwndParent;
    hwndSedrixWnd = window;
    boxFile.ownerWindow = window;
    takeRestoreCopy();
    FollowColourScheme();
    // The main window is full-screen at 0,0: its widget's coordinates are the screen's.
    if (qobject_cast<QApplication*>(QCoreApplication::instance()))
        if (QWidget* host = win::widgetOf(GetParent(create->hwndParent))) {
            auto* widget = new WindowWidget(host, window, SedrixWnd_OnPaint);
            win::attachWidget(window, widget);
        }
    sedrix.grid = CreateSedrixGrid();
    CreateModeControls();
    ShowBounds();
    PlaceSedrixWindow();
}

void onDestroy()
{
    // Destroyed with the chart window, at the program's end: the editor's changes are not lost
    // unasked.
    if (sedrix.editMode)
        AskToSaveChangedBox();
    SaveSedrixPosition();
    CloseEditorDialogs();
    CloseAnalysisWindow();
    if (boxFile.ownerWindow == sedrix.window)
        boxFile.ownerWindow = nullptr;
    hwndSedrixWnd = nullptr;
    sedrix = SedrixWindowState{};
}

// After every box-file load: the new box as it stands is the one to go back to.
void onRefresh(HWND window)
{
    takeRestoreCopy();
    ShowBounds();
    RepaintGrid();
    InvalidateRect(window, nullptr, TRUE);
    PostMessageA(sedrix.chartWindow, WM_CHART_REFRESH, 0, 0);
    boxFile.ownerWindow = window;
    sedrix.currentClass = 0;
    boxFile.currentClass = 0;
    sedrix.modified = false;
    if (sedrix.selection)
        InvalidateRect(sedrix.selection, nullptr, TRUE);
}

void onAnalysis(WPARAM state)
{
    if (state == 1) {
        // The marks shown so far become crosses of the scatter.
        sedrix.crosses = sedrix.trail;
        sedrix.trail.clear();
    } else if (state == 0) {
        sedrix.crosses.clear();
    }
    RepaintGrid();
}

void onCommand(HWND window, int id)
{
    switch (id) {
    case IDC_SEDRIX_MODE:
        if (sedrix.editMode)
            LeaveEditor();
        else
            EnterEditor();
        break;
    case IDC_SEDRIX_HIDE:
        PostMessageA(sedrix.chartWindow, WM_TOOLWINDOW_CLOSED, SEDRIXWND, 0);
        break;
    case IDC_SEDRIX_GRID:
        sedrix.gridLines = !sedrix.gridLines;
        SetControlText(IDC_SEDRIX_GRID, sedrix.gridLines ? "Grid Off" : "Grid On");
        RepaintGrid();
        break;
    case IDC_SEDRIX_CANCEL_EDIT:
        std::memcpy(boxFile.grid, sedrix.restoreGrid, sizeof boxFile.grid);
        RepaintGrid();
        break;
    case IDC_SEDRIX_FIX_EDIT:
        takeRestoreCopy();
        break;
    default:
        if (sedrix.editMode)
            SedrixEditorCommand(window, id);
        break;
    }
}

LRESULT CALLBACK_SedrixWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        onCreate(window, reinterpret_cast<const CREATESTRUCTA*>(lParam));
        return 0;
    case WM_DESTROY:
        onDestroy();
        return 0;
    case WM_COMMAND:
        onCommand(window, LOWORD(wParam));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
        SedrixWnd_OnMouse(window, message, POINT{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
        return 0;
    case WM_NEW_READING:
        if (lParam)
            PlotReading(*reinterpret_cast<const TrackPoint*>(lParam));
        if (IsWindow(hwndAnalysis))
            SendMessageA(hwndAnalysis, WM_NEW_READING, wParam, lParam);
        return 0;
    case WM_SEDRIX_REFRESH:
        onRefresh(window);
        return 0;
    case WM_SEDRIX_SCALES_CHANGED:
        CloseEditorDialog(reinterpret_cast<HWND>(lParam));
        ShowBounds();
        RepaintGrid();
        InvalidateRect(window, nullptr, TRUE);
        sedrix.modified = true;
        return 0;
    case WM_SEDRIX_DIALOG_CLOSED:
        CloseEditorDialog(reinterpret_cast<HWND>(lParam));
        // The dialog may have named the current class.
        if (sedrix.selection)
            InvalidateRect(sedrix.selection, nullptr, TRUE);
        return 0;
    case WM_SEDRIX_CLASS_CHOSEN:
        if (wParam < BOX_CLASSES) {
            sedrix.currentClass = int(wParam);
            boxFile.currentClass = uint16_t(wParam);
            InvalidateRect(sedrix.selection, nullptr, TRUE);
        }
        return 0;
    case WM_SEDRIX_TYPE_ENTERED:
        if (lParam && AddTypeName(&boxFile, reinterpret_cast<const char*>(lParam)) == 0)
            sedrix.modified = true;
        return 0;
    case WM_SEDRIX_ANALYSIS:
        onAnalysis(wParam);
        return 0;
    case WM_TOOLWINDOW_CLOSED:
        if (wParam == ANABARWND)
            CloseAnalysisWindow();
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

HWND ShowSedrixWindow(HWND chartWindow)
{
    if (!IsWindow(hwndSedrixWnd))
        win::createWindow("SedrixWnd", "Sedrix Window", CALLBACK_SedrixWndProc, chartWindow);
    if (!hwndSedrixWnd)
        return nullptr;
    ShowWindow(hwndSedrixWnd, SW_SHOW);
    if (QWidget* widget = win::widgetOf(hwndSedrixWnd))
        widget->raise();
    SaveStatus(1, SEDRIX_SECTION);
    return hwndSedrixWnd;
}

void CloseSedrixWindow()
{
    if (IsWindow(hwndSedrixWnd)) {
        if (sedrix.editMode)
            LeaveEditor();
        DestroyWindow(hwndSedrixWnd);
    }
    hwndSedrixWnd = nullptr;
    SaveStatus(0, SEDRIX_SECTION);
}
