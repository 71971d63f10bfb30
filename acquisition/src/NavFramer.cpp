// The navigation input's framer: the reader thread's pass over the GPS port, which frames NMEA
// sentences and hands fixes and courses to the parser.
#include "acquisition/Navigation.h"
#include "acquisition/PortLoss.h"
#include "acquisition/RawDataText.h"
#include "acquisition/SounderLink.h"
#include "platform/modules.h"

#include <algorithm>
#include <cstring>

NavFramer navFramer;

namespace {

bool typeIs(const char* sentence, size_t length, const char* type)
{
    return length >= 6 && sentence[0] == '$' && std::strncmp(sentence + 3, type, 3) == 0;
}

bool isFix(const char* sentence, size_t length)
{
    return typeIs(sentence, length, "GGA") || typeIs(sentence, length, "GLL") || typeIs(sentence, length, "RMC");
}

// Behind a fix an RMC sentence is kept for its course and speed like a VTG sentence.
bool isCourse(const char* sentence, size_t length)
{
    return typeIs(sentence, length, "VTG") || typeIs(sentence, length, "RMC");
}

// A sentence begun but not whole: whether what came so far can still turn out a course.
bool mayBeCourse(const char* sentence, size_t length)
{
    if (length >= 6)
        return isCourse(sentence, length);
    for (const char* type : {"VTG", "RMC"})
        if (length <= 3 || std::strncmp(sentence + 3, type, length - 3) == 0)
            return true;
    return false;
}

// A newer course replaces one the hand-off has not taken yet.
void offerCourse(NavFramer& f, const char* sentence, size_t length)
{
    if (length > NAV_SENTENCE_SIZE)
        return;
    std::lock_guard lock(f.courseLock);
    std::memcpy(f.course, sentence, length);
    f.course[length] = 0;
    f.fCoursePending = true;
}

void resetSentence(NavFramer& f)
{
    f.length = 0;
    f.fInSentence = false;
    f.fSentenceComplete = false;
}

// The course sentence behind a fix is done with: what is left unread is stale.
NavFrameResult dropStale(NavFramer& f)
{
    resetSentence(f);
    f.fFinishingCourse = false;
    f.unread = 0;
    return NavFrameResult::StaleDropped;
}

} // namespace

void ResetNavFramer(NavFramer& f)
{
    f.unread = 0;
    f.readPos = 0;
    resetSentence(f);
    f.fFinishingCourse = false;
    f.fSentencePending = false;
    f.fCoursePending = false;
}

NavFrameResult FrameNavBytes(NavFramer& f)
{
    if (!f.fInSentence) {
        while (f.unread > 0 && f.receive[f.readPos] != '$') {
            ++f.readPos;
            --f.unread;
        }
        if (f.unread == 0)
            return NavFrameResult::NeedMore;
        f.sentence[0] = '$';
        f.length = 1;
        f.fInSentence = true;
        ++f.readPos;
        --f.unread;
    }
    while (f.unread > 0 && !f.fSentenceComplete && f.length < NAV_SENTENCE_SIZE) {
        char c = f.receive[f.readPos];
        f.sentence[f.length++] = c;
        ++f.readPos;
        --f.unread;
        if (c == '\r')
            f.fSentenceComplete = true;
    }
    if (f.length >= NAV_SENTENCE_SIZE) {
        // 150 bytes, with or without the carriage return, are too long for a sentence; the
        // search for '$' resumes at the next byte.
        if (f.fFinishingCourse)
            return dropStale(f);
        resetSentence(f);
        return NavFrameResult::Discarded;
    }
    if (f.fFinishingCourse && !mayBeCourse(f.sentence, size_t(f.length)))
        return dropStale(f);
    if (!f.fSentenceComplete)
        return NavFrameResult::NeedMore;
    f.sentence[f.length] = 0;
    std::string text(f.sentence, f.length - 1);
    size_t length = size_t(f.length);
    resetSentence(f);
    AppendRawDataLine(gpsRawText, text);
    NotifyRawDataChanged();
    std::memset(f.type, 0, sizeof f.type);
    if (text.size() >= 6)
        std::memcpy(f.type, f.sentence + 3, 3);
    if (f.fFinishingCourse) {
        if (isCourse(f.sentence, length))
            offerCourse(f, f.sentence, length);
        return dropStale(f);
    }
    if (isFix(f.sentence, length)) {
        std::memcpy(f.fix, f.sentence, length + 1);
        f.fSentencePending = true;
        return NavFrameResult::Fix;
    }
    // Course and speed go to the parser too: the speed window and the heading getters need them.
    if (typeIs(f.sentence, length, "VTG")) {
        offerCourse(f, f.sentence, length);
        return NavFrameResult::Course;
    }
    f.fSentencePending = false;
    return NavFrameResult::Other;
}

bool KeepCourseFromUnread(NavFramer& f)
{
    const char* bytes = f.receive + f.readPos;
    const char* end = bytes + f.unread;
    const char* newest = nullptr;
    size_t newestLength = 0;
    const char* arriving = nullptr;
    for (const char* p = bytes; (p = static_cast<const char*>(std::memchr(p, '$', size_t(end - p)))); ++p) {
        const char* next = static_cast<const char*>(std::memchr(p + 1, '$', size_t(end - p - 1)));
        const char* stop = next ? next : end;
        const char* cr = static_cast<const char*>(std::memchr(p, '\r', size_t(stop - p)));
        size_t length = cr ? size_t(cr - p + 1) : size_t(stop - p);
        if (cr && length <= NAV_SENTENCE_SIZE && isCourse(p, length)) {
            newest = p;
            newestLength = length;
        }
        // The last sentence, still arriving when the fix came, is finished from the port.
        if (!cr && !next && length < NAV_SENTENCE_SIZE && mayBeCourse(p, length))
            arriving = p;
    }
    if (newest)
        offerCourse(f, newest, newestLength);
    if (arriving) {
        f.length = int(end - arriving);
        std::memcpy(f.sentence, arriving, size_t(f.length));
        f.fInSentence = true;
        f.fSentenceComplete = false;
        f.fFinishingCourse = true;
    }
    f.unread = 0;
    return !arriving;
}

void NavFramingPass()
{
    NavFramer& f = navFramer;
    HANDLE port = NavPort();
    if (port == INVALID_HANDLE_VALUE)
        return;
    while (!f.fSentencePending || f.fFinishingCourse) {
        if (f.unread == 0) {
            DWORD read = 0;
            BOOL ok = ReadFile(port, f.receive, NAV_RECEIVE_SIZE, &read, nullptr);
            if (!ok && (NavInputLoss().check() || !NavPortOpen()))
                return;
            DWORD errors = 0;
            COMSTAT status{};
            if (read == 0)
                ClearCommError(port, &errors, &status);
            f.readPos = 0;
            f.unread = int(read);
        }
        NavFrameResult result = FrameNavBytes(f);
        if (result == NavFrameResult::Discarded)
            return;
        // What queued behind a fix is stale by the time the fix is taken; the purge waits for
        // a course sentence that was arriving behind it.
        bool purge = result == NavFrameResult::StaleDropped;
        if (result == NavFrameResult::Fix) {
            ReadCompass(&compassRecord);
            purge = KeepCourseFromUnread(f);
        }
        if (purge)
            PurgeComm(port, PURGE_RXCLEAR);
        DWORD errors = 0;
        COMSTAT status{};
        if (!ClearCommError(port, &errors, &status)) {
            NavInputLoss().check();
            return;
        }
        if (status.cbInQue < NAV_SENTENCE_SIZE)
            return;
    }
}
