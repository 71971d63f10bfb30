#include "Artwork.h"

#include "platform/messages.h"

#include <QFontDatabase>
#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>

#include <cmath>
#include <memory>

namespace {

std::unique_ptr<QImage> chartSymbols;

// A fan of seven beams under a hull over a sea floor shaded by class: what the program does.
void drawSwathFan(QPainter& p, QRectF area)
{
    const QPointF hull(area.center().x(), area.top() + area.height() * 0.28);
    const QColor classes[] = {QColor(0, 191, 0), QColor(229, 217, 0), QColor(217, 0, 0), QColor(191, 0, 191),
                              QColor(242, 141, 0), QColor(0, 159, 0), QColor(229, 217, 0)};
    const double floorY = area.top() + area.height() * 0.78;
    for (int beam = -3; beam <= 3; ++beam) {
        const double angle = beam * 11.0 * M_PI / 180.0;
        const double reach = (floorY - hull.y()) / std::cos(angle);
        const QPointF end(hull.x() + std::sin(angle) * reach, floorY);
        p.setPen(QPen(QColor(160, 210, 255, 140), 2));
        p.drawLine(hull, end);
        p.setPen(Qt::NoPen);
        p.setBrush(classes[beam + 3]);
        p.drawEllipse(end, area.width() * 0.035, area.height() * 0.02);
    }
    QPainterPath boat;
    const double w = area.width() * 0.12, h = area.height() * 0.06;
    boat.moveTo(hull.x() - w, hull.y() - h);
    boat.lineTo(hull.x() + w, hull.y() - h);
    boat.lineTo(hull.x() + w * 0.7, hull.y());
    boat.lineTo(hull.x() - w * 0.7, hull.y());
    boat.closeSubpath();
    p.setBrush(QColor(240, 240, 240));
    p.setPen(QPen(Qt::black, 1.5));
    p.drawPath(boat);
}

} // namespace

QImage StartupPicture(QSize size)
{
    QImage picture(size, QImage::Format_RGB32);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sea(0, 0, 0, size.height());
    sea.setColorAt(0, QColor(10, 40, 90));
    sea.setColorAt(1, QColor(2, 12, 35));
    p.fillRect(picture.rect(), sea);
    drawSwathFan(p, QRectF(picture.rect()));
    QFont font = ProgramFont();
    font.setPixelSize(std::max(12, size.height() / 9));
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    const QRect band(0, int(size.height() * 0.82), size.width(), size.height() / 6);
    p.drawText(band, Qt::AlignCenter, "Varnel Swath");
    return picture;
}

bool LoadChartSymbolBitmap()
{
    // One 16 x 16 cell per symbol picture: a ring, a square, a triangle and a cross.
    chartSymbols = std::make_unique<QImage>(64, 16, QImage::Format_ARGB32_Premultiplied);
    chartSymbols->fill(Qt::transparent);
    QPainter p(chartSymbols.get());
    p.setPen(QPen(Qt::black, 2));
    p.drawEllipse(QRect(2, 2, 12, 12));
    p.drawRect(QRect(18, 2, 12, 12));
    p.drawPolygon(QPolygon({QPoint(40, 2), QPoint(46, 14), QPoint(34, 14)}));
    p.drawLine(50, 2, 62, 14);
    p.drawLine(62, 2, 50, 14);
    return !chartSymbols->isNull();
}

void ReleaseChartSymbolBitmap()
{
    chartSymbols.reset();
}

QFont ProgramFont()
{
    return QFontDatabase::systemFont(QFontDatabase::GeneralFont);
}

void CheckDisplayCapabilities(HWND)
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int depth = screen ? screen->depth() : 32;
    // As on a true-colour display, where the count of colours is not limited (-1).
    const int colours = depth >= 16 ? -1 : 1 << depth;
    if (colours >= 0 && colours <= 511) {
        char text[64];
        std::snprintf(text, sizeof text, "Display can only show %d colours", colours);
        MessageBoxA(nullptr, text, "Warning", MB_ICONEXCLAMATION);
    }
}
