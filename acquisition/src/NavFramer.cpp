#include "acquisition/Navigation.h"
#include "acquisition/PortLoss.h"
#include "acquisition/RawDataText.h"
#include "acquisition/SounderLink.h"
#include "platform/modules.h"

#include <algorithm>
#include <cstring>

NavFramer navFramer;

namespace {

bool isCourse(const char* sentence, size_t length)
{
    return length >= 6 && sentence[0] == '$' && std::strncmp(sentence + 3, "VTG", 3) == 0;
}

// The course waits only while the previous one has been taken.
void offerCourse(NavFramer& f, const char* sentence, size_t length)
{
    if (f.fCoursePending || length > NAV_SENTENCE_SIZE)
        return;
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

} // namespace

void ResetNavFramer(NavFramer& f)
{
    f.unread = 0;
    f.readPos = 0;
    resetSentence(f);
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
        resetSentence(f);
        return NavFrameResult::Discarded;
    }
    if (!f.fSentenceComplete)
        return NavFrameResult::NeedMore;
    f.sentence[f.length] = 0;
    std::string text(f.sentence, f.length - 1);
    resetSentence(f);
    AppendRawDataLine(gpsRawText, text);
    NotifyRawDataChanged();
    std::memset(f.type, 0, sizeof f.type);
    if (text.size() >= 6)
        std::memcpy(f.type, f.sentence + 3, 3);
    if (std::strcmp(f.type, "GLL") == 0 || std::strcmp(f.type, "GGA") == 0) {
        f.fSentencePending = true;
        return NavFrameResult::Fix;
    }
    // Course and speed go to the parser too: the speed window and the heading getters need them.
    if (isCourse(f.sentence, text.size() + 1)) {
        offerCourse(f, f.sentence, text.size() + 1);
        return NavFrameResult::Course;
    }
    f.fSentencePending = false;
    return NavFrameResult::Other;
}

void KeepCourseFromUnread(NavFramer& f)
{
    const char* bytes = f.receive + f.readPos;
    const char* end = bytes + f.unread;
    const char* newest = nullptr;
    size_t newestLength = 0;
    for (const char* p = bytes; (p = static_cast<const char*>(std::memchr(p, '$', size_t(end - p)))); ++p) {
        const char* cr = static_cast<const char*>(std::memchr(p, '\r', size_t(std::min<ptrdiff_t>(end - p, NAV_SENTENCE_SIZE))));
        if (cr && isCourse(p, size_t(cr - p + 1)) && !std::memchr(p + 1, '$', size_t(cr - p))) {
            newest = p;
            newestLength = size_t(cr - p + 1);
        }
    }
    if (newest)
        offerCourse(f, newest, newestLength);
}

void NavFramingPass()
{
    NavFramer& f = navFramer;
    HANDLE port = NavPort();
    if (port == INVALID_HANDLE_VALUE)
        return;
    while (!f.fSentencePending) {
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
        if (result == NavFrameResult::Fix) {
            ReadCompass(&compassRecord);
            // What queued behind a fix is stale by the time the fix is taken.
            KeepCourseFromUnread(f);
            f.unread = 0;
            PurgeComm(port, PURGE_RXCLEAR);
        }
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
