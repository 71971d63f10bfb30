#include "acquisition/Navigation.h"
#include "acquisition/PortLoss.h"
#include "acquisition/RawDataText.h"
#include "acquisition/SounderLink.h"
#include "platform/modules.h"

#include <cstring>

NavFramer navFramer;

namespace {

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
    while (f.unread > 0 && !f.fSentenceComplete) {
        char c = f.receive[f.readPos];
        if (f.length >= NAV_SENTENCE_SIZE) {
            // Too long to be a sentence; the search for '$' resumes at this byte.
            resetSentence(f);
            return NavFrameResult::Discarded;
        }
        f.sentence[f.length++] = c;
        ++f.readPos;
        --f.unread;
        if (c == '\r')
            f.fSentenceComplete = true;
    }
    if (!f.fSentenceComplete) {
        if (f.length >= NAV_SENTENCE_SIZE) {
            resetSentence(f);
            return NavFrameResult::Discarded;
        }
        return NavFrameResult::NeedMore;
    }
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
    if (std::strcmp(f.type, "VTG") == 0) {
        f.fSentencePending = true;
        return NavFrameResult::Course;
    }
    f.fSentencePending = false;
    return NavFrameResult::Other;
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
