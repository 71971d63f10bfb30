// Serial ports on pseudo-terminals: COM names mapped to devices and never beyond them, raw bytes
// both ways without blocking, purging, exclusive opening, bad settings and handles, and a device
// that goes away.
#include "PseudoTerminal.h"
#include "TempDataRoot.h"
#include "platform/modules.h"
#include "platform/serial.h"

#include <gtest/gtest.h>
#include <termios.h>
#include <thread>

using namespace std::chrono_literals;

namespace {

struct SerialTest : ::testing::Test {
    TempDataRoot root;
    PseudoTerminal pty;
    HANDLE port = INVALID_HANDLE_VALUE;

    void SetUp() override { pty.linkAs(root.root(), 3); }
    void TearDown() override
    {
        if (port != INVALID_HANDLE_VALUE)
            CloseHandle(port);
    }
    HANDLE open(const char* name = "COM3")
    {
        return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    }
    void openRaw(DWORD baud)
    {
        port = open();
        ASSERT_NE(port, INVALID_HANDLE_VALUE);
        COMMTIMEOUTS t{MAXDWORD, 0, 0, 0, MAXDWORD};
        ASSERT_TRUE(SetCommTimeouts(port, &t));
        DCB dcb;
        ASSERT_TRUE(BuildCommDCBA(("COM3:" + std::to_string(baud) + ",n,8,1").c_str(), &dcb));
        ASSERT_TRUE(SetCommState(port, &dcb));
    }
    std::string readAll(DWORD size = 100)
    {
        std::string got(size, '\0');
        DWORD n = 0;
        EXPECT_TRUE(ReadFile(port, got.data(), size, &n, nullptr));
        got.resize(n);
        return got;
    }
};

TEST_F(SerialTest, ComNamesMapThroughDosdevicesOrToTtyS)
{
    EXPECT_EQ(win::SerialDevicePath("COM3"), (root.root() / "dosdevices" / "com3").string());
    EXPECT_EQ(win::SerialDevicePath("\\\\.\\com3"), (root.root() / "dosdevices" / "com3").string());
    EXPECT_EQ(win::SerialDevicePath("COM7"), "/dev/ttyS6");
    EXPECT_EQ(win::SerialDevicePath("/dev/ttyUSB0"), "/dev/ttyUSB0");

    // A port name read from a settings file cannot reach beyond the devices.
    TempDataRoot::writeFile(root.windowsDir() / "swath.ini", "[Sedrix]\n");
    for (const char* name : {"..\\windows\\swath.ini", "../windows/swath.ini", "..", "com3/."}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(win::SerialDevicePath(name), "");
        EXPECT_EQ(open(name), INVALID_HANDLE_VALUE);
        EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
    }
}

TEST_F(SerialTest, RawPortCarriesBytesBothWaysWithoutBlocking)
{
    openRaw(9600);
    termios tio{};
    ASSERT_EQ(tcgetattr(pty.slaveFd(), &tio), 0);
    EXPECT_EQ(cfgetospeed(&tio), speed_t(B9600));
    EXPECT_EQ(tio.c_lflag & (ICANON | ECHO), 0u);

    auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(readAll(), "");
    EXPECT_LT(std::chrono::steady_clock::now() - start, 50ms);

    pty.write("D0123F0456S0777\r\n");
    std::this_thread::sleep_for(50ms);
    COMSTAT status{};
    DWORD errors = 0;
    ASSERT_TRUE(ClearCommError(port, &errors, &status));
    EXPECT_EQ(status.cbInQue, 17u);
    EXPECT_EQ(readAll(), "D0123F0456S0777\r\n");

    DWORD written = 0;
    ASSERT_TRUE(WriteFile(port, "a1\r", 3, &written, nullptr));
    EXPECT_EQ(written, 3u);
    EXPECT_EQ(pty.read(1s, 3), "a1\r");
}

TEST_F(SerialTest, PurgeDropsWhatWaits)
{
    openRaw(4800);
    pty.write("$GPGGA,garbage\r\n");
    std::this_thread::sleep_for(50ms);
    ASSERT_TRUE(PurgeComm(port, PURGE_RXCLEAR));
    EXPECT_EQ(readAll(), "");
}

TEST_F(SerialTest, PortsAreExclusiveAndMissingOnesAreNotFound)
{
    port = open();
    ASSERT_NE(port, INVALID_HANDLE_VALUE);
    EXPECT_EQ(open(), INVALID_HANDLE_VALUE);
    EXPECT_EQ(GetLastError(), ERROR_ACCESS_DENIED);
    EXPECT_EQ(open("COM9"), INVALID_HANDLE_VALUE); // no dosdevices entry and no /dev/ttyS8 here
    EXPECT_TRUE(GetLastError() == ERROR_FILE_NOT_FOUND || GetLastError() == ERROR_ACCESS_DENIED);
    CloseHandle(port);
    port = open();
    EXPECT_NE(port, INVALID_HANDLE_VALUE) << "closing gives the port back";
}

TEST_F(SerialTest, BadSettingsAndHandlesFail)
{
    openRaw(9600);
    DCB dcb;
    for (const char* bad : {"COM3:1234,n,8,1", "COM3:9600,x,8,1", "COM3:9600,n,9,1", "COM3:", ""}) {
        SCOPED_TRACE(bad);
        EXPECT_FALSE(BuildCommDCBA(bad, &dcb));
    }
    DCB before = dcb;
    EXPECT_TRUE(BuildCommDCBA("COM5", &dcb)) << "a bare device name keeps the block";
    EXPECT_EQ(dcb.BaudRate, before.BaudRate);

    HANDLE bogus = reinterpret_cast<HANDLE>(intptr_t(0x1234));
    DWORD n = 0;
    char b[4];
    EXPECT_FALSE(ReadFile(bogus, b, 4, &n, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
    EXPECT_FALSE(CloseHandle(bogus));
}

TEST_F(SerialTest, VanishedDeviceFailsEveryCallWithDeviceRemoved)
{
    openRaw(9600);
    pty.closeMaster();
    char b[16];
    DWORD n = 0;
    EXPECT_FALSE(ReadFile(port, b, sizeof b, &n, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_REMOVED);
    COMSTAT status{};
    DWORD errors = 0;
    EXPECT_FALSE(ClearCommError(port, &errors, &status));
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_REMOVED);
    EXPECT_FALSE(WriteFile(port, "p", 1, &n, nullptr));
    EXPECT_EQ(GetLastError(), ERROR_DEVICE_REMOVED);
    EXPECT_TRUE(CloseHandle(port));
    port = INVALID_HANDLE_VALUE;
}

} // namespace
