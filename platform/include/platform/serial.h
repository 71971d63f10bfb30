// Serial ports in Win32 comm words over POSIX termios.
// "COMn" names $TIDEVANE_HOME/dosdevices/comN (a symlink to /dev/ttyUSB0, a pty...), without it
// /dev/ttyS<n-1>; any other name is taken as a host device path. Ports are opened exclusively
// (flock + TIOCEXCL), raw, and never block a reader: with the non-blocking time-outs a read
// returns at once with what the driver holds. A device that goes away (a USB adapter pulled out,
// the far end of a pty closed) turns every later call on its handle into a failure with
// ERROR_DEVICE_REMOVED, so the caller can report it once and carry on.
#pragma once

#include "platform/windef.h"

#include <string>

using HANDLE = void*;
inline HANDLE const INVALID_HANDLE_VALUE = reinterpret_cast<HANDLE>(intptr_t(-1));

constexpr DWORD GENERIC_READ = 0x80000000;
constexpr DWORD GENERIC_WRITE = 0x40000000;
constexpr DWORD OPEN_EXISTING = 3;
constexpr DWORD MAXDWORD = 0xffffffff;

constexpr DWORD ERROR_INVALID_PARAMETER = 87;
constexpr DWORD ERROR_DEVICE_REMOVED = 1617;

constexpr BYTE NOPARITY = 0;
constexpr BYTE ODDPARITY = 1;
constexpr BYTE EVENPARITY = 2;
constexpr BYTE ONESTOPBIT = 0;
constexpr BYTE TWOSTOPBITS = 2;
constexpr DWORD DTR_CONTROL_DISABLE = 0;
constexpr DWORD DTR_CONTROL_ENABLE = 1;
constexpr DWORD RTS_CONTROL_DISABLE = 0;
constexpr DWORD RTS_CONTROL_ENABLE = 1;

constexpr DWORD PURGE_TXABORT = 0x1;
constexpr DWORD PURGE_RXABORT = 0x2;
constexpr DWORD PURGE_TXCLEAR = 0x4;
constexpr DWORD PURGE_RXCLEAR = 0x8;

// Error bits of ClearCommError.
constexpr DWORD CE_RXOVER = 0x1;
constexpr DWORD CE_OVERRUN = 0x2;
constexpr DWORD CE_RXPARITY = 0x4;
constexpr DWORD CE_FRAME = 0x8;
constexpr DWORD CE_BREAK = 0x10;

// The fields of the device control block that the program sets.
struct DCB {
    DWORD BaudRate = 0;
    DWORD fBinary = 1;
    DWORD fParity = 0;
    DWORD fOutxCtsFlow = 0;
    DWORD fOutxDsrFlow = 0;
    DWORD fDtrControl = DTR_CONTROL_DISABLE;
    DWORD fRtsControl = RTS_CONTROL_DISABLE;
    DWORD fOutX = 0;
    DWORD fInX = 0;
    DWORD fNull = 0;
    BYTE ByteSize = 8;
    BYTE Parity = NOPARITY;
    BYTE StopBits = ONESTOPBIT;
    char EvtChar = 0;
};

struct COMMTIMEOUTS {
    DWORD ReadIntervalTimeout;
    DWORD ReadTotalTimeoutMultiplier;
    DWORD ReadTotalTimeoutConstant;
    DWORD WriteTotalTimeoutMultiplier;
    DWORD WriteTotalTimeoutConstant;
};

struct COMSTAT {
    DWORD cbInQue;
    DWORD cbOutQue;
};

// Opens a serial device (only serial devices: files go through win::fopen). Sharing mode 0
// means exclusive, which is the only mode the program uses. Failures: INVALID_HANDLE_VALUE with
// ERROR_FILE_NOT_FOUND (no such device) or ERROR_ACCESS_DENIED (in use or not permitted).
HANDLE CreateFileA(const char* name, DWORD access, DWORD shareMode, void* security,
                   DWORD creation, DWORD flags, HANDLE templateFile);
BOOL CloseHandle(HANDLE handle);

BOOL SetupComm(HANDLE port, DWORD inQueue, DWORD outQueue);
BOOL SetCommTimeouts(HANDLE port, const COMMTIMEOUTS* timeouts);
BOOL GetCommTimeouts(HANDLE port, COMMTIMEOUTS* timeouts);
// "COM3:9600,n,8,1" (mode syntax, the device part optional) or a bare device name, which leaves
// the block as it is.
BOOL BuildCommDCBA(const char* definition, DCB* dcb);
BOOL GetCommState(HANDLE port, DCB* dcb);
// Raw 8N1-style settings at the baud rate; DTR and RTS where the device has them.
BOOL SetCommState(HANDLE port, const DCB* dcb);

// Reads what is there, up to `size` bytes; with no data it succeeds with 0 bytes.
BOOL ReadFile(HANDLE port, void* buffer, DWORD size, DWORD* read, void* overlapped);
BOOL WriteFile(HANDLE port, const void* buffer, DWORD size, DWORD* written, void* overlapped);
BOOL PurgeComm(HANDLE port, DWORD flags);
// Bytes waiting in both directions; fails with ERROR_DEVICE_REMOVED once the device is gone.
BOOL ClearCommError(HANDLE port, DWORD* errors, COMSTAT* status);

namespace win {
// The host device a port name stands for ("COM3" -> $TIDEVANE_HOME/dosdevices/com3 ...); empty
// for a relative name with folders in it, which names no port.
std::string SerialDevicePath(const char* name);
} // namespace win
