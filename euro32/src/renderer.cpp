#include "renderer.h"

#include "declutter.h"

#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

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

// A figure, symbol or label placed on the view.
struct Placed {
    const ChartFeature* feature;
    QPointF at;
};

class Painter {
public:
    Painter(QPainter& p, const View& v, const Scene& s)
        : p_(p), v_(v), s_(s), declutter_(v.width, v.height)
    {
    }

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
                else if (f.shape == Shape::Line)
                    p_.drawPolyline(poly);
            }
        });
    }

    // The points of a plain layer: waypoints, marks, positions.
    void plainPoints(const ChartData& chart)
    {
        p_.setPen(QPen(c(Colour::Magenta), 1.5));
        p_.setBrush(Qt::NoBrush);
        forEach(chart, FeatureKind::Plain, [&](const ChartFeature& f, double shift) {
            if (f.shape != Shape::Point)
                return;
            const PixelPoint at = pixel(f, shift);
            p_.drawEllipse(QPointF(at.x, at.y), 4, 4);
            p_.drawPoint(QPointF(at.x, at.y));
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

    // Aids to navigation and dangers keep their places, and the names of aids find room beside
    // them; soundings give way to both. Returns the symbols, then the labels, to draw on top.
    std::pair<std::vector<Placed>, std::vector<Placed>> placeSymbols(const ChartData& chart)
    {
        std::vector<Placed> symbols;
        for (FeatureKind kind : {FeatureKind::Wreck, FeatureKind::Obstruction, FeatureKind::Rock,
                                 FeatureKind::Light, FeatureKind::Beacon, FeatureKind::Buoy})
            forEach(chart, kind, [&](const ChartFeature& f, double shift) {
                if (f.shape != Shape::Point) {
                    strokeFeature(f, shift, QPen(c(Colour::Black), 1, Qt::DotLine));
                    return;
                }
                const PixelPoint at = pixel(f, shift);
                symbols.push_back({&f, QPointF(at.x, at.y)});
                declutter_.reserve(symbolBox(f.kind).translated(at.x, at.y));
            });
        std::vector<Placed> labels;
        if (s_.settings.text)
            for (const Placed& s : symbols) {
                const bool aid = s.feature->kind == FeatureKind::Buoy || s.feature->kind == FeatureKind::Beacon;
                const QPointF where = s.at + QPointF(9, -4);
                if (aid && !s.feature->name.empty() && declutter_.take(labelBox(*s.feature).translated(where)))
                    labels.push_back({s.feature, where});
            }
        return {symbols, labels};
    }

    void drawSymbols(const std::vector<Placed>& symbols, const std::vector<Placed>& labels)
    {
        for (const Placed& s : symbols)
            symbol(*s.feature, s.at);
        p_.setPen(c(Colour::Black));
        p_.setFont(labelFont());
        for (const Placed& l : labels)
            p_.drawText(l.at, QString::fromStdString(l.feature->name));
    }

    // Depth figures, the shoalest placed first so that a crowded view keeps the soundings that
    // matter to a ship; a figure without room is left out rather than printed over another.
    void soundings(const ChartData& chart)
    {
        std::vector<Placed> figures;
        forEach(chart, FeatureKind::Sounding, [&](const ChartFeature& f, double shift) {
            const PixelPoint at = pixel(f, shift);
            if (at.x >= -20 && at.x <= v_.width + 20 && at.y >= -20 && at.y <= v_.height + 20)
                figures.push_back({&f, QPointF(at.x, at.y)});
        });
        std::stable_sort(figures.begin(), figures.end(), [](const Placed& a, const Placed& b) {
            return a.feature->value1 < b.feature->value1;
        });
        QFont big("DejaVu Sans");
        big.setPixelSize(11);
        QFont small = big;
        small.setPixelSize(8);
        const QFontMetricsF fm(big);
        const QFontMetricsF fmSmall(small);
        for (const Placed& s : figures) {
            const double depth = s.feature->value1;
            // Tenths are cut, never rounded up: a figure never shows more water than there is.
            const double tenths = std::floor(std::fabs(depth) * 10.0 + 1e-6);
            const int whole = static_cast<int>(tenths / 10.0);
            const int tenth = static_cast<int>(tenths - whole * 10.0);
            const bool withTenth = std::fabs(depth) < 31.0 && tenth != 0;
            const QString w = QString::number(whole);
            const QString t = QString::number(tenth);
            const double wholeWidth = fm.horizontalAdvance(w);
            const double width = wholeWidth + (withTenth ? fmSmall.horizontalAdvance(t) : 0.0);
            const double x = s.at.x() - width / 2.0;
            const double baseline = s.at.y() + fm.capHeight() / 2.0;
            const QRectF box(x - 1, baseline - fm.capHeight() - 1, width + 2, fm.capHeight() + 5);
            if (!declutter_.take(box))
                continue;
            p_.setPen(c(depth <= s_.settings.safetyContour ? Colour::SoundingShoal
                                                            : Colour::SoundingDeep));
            p_.setFont(big);
            p_.drawText(QPointF(x, baseline), w);
            if (withTenth) {
                p_.setFont(small);
                p_.drawText(QPointF(x + wholeWidth, baseline + 3), t);
            }
            if (depth < 0) { // a drying height: the figure is underlined, on a pixel row
                const double row = std::floor(baseline) + 2.5;
                p_.drawLine(QPointF(x, row), QPointF(x + wholeWidth, row));
            }
        }
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
        });
        if (named) {
            // A chart far smaller than the view still shows as a mark that can be clicked.
            const QRectF box = catalogueBox(v_, chart);
            const bool mark = box.width() <= kCatalogueMark + 0.5 || box.height() <= kCatalogueMark + 0.5;
            p_.setPen(QPen(c(Colour::Magenta), 2));
            p_.setBrush(Qt::NoBrush);
            if (mark)
                p_.drawRect(box);
            p_.setPen(c(Colour::Black));
            p_.setFont(QFont("DejaVu Sans", 9));
            p_.drawText(mark ? box.topRight() + QPointF(4, 9) : box.topLeft() + QPointF(4, 13),
                        QString::fromStdString(chart.name));
        }
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

    // Where a symbol draws around its position.
    static QRectF symbolBox(FeatureKind kind)
    {
        switch (kind) {
        case FeatureKind::Buoy:
        case FeatureKind::Beacon:
            return QRectF(-7, -30, 14, 33);
        case FeatureKind::Light:
            return QRectF(-1, -1, 14, 16);
        default:
            return QRectF(-10, -10, 20, 20);
        }
    }

    // Fills a body with the aid's colours in horizontal bands, top to bottom.
    void fillBands(const QPainterPath& body, const std::vector<int>& colours)
    {
        const QRectF r = body.boundingRect();
        const size_t n = std::max<size_t>(colours.size(), 1);
        p_.save();
        p_.setClipPath(body, Qt::IntersectClip);
        for (size_t i = 0; i < n; ++i) {
            const QColor fill = c(aidColour(colours.empty() ? 0 : colours[i]));
            p_.fillRect(QRectF(r.left(), r.top() + r.height() * i / n, r.width(), r.height() / n + 0.5), fill);
        }
        p_.restore();
        p_.strokePath(body, QPen(c(Colour::Black), 1));
    }

    // The cardinal topmark above top: two black cones, both up for north, both down for south,
    // points apart for east and together for west.
    void cardinalTopmark(QPointF o, double top, int category)
    {
        if (category < 1 || category > 4)
            return;
        const bool upperUp = category == 1 || category == 2;
        const bool lowerUp = category == 1 || category == 4;
        p_.setPen(QPen(c(Colour::Black), 1));
        p_.drawLine(QPointF(o.x(), top), QPointF(o.x(), top - 2));
        p_.setBrush(c(Colour::Black));
        auto cone = [&](double slotTop, bool up) {
            QPolygonF tri;
            if (up)
                tri << QPointF(o.x() - 3.5, slotTop + 5) << QPointF(o.x() + 3.5, slotTop + 5)
                    << QPointF(o.x(), slotTop);
            else
                tri << QPointF(o.x() - 3.5, slotTop) << QPointF(o.x() + 3.5, slotTop)
                    << QPointF(o.x(), slotTop + 5);
            p_.drawPolygon(tri);
        };
        cone(top - 13, upperUp);
        cone(top - 7, lowerUp);
    }

    // A buoy's body standing on its position, after its shape; without one, after its role.
    static QPainterPath buoyBody(const ChartFeature& f, QPointF o)
    {
        int shape = f.aidShape;
        if (shape == 0)
            shape = f.cardinal ? 4 : f.category == 2 ? 1 : f.category == 1 ? 2 : 4;
        QPainterPath body;
        switch (shape) {
        case 1: // conical
            body.addPolygon(QPolygonF({o + QPointF(-5, 0), o + QPointF(0, -11), o + QPointF(5, 0)}));
            break;
        case 2: // can
            body.addRect(QRectF(o + QPointF(-4, -9), QSizeF(8, 9)));
            break;
        case 3: // spherical
            body.addEllipse(o + QPointF(0, -5), 5, 5);
            break;
        case 5: // spar
            body.addRect(QRectF(o + QPointF(-1.5, -14), QSizeF(3, 14)));
            break;
        case 6: // barrel
        case 7: // super-buoy
            body.addRoundedRect(QRectF(o + QPointF(-6, -7), QSizeF(12, 7)), 2, 2);
            break;
        default: // pillar
            body.addPolygon(QPolygonF({o + QPointF(-4, 0), o + QPointF(-2.5, -12), o + QPointF(2.5, -12),
                                       o + QPointF(4, 0)}));
            break;
        }
        body.closeSubpath();
        return body;
    }

    void symbol(const ChartFeature& f, QPointF o)
    {
        const QPen outline(c(Colour::Black), 1);
        p_.setPen(outline);
        switch (f.kind) {
        case FeatureKind::Buoy: {
            const QPainterPath body = buoyBody(f, o);
            fillBands(body, f.colours);
            if (f.cardinal)
                cardinalTopmark(o, body.boundingRect().top(), f.category);
            p_.setPen(outline);
            p_.setBrush(Qt::NoBrush);
            p_.drawEllipse(o, 2, 2);
            break;
        }
        case FeatureKind::Beacon: {
            p_.setPen(QPen(c(Colour::Black), 2));
            p_.drawLine(o, o + QPointF(0, -10));
            QPainterPath body;
            body.addRect(QRectF(o + QPointF(-3, -16), QSizeF(6, 6)));
            fillBands(body, f.colours);
            if (f.cardinal)
                cardinalTopmark(o, o.y() - 16, f.category);
            break;
        }
        case FeatureKind::Light: {
            const int code = f.colours.empty() ? 0 : f.colours.front();
            const Colour lit = code == 3 ? Colour::Red : code == 4 ? Colour::Green
                               : (code == 1 || code == 6) ? Colour::Yellow
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

    static QFont labelFont() { return QFont("DejaVu Sans", 7); }

    // Where a name draws around its baseline origin.
    static QRectF labelBox(const ChartFeature& f)
    {
        return QFontMetricsF(labelFont()).boundingRect(QString::fromStdString(f.name));
    }

    QPainter& p_;
    const View& v_;
    const Scene& s_;
    Declutter declutter_;
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

// A grid label as fine as its spacing: 57°N, 57°42'N or 57°42.5'N.
QString degreesMinutes(double value, bool latitude, double step)
{
    const char hemisphere = latitude ? (value < 0 ? 'S' : 'N') : (value < 0 ? 'W' : 'E');
    const int decimals = step >= 1.0 ? -1 : step * 60.0 >= 1.0 ? 0 : 1;
    const double unit = decimals < 0 ? 60.0 : decimals == 0 ? 1.0 : 0.1;
    // Whole units of the spacing's precision, so 57.7 degrees is 57°42.0' and not 57°41.9'.
    const long total = std::lround(std::fabs(value) * 60.0 / unit);
    const long perDegree = std::lround(60.0 / unit);
    const long degrees = total / perDegree;
    const double minutes = (total % perDegree) * unit;
    char text[32];
    const char* degreeFormat = latitude ? "%02ld\xC2\xB0" : "%03ld\xC2\xB0";
    int n = std::snprintf(text, sizeof text, degreeFormat, degrees);
    if (decimals == 0)
        n += std::snprintf(text + n, sizeof text - n, "%02.0f'", minutes);
    else if (decimals == 1)
        n += std::snprintf(text + n, sizeof text - n, "%04.1f'", minutes);
    std::snprintf(text + n, sizeof text - n, "%c", hemisphere);
    return QString::fromUtf8(text);
}

// Grid labels stand on a plate of the background so they read over any chart.
void gridLabel(QPainter& p, const QRectF& box, const QString& text, const QColor& plate)
{
    p.fillRect(box, plate);
    p.drawText(box, Qt::AlignCenter, text);
}

void drawGrid(QPainter& p, const View& v, const Scene& s)
{
    const GeoBox area = viewArea(v);
    const QColor ink = colour(s.scheme, Colour::Grey);
    QColor plate = colour(s.scheme, Colour::BaseSea);
    plate.setAlpha(200);
    const QFont font("DejaVu Sans", 7);
    const QFontMetricsF fm(font);
    const double labelHeight = fm.height() + 1;
    p.setFont(font);
    const double lonStep = gridSpacing(area.east - area.west);
    const double latStep = gridSpacing(area.north - area.south);
    p.setPen(QPen(ink, 1, Qt::DotLine));
    for (double lon = std::ceil(area.west / lonStep) * lonStep; lon <= area.east; lon += lonStep) {
        const double x = geoToPixel(v, {lon, area.south}).x;
        p.drawLine(QPointF(x, 0), QPointF(x, v.height));
    }
    for (double lat = std::ceil(area.south / latStep) * latStep; lat <= area.north; lat += latStep) {
        const double y = geoToPixel(v, {area.west, lat}).y;
        p.drawLine(QPointF(0, y), QPointF(v.width, y));
    }
    // Latitudes down the west edge, longitudes along the foot; the corner belongs to the
    // longitudes, and a label that would be cut by the edge is left out.
    p.setPen(ink);
    double latColumn = 0.0;
    for (double lat = std::ceil(area.south / latStep) * latStep; lat <= area.north; lat += latStep) {
        const double y = geoToPixel(v, {area.west, lat}).y;
        const QString text = degreesMinutes(lat, true, latStep);
        const QRectF box(1, y - labelHeight - 1, fm.horizontalAdvance(text) + 4, labelHeight);
        if (box.top() < 0 || box.bottom() > v.height - labelHeight - 2)
            continue;
        gridLabel(p, box, text, plate);
        latColumn = std::max(latColumn, box.right());
    }
    for (double lon = std::ceil(area.west / lonStep) * lonStep; lon <= area.east; lon += lonStep) {
        const double x = geoToPixel(v, {lon, area.south}).x;
        const QString text = degreesMinutes(wrapLongitude(lon), false, lonStep);
        const QRectF box(x + 1, v.height - labelHeight - 1, fm.horizontalAdvance(text) + 4, labelHeight);
        if (box.left() < 0 || box.right() > v.width)
            continue;
        gridLabel(p, box, text, plate);
    }
}

} // namespace

QRectF catalogueBox(const View& view, const ChartData& chart)
{
    const GeoBox& e = chart.extent;
    const PixelPoint northWest = geoToPixel(view, {e.west, e.north});
    const double south = geoToPixel(view, {e.west, e.south}).y;
    QRectF box(northWest.x, northWest.y, (e.east - e.west) / view.degPerPixel, south - northWest.y);
    const QPointF centre = box.center();
    if (box.width() < kCatalogueMark)
        box.setWidth(kCatalogueMark);
    if (box.height() < kCatalogueMark)
        box.setHeight(kCatalogueMark);
    box.moveCenter(centre);
    return box;
}

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
                draw.plainPoints(*chart);
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
            if (detailed) {
                const auto [symbols, labels] = draw.placeSymbols(*chart);
                if (scene.settings.soundings)
                    draw.soundings(*chart);
                draw.drawSymbols(symbols, labels);
            }
            if (scene.settings.coverage)
                draw.coverage(*chart, false);
        }
    }
    if (scene.settings.grid || scene.catalogue)
        drawGrid(painter, view, scene);
    painter.restore();
}

} // namespace euro32
