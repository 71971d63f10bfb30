// The analysis window ("AnabarWnd"): a small grey window beside the classification window with
// Start, Stop, Refresh, Scales and OFF, and the grid cell of the latest reading.
#include "classification/AnalysisWindow.h"

#include "BoxDialogWindow.h"
#include "chart/ChartHooks.h"
#include "classification/BoxDialogs.h"
#include "classification/SedrixNotifications.h"
#include "frame/WindowLayout.h"
#include "platform/gui.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

#include <array>
#include <cstdio>
#include <string>

bool bAnalysisRunning = false;
HWND hwndAnalysis = nullptr;

namespace {

constexpr int BUTTONS = 5;
constexpr std::array<const char*, BUTTONS> labels{"Start", "Stop", "Refresh", "Scales", "OFF"};
constexpr int BUTTON_WIDTH = 56;
constexpr QColor darkRed(128, 0, 0);

// What the window shows, kept with or without a widget.
struct AnalysisView {
    std::array<bool, BUTTONS> enabled;
    std::string cell;
} view;

constexpr std::array<bool, BUTTONS> stoppedButtons{true, false, false, false, true};
constexpr std::array<bool, BUTTONS> runningButtons{false, true, true, true, true};

class AnalysisWidget : public QWidget {
public:
    AnalysisWidget(QWidget* parent, HWND window) : QWidget(parent)
    {
        useGreyLook(this);
        const int L = screenMetrics.L;
        // Small enough for buttons one line high.
        QFont small = font();
        small.setPixelSize(ToolWindowFontPixels());
        setFont(small);
        for (int i = 0; i < BUTTONS; ++i) {
            auto* button = new QPushButton(labels[i], this);
            button->setObjectName(QString::number(i));
            button->setGeometry(4 + i * (BUTTON_WIDTH + 2), L + 2, BUTTON_WIDTH, L - 2);
            button->setFocusPolicy(Qt::NoFocus);
            connect(button, &QPushButton::clicked, this, [window, i] { SendMessageA(window, WM_COMMAND, WPARAM(i), 0); });
            buttons_[i] = button;
        }
        cell_ = win::withId(new QLabel(this), IDC_ANALYSIS_CELL);
        cell_->setAlignment(Qt::AlignCenter);
        QFont fixed("Monospace");
        fixed.setStyleHint(QFont::TypeWriter);
        fixed.setPixelSize(small.pixelSize());
        cell_->setFont(fixed);
    }
    static QSize sizeFor(int L) { return {8 + BUTTONS * (BUTTON_WIDTH + 2) - 2, 3 * L + 8}; }
    void showView()
    {
        for (int i = 0; i < BUTTONS; ++i)
            buttons_[i]->setEnabled(view.enabled[i]);
        cell_->setText(QString::fromLatin1(view.cell.c_str()));
    }

protected:
    void resizeEvent(QResizeEvent*) override
    {
        cell_->setGeometry(4, 2 * screenMetrics.L + 4, width() - 8, screenMetrics.L);
    }
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.fillRect(rect(), palette().window());
        painter.setPen(Qt::black);
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        QFont title = font();
        title.setBold(true);
        painter.setFont(title);
        painter.setPen(darkRed);
        painter.drawText(QRect(0, 0, width(), screenMetrics.L + 2), Qt::AlignCenter, "Analysis");
    }

private:
    std::array<QPushButton*, BUTTONS> buttons_{};
    QLabel* cell_ = nullptr;
};

void showView(HWND window)
{
    if (auto* widget = dynamic_cast<AnalysisWidget*>(win::widgetOf(window)))
        widget->showView();
}

void setRunning(HWND window, bool running)
{
    bAnalysisRunning = running;
    view.enabled = running ? runningButtons : stoppedButtons;
    showView(window);
    PostMessageA(GetParent(window), WM_SEDRIX_ANALYSIS, running ? 1 : 0, 0);
}

void showCell(HWND window)
{
    char text[32];
    if (boxFile.lastColumn < 0)
        std::snprintf(text, sizeof text, "   <Ext>   ");
    else
        std::snprintf(text, sizeof text, " > %2d,%2d < ", boxFile.lastColumn, boxFile.lastRow);
    view.cell = text;
    showView(window);
}

void onCommand(HWND window, int id)
{
    HWND sedrixWindow = GetParent(window);
    switch (id) {
    case IDC_ANALYSIS_START:
        setRunning(window, true);
        break;
    case IDC_ANALYSIS_STOP:
        setRunning(window, false);
        break;
    case IDC_ANALYSIS_REFRESH:
        PostMessageA(sedrixWindow, WM_SEDRIX_ANALYSIS, 2, 0);
        break;
    case IDC_ANALYSIS_SCALES:
        ShowScalesDialog(sedrixWindow, &boxFile);
        break;
    case IDC_ANALYSIS_OFF:
        PostMessageA(sedrixWindow, WM_TOOLWINDOW_CLOSED, ANABARWND, 0);
        DestroyWindow(window);
        break;
    }
}

LRESULT AnabarWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
        onCommand(window, LOWORD(wParam));
        return 0;
    case WM_NEW_READING:
        showCell(window);
        return 0;
    case WM_DESTROY:
        // No window is left to stop it: the classification window would scatter for ever.
        if (bAnalysisRunning)
            setRunning(window, false);
        if (hwndAnalysis == window)
            hwndAnalysis = nullptr;
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// Left of the classification window when there is room, else right of it, on the screen.
QRect placeBeside(HWND sedrixWindow, QSize size)
{
    RECT r{};
    GetWindowRect(sedrixWindow, &r);
    int x = r.left - size.width() - 4;
    if (x < 0)
        x = r.right + 4;
    x = std::max(0, std::min(x, screenMetrics.W - size.width()));
    int y = std::max(0, std::min(int(r.top), screenMetrics.H - size.height()));
    return {QPoint(x, y), size};
}

} // namespace

HWND ShowAnalysisWindow(HWND sedrixWindow)
{
    if (IsWindow(hwndAnalysis))
        return hwndAnalysis;
    HWND window = win::createWindow("AnabarWnd", "Analysis", AnabarWndProc, sedrixWindow);
    if (!window)
        return nullptr;
    view = {stoppedButtons, ""};
    if (QWidget* host = topWidgetOf(sedrixWindow)) {
        auto* widget = new AnalysisWidget(host, window);
        win::attachWidget(window, widget);
        QRect place = placeBeside(sedrixWindow, AnalysisWidget::sizeFor(screenMetrics.L));
        widget->setGeometry(QRect(host->mapFromGlobal(place.topLeft()), place.size()));
        widget->showView();
        widget->show();
        widget->raise();
    }
    hwndAnalysis = window;
    return window;
}

void CloseAnalysisWindow()
{
    if (IsWindow(hwndAnalysis))
        DestroyWindow(hwndAnalysis);
    hwndAnalysis = nullptr;
}
