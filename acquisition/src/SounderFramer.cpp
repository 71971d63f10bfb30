// The sounder input's framer and decoder: lines of the form DnnnnFooooSoooo cut from what the port
// delivers, each decoded into a transducer, a depth and two echoes, and handed over once, the
// framer and the hand-off never working on the line at the same time.
#include "acquisition/RawDataText.h"
#include "acquisition/SounderLink.h"
#include "recording/VesselState.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <thread>

const char TRANSDUCER_ADDRESS[9] = "34567012";
const unsigned char TRANSDUCER_LETTER[8] = {'D', 'E', 'F', 'G', 0xFF, 'A', 'B', 'C'};

SounderFramer sounderFramer;
long nUnitClockFrequency = 7680;

namespace {

constexpr char LINE_TEMPLATE[] = "DnnnnFooooSoooo\r";

std::mutex lastLineMutex;
std::string lastLine;

bool isLetter(unsigned char c) { return std::memchr(TRANSDUCER_LETTER, c, sizeof TRANSDUCER_LETTER) != nullptr; }

bool isStartByte(const SounderFramer& f, int pos)
{
    int end = f.readPos + f.unread;
    if (pos >= end)
        return false;
    auto c = static_cast<unsigned char>(f.receive[pos]);
    if (!isLetter(c) && !isLetter(static_cast<unsigned char>(std::toupper(c))))
        return false;
    return pos + 5 >= end || f.receive[pos + 5] == 'F';
}

bool fitsTemplate(char c, int position)
{
    char t = LINE_TEMPLATE[position];
    if (t == 'n')
        return c >= '0' && c <= '9';
    if (t == 'o')
        return c >= '0' && c <= '7';
    if (t == 'D')
        return isLetter(static_cast<unsigned char>(c));
    return c == t;
}

void consume(SounderFramer& f, int count)
{
    f.readPos += count;
    f.unread -= count;
}

void discardLine(SounderFramer& f)
{
    f.fill = 0;
    f.fInLine = false;
    f.fLineComplete = false;
}

} // namespace

bool FrameSounderBytes(SounderFramer& f)
{
    if (!f.fInLine && f.fSounderInput) {
        while (f.unread > 0) {
            if (!isStartByte(f, f.readPos)) {
                consume(f, 1);
                continue;
            }
            f.fInLine = true;
            // A verbatim repeat of the line just completed, with its line feed, is skipped.
            const char* last = f.lines[f.current];
            if (last[0] == f.receive[f.readPos] && f.unread > SOUNDER_LINE_LENGTH + 1 &&
                std::memcmp(f.receive + f.readPos, last, SOUNDER_LINE_LENGTH) == 0 &&
                isStartByte(f, f.readPos + SOUNDER_LINE_LENGTH + 1))
                consume(f, SOUNDER_LINE_LENGTH + 1);
            char* building = f.lines[1 - f.current];
            std::memset(building, 0, sizeof f.lines[0]);
            building[0] = f.receive[f.readPos];
            f.fill = 1;
            consume(f, 1);
            break;
        }
    }
    char* building = f.lines[1 - f.current];
    while (f.fInLine && f.unread > 0) {
        char c = f.receive[f.readPos];
        if (!fitsTemplate(c, f.fill)) {
            // The breaking byte stays unread: it may start the next line.
            discardLine(f);
            return false;
        }
        building[f.fill++] = c;
        consume(f, 1);
        if (c == '\r') {
            f.fLineComplete = true;
            break;
        }
        if (f.fill >= SOUNDER_LINE_SIZE) {
            discardLine(f);
            return false;
        }
    }
    if (!f.fLineComplete)
        return false;
    if (f.unread > 0 && (f.receive[f.readPos] == '\r' || f.receive[f.readPos] == '\n'))
        consume(f, 1);
    f.current = 1 - f.current;
    std::memset(f.lines[1 - f.current], 0, sizeof f.lines[0]);
    f.lines[f.current][f.fill] = 0;
    std::string line(f.lines[f.current], f.fill - 1);
    {
        std::lock_guard lock(lastLineMutex);
        lastLine = line;
    }
    f.fReadingReady = true;
    AppendRawDataLine(sounderRawText, line);
    NotifyRawDataChanged();
    discardLine(f);
    return true;
}

std::string LastSounderLine()
{
    std::lock_guard lock(lastLineMutex);
    return lastLine;
}

void ResetSounderFramer(SounderFramer& f)
{
    f.readPos = 0;
    f.unread = 0;
    discardLine(f);
}

int DecodeReading(const char* line, SwathReading* point)
{
    char letter = 0;
    int count = 0;
    unsigned rawE1 = 0, rawE2 = 0;
    if (std::sscanf(line, "%c%dF%oS%o", &letter, &count, &rawE1, &rawE2) != 4)
        return 0;
    int transducer = static_cast<unsigned char>(letter) - 'D';
    if (transducer < -3 || transducer > 3)
        return 0;
    // The framer only passes in-range values; a line from elsewhere must not make a wild point.
    if (count < 0 || rawE1 > 07777 || rawE2 > 07777 || nUnitClockFrequency <= 0)
        return 0;
    point->depth = static_cast<float>(count * SPEEDOFSOUND / (2.0 * nUnitClockFrequency));
    point->e1 = static_cast<float>(std::sqrt(rawE1 / 1000.0));
    point->e2 = static_cast<float>(std::sqrt(rawE2 / 1000.0));
    point->transducer = transducer;
    return 1;
}

void ClaimAgainstFramer(std::atomic<bool>& own)
{
    // Each side raises its own flag before it looks at the other's, so both can never pass.
    for (;;) {
        own = true;
        if (!sounderFramer.fFramerBusy)
            return;
        own = false;
        std::this_thread::yield();
    }
}

int TakeSounderReading(SwathReading* point)
{
    SounderFramer& f = sounderFramer;
    if (!f.fReadingReady)
        return 0;
    ClaimAgainstFramer(f.fHandOffBusy);
    f.fReadingReady = false;
    int taken = DecodeReading(f.lines[f.current], point);
    // A consumed line must never match the framer's repeat check.
    if (taken)
        f.lines[f.current][0] = 0;
    f.fHandOffBusy = false;
    return taken;
}
