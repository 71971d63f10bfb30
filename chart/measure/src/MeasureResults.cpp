#include "MeasureResults.h"

#include "chart/MeasureTool.h"
#include "chart/TrackDrawing.h"
#include "euro32/euro32.h"
#include "frame/PositionText.h"
#include "frame/WindowLayout.h"
#include "platform/gui.h"
#include "platform/screen.h"

#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QWidget>

#include <cstdio>
#include <string>

namespace {

// Where one result window measures from.
struct MeasureStart {
    int32_t lon = 0;
    int32_t lat = 0;
};

MeasureStart* startOf(HWND window)
{
    return reinterpret_cast<MeasureStart*>(GetWindowLongPtrA(window, GWLP_USERDATA));
}

int captionHeight() { return GetSystemMetrics(SM_CYCAPTION); }

// A grey round-cornered card with the labels painted and the three values as statics.
class MeasureResultWidget : public QWidget {
public:
    explicit MeasureResultWidget(QWidget* parent) : QWidget(parent)
    {
        setObjectName("MeasureWnd");
        setAttribute(Qt::WA_TranslucentBackground);
        QFont small = font();
        small.setPixelSize(ToolWindowFontPixels());
        setFont(small);
        const int cap = captionHeight();
        const int valueX = 7 + fontMetrics().horizontalAdvance("Bearing:") + 8;
        value(IDC_MEASURE_POSITION, QRect(7, cap + 3, MEASURE_RESULT_WIDTH - 14, cap));
        value(IDC_MEASURE_RANGE, QRect(valueX, 2 * cap + 5, MEASURE_RESULT_WIDTH - valueX - 7, cap));
        value(IDC_MEASURE_BEARING, QRect(valueX, 3 * cap + 7, MEASURE_RESULT_WIDTH - valueX - 7, cap));
    }

    void setValue(int id, const std::string& text)
    {
        if (auto* label = findChild<QLabel*>(QString::number(id)))
            label->setText(QString::fromStdString(text));
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::black);
        painter.setBrush(QColor(192, 192, 192));
        painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 15, 15);
        const int cap = captionHeight();
        painter.drawText(QRect(7, 2 * cap + 5, width() - 14, cap), Qt::AlignLeft | Qt::AlignVCenter, "Range:");
        painter.drawText(QRect(7, 3 * cap + 7, width() - 14, cap), Qt::AlignLeft | Qt::AlignVCenter, "Bearing:");
    }

private:
    void value(int id, const QRect& place)
    {
        auto* label = new QLabel(this);
        label->setObjectName(QString::number(id));
        label->setGeometry(place);
        label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    }
};

void setValue(HWND window, int id, const std::string& text)
{
    if (auto* widget = dynamic_cast<MeasureResultWidget*>(win::widgetOf(window)))
        widget->setValue(id, text);
}

std::string positionText(int32_t lat, int32_t lon)
{
    return " " + LatitudeText(lat, 3) + "  " + LongitudeText(lon, 3);
}

// The start fixes where ranges are measured from; every later pixel shows range and bearing.
void showPosition(HWND window, bool fromStart, LPARAM pixel)
{
    MeasureStart* start = startOf(window);
    int32_t lon = 0, lat = 0;
    if (!start || EC_PixelToGeos(GET_X_LPARAM(pixel), GET_Y_LPARAM(pixel), &lon, &lat, chartSurface.engineWindow) <= 0)
        return;
    setValue(window, IDC_MEASURE_POSITION, positionText(lat, lon));
    if (fromStart) {
        *start = MeasureStart{lon, lat};
        setValue(window, IDC_MEASURE_RANGE, "");
        setValue(window, IDC_MEASURE_BEARING, "");
        return;
    }
    char range[32];
    FormatRange(MeasureRange(start->lon, start->lat, lon, lat), range);
    setValue(window, IDC_MEASURE_RANGE, range);
    char bearing[16];
    std::snprintf(bearing, sizeof bearing, "%03d°", MeasureBearing(lon, lat, start->lon, start->lat));
    setValue(window, IDC_MEASURE_BEARING, bearing);
}

LRESULT CALLBACK_MeasureWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        SetWindowLongPtrA(window, GWLP_USERDATA, LONG_PTR(new MeasureStart));
        return 0;
    case WM_MEASURE_POSITION:
        showPosition(window, wParam == 0, lParam);
        return 0;
    case WM_DESTROY:
        delete startOf(window);
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int MeasureResultHeight()
{
    return 4 * captionHeight() + 10;
}

HWND CreateMeasureResultWindow(HWND parent, RECT rect)
{
    HWND window = win::createWindow("MeasureWnd", "", CALLBACK_MeasureWndProc, parent, nullptr, rect);
    QWidget* host = qobject_cast<QApplication*>(QCoreApplication::instance()) ? win::widgetOf(parent) : nullptr;
    if (window && host) {
        auto* widget = new MeasureResultWidget(host);
        win::attachWidget(window, widget);
        widget->hide();
        widget->raise();
    }
    return window;
}
