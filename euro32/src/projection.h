// The Mercator view of a chart window: a centre, a size in pixels and degrees of longitude per
// pixel. Longitudes wrap, so a view may lie across the 180 degree meridian.
#pragma once

#include "geo.h"

namespace euro32 {

struct View {
    double centreLon = 0.0; // -180..180
    double centreY = 0.0;   // Mercator ordinate of the centre, in degree-equivalents
    double degPerPixel = 0.01;
    int width = 640;
    int height = 480;
};

struct PixelPoint {
    double x;
    double y;
};

double mercatorY(double lat);
double latitudeOf(double mercY);
double wrapLongitude(double lon); // into [-180, 180)

// Longitudes are taken within 180 degrees of the centre, so points across the meridian land
// beside the view rather than a world away.
PixelPoint geoToPixel(const View& v, GeoPoint p);
GeoPoint pixelToGeo(const View& v, PixelPoint p);

// The visible area; east is above west, past 180 when the view crosses the meridian.
GeoBox viewArea(const View& v);
// Shows the whole box centred, as large as the window allows.
void showArea(View& v, GeoBox box);
void centreAt(View& v, GeoPoint p);
// Pixel size kept between 1:1,000 at the view's centre and the whole world in 256 pixels.
void limitScale(View& v);
void resize(View& v, int width, int height);
// The scale denominator at the centre for a 0.28 mm pixel.
double scaleDenominator(const View& v);
void setScaleDenominator(View& v, double denominator);

} // namespace euro32
