#include "renderer.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace euro32 {

namespace {

constexpr double kDetailFactor = 8.0;

// Projects one part continuously: each vertex follows the previous one across the meridian, so
// a ring near 180 degrees stays whole. shift moves it by whole turns of the earth.
QPolygonF project(const View& v, const std::vector<GeoPoint>& part, double shift)
{
    QPolygonF out;
    out.reserve(static_cast<int>(part.size()));
    if (part.empty())
        return out;
    const PixelPoint first = geoToPixel(v, part.front());
    double x = first.x + shift;
    double lon = part.front().lon;
    out.append({x, first.y});
    for (size_t i = 1; i < part.size(); ++i) {
        x += wrapLongitude(part[i].lon - lon) / v.degPerPixel;
        lon = part[i].lon;
        const QPointF p(x, v.height / 2.0 - (mercatorY(part[i].lat) - v.centreY) / v.degPerPixel);
        // Vertices closer than a pixel add nothing but drawing time at small scales.
        const QPointF step = p - out.back();
        if (std::fabs(step.x()) + std::fabs(step.y()) < 0.7 && i + 1 < part.size())
            continue;
        out.append(p);
    }
    return out;
}

// The horizontal shifts (in pixels) at which a feature is visible: none, one, or several copies
// of the world when the view is wider than the earth. Shifts are relative to where project()
// puts the feature, which anchors it at its first vertex.
std::vector<double> visibleShifts(const View& v, const ChartFeature& f)
{
    const GeoBox& box = f.box;
    std::vector<double> shifts;
    const double top = v.height / 2.0 - (mercatorY(box.north) - v.centreY) / v.degPerPixel;
    const double bottom = v.height / 2.0 - (mercatorY(box.south) - v.centreY) / v.degPerPixel;
    if (bottom < -20 || top > v.height + 20)
        return shifts;
    const GeoPoint anchor = f.parts.front().front();
    const double west = geoToPixel(v, anchor).x + (box.west - anchor.lon) / v.degPerPixel;
    const double width = (box.east - box.west) / v.degPerPixel;
    const double turn = 360.0 / v.degPerPixel;
    for (int k = -2; k <= 2; ++k) {
        const double x = west + k * turn;
        if (x + width >= -20 && x <= v.width + 20)
            shifts.push_back(k * turn);
    }
    return shifts;
}

QPainterPath areaPath(const View& v, const ChartFeature& f, double shift)
{
    QPainterPath path;
    path.setFillRule(Qt::OddEvenFill);
    for (const auto& ring : f.parts)
        path.addPolygon(project(v, ring, shift));
    return path;
}

class Painter {
public:
    Painter(QPainter& p, const View& v, const Scene& s) : p_(p), v_(v), s_(s) {}

    QColor c(Colour which) const { return colour(s_.scheme, which); }

    void fillAreas(const ChartData& chart, FeatureKind kind)
    {
        forEach(chart, kind, [&](const ChartFeature& f, double shift) {
            if (f.shape != Shape::Area)
                return;
            QColor fill = c(Colour::Land);
            if (kind == FeatureKind::DepthArea || kind == FeatureKind::DredgedArea)
                fill = c(depthShade(f.value1, f.value2, s_.settings));
            else if (kind == FeatureKind::Plain)
                fill = c(Colour::BaseLand);
            p_.fillPath(areaPath(v_, f, shift), fill);
            if (kind == FeatureKind::DredgedArea) {
                p_.strokePath(areaPath(v_, f, shift), QPen(c(Colour::Grey), 1, Qt::DashLine));
            }
        });
    }

    void strokeLines(const ChartData& chart, FeatureKind kind, const QPen& pen)
    {
        p_.setPen(pen);
        p_.setBrush(Qt::NoBrush);
        forEach(chart, kind, [&](const ChartFeature& f, double shift) {
            for (const auto& part : f.parts) {
                const QPolygonF poly = project(v_, part, shift);
                if (f.shape == Shape::Area)
                    p_.drawPolygon(poly);
                else
                    p_.drawPolyline(poly);
            }
        });
    }

    void contours(const ChartData& chart)
    {
        const double safety = safetyContourOf(chart);
        forEach(chart, FeatureKind::Contour, [&](const ChartFeature& f, double shift) {
            const bool isSafety = f.value1 == safety;
            p_.setPen(isSafety ? QPen(c(Colour::SafetyContour), 2) : QPen(c(Colour::Contour), 1));
            for (const auto& part : f.parts)
                p_.drawPolyline(project(v_, part, shift));
        });
    }

    void soundings(const ChartData& chart)
    {
        QFont big("DejaVu Sans");
        big.setPixelSize(11);
        QFont small = big;
        small.setPixelSize(8);
        forEach(chart, FeatureKind::Sounding, [&](const ChartFeature& f, double shift) {
            const PixelPoint at = pixel(f, shift);
            const double depth = f.value1;
            p_.setPen(c(depth <= s_.settings.safetyContour ? Colour::SoundingShoal
                                                            : Colour::SoundingDeep));
            const int whole = static_cast<int>(std::floor(std::fabs(depth)));
            const int tenth = static_cast<int>(std::lround((std::fabs(depth) - whole) * 10.0)) % 10;
            const QString w = QString::number(whole);
            p_.setFont(big);
            const QFontMetrics fm(big);
            const double width = fm.horizontalAdvance(w);
            const bool withTenth = std::fabs(depth) < 31.0 && tenth != 0;
            const double x = at.x - (withTenth ? width * 0.75 : width / 2.0);
            p_.drawText(QPointF(x, at.y + fm.ascent() / 2.0 - 1), w);
            if (withTenth) {
                p_.setFont(small);
                p_.drawText(QPointF(x + width, at.y + fm.ascent() / 2.0 + 2), QString::number(tenth));
            }
        });
    }

    void symbols(const ChartData& chart)
    {
        for (FeatureKind kind : {FeatureKind::Wreck, FeatureKind::Obstruction, FeatureKind::Rock,
                                 FeatureKind::Light, FeatureKind::Beacon, FeatureKind::Buoy})
            forEach(chart, kind, [&](const ChartFeature& f, double shift) {
                if (f.shape == Shape::Point)
                    symbol(f, pixel(f, shift));
                else
                    strokeFeature(f, shift, QPen(c(Colour::Black), 1, Qt::DotLine));
            });
    }

    void coverage(const ChartData& chart, bool named)
    {
        forEach(chart, FeatureKind::Coverage, [&](const ChartFeature& f, double shift) {
            const QPainterPath path = areaPath(v_, f, shift);
            if (named) {
                QColor tint = c(Colour::Magenta);
                tint.setAlpha(50);
                p_.fillPath(path, tint);
            }
            p_.strokePath(path, QPen(c(Colour::Grey), named ? 2 : 1, Qt::DashLine));
            if (named) {
                p_.setPen(c(Colour::Black));
                p_.setFont(QFont("DejaVu Sans", 9));
                p_.drawText(path.boundingRect().adjusted(3, 3, 0, 0).topLeft() + QPointF(0, 10),
                            QString::fromStdString(chart.name));
            }
        });
    }

private:
    template <typename Fn>
    void forEach(const ChartData& chart, FeatureKind kind, Fn fn)
    {
        for (const ChartFeature& f : chart.features)
            if (f.kind == kind)
                for (double shift : visibleShifts(v_, f))
                    fn(f, shift);
    }

    PixelPoint pixel(const ChartFeature& f, double shift) const
    {
        PixelPoint at = geoToPixel(v_, f.parts.front().front());
        at.x += shift;
        return at;
    }

    void strokeFeature(const ChartFeature& f, double shift, const QPen& pen)
    {
        p_.setPen(pen);
        p_.setBrush(Qt::NoBrush);
        for (const auto& part : f.parts)
            p_.drawPolyline(project(v_, part, shift));
    }

    // The shallowest contour in the chart at or below the safety depth: S-52's safety contour.
    double safetyContourOf(const ChartData& chart) const
    {
        double best = -1.0;
        for (const ChartFeature& f : chart.features)
            if (f.kind == FeatureKind::Contour && f.value1 >= s_.settings.safetyContour &&
                (best < 0 || f.value1 < best))
                best = f.value1;
        return best;
    }

    void symbol(const ChartFeature& f, PixelPoint at)
    {
        const QPointF o(at.x, at.y);
        const QPen outline(c(Colour::Black), 1);
        p_.setPen(outline);
        switch (f.kind) {
        case FeatureKind::Buoy: {
            p_.setBrush(c(aidColour(f.colour)));
            QPolygonF body;
            if (f.category >= 1 && f.category <= 4 && f.colour == 2) {
                // Cardinal: a pillar with its two cones.
                body << o + QPointF(-3, 0) << o + QPointF(-3, -10) << o + QPointF(3, -10)
                     << o + QPointF(3, 0);
                p_.drawPolygon(body);
                const bool up = f.category == 1 || f.category == 2;
                p_.setBrush(c(Colour::Black));
                for (int k = 0; k < 2; ++k) {
                    const double base = -13 - k * 6;
                    QPolygonF cone;
                    cone << o + QPointF(-3, base) << o + QPointF(3, base)
                         << o + QPointF(0, base + (up ? -5 : 5) * (k == 0 ? 1 : 1));
                    p_.drawPolygon(cone);
                }
            } else if (f.category == 2 || f.colour == 4) {
                body << o + QPointF(-5, 0) << o + QPointF(0, -11) << o + QPointF(5, 0); // cone
                p_.drawPolygon(body);
            } else {
                p_.drawRect(QRectF(o + QPointF(-4, -9), QSizeF(8, 9))); // can
            }
            p_.drawEllipse(o, 2, 2);
            label(f, o + QPointF(7, -4));
            break;
        }
        case FeatureKind::Beacon:
            p_.setPen(QPen(c(Colour::Black), 2));
            p_.drawLine(o, o + QPointF(0, -12));
            p_.setPen(outline);
            p_.setBrush(c(aidColour(f.colour)));
            p_.drawRect(QRectF(o + QPointF(-3, -16), QSizeF(6, 5)));
            label(f, o + QPointF(6, -6));
            break;
        case FeatureKind::Light: {
            const Colour lit = f.colour == 3 ? Colour::Red : f.colour == 4 ? Colour::Green
                               : (f.colour == 1 || f.colour == 6) ? Colour::Yellow
                                                                  : Colour::Magenta;
            QPainterPath flare;
            flare.moveTo(o);
            flare.cubicTo(o + QPointF(2, 10), o + QPointF(12, 14), o + QPointF(8, 4));
            flare.closeSubpath();
            p_.fillPath(flare, c(lit));
            p_.strokePath(flare, outline);
            break;
        }
        case FeatureKind::Wreck:
            p_.setPen(QPen(c(Colour::Black), 1.5));
            p_.drawLine(o + QPointF(-8, 0), o + QPointF(8, 0));
            for (double x : {-4.0, 0.0, 4.0})
                p_.drawLine(o + QPointF(x, -4), o + QPointF(x, 4));
            isolatedDanger(o);
            break;
        case FeatureKind::Obstruction:
            p_.setBrush(Qt::NoBrush);
            isolatedDanger(o);
            p_.setPen(c(Colour::Black));
            p_.setFont(QFont("DejaVu Sans", 6));
            p_.drawText(QRectF(o - QPointF(8, 5), QSizeF(16, 10)), Qt::AlignCenter, "Obs");
            break;
        case FeatureKind::Rock:
            p_.setPen(QPen(c(Colour::Black), 1.5));
            p_.drawLine(o + QPointF(-5, 0), o + QPointF(5, 0));
            p_.drawLine(o + QPointF(0, -5), o + QPointF(0, 5));
            for (int dx : {-3, 3})
                for (int dy : {-3, 3})
                    p_.drawPoint(o + QPointF(dx, dy));
            isolatedDanger(o);
            break;
        default:
            break;
        }
    }

    void isolatedDanger(QPointF o)
    {
        p_.setBrush(Qt::NoBrush);
        p_.setPen(QPen(c(Colour::Magenta), 1, Qt::DotLine));
        p_.drawEllipse(o, 10, 10);
    }

    void label(const ChartFeature& f, QPointF where)
    {
        if (!s_.settings.text || f.name.empty())
            return;
        p_.setPen(c(Colour::Black));
        p_.setFont(QFont("DejaVu Sans", 7));
        p_.drawText(where, QString::fromStdString(f.name));
    }

    QPainter& p_;
    const View& v_;
    const Scene& s_;
};

// Grid spacings in minutes of arc, from a tenth of a minute to 30 degrees.
double gridSpacing(double spanDegrees)
{
    static const double kMinutes[] = {0.1, 0.2, 0.5, 1, 2, 5, 10, 20, 30, 60, 120, 300, 600, 1200, 1800};
    for (double m : kMinutes)
        if (spanDegrees / (m / 60.0) <= 8)
            return m / 60.0;
    return 30.0;
}

QString degreesMinutes(double value, bool latitude)
{
    const char hemisphere = latitude ? (value < 0 ? 'S' : 'N') : (value < 0 ? 'W' : 'E');
    const double a = std::fabs(value);
    int degrees = static_cast<int>(a);
    double minutes = (a - degrees) * 60.0;
    if (minutes >= 59.95) {
        ++degrees;
        minutes = 0.0;
    }
    char text[32];
    std::snprintf(text, sizeof text, latitude ? "%02d\xC2\xB0%04.1f'%c" : "%03d\xC2\xB0%04.1f'%c",
                  degrees, minutes, hemisphere);
    return QString::fromUtf8(text);
}

void drawGrid(QPainter& p, const View& v, const Scene& s)
{
    const GeoBox area = viewArea(v);
    const QColor ink = colour(s.scheme, Colour::Grey);
    p.setPen(QPen(ink, 1, Qt::DotLine));
    p.setFont(QFont("DejaVu Sans", 7));
    const double lonStep = gridSpacing(area.east - area.west);
    for (double lon = std::ceil(area.west / lonStep) * lonStep; lon <= area.east; lon += lonStep) {
        const double x = geoToPixel(v, {lon, area.south}).x;
        p.drawLine(QPointF(x, 0), QPointF(x, v.height));
        p.drawText(QPointF(x + 2, v.height - 3), degreesMinutes(wrapLongitude(lon), false));
    }
    const double latStep = gridSpacing(area.north - area.south);
    for (double lat = std::ceil(area.south / latStep) * latStep; lat <= area.north; lat += latStep) {
        const double y = geoToPixel(v, {area.west, lat}).y;
        p.drawLine(QPointF(0, y), QPointF(v.width, y));
        p.drawText(QPointF(2, y - 2), degreesMinutes(lat, true));
    }
}

} // namespace

Colour depthShade(double drval1, double drval2, const DisplaySettings& s)
{
    if (drval1 >= s.deepContour && drval2 > s.deepContour)
        return Colour::Deep;
    if (drval1 >= s.safetyContour && drval2 > s.safetyContour)
        return Colour::MediumDeep;
    if (drval1 >= s.shallowContour && drval2 > s.shallowContour)
        return Colour::MediumShallow;
    if (drval1 >= 0 && drval2 > 0)
        return Colour::VeryShallow;
    return Colour::Intertidal;
}

void render(QPainter& painter, const View& view, const Scene& scene)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    if (scene.blank) {
        painter.fillRect(QRectF(0, 0, view.width, view.height), colour(scene.scheme, Colour::NoData));
    } else {
        painter.fillRect(QRectF(0, 0, view.width, view.height), colour(scene.scheme, Colour::BaseSea));
        Painter draw(painter, view, scene);
        if (scene.baseMap) {
            painter.setRenderHint(QPainter::Antialiasing, false);
            for (const ChartFeature& f : scene.baseMap->features)
                for (double shift : visibleShifts(view, f))
                    painter.fillPath(areaPath(view, f, shift), colour(scene.scheme, Colour::BaseLand));
            painter.setRenderHint(QPainter::Antialiasing, true);
        }
        for (const ChartData* chart : scene.charts) {
            if (scene.catalogue) {
                draw.coverage(*chart, true);
                continue;
            }
            if (!chart->nautical) {
                draw.fillAreas(*chart, FeatureKind::Plain);
                draw.strokeLines(*chart, FeatureKind::Plain, QPen(draw.c(Colour::Magenta), 1));
                continue;
            }
            painter.setRenderHint(QPainter::Antialiasing, false);
            draw.fillAreas(*chart, FeatureKind::DepthArea);
            draw.fillAreas(*chart, FeatureKind::DredgedArea);
            draw.fillAreas(*chart, FeatureKind::Land);
            painter.setRenderHint(QPainter::Antialiasing, true);
            draw.contours(*chart);
            draw.strokeLines(*chart, FeatureKind::Coastline, QPen(draw.c(Colour::Coastline), 2));
            draw.strokeLines(*chart, FeatureKind::Shoreline, QPen(draw.c(Colour::Black), 3));
            // Far smaller than its compilation scale a cell's soundings and symbols would only
            // blot it out; its areas and lines still show where it is.
            const bool detailed = chart->compilationScale <= 0 ||
                                  scaleDenominator(view) <= kDetailFactor * chart->compilationScale;
            if (detailed && scene.settings.soundings)
                draw.soundings(*chart);
            if (detailed)
                draw.symbols(*chart);
            if (scene.settings.coverage)
                draw.coverage(*chart, false);
        }
    }
    if (scene.settings.grid || scene.catalogue)
        drawGrid(painter, view, scene);
    painter.restore();
}

} // namespace euro32
