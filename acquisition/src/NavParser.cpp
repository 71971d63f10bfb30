// The navigation input's parser: NMEA position, course and speed sentences into the reading and
// the vessel state, and the heading and speed getters the module exports.
#include "acquisition/HandOff.h"
#include "acquisition/Navigation.h"
#include "platform/messages.h"
#include "recording/RawLog.h"
#include "recording/VesselState.h"

#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <limits>
#include <string>
#include <thread>
#include <utility>
#include <vector>

std::atomic<float> knots{-1.0f};

namespace {

std::atomic<int32_t> trueHeadingUpdate{0};
std::atomic<int32_t> speedUpdate{0};

constexpr char SOURCE_NAME[] = "ReadData Conversions";

// The debugger channel: source name and line first, as every parser message has them.
void debug(int line, const char* format, ...)
{
    char text[512];
    int used = std::snprintf(text, sizeof text, "%s,%d", SOURCE_NAME, line);
    va_list args;
    va_start(args, format);
    std::vsnprintf(text + used, sizeof text - size_t(used), format, args);
    va_end(args);
    OutputDebugStringA(text);
}

int32_t now() { return static_cast<int32_t>(std::time(nullptr)); }

// A field holding one number in text; false when it does not convert completely or does not
// fit the float it is kept in.
bool convertField(const std::string& field, double& value)
{
    char* end = nullptr;
    value = std::strtod(field.c_str(), &end);
    return end && *end == 0 && std::fabs(value) <= std::numeric_limits<float>::max();
}

// A sentence that carries a checksum ("*hh") must match it: a damaged sentence would make a
// wrong position or speed. Sentences without one (older receivers, replay files) are taken.
bool checksumHolds(const char* sentence)
{
    const char* star = std::strchr(sentence, '*');
    if (!star)
        return true;
    unsigned char sum = 0;
    for (const char* p = sentence + 1; p < star; ++p)
        sum ^= static_cast<unsigned char>(*p);
    unsigned given = 0;
    if (!std::isxdigit(static_cast<unsigned char>(star[1])) || !std::isxdigit(static_cast<unsigned char>(star[2])) ||
        std::sscanf(star + 1, "%2x", &given) != 1 || given != sum) {
        debug(__LINE__, ":checksum error \"%s\"\n", sentence);
        return false;
    }
    return true;
}

enum class Kind { Other, Gga, Gll, Rmc, Vtg };

// Any two-letter talker.
Kind kindOf(const char* sentence)
{
    if (sentence[0] != '$' || std::strlen(sentence) < 6)
        return Kind::Other;
    const std::pair<const char*, Kind> kinds[] = {
        {"GGA", Kind::Gga}, {"GLL", Kind::Gll}, {"RMC", Kind::Rmc}, {"VTG", Kind::Vtg}};
    for (const auto& [type, kind] : kinds)
        if (std::strncmp(sentence + 3, type, 3) == 0)
            return kind;
    return Kind::Other;
}

// The fields after the sentence type, up to the checksum or the carriage return.
std::vector<std::string> fieldsOf(const char* sentence)
{
    std::vector<std::string> fields;
    for (const char* comma = std::strchr(sentence, ','); comma;) {
        const char* end = comma + 1 + std::strcspn(comma + 1, ",*\r\n");
        fields.emplace_back(comma + 1, end);
        comma = *end == ',' ? end : nullptr;
    }
    return fields;
}

// Receivers that lose lock go on sending their last position, marked as no fix: GGA with fix
// quality 0 (or none), GLL or RMC with a status other than A. A GLL without a status (older
// receivers, replay files) counts as a fix. GGA's manual input (7) and simulator (8) are no
// place to put a sounding either.
bool markedValid(Kind kind, const std::vector<std::string>& fields)
{
    switch (kind) {
    case Kind::Gga:
        return fields.size() > 5 && fields[5].size() == 1 && fields[5][0] >= '1' && fields[5][0] <= '9' &&
               fields[5][0] != '7' && fields[5][0] != '8';
    case Kind::Gll:
        return fields.size() <= 5 || fields[5] == "A";
    case Kind::Rmc:
        return fields.size() > 1 && fields[1] == "A";
    default:
        return true;
    }
}

// The position of a GGA, GLL or RMC sentence in 1e-7 degrees; false (with the debug output)
// when it does not scan or cannot be a position.
bool readPosition(const char* sentence, Kind kind, int32_t& latitude, int32_t& longitude)
{
    int latDegrees = 0, lonDegrees = 0;
    double latMinutes = 0, lonMinutes = 0;
    char ns = 0, ew = 0;
    const char* format = kind == Kind::Gga   ? "$%*c%*cGGA,%*f,%02d%lf,%c,%03d%lf,%c"
                         : kind == Kind::Gll ? "$%*c%*cGLL,%02d%lf,%c,%03d%lf,%c"
                                             : "$%*c%*cRMC,%*f,%*c,%02d%lf,%c,%03d%lf,%c";
    int items = std::sscanf(sentence, format, &latDegrees, &latMinutes, &ns, &lonDegrees, &lonMinutes, &ew);
    if (items < 6) {
        if (kind == Kind::Gll)
            debug(__LINE__, ":paramsread=%d\n", items);
        else
            debug(__LINE__, " \"%s\":paramsread=%d (not 6)\n", sentence, items);
        return false;
    }
    if (!(latMinutes >= 0.0 && latMinutes < 60.0 && lonMinutes >= 0.0 && lonMinutes < 60.0)) {
        debug(__LINE__, ":minutes out of range \"%s\"\n", sentence);
        return false;
    }
    double lat = (latDegrees + latMinutes / 60.0) * 10000000.0;
    double lon = (lonDegrees + lonMinutes / 60.0) * 10000000.0;
    // A garbled field must not become a wild (or undefined) position.
    if (!(std::fabs(lat) <= 900000000.0) || !(std::fabs(lon) <= 1800000000.0)) {
        debug(__LINE__, ":position out of range \"%s\"\n", sentence);
        return false;
    }
    latitude = ns == 'S' ? -static_cast<int32_t>(lat) : static_cast<int32_t>(lat);
    longitude = ew == 'W' ? -static_cast<int32_t>(lon) : static_cast<int32_t>(lon);
    return true;
}

void takePosition(int32_t latitude, int32_t longitude, SwathReading* point)
{
    SwathReading copy = *point;
    copy.lat = latitude;
    copy.lon = longitude;
    copy.time = now();
    *point = copy;
    vessellongitude = copy.lon;
    vessellatitude = copy.lat;
}

// A true course from the receiver: for the heading getters, and for the point while it has no
// heading of its own.
void takeTrueCourse(double course, SwathReading* point, float* trueHeading)
{
    trueHeadingUpdate = now();
    if (!(point->heading >= 0.0f && point->heading <= 360.0f))
        point->heading = static_cast<float>(course);
    *trueHeading = static_cast<float>(course);
}

void takeSpeed(double value)
{
    knots = static_cast<float>(value);
    speedUpdate = now();
    ApplySpeedInhibit();
}

// An RMC sentence's speed (knots) and true course; an empty field leaves its value as it was.
void parseRmcCourse(const std::vector<std::string>& fields, SwathReading* point, float* trueHeading)
{
    double value = 0;
    if (fields.size() > 6 && !fields[6].empty()) {
        if (convertField(fields[6], value))
            takeSpeed(value);
        else
            debug(__LINE__, ":error converting RMC knots \"%s\"\n", fields[6].c_str());
    }
    if (fields.size() > 7 && !fields[7].empty()) {
        if (convertField(fields[7], value))
            takeTrueCourse(value, point, trueHeading);
        else
            debug(__LINE__, ":error converting RMC true course \"%s\"\n", fields[7].c_str());
    }
}

int parseCourse(const char* sentence, SwathReading* point, float* trueHeading)
{
    const char* comma = std::strchr(sentence, ',');
    if (!comma || std::strlen(sentence) < 6 || sentence[0] != '$' || sentence[3] != 'V' ||
        sentence[4] != 'T' || sentence[5] != 'G') {
        debug(__LINE__, ":Invalid VTG String\n");
        return 0;
    }
    // The next field of the sentence after `from`, or null (with the debug output) when the
    // sentence ends first.
    auto nextComma = [&](const char* from, int line) -> const char* {
        const char* found = std::strchr(from, ',');
        if (!found)
            debug(line, ":ptr2=%p\n", static_cast<const void*>(found));
        return found;
    };
    const char* field = comma + 1;
    const char* end = nextComma(field, __LINE__);
    if (!end) {
        debug(__LINE__, ":buff=\"%s\"\n", sentence);
        return 0;
    }
    double value = 0;
    if (end == field) {
        debug(__LINE__, ":Invalid VTG True Hdg\n");
    } else {
        std::string text(field, end);
        if (!convertField(text, value)) {
            debug(__LINE__, ":error converting true hdg \"%s\"\n", text.c_str());
            return 0;
        }
        takeTrueCourse(value, point, trueHeading);
    }
    field = end + 1;
    if (*field != 'T') {
        debug(__LINE__, ":error finding 'T' in VTG string; found \"%s\"\n", field);
        return 0;
    }
    if (!(end = nextComma(field, __LINE__)) || !(end = nextComma(end + 1, __LINE__)))
        return 0;
    field = end + 1;
    if (*field != 'M') {
        debug(__LINE__, ":error finding 'M' in VTG string; found \"%s\"", field);
        return 0;
    }
    if (!(end = nextComma(field, __LINE__)))
        return 0;
    field = end + 1;
    if (!(end = nextComma(field, __LINE__)))
        return 0;
    if (end == field) {
        debug(__LINE__, ":Invalid VTG Knots\n");
        return 0;
    }
    std::string text(field, end);
    if (!convertField(text, value)) {
        debug(__LINE__, ":error converting knots \"%s\"\n", text.c_str());
        return 0;
    }
    takeSpeed(value);
    return 0;
}

// `withPosition` false takes only course and speed (VTG, or an RMC kept behind a fix).
int parseSentence(const char* sentence, SwathReading* point, float* trueHeading, bool withPosition)
{
    Kind kind = kindOf(sentence);
    if (kind == Kind::Other || (!withPosition && kind != Kind::Vtg && kind != Kind::Rmc))
        return 0;
    // The raw log keeps every GGA sentence as it came.
    if (kind == Kind::Gga)
        RawLog(sentence);
    if (!checksumHolds(sentence))
        return 0;
    if (kind == Kind::Vtg)
        return parseCourse(sentence, point, trueHeading);
    std::vector<std::string> fields = fieldsOf(sentence);
    if (!markedValid(kind, fields)) {
        debug(__LINE__, ":no fix \"%s\"\n", sentence);
        return 0;
    }
    // A sentence whose position is garbled gives nothing, course and speed included.
    int32_t latitude = 0, longitude = 0;
    if (!readPosition(sentence, kind, latitude, longitude))
        return 0;
    if (kind == Kind::Rmc)
        parseRmcCourse(fields, point, trueHeading);
    if (!withPosition)
        return 0;
    takePosition(latitude, longitude, point);
    return 1;
}

} // namespace

int ParseNavSentence(const char* sentence, SwathReading* point, float* trueHeading)
{
    return parseSentence(sentence, point, trueHeading, true);
}

int TakeNavSentences(SwathReading* point)
{
    int fix = 0;
    while (navFramer.fSentencePending) {
        // Copied before the flag is cleared: from then on the framer may fill the buffer again.
        char sentence[NAV_SENTENCE_SIZE + 1];
        std::memcpy(sentence, navFramer.fix, sizeof sentence);
        navFramer.fSentencePending = false;
        if (ParseNavSentence(sentence, point, &rTrueHeading))
            fix = 1;
        std::this_thread::yield();
    }
    if (navFramer.fCoursePending) {
        char sentence[NAV_SENTENCE_SIZE + 1];
        {
            std::lock_guard lock(navFramer.courseLock);
            std::memcpy(sentence, navFramer.course, sizeof sentence);
            navFramer.fCoursePending = false;
        }
        parseSentence(sentence, point, &rTrueHeading, false);
    }
    return fix;
}

extern "C" {
float GetTrackHeading() { return rTrueHeading; }
int32_t GetTrackHeadingUpdate() { return trueHeadingUpdate; }
float GetTrackKnots() { return knots; }
int32_t GetTrackKnotsUpdate() { return speedUpdate; }
}
