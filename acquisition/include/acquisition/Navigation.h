// Navigation input and output: the GPS sentence framer and parser, the compass port, the
// $GPGLL output and the heading and speed getters the module exports.
#pragma once

#include "platform/serial.h"
#include "records/TrackRecords.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

constexpr int NAV_RECEIVE_SIZE = 10000;
constexpr int NAV_SENTENCE_SIZE = 150;

// The one framer of the navigation input. Sentences are built in `sentence`. A framed fix
// sentence (GGA, GLL, RMC) waits in `fix` for the hand-off (`fSentencePending`); meanwhile the
// framer reads nothing more, except to finish a course sentence that was arriving behind the fix
// (`fFinishingCourse`). The newest course sentence (VTG, or an RMC that came behind a fix) waits
// in `course` (`fCoursePending`, replaced under `courseLock` by a newer one) without holding the
// framer up, so that course and speed reach the parser whatever order the receiver sends its
// sentences in.
struct NavFramer {
    char receive[NAV_RECEIVE_SIZE];
    int unread = 0;
    int readPos = 0;
    char sentence[NAV_SENTENCE_SIZE + 1] = {};
    int length = 0;
    bool fInSentence = false;
    bool fSentenceComplete = false;
    bool fFinishingCourse = false;
    char fix[NAV_SENTENCE_SIZE + 1] = {};
    std::atomic<bool> fSentencePending{false};
    std::mutex courseLock;
    char course[NAV_SENTENCE_SIZE + 1] = {};
    std::atomic<bool> fCoursePending{false};
    std::atomic<bool> fNavThreadActive{false};
    char type[4] = {};
};
extern NavFramer navFramer;

// What framing the unread bytes gave. `StaleDropped`: the course sentence finished behind a fix
// is done (kept when whole), the unread bytes are dropped and the port's queue is to be purged.
enum class NavFrameResult { NeedMore, Discarded, Other, Fix, Course, StaleDropped };
// Frames the unread bytes up to one complete sentence. A GGA, GLL or RMC sentence is a Fix, a
// VTG sentence a Course; both are left pending for the parser.
NavFrameResult FrameNavBytes(NavFramer& framer);
// At a fix the unread bytes are dropped as stale: the newest whole course sentence among them
// is kept, and a course sentence still arriving at their end is left to the framer to finish.
// True when nothing is left to finish, so the port's queue can be purged at once.
bool KeepCourseFromUnread(NavFramer& framer);
void ResetNavFramer(NavFramer& framer);

// Parses one sentence into `point` (GGA, GLL: position and time; RMC: position, time, course
// and speed; VTG: course and speed). A sentence that marks its position invalid gives nothing.
// 1 for an accepted position fix, else 0.
int ParseNavSentence(const char* sentence, SwathReading* point, float* trueHeading);
// Hand-off side: parses the pending fix sentence and the pending course sentence into `point`;
// 1 when a position fix was accepted.
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

// Speed over ground, knots; -1 until a VTG or RMC sentence gave one.
extern std::atomic<float> knots;
