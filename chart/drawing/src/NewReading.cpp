// Each chart timer tick: the module's newest reading and fix become the newest point of their
// beam slot's ring, drawn as one segment into the chart window's screen image.
#include "chart/ChartHooks.h"
#include "chart/CurrentTrackRing.h"
#include "chart/TrackDrawing.h"
#include "chart/TrackPens.h"

#include "ChartPixels.h"
#include "PointColour.h"
#include "TrackCanvas.h"
#include "VesselCourse.h"

#include "database/CurrentTrack.h"
#include "frame/Inifile.h"
#include "platform/winuser.h"
#include "recording/ModuleBinding.h"
#include "recording/RecordingControl.h"
#include "recording/SwathGeometry.h"
#include "recording/VesselState.h"

#include <QPainter>

#include <algorithm>
#include <ctime>

ChartSurface chartSurface;
int32_t afShowTransducer[BEAM_SLOTS] = {1, 1, 1, 1, 0, 1, 1, 1};
int32_t headingSetting = 0;
long sounderFrequency = 7680;

namespace {

// A compass heading older than this is no longer the vessel's.
constexpr long COMPASS_HEADING_SECONDS = 60;
constexpr float MAX_ECHO_VOLTS = 2.0236106f;

// The record the module fills at every call, and each slot's reading waiting to be placed.
SwathReading workingReading = UnpositionedReading();
SwathReading pendingReadings[BEAM_SLOTS];

bool ValidHeading(float h)
{
    return h >= 0 && h <= 360;
}
bool ValidPosition(int32_t lat, int32_t lon)
{
    return lat >= -900000000 && lat <= 900000000 && lon >= -1800000000 && lon <= 1800000000;
}

bool ShowPingsOnly()
{
    int32_t pingsOnly = 0;
    GetVarnelProfileInt("SONKEL32", "ShowPingsOnly", &pingsOnly);
    return pingsOnly != 0;
}

// The compass's heading while it reports, else the course made good.
float DerivedHeading()
{
    if (headingSetting && hSwath.GetTrackHeadingUpdate && ValidHeading(rTrueHeading) &&
        long(std::time(nullptr)) - long(hSwath.GetTrackHeadingUpdate()) < COMPASS_HEADING_SECONDS)
        return rTrueHeading;
    return CourseFromFixes();
}

// Pings-only mode shows only readings that make sense on their own.
bool PlausibleReading(const SwathReading& r)
{
    const double deepest = SPEEDOFSOUND * 9999 / (2.0 * double(sounderFrequency));
    const float depth = r.depth, e1 = r.e1, e2 = r.e2, heading = r.heading, pitch = r.pitch, roll = r.roll;
    return depth >= 0 && depth <= deepest && e1 >= 0 && e1 <= MAX_ECHO_VOLTS && e2 >= 0 && e2 <= MAX_ECHO_VOLTS &&
           ValidPosition(r.lat, r.lon) && heading >= 0 && heading <= 360 && pitch >= -90 && pitch <= 90 &&
           roll >= -90 && roll <= 90 && r.transducer >= -3 && r.transducer <= 3 && r.time >= 0;
}

void ClearNewSlots()
{
    std::fill(std::begin(lastSlotFresh), std::end(lastSlotFresh), false);
}

// Draws the slot's newest point: a segment from the point before it, or a dot. Returns the
// pixels it touched, or an empty rectangle.
RECT DrawNewestPoint(QPainter& dc, int slot, const ChartPixels& pixels, POINT pixel)
{
    const TrackStatus& status = globaltrackstatus;
    const CurrentTrackRing& ring = CurrentTrackRings[slot];
    const TrackPoint& newest = ring.points[(ring.writeIndex + RING_RECORDS - 1) % RING_RECORDS];
    const int pen =
        PenOfPoint(newest, DepthColouring(status.field[TS_CURRENT_BY_CLASS], status.field[TS_CURRENT_COLOUR]));
    if (!status.field[TS_CURRENT_VISIBLE] || !afShowTransducer[slot] || pen < 0 || !PixelInside(pixels.client(), pixel))
        return RECT{0, 0, 0, 0};
    RECT touched{pixel.x, pixel.y, pixel.x + 1, pixel.y + 1};
    TrackCanvas canvas(dc);
    canvas.selectPen(CurrentTrackPens[pen]);
    if (!status.field[TS_CURRENT_JOIN]) {
        canvas.dot(pixel);
    } else {
        const TrackPoint& previous = ring.points[ring.previousIndex];
        POINT from;
        if (previous.colour < 0 || !pixels.toPixel(previous.lon, previous.lat, &from))
            return RECT{0, 0, 0, 0};
        canvas.moveTo(from);
        canvas.lineTo(pixel);
        touched = {std::min(from.x, pixel.x), std::min(from.y, pixel.y), std::max(from.x, pixel.x) + 1,
                   std::max(from.y, pixel.y) + 1};
    }
    const int margin = CurrentTrackPens[pen].width() + 1;
    return RECT{touched.left - margin, touched.top - margin, touched.right + margin, touched.bottom + margin};
}

// Sent, not posted: the classification window reads the box's last cell, which belongs to
// this reading only until the next slot is classified.
void ShowReadingInWindows(int slot, const SwathReading& reading)
{
    static TrackPoint shown;
    shown = TrackPointOf(reading);
    const LPARAM point = reinterpret_cast<LPARAM>(&shown);
    for (HWND window : {hwndSedrixWnd, hwndDepthWnd})
        if (window && IsWindow(window))
            SendMessageA(window, WM_NEW_READING, WPARAM(slot), point);
}

// The new slots' points into their rings and onto the screen image.
void PlaceNewPoints(HWND chartWindow, bool fromSlotZero)
{
    ChartPixels pixels(chartSurface.engineWindow);
    QPainter dc;
    if (!chartSurface.screen.isNull())
        dc.begin(&chartSurface.screen);
    for (int slot = 0; slot < BEAM_SLOTS; ++slot) {
        if (!lastSlotFresh[slot])
            continue;
        // Placed beside the track, with its vertical depth, as the recorder stores it.
        SwathReading placed = pendingReadings[slot];
        CalculateSwathPosition(&placed);
        const bool first = CurrentTrackRings[slot].count == 0;
        AppendToRing(slot, TrackPointOf(placed));
        POINT pixel;
        // A slot's first point has nothing to join; it shows from the second on.
        if (first || !dc.isActive() || !pixels.toPixel(placed.lon, placed.lat, &pixel))
            continue;
        RECT touched = DrawNewestPoint(dc, slot, pixels, pixel);
        if (touched.right > touched.left)
            InvalidateRect(chartWindow, &touched, FALSE);
    }
    // The vessel symbol is painted by the chart window from the vessel state.
    if (fromSlotZero)
        InvalidateRect(chartWindow, nullptr, FALSE);
}

} // namespace

int OnNewReading(HWND chartWindow)
{
    static bool running = false;
    if (running)
        return 1;
    running = true;
    struct Leave {
        ~Leave() { running = false; }
    } leave;

    const uint32_t flags = PollTrackData(chartWindow, &workingReading);
    if (!flags)
        return 0;
    const bool fix = flags & 1, sounding = flags & 2;
    const bool pingsOnly = ShowPingsOnly();
    if (fix)
        NoteVesselFix(workingReading.lat, workingReading.lon);
    if (ValidHeading(workingReading.heading)) {
        heading = workingReading.heading;
    } else if (!pingsOnly) {
        workingReading.heading = DerivedHeading();
        if (ValidHeading(workingReading.heading))
            heading = workingReading.heading;
    }

    if (sounding) {
        const int slot = BeamSlot(workingReading.transducer);
        pendingReadings[slot] = workingReading;
        if (!fix) {
            pendingReadings[slot].lat = NO_POSITION_LAT;
            pendingReadings[slot].lon = NO_POSITION_LONG;
        }
    }
    // A reading waits for the next fix.
    if (!fix)
        return 0;
    const bool anyNew = std::find(std::begin(lastSlotFresh), std::end(lastSlotFresh), true) != std::end(lastSlotFresh);
    if ((!anyNew && pingsOnly) || !ValidPosition(workingReading.lat, workingReading.lon)) {
        ClearNewSlots();
        return 0;
    }

    const bool fromSlotZero = BeamSlot(workingReading.transducer) == 0;
    for (int slot = 0; slot < BEAM_SLOTS; ++slot) {
        if (!lastSlotFresh[slot])
            continue;
        SwathReading& reading = pendingReadings[slot];
        reading.lat = workingReading.lat;
        reading.lon = workingReading.lon;
        // Without a heading a reading cannot be placed beside the track: it is never drawn.
        reading.colour = int16_t(fromSlotZero || ValidHeading(reading.heading) ? 0 : COLOUR_ERASED);
        if (pingsOnly && !PlausibleReading(reading)) {
            ClearNewSlots();
            return 0;
        }
        lastSlotPoints[slot] = TrackPointOf(reading);
    }
    for (int slot = 0; slot < BEAM_SLOTS; ++slot) {
        SwathReading& reading = pendingReadings[slot];
        if (!lastSlotFresh[slot])
            continue;
        if (reading.colour != COLOUR_NO_CLASSIFICATION && reading.colour >= 0)
            ClassifyReading(&boxFile, &reading);
        ShowReadingInWindows(slot, reading);
    }
    PlaceNewPoints(chartWindow, fromSlotZero);
    ClearNewSlots();
    return 0;
}
