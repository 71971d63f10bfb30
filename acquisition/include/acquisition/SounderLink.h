// The link to the swath unit: the port-number file, both input ports, the sounder port's mutex,
// the reader thread with its line framer, the decoding of reading lines and the command set.
// Results follow the module's convention: 0 for success, non-zero for failure.
#pragma once

#include "platform/serial.h"
#include "records/TrackRecords.h"

#include <atomic>
#include <cstdint>
#include <string>

// Transducer addressing, indexed by beam slot (transducer AND 7).
extern const char TRANSDUCER_ADDRESS[9];          // "34567012"
extern const unsigned char TRANSDUCER_LETTER[8];  // 'D','E','F','G',0xFF,'A','B','C'

constexpr int SOUNDER_RECEIVE_SIZE = 10000;
constexpr int SOUNDER_LINE_SIZE = 20;
constexpr int SOUNDER_LINE_LENGTH = 16; // "DnnnnFooooSoooo" and a carriage return

// The one framer of the sounder input. The reader thread builds lines into one buffer while
// the hand-off reads the completed one; the busy flags keep them apart (each side raises its
// own flag, then looks at the other's).
struct SounderFramer {
    char receive[SOUNDER_RECEIVE_SIZE];
    int unread = 0;
    int readPos = 0;
    char lines[2][SOUNDER_LINE_SIZE + 1] = {};
    int current = 0; // the buffer holding the last completed line
    int fill = 0;
    bool fInLine = false;
    bool fLineComplete = false;
    std::atomic<bool> fReadingReady{false};
    std::atomic<bool> fSounderInput{true};
    std::atomic<bool> fFramerBusy{false};
    std::atomic<bool> fPurging{false};
    std::atomic<bool> fHandOffBusy{false};
};
extern SounderFramer sounderFramer;

// Frames the unread bytes of the receive buffer (the framer must be held busy by the caller).
// Stops after one completed line, at a template break, or when the bytes run out.
// Returns true when a line was completed.
bool FrameSounderBytes(SounderFramer& framer);
// Raises `own` (the hand-off's or the purge's busy flag) once no framing pass runs; a pass
// that starts meanwhile sees it and returns at once.
void ClaimAgainstFramer(std::atomic<bool>& own);
// The last completed line, for the raw-data view.
std::string LastSounderLine();
// Empties the framer (the purge of the receive side, and a fresh start).
void ResetSounderFramer(SounderFramer& framer);

// Unit clock frequency in Hz (the module reads it at start).
extern long nUnitClockFrequency;

// Decodes a reading line into `point` in place: depth, e1, e2, transducer. 1 when accepted,
// 0 with the point unchanged.
int DecodeReading(const char* line, SwathReading* point);

// Hand-off side: while the framer is not busy, takes the current line if one is ready and
// decodes it into `point`. 1 when a reading was taken.
int TakeSounderReading(SwathReading* point);

int OpenLinks(HWND window);
int CloseLinks(HWND window);
int SounderWrite(const char* text);
int SounderPurge(DWORD flags);
DWORD SounderSetNonBlocking(HANDLE port);
// Raw 8N1 at `baud` on an open port, DTR and RTS enabled or disabled; 0, or 1 when the control
// block could not be built, 2 when it could not be applied. `definition` is the text handed to
// BuildCommDCBA.
int ConfigureSerialPort(HANDLE port, const char* definition, DWORD baud, bool modemLines);
bool SounderPortOpen();
bool NavPortOpen();
HANDLE NavPort();
int SounderPortNumber();
int NavPortNumber();
class PortLoss;
PortLoss& NavInputLoss();

// Shows "caption: text" as an error box, after the error beep, as every port failure is shown.
void PortErrorBox(const std::string& text, const char* caption);

// Command set.
int SetExtControl(int flag);
int SetVerbose(int flag);
int SetPldDigitalBoard(int flag);
int SetHpControl(int flag);
int SelectTransducer(int transducer);
int ArmTransducer();
int Ping();
int PingAlternate();
int SetPri(int ms);
int SetTxPulseWidth(int us);
struct JamEntry;
int SendJamValues(const JamEntry* table, int transducer);
