// Captures from real receivers through the navigation framer and parser, line by line as the
// port delivers them: every accepted position is the one the sentence's own fields give, and a
// sentence that marks its position invalid never gives one.
#include "acquisition/HandOff.h"
#include "acquisition/Navigation.h"
#include "recording/VesselState.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sstream>
#include <vector>

namespace {

std::vector<std::string> splitFields(const std::string& sentence)
{
    std::string body = sentence.substr(0, sentence.find('*'));
    std::vector<std::string> fields;
    std::stringstream in(body);
    for (std::string field; std::getline(in, field, ',');)
        fields.push_back(field);
    if (!body.empty() && body.back() == ',')
        fields.emplace_back();
    return fields;
}

bool checksumMatches(const std::string& sentence)
{
    size_t star = sentence.find('*');
    if (star == std::string::npos)
        return true;
    unsigned sum = 0;
    for (size_t i = 1; i < star; ++i)
        sum ^= static_cast<unsigned char>(sentence[i]);
    return sentence.size() >= star + 3 && std::stoul(sentence.substr(star + 1, 2), nullptr, 16) == sum;
}

// "ddmm.mmmm" (latitude, 2 degree digits) or "dddmm.mmmm" (longitude, 3), in 1e-7 degrees.
std::optional<double> coordinate(const std::string& text, size_t degreeDigits, const std::string& hemisphere)
{
    if (text.size() <= degreeDigits || text.find_first_not_of("0123456789.") != std::string::npos)
        return std::nullopt;
    double minutes = std::stod(text.substr(degreeDigits));
    if (minutes >= 60.0)
        return std::nullopt;
    double value = std::trunc((std::stoi(text.substr(0, degreeDigits)) + minutes / 60.0) * 1e7);
    return hemisphere == "S" || hemisphere == "W" ? -value : value;
}

struct Expected {
    bool position = false; // a GGA, GLL or RMC sentence
    bool fix = false;
    double lat = 0, lon = 0;
    std::optional<double> knots;
};

// What the sentence itself says, read field by field.
Expected expectedOf(const std::string& sentence)
{
    Expected e;
    std::vector<std::string> f = splitFields(sentence);
    if (f[0].size() != 6 || f[0][0] != '$' || !checksumMatches(sentence))
        return e;
    std::string type = f[0].substr(3);
    auto field = [&](size_t i) { return i < f.size() ? f[i] : std::string(); };
    size_t at = 0;
    bool valid = false;
    if (type == "GGA") {
        at = 2;
        valid = !field(6).empty() && field(6) != "0" && field(6) != "7" && field(6) != "8";
    } else if (type == "GLL") {
        at = 1;
        valid = f.size() <= 6 || field(6) == "A";
    } else if (type == "RMC") {
        at = 3;
        valid = field(2) == "A";
        if (valid && !field(7).empty())
            e.knots = std::stod(field(7));
    } else if (type == "VTG") {
        if (field(2) == "T" && field(4) == "M" && !field(5).empty())
            e.knots = std::stod(field(5));
        return e;
    } else {
        return e;
    }
    e.position = true;
    auto lat = coordinate(field(at), 2, field(at + 1));
    auto lon = coordinate(field(at + 2), 3, field(at + 3));
    e.fix = valid && lat && lon && std::fabs(*lat) <= 9e8 && std::fabs(*lon) <= 18e8;
    e.lat = lat.value_or(0);
    e.lon = lon.value_or(0);
    return e;
}

// One line through the framer, with a fix's stale-byte drop, and the hand-off's take.
int feedLine(const std::string& line, SwathReading& point)
{
    NavFramer& f = navFramer;
    std::string bytes = line + "\r\n";
    std::memcpy(f.receive, bytes.data(), bytes.size());
    f.readPos = 0;
    f.unread = int(bytes.size());
    while (f.unread > 0)
        if (FrameNavBytes(f) == NavFrameResult::Fix)
            KeepCourseFromUnread(f);
    return TakeNavSentences(&point);
}

std::vector<std::filesystem::path> captures()
{
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(NMEA_LOG_DIR))
        if (entry.path().extension() == ".log")
            files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

TEST(ReceiverCaptures, PositionsOnlyFromValidFixesAndAsTheFieldsSay)
{
    ResetVesselState();
    ResetAcquisitionState();
    auto files = captures();
    ASSERT_GE(files.size(), 5u);
    int fixes = 0, refused = 0;
    for (const auto& file : files) {
        SCOPED_TRACE(file.filename().string());
        std::ifstream in(file, std::ios::binary);
        ASSERT_TRUE(in);
        ResetNavFramer(navFramer);
        for (std::string line; std::getline(in, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            if (line.empty() || line[0] != '$')
                continue;
            SCOPED_TRACE(line);
            Expected expected = expectedOf(line);
            SwathReading point{};
            point.lat = NO_POSITION_LAT;
            point.lon = NO_POSITION_LONG;
            point.heading = NO_ANGLE;
            vessellatitude = NO_POSITION_LAT;
            knots = -1.0f;
            int accepted = feedLine(line, point);
            EXPECT_EQ(accepted, expected.fix ? 1 : 0);
            fixes += expected.fix;
            refused += expected.position && !expected.fix;
            if (accepted) {
                EXPECT_NEAR(+point.lat, expected.lat, 1.0);
                EXPECT_NEAR(+point.lon, expected.lon, 1.0);
                EXPECT_EQ(vessellatitude, +point.lat);
            } else {
                EXPECT_EQ(+point.lat, NO_POSITION_LAT);
                EXPECT_EQ(vessellatitude, NO_POSITION_LAT);
            }
            if (expected.knots)
                EXPECT_FLOAT_EQ(GetTrackKnots(), float(*expected.knots));
            else
                EXPECT_EQ(GetTrackKnots(), -1.0f);
        }
    }
    // The captures hold long stretches of both.
    EXPECT_GT(fixes, 50);
    EXPECT_GT(refused, 50);
}

} // namespace
