// The texts of the track list's rows: track numbers, coordinates and file times.
#include "trackwin/TrackList.h"

#include <QDateTime>
#include <QLocale>

#include <cstdio>

namespace {

// Rounded once to the written thousandth of a minute, so that 59.9996 minutes never shows as 60.000.
QString coordinateText(int32_t value, const char* degreeFormat, char positive, char negative)
{
    const int64_t magnitude = value < 0 ? -int64_t(value) : int64_t(value);
    const int64_t thousandths = (magnitude * 6 + 500) / 1000; // a unit is 6e-3 thousandth of a minute
    char text[40];
    std::snprintf(text, sizeof text, degreeFormat, int(thousandths / 60000), double(thousandths % 60000) / 1000.0);
    return QString::fromUtf8(text) + QChar('"') + QChar(value < 0 ? negative : positive);
}

} // namespace

QString TrackNumberText(uint32_t handle, bool pastTrack)
{
    char text[24];
    std::snprintf(text, sizeof text, pastTrack ? "%-5ld*" : "%-6ld", long(handle));
    return QString::fromLatin1(text);
}

QString LongitudeText(int32_t longitude) { return coordinateText(longitude, "%03d°%06.3f", 'E', 'W'); }

QString LatitudeText(int32_t latitude) { return coordinateText(latitude, "%02d°%06.3f", 'N', 'S'); }

QString FileTimeText(const FILETIME& time)
{
    // 100-nanosecond intervals since 1601 to milliseconds since 1970.
    const uint64_t ticks = (uint64_t(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    const int64_t ms = (int64_t(ticks) - 116444736000000000LL) / 10000;
    const QDateTime local = QDateTime::fromMSecsSinceEpoch(ms).toLocalTime();
    const QLocale locale;
    return locale.toString(local.date(), QLocale::ShortFormat) + ' ' +
           locale.toString(local.time(), QLocale::ShortFormat);
}
