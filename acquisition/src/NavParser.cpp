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

int parsePosition(const char* sentence, SwathReading* point, bool gga)
{
    int latDegrees = 0, lonDegrees = 0;
    double latMinutes = 0, lonMinutes = 0;
    char ns = 0, ew = 0;
    int items = gga ? std::sscanf(sentence, "$%*c%*cGGA,%*f,%02d%lf,%c,%03d%lf,%c", &latDegrees,
                                  &latMinutes, &ns, &lonDegrees, &lonMinutes, &ew)
                    : std::sscanf(sentence, "$%*c%*cGLL,%02d%lf,%c,%03d%lf,%c", &latDegrees, &latMinutes,
                                  &ns, &lonDegrees, &lonMinutes, &ew);
    if (items < 6) {
        if (gga)
            debug(__LINE__, " \"%s\":paramsread=%d (not 6)\n", sentence, items);
        else
            debug(__LINE__, ":paramsread=%d\n", items);
        return 0;
    }
    double lat = (latDegrees + latMinutes / 60.0) * 10000000.0;
    double lon = (lonDegrees + lonMinutes / 60.0) * 10000000.0;
    // A garbled field must not become a wild (or undefined) position.
    if (!(std::fabs(lat) <= 900000000.0) || !(std::fabs(lon) <= 1800000000.0)) {
        debug(__LINE__, ":position out of range \"%s\"\n", sentence);
        return 0;
    }
    SwathReading copy = *point;
    copy.lat = static_cast<int32_t>(lat);
    copy.lon = static_cast<int32_t>(lon);
    if (ns == 'S')
        copy.lat = -copy.lat;
    if (ew == 'W')
        copy.lon = -copy.lon;
    copy.time = now();
    *point = copy;
    vessellongitude = copy.lon;
    vessellatitude = copy.lat;
    return 1;
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
        trueHeadingUpdate = now();
        if (!(point->heading >= 0.0f && point->heading <= 360.0f))
            point->heading = static_cast<float>(value);
        *trueHeading = static_cast<float>(value);
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
    knots = static_cast<float>(value);
    speedUpdate = now();
    ApplySpeedInhibit();
    return 0;
}

} // namespace

int ParseNavSentence(const char* sentence, SwathReading* point, float* trueHeading)
{
    if (sentence[0] != '$' || std::strlen(sentence) < 6)
        return 0;
    const char* type = sentence + 3;
    bool gga = std::strncmp(type, "GGA", 3) == 0;
    bool gll = std::strncmp(type, "GLL", 3) == 0;
    bool vtg = std::strncmp(type, "VTG", 3) == 0;
    if (!gga && !gll && !vtg)
        return 0;
    // The raw log keeps every GGA sentence as it came.
    if (gga)
        RawLog(sentence);
    if (!checksumHolds(sentence))
        return 0;
    return vtg ? parseCourse(sentence, point, trueHeading) : parsePosition(sentence, point, gga);
}

int TakeNavSentences(SwathReading* point)
{
    int fix = 0;
    while (navFramer.fSentencePending) {
        // Copied before the flag is cleared: from then on the framer may fill the buffer again.
        char sentence[NAV_SENTENCE_SIZE + 1];
        std::memcpy(sentence, navFramer.sentence, sizeof sentence);
        navFramer.fSentencePending = false;
        if (ParseNavSentence(sentence, point, &rTrueHeading))
            fix = 1;
        std::this_thread::yield();
    }
    if (navFramer.fCoursePending) {
        char sentence[NAV_SENTENCE_SIZE + 1];
        std::memcpy(sentence, navFramer.course, sizeof sentence);
        navFramer.fCoursePending = false;
        ParseNavSentence(sentence, point, &rTrueHeading);
    }
    return fix;
}

extern "C" {
float GetTrackHeading() { return rTrueHeading; }
int32_t GetTrackHeadingUpdate() { return trueHeadingUpdate; }
float GetTrackKnots() { return knots; }
int32_t GetTrackKnotsUpdate() { return speedUpdate; }
}
