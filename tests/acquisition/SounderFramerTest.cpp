// The sounder framer and decoder on bytes laid in its buffer: which lines are framed (repeats,
// template breaks, reads split mid-line, the input switched off), and lines decoded into depth
// and echoes or refused with the reading unchanged.
#include "acquisition/SounderLink.h"
#include "recording/VesselState.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Feeds the chunks one read at a time and collects every line the framer completes.
std::vector<std::string> frame(const std::vector<std::string>& chunks)
{
    SounderFramer& f = sounderFramer;
    ResetSounderFramer(f);
    std::memset(f.lines, 0, sizeof f.lines);
    std::vector<std::string> lines;
    for (const std::string& chunk : chunks) {
        std::memcpy(f.receive, chunk.data(), chunk.size());
        f.readPos = 0;
        f.unread = int(chunk.size());
        // Bounded: with the sounder input off nothing is consumed.
        for (int pass = 0; f.unread > 0 && pass < 1000; ++pass)
            if (FrameSounderBytes(f))
                lines.emplace_back(f.lines[f.current]);
    }
    return lines;
}

TEST(SounderFramer, FramesLinesAndDropsTemplateBreaks)
{
    const std::string good = "D0123F0456S0777\r";
    const std::string next = "E0100F0001S0002\r";
    struct Case {
        const char* what;
        std::vector<std::string> chunks;
        std::vector<std::string> lines;
    } cases[] = {
        {"one line with its line feed", {good + "\n"}, {good}},
        {"lower-case letter starts a line", {"d0123F0456S0777\r\n"}, {"d0123F0456S0777\r"}},
        {"verbatim repeat taken once", {good + "\n" + good + "\n" + next + "\n"}, {good, next}},
        {"repeat at the end of the data is a line", {good + "\n" + good + "\n"}, {good, good}},
        {"nine in an octal position", {"D0123F0956S0777\r\n"}, {}},
        {"not F at offset five", {"D0123X0456S0777\r\n"}, {}},
        {"sixteenth byte not a carriage return", {"D0123F0456S07770\r\n" + next}, {next}},
        {"letter in a digit position", {"D01E3F0456S0777\r\n"}, {}},
        {"truncated line, then a whole one", {"D0123F04" + next}, {next}},
        {"garbage before", {std::string("\xff\x00xyz\r\n", 7) + good}, {good}},
        {"split across reads", {"D0123F0", "456S0777\r\n"}, {good}},
        {"empty fields", {"DF0456S0777\r\nD0123FS0777\r\n"}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(frame(c.chunks), c.lines);
    }
}

TEST(SounderFramer, SounderInputOffTakesNoLines)
{
    sounderFramer.fSounderInput = false;
    EXPECT_TRUE(frame({"D0123F0456S0777\r\n"}).empty());
    sounderFramer.fSounderInput = true;
}

TEST(DecodeReading, TurnsCountsIntoPhysicalValues)
{
    SwathReading r{};
    r.lat = 12345;
    ASSERT_EQ(DecodeReading("D0123F0456S0777\r", &r), 1);
    EXPECT_EQ(+r.transducer, 0);
    EXPECT_FLOAT_EQ(+r.depth, float(123 * SPEEDOFSOUND / (2.0 * 7680)));
    EXPECT_FLOAT_EQ(+r.e1, float(std::sqrt(0.302)));
    EXPECT_FLOAT_EQ(+r.e2, float(std::sqrt(0.511)));
    EXPECT_EQ(+r.lat, 12345) << "other fields untouched";

    ASSERT_EQ(DecodeReading("A0000F7777S0000\r", &r), 1);
    EXPECT_EQ(+r.transducer, -3);
    EXPECT_NEAR(+r.e1, 2.0236, 1e-4);
    ASSERT_EQ(DecodeReading("G0001F0000S0000\r", &r), 1);
    EXPECT_EQ(+r.transducer, 3);
}

TEST(DecodeReading, RejectsWithThePointUnchanged)
{
    for (const char* line : {"d0123F0456S0777\r", "H0123F0456S0777\r", "D0123F0456\r", "",
                             "D-123F0456S0777\r", "D0123F17777S0777\r", "\xff" "0123F0456S0777\r"}) {
        SCOPED_TRACE(line);
        SwathReading r{};
        r.depth = 7.0f;
        r.transducer = 2;
        EXPECT_EQ(DecodeReading(line, &r), 0);
        EXPECT_EQ(+r.depth, 7.0f);
        EXPECT_EQ(+r.transducer, 2);
    }
}

} // namespace
