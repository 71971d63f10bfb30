#include "acquisition/Navigation.h"
#include "acquisition/PortLoss.h"
#include "acquisition/SounderLink.h"
#include "frame/Inifile.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/modules.h"

#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstring>
#include <mutex>
#include <system_error>
#include <thread>

namespace {

using namespace std::chrono_literals;
constexpr auto PORT_MUTEX_WAIT = 5000ms;

std::atomic<HANDLE> hNavPort{INVALID_HANDLE_VALUE};
std::atomic<HANDLE> hSounderPort{INVALID_HANDLE_VALUE};
// The sounder port's mutex ("4785963d"): every read, write, status fetch and purge.
std::timed_mutex sounderMutex;
int navPortNumber = 1;
int sounderPortNumber = 3;
PortLoss sounderLoss, navLoss;

// The reader threads run while the links are open; closing wakes them from their sleep.
std::mutex runMutex;
std::condition_variable runChanged;
bool linksRunning = false;
std::thread navThread, sounderThread;
std::atomic<bool> fSounderThreadActive{false};

bool sleepWhileRunning(std::chrono::milliseconds period)
{
    std::unique_lock lock(runMutex);
    return !runChanged.wait_for(lock, period, [] { return !linksRunning; });
}

bool running()
{
    std::lock_guard lock(runMutex);
    return linksRunning;
}

std::string portText(const char* format, int number)
{
    char text[200];
    std::snprintf(text, sizeof text, format, number);
    return text;
}

// A reader thread: one framing pass every 100 ms while the links are open and the port has
// not gone away. `active` is raised for the length of each pass. False when the system could
// not create the thread.
bool startReader(std::thread& thread, std::atomic<bool>& active, const std::atomic<HANDLE>& port, PortLoss& loss,
                 void (*pass)())
{
    if (thread.joinable())
        return true;
    try {
        thread = std::thread([&active, &port, &loss, pass] {
            while (running() && port.load() != INVALID_HANDLE_VALUE && !loss.lost()) {
                active = true;
                pass();
                active = false;
                if (!sleepWhileRunning(100ms))
                    break;
            }
            active = false;
        });
    } catch (const std::system_error&) {
        return false;
    }
    return true;
}

void readPortNumberFile()
{
    const char* name = "c:\\varnel\\comms.ini";
    navPortNumber = 1;
    sounderPortNumber = 3;
    if (win::access(name, 0) != 0)
        return;
    FILE* file = win::fopen(name, "r");
    if (!file) {
        PortErrorBox("Failed opening comms file", "");
        return;
    }
    if (std::fscanf(file, "%d%d", &navPortNumber, &sounderPortNumber) != 2)
        PortErrorBox("Failed reading comms file", "");
    std::fclose(file);
}

// Buffer sizes, time-outs and the control block; false when the block could not be built.
bool setUpInputPort(HANDLE port, int number, DWORD baud, bool modemLines)
{
    SetupComm(port, 10000, 100);
    SounderSetNonBlocking(port);
    char definition[40];
    std::snprintf(definition, sizeof definition, "COM%1d:%4d,n,8,1", number, int(baud));
    int result = ConfigureSerialPort(port, definition, baud, modemLines);
    if (result == 1) {
        PortErrorBox(portText("Failed building com%1d DCB", number), "BuildCommDCB");
        return false;
    }
    if (result == 2)
        PortErrorBox(portText("Failed setting com%1d state", number), "SetCommState");
    return true;
}

// False when the reader thread could not be started: the sounder is then left closed.
bool openNavInput()
{
    int32_t handshake = 0;
    GetVarnelProfileInt("NMEA0183", "AssertHandshake", &handshake);
    uint32_t baud = 4800;
    LoadBaud(&baud, "NMEA0183");
    std::string name = portText("COM%1d", navPortNumber);
    HANDLE port = CreateFileA(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        PortErrorBox(portText("Failed opening COM%1d", navPortNumber), "OpenComm");
        return true;
    }
    if (!setUpInputPort(port, navPortNumber, baud, handshake != 0)) {
        CloseHandle(port);
        return true;
    }
    navLoss.opened(name + " for Nav Input");
    ResetNavFramer(navFramer);
    hNavPort = port;
    return startReader(navThread, navFramer.fNavThreadActive, hNavPort, navLoss, NavFramingPass);
}

void sounderFramingPass();

// False when the reader thread could not be started.
bool openSounder()
{
    std::string name = portText("COM%1d", sounderPortNumber);
    HANDLE port = CreateFileA(name.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    if (port == INVALID_HANDLE_VALUE) {
        PortErrorBox(portText("Failed opening COM%1d for Sedrix Swath Input/Output", sounderPortNumber),
                     "OpenComm");
        return true;
    }
    int32_t baud = 9600;
    GetVarnelProfileInt("Sedrix", "Baud", &baud);
    if (!setUpInputPort(port, sounderPortNumber, DWORD(baud), false)) {
        CloseHandle(port);
        return true;
    }
    sounderLoss.opened(name + " for Sedrix Swath Input/Output");
    ResetSounderFramer(sounderFramer);
    hSounderPort = port;
    if (!startReader(sounderThread, fSounderThreadActive, hSounderPort, sounderLoss, sounderFramingPass))
        return false;
    WriteVarnelProfileString("Sedrix", "Baud", std::to_string(baud).c_str());
    return true;
}

void sounderFramingPass()
{
    SounderFramer& f = sounderFramer;
    f.fFramerBusy = true;
    if (f.fPurging || f.fHandOffBusy) {
        f.fFramerBusy = false;
        return;
    }
    HANDLE port = hSounderPort;
    DWORD failure = 0;
    for (;;) {
        if (f.unread == 0) {
            std::unique_lock lock(sounderMutex, std::defer_lock);
            if (!lock.try_lock_for(PORT_MUTEX_WAIT))
                break;
            DWORD read = 0;
            BOOL ok = ReadFile(port, f.receive, SOUNDER_RECEIVE_SIZE, &read, nullptr);
            if (!ok)
                failure = GetLastError();
            DWORD errors = 0;
            COMSTAT status{};
            if (read == 0)
                ClearCommError(port, &errors, &status);
            lock.unlock();
            f.readPos = 0;
            f.unread = int(read);
            if (failure == ERROR_DEVICE_REMOVED)
                break;
        }
        if (!FrameSounderBytes(f) && f.fInLine == false && f.unread > 0) {
            // A template break ends the pass; the rest waits for the next one.
            break;
        }
        std::unique_lock lock(sounderMutex, std::defer_lock);
        if (!lock.try_lock_for(PORT_MUTEX_WAIT))
            break;
        DWORD errors = 0;
        COMSTAT status{};
        BOOL ok = ClearCommError(port, &errors, &status);
        if (!ok)
            failure = GetLastError();
        lock.unlock();
        if (!ok || status.cbInQue < SOUNDER_LINE_SIZE || !f.fSounderInput)
            break;
    }
    f.fFramerBusy = false;
    // Reported only now: the report waits for the user, and the hand-off must not wait with it.
    if (failure)
        sounderLoss.check(failure);
}

} // namespace

void PortErrorBox(const std::string& text, const char* caption)
{
    MessageBeep(MB_ICONHAND);
    MessageBoxA(nullptr, text.c_str(), caption, MB_ICONHAND | MB_SYSTEMMODAL);
}

bool SounderPortOpen() { return hSounderPort.load() != INVALID_HANDLE_VALUE; }
bool NavPortOpen() { return hNavPort.load() != INVALID_HANDLE_VALUE; }
HANDLE NavPort() { return hNavPort; }
int SounderPortNumber() { return sounderPortNumber; }
int NavPortNumber() { return navPortNumber; }
PortLoss& NavInputLoss() { return navLoss; }

int OpenLinks(HWND window)
{
    {
        std::lock_guard lock(runMutex);
        linksRunning = true;
    }
    readPortNumberFile();
    if (!openNavInput() || !openSounder())
        return 0;
    OpenNavOutput(window);
    return 0;
}

int CloseLinks(HWND)
{
    {
        std::lock_guard lock(runMutex);
        linksRunning = false;
    }
    runChanged.notify_all();
    for (std::thread* t : {&navThread, &sounderThread})
        if (t->joinable() && t->get_id() != std::this_thread::get_id())
            t->join();
    DropPortLossReports();
    if (HANDLE port = hNavPort.exchange(INVALID_HANDLE_VALUE); port != INVALID_HANDLE_VALUE)
        if (!CloseHandle(port))
            PortErrorBox("Failed closing nav port", "CloseComm");
    std::unique_lock lock(sounderMutex, std::defer_lock);
    if (!lock.try_lock_for(PORT_MUTEX_WAIT))
        return -1;
    if (HANDLE port = hSounderPort.exchange(INVALID_HANDLE_VALUE); port != INVALID_HANDLE_VALUE)
        if (!CloseHandle(port))
            PortErrorBox(portText("Failed closing COM%1d", sounderPortNumber), "CloseComm");
    lock.unlock();
    CloseNavOutput();
    return 0;
}

int SounderWrite(const char* text)
{
    HANDLE port = hSounderPort;
    if (port == INVALID_HANDLE_VALUE)
        return -1;
    std::unique_lock lock(sounderMutex, std::defer_lock);
    if (!lock.try_lock_for(PORT_MUTEX_WAIT))
        return -1;
    DWORD length = DWORD(std::strlen(text));
    DWORD written = 0;
    BOOL ok = WriteFile(port, text, length, &written, nullptr);
    if (!ok || written < length) {
        DWORD errors = 0;
        COMSTAT status{};
        ClearCommError(port, &errors, &status);
    }
    lock.unlock();
    if (!ok)
        sounderLoss.check();
    return int(written);
}

int SounderPurge(DWORD flags)
{
    HANDLE port = hSounderPort;
    if (port == INVALID_HANDLE_VALUE)
        return 1;
    SounderFramer& f = sounderFramer;
    ClaimAgainstFramer(f.fPurging);
    if (flags & PURGE_RXCLEAR)
        ResetSounderFramer(f);
    std::unique_lock lock(sounderMutex, std::defer_lock);
    if (!lock.try_lock_for(PORT_MUTEX_WAIT)) {
        f.fPurging = false;
        return -1;
    }
    int result = PurgeComm(port, flags) ? 0 : int(GetLastError());
    lock.unlock();
    f.fPurging = false;
    return result;
}

DWORD SounderSetNonBlocking(HANDLE port)
{
    COMMTIMEOUTS timeouts{MAXDWORD, 0, 0, 0, MAXDWORD};
    if (SetCommTimeouts(port, &timeouts))
        return 0;
    DWORD error = GetLastError();
    return error ? error : 0x80000000;
}

int ConfigureSerialPort(HANDLE port, const char* definition, DWORD baud, bool modemLines)
{
    DCB dcb;
    GetCommState(port, &dcb);
    if (!BuildCommDCBA(definition, &dcb))
        return 1;
    dcb.BaudRate = baud;
    dcb.ByteSize = 8;
    dcb.Parity = NOPARITY;
    dcb.StopBits = ONESTOPBIT;
    dcb.fBinary = 1;
    dcb.fParity = 0;
    dcb.fOutxCtsFlow = 0;
    dcb.fOutxDsrFlow = 0;
    dcb.fOutX = 0;
    dcb.fInX = 0;
    dcb.fNull = 0;
    dcb.EvtChar = '\r';
    dcb.fDtrControl = modemLines ? DTR_CONTROL_ENABLE : DTR_CONTROL_DISABLE;
    dcb.fRtsControl = modemLines ? RTS_CONTROL_ENABLE : RTS_CONTROL_DISABLE;
    return SetCommState(port, &dcb) ? 0 : 2;
}
