// Stored tracks made as the program records them: survey lines of two transducers each, every
// line stored as one track per transducer.
#pragma once

#include "SurveyRecording.h"

#include "classification/BoxFile.h"

#include <gtest/gtest.h>

#include <vector>

// Line n lies a little east of line n - 1; its readings alternate between transducers 0 and -1.
inline void RecordSurveyLines(int lines)
{
    BoxFile box{};
    FillDefaultBox(&box);
    for (int line = 0; line < lines; ++line) {
        std::vector<SwathReading> readings;
        for (int i = 0; i < 20; ++i) {
            SwathReading r{};
            r.depth = 8.0f + float(i % 7);
            r.e1 = 0.4f + 0.01f * float(i);
            r.e2 = 0.2f;
            r.lat = 508020000 + i * 2000;
            r.lon = -10912345 + line * 30000;
            r.transducer = i % 2 ? -1 : 0;
            r.time = 1700000000 + line * 1000 + i;
            readings.push_back(r);
        }
        ASSERT_TRUE(RecordSurveyLine(readings, box)) << line;
    }
}
