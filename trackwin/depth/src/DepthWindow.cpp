// The depth window: its procedure, its widget with the buttons and statics, the readings it
// takes, its layout and position, and its entry points.
#include "trackwin/DepthWindow.h"

#include "DepthWindowState.h"

#include "chart/ChartHooks.h"
#include "database/CurrentTrack.h"
#include "frame/Inifile.h"
#include "frame/WindowLayout.h"
#include "platform/gui.h"
#include "platform/messages.h"
#include "trackwin/DepthScale.h"

#include <QApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSizeGrip>

#include <new>

DepthWindowRecord depthWindow;

namespace {

constexpr char SECTION[] = "DepthWnd";

int lineHeight() { return screenMetrics.L; }

QFont smallFont(const QWidget* widget)
{
    QFont font = widget->font();
    font.setPixelSize(ToolWindowFontPixels());
    return font;
}

// A grey window without a caption: dragged by any point of its own area.
class DepthWidget : public QWidget {
public:
    explicit DepthWidget(QWidget* parent, HWND handle) : QWidget(parent), handle_(handle)
    {
        setObjectName(SECTION);
        setAutoFillBackground(false);
        setFont(smallFont(this));
        const ScreenMetrics& m = screenMetrics;
        setMinimumSize(m.W / 4 + 70, m.H / 8 + 2 * m.L);
        setMaximumSize(m.W, m.H);
        button(IDC_DEPTH_HIDE, "Hide");
        button(IDC_DEPTH_OPTIONS, "Options");
        label(IDC_DEPTH_TEXT, Qt::AlignCenter);
        label(IDC_SEABED_TEXT, Qt::AlignLeft | Qt::AlignVCenter);
        grip_ = new QSizeGrip(this);
    }

    template <typename W>
    W* control(int id) const { return findChild<W*>(QString::number(id)); }
    QSizeGrip* grip() const { return grip_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void resizeEvent(QResizeEvent*) override;
    void moveEvent(QMoveEvent*) override;
    void mousePressEvent(QMouseEvent* event) override
    {
        if (event->button() == Qt::LeftButton)
            grabbedAt_ = event->position().toPoint();
    }
    void mouseMoveEvent(QMouseEvent* event) override
    {
        if (!(event->buttons() & Qt::LeftButton))
            return;
        const QPoint to = pos() + event->position().toPoint() - grabbedAt_;
        MoveWindow(handle_, to.x(), to.y(), width(), height(), TRUE);
    }

private:
    void button(int id, const char* text)
    {
        auto* b = new QPushButton(text, this);
        b->setObjectName(QString::number(id));
        b->setFocusPolicy(Qt::NoFocus);
        connect(b, &QPushButton::clicked, this, [this, id] { SendMessageA(handle_, WM_COMMAND, WPARAM(id), 0); });
    }
    void label(int id, Qt::Alignment alignment)
    {
        auto* l = new QLabel(this);
        l->setObjectName(QString::number(id));
        l->setAlignment(alignment);
    }

    HWND handle_;
    QPoint grabbedAt_;
    QSizeGrip* grip_;
};

DepthWidget* depthWidget()
{
    return dynamic_cast<DepthWidget*>(win::widgetOf(depthWindow.window));
}

void setStatic(int id, const std::string& text)
{
    if (DepthWidget* widget = depthWidget())
        if (auto* label = widget->control<QLabel>(id))
            label->setText(QString::fromStdString(text));
}

void storeDepthSettings()
{
    SaveDepthUnits(depthDisplay.units);
    SaveDepthAutoscale(depthDisplay.autoscale);
    SaveDepthRange(depthDisplay.range);
    SaveDepthLimits(depthDisplay.top, depthDisplay.bottom);
}

// The tick beside the plot at the centre transducer's depth, in its colour.
void moveDepthMarker(float depth, int32_t colour)
{
    DepthWindowRecord& r = depthWindow;
    const int h = int((depthDisplay.bottom - depth) * r.scale);
    r.markerY = std::clamp(r.plotHeight - h - 1, 0, std::max(r.plotHeight - 1, 0));
    r.markerColour = colour;
}

void DepthWnd_OnNewReading(int slot, const TrackPoint* point)
{
    DepthWindowRecord& r = depthWindow;
    const int buffer = DepthBufferOfSlot(slot);
    if (buffer < 0 || !point || r.history.length() == 0)
        return;
    const float depth = DisplayDepth(point->depth, transducerDraft, depthDisplay.units);
    const bool moved = depthDisplay.autoscale && AutoscaleDepthWindow(depthDisplay, r.scrollPending, depth);
    if (slot == 0)
        r.history.age();
    r.history.depth[buffer][0] = depth;
    r.history.colour[buffer][0] = point->colour;
    if (slot == 0) {
        moveDepthMarker(depth, point->colour);
        InvalidateRect(r.plot, nullptr, FALSE);
    }
    if (moved)
        RedrawDepthWindow();
    r.depthText = DepthText(depth, r.history.depth[0][0], depthDisplay.unitText);
    setStatic(IDC_DEPTH_TEXT, r.depthText);
    if (std::string seabed = SeabedText(*point); seabed != r.seabedText) {
        r.seabedText = seabed;
        setStatic(IDC_SEABED_TEXT, seabed);
    }
}

bool depthColouredTrack()
{
    const auto& f = globaltrackstatus.field;
    return (f[TS_CURRENT_COLOUR] == 5 && !f[TS_CURRENT_BY_CLASS]) || (f[TS_PAST_COLOUR] == 5 && !f[TS_PAST_BY_CLASS]);
}

LRESULT DepthWnd_OnCommand(HWND window, int id)
{
    if (id == IDC_DEPTH_HIDE)
        SendMessageA(GetParent(window), WM_TOOLWINDOW_CLOSED, DEPTHWND, 0);
    else if (id == IDC_DEPTH_OPTIONS) {
        OpenDepthRangesDialog(window);
        if (depthColouredTrack())
            ShowDepthScaleWindow(GetParent(window));
    }
    return 0;
}

LRESULT DepthWnd_OnCreate(HWND window)
{
    DepthWindowRecord& r = depthWindow;
    r = DepthWindowRecord{};
    r.window = window;
    try {
        r.history.allocate(screenMetrics.W > 0 ? screenMetrics.W : GetSystemMetrics(SM_CXSCREEN));
    } catch (const std::bad_alloc&) {
        r.history = DepthHistory{};
        MessageBoxA(window, "Memory allocation error", SECTION, MB_OK | MB_ICONERROR);
        return -1;
    }
    ComputeDepthScale();
    return 0;
}

void DepthWnd_OnDestroy(HWND window)
{
    CloseDepthRangesDialog();
    storeDepthSettings();
    depthWindow = DepthWindowRecord{};
    if (hwndDepthWnd == window)
        hwndDepthWnd = nullptr;
}

LRESULT CALLBACK_DepthWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        return DepthWnd_OnCreate(window);
    case WM_NEW_READING:
        DepthWnd_OnNewReading(int(wParam), reinterpret_cast<const TrackPoint*>(lParam));
        return 0;
    case WM_COMMAND:
        return DepthWnd_OnCommand(window, LOWORD(wParam));
    case WM_TOOLWINDOW_CLOSED:
        if (wParam == DEPTH_RANGES_CLOSED) {
            storeDepthSettings();
            CloseDepthRangesDialog();
            ComputeDepthScale();
            RedrawDepthWindow();
        }
        return 0;
    case WM_DESTROY:
        DepthWnd_OnDestroy(window);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

// A stored position that breaks the size rules gives way to the default rectangle.
bool usablePosition(const RECT& r)
{
    const ScreenMetrics& m = screenMetrics;
    const int width = r.right - r.left, height = r.bottom - r.top;
    return r.left != PROFILE_ABSENT && r.top <= m.H - 2 * m.L && r.bottom >= 2 * m.L && r.left <= m.W - 20 &&
           r.right >= 20 && width <= m.W / 2 && width >= m.W / 4 + 70 && height <= m.H / 3 + 60 &&
           height >= m.H / 8 + 2 * m.L;
}

RECT depthWindowPosition()
{
    RECT rect{};
    LoadPosition(&rect, SECTION);
    if (!usablePosition(rect))
        GetDefaultWindowRect(DEPTHWND, &rect);
    return rect;
}

} // namespace

// WM_WINDOWPOSCHANGED: the children follow the size, and the place is kept.
void DepthWidget::resizeEvent(QResizeEvent*)
{
    DepthWindowRecord& r = depthWindow;
    const int L = lineHeight();
    r.plotWidth = width() - 60;
    r.plotHeight = height() - (2 * L + 12);
    ComputeDepthScale();
    MoveWindow(r.plot, 2, L + 2, r.plotWidth + 12, r.plotHeight, TRUE);
    control<QPushButton>(IDC_DEPTH_HIDE)->setGeometry(2, 2, 45, L - 2);
    control<QPushButton>(IDC_DEPTH_OPTIONS)->setGeometry(r.plotWidth - 4, 2, 60, L - 2);
    control<QLabel>(IDC_DEPTH_TEXT)->setGeometry(48, 2, r.plotWidth - 52, L - 2);
    control<QLabel>(IDC_SEABED_TEXT)->setGeometry(80, r.plotHeight + L + 5, 170, L - 2);
    grip_->setGeometry(width() - 14, height() - 14, 14, 14);
    moveEvent(nullptr);
}

void DepthWidget::moveEvent(QMoveEvent*)
{
    RECT rect{};
    GetWindowRect(handle_, &rect);
    SavePosition(&rect, SECTION);
    update();
    InvalidateRect(GetParent(handle_), nullptr, FALSE);
}

void DepthWidget::paintEvent(QPaintEvent*)
{
    const DepthWindowRecord& r = depthWindow;
    const int L = lineHeight();
    QPainter painter(this);
    painter.fillRect(rect(), QColor(192, 192, 192));
    painter.setPen(Qt::black);
    auto text = [&](int x, int y, const QString& s) {
        painter.drawText(QRect(x, y, width() - x, L), Qt::AlignLeft | Qt::AlignTop, s);
    };
    text(r.plotWidth + 18, L + 6, QString::asprintf("%4d", int(depthDisplay.top)));
    text(r.plotWidth + 18, r.plotHeight + 4, QString::asprintf("%4d", int(depthDisplay.bottom)));
    text(6, r.plotHeight + L + 6, "Seabed:");
}

void ComputeDepthScale()
{
    DepthWindowRecord& r = depthWindow;
    r.scale = depthDisplay.range > 0 ? float(r.plotHeight) / depthDisplay.range : 1.0f;
}

void RedrawDepthWindow()
{
    InvalidateRect(depthWindow.window, nullptr, FALSE);
    InvalidateRect(depthWindow.plot, nullptr, FALSE);
}

HWND ShowDepthWindow(HWND chartWindow)
{
    if (IsWindow(depthWindow.window)) {
        if (QWidget* widget = win::widgetOf(depthWindow.window))
            widget->raise();
        SaveStatus(1, SECTION);
        return depthWindow.window;
    }
    const RECT rect = depthWindowPosition();
    HWND window = win::createWindow(SECTION, "", CALLBACK_DepthWndProc, chartWindow, nullptr, rect);
    if (!window)
        return nullptr;
    QWidget* host = qobject_cast<QApplication*>(QCoreApplication::instance()) ? win::widgetOf(GetParent(chartWindow))
                                                                               : nullptr;
    if (host) {
        auto* widget = new DepthWidget(host, window);
        win::attachWidget(window, widget);
        depthWindow.plot = CreateDepthPlot(window, RECT{0, 0, 0, 0});
        widget->setGeometry(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        QResizeEvent resized(widget->size(), widget->size());
        QCoreApplication::sendEvent(widget, &resized);
        widget->show();
        widget->raise();
    }
    hwndDepthWnd = window;
    SaveStatus(1, SECTION);
    return window;
}

void CloseDepthWindow()
{
    if (IsWindow(depthWindow.window))
        DestroyWindow(depthWindow.window);
    SaveStatus(0, SECTION);
}
