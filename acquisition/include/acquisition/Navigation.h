// Navigation input and output: the GPS sentence framer and parser, the compass port, the
// $GPGLL output and the heading and speed getters the module exports.
#pragma once

#include "platform/serial.h"
#include "records/TrackRecords.h"

#include <atomic>
#include <cstdint>
#include <string>

constexpr int NAV_RECEIVE_SIZE = 10000;
constexpr int NAV_SENTENCE_SIZE = 150;

// The one framer of the navigation input. A framed GGA or GLL sentence waits in `sentence` for
// the hand-off (`fSentencePending`); meanwhile the framer reads nothing more. The newest VTG
// sentence waits in `course` (`fCoursePending`) without holding the framer up, so that course
// and speed reach the parser whatever order the receiver sends its sentences in.
struct NavFramer {
    char receive[NAV_RECEIVE_SIZE];
    int unread = 0;
    int readPos = 0;
    char sentence[NAV_SENTENCE_SIZE + 1] = {};
    int length = 0;
    bool fInSentence = false;
    bool fSentenceComplete = false;
    std::atomic<bool> fSentencePending{false};
    char course[NAV_SENTENCE_SIZE + 1] = {};
    std::atomic<bool> fCoursePending{false};
    std::atomic<bool> fNavThreadActive{false};
    char type[4] = {};
};
extern NavFramer navFramer;

// What framing the unread bytes gave.
enum class NavFrameResult { NeedMore, Discarded, Other, Fix, Course };
// Frames the unread bytes up to one complete sentence. A GGA or GLL sentence is a Fix, a VTG
// sentence a Course; both are left pending for the parser.
NavFrameResult FrameNavBytes(NavFramer& framer);
// At a fix the unread bytes are dropped as stale: a whole VTG sentence among them is kept.
void KeepCourseFromUnread(NavFramer& framer);
void ResetNavFramer(NavFramer& framer);

// Parses one sentence into `point` (GGA, GLL: position and time; VTG: course and speed).
// 1 for an accepted position fix, else 0.
int ParseNavSentence(const char* sentence, SwathReading* point, float* trueHeading);
// Hand-off side: parses every pending sentence into `point`; 1 when one was a position fix.
int TakeNavSentences(SwathReading* point);

// Compass record: heading, pitch, roll in degrees; NO_ANGLE until read.
struct CompassRecord {
    float heading;
    float pitch;
    float roll;
};
extern CompassRecord compassRecord;
extern std::atomic<float> rCompassCorrection, rPitchCorrection, rRollCorrection;
void ReadCompass(CompassRecord* record);
// A copy of a record that ReadCompass may be writing on the navigation reader's thread.
CompassRecord CurrentCompass(const CompassRecord& record);
// Feeds compass bytes through the sentence buffer; true when a checksummed sentence was taken.
bool FeedCompassBytes(const char* bytes, int count, CompassRecord* record);
int OpenCompass(HWND window);
void CloseCompass();
void ConfigureCompass();

int OpenNavOutput(HWND window);
void CloseNavOutput();

// Navigation reader thread: one framing pass over the port.
void NavFramingPass();

extern "C" {
float GetTrackHeading();
int32_t GetTrackHeadingUpdate();
float GetTrackKnots();
int32_t GetTrackKnotsUpdate();
int OutputData(HWND window, SwathReading* point);
}

// Speed over ground, knots; -1 until a VTG sentence gave one.
extern std::atomic<float> knots;
