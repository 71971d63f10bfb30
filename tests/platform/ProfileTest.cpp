// Profile files in a temporary data root: sections and keys in any case and in their place,
// integers and deletion, damaged or unreadable files, and writes that never replace a file they
// could not read, keep links and permissions, and leave a whole file when made at once.
#include "platform/profile.h"
#include "TempDataRoot.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string read(const char* section, const char* key, const char* fallback = "none",
                 const char* file = "TEST.INI", DWORD size = 256)
{
    std::vector<char> buffer(size + 1, '#');
    DWORD n = GetPrivateProfileStringA(section, key, fallback, buffer.data(), size, file);
    EXPECT_EQ(n, std::string(buffer.data()).size());
    return buffer.data();
}

} // namespace

TEST(Profile, SectionsAndKeysIgnoreCaseAndKeepTheirPlace)
{
    TempDataRoot home;
    TempDataRoot::writeFile(home.windowsDir() / "test.ini",
                            "; settings\n[Files]\nFirst=1\nCurrentChart = my chart.000 \nLast=3\n");
    EXPECT_EQ(read("FILES", "currentchart"), "my chart.000");
    EXPECT_EQ(read("files", "missing"), "none");
    EXPECT_EQ(read("nosection", "first", "dflt  "), "dflt");

    ASSERT_TRUE(WritePrivateProfileStringA("files", "CURRENTCHART", "other.000", "Test.ini"));
    ASSERT_TRUE(WritePrivateProfileStringA("New Section", "Key", "a value with spaces", "test.ini"));
    std::string text = TempDataRoot::readFile(home.windowsDir() / "test.ini");
    // The existing file is found whatever the case of its name, and keys stay in place.
    EXPECT_LT(text.find("First=1"), text.find("CurrentChart=other.000"));
    EXPECT_LT(text.find("CurrentChart=other.000"), text.find("Last=3"));
    EXPECT_NE(text.find("; settings"), std::string::npos);
    EXPECT_EQ(read("new section", "KEY"), "a value with spaces");

    // A key given twice reads as its first; writing it leaves one, where the first stood.
    TempDataRoot::writeFile(home.windowsDir() / "TWICE.INI", "[S]\nK=first\nOther=x\nk=second\n");
    EXPECT_EQ(read("S", "K", "", "TWICE.INI"), "first");
    ASSERT_TRUE(WritePrivateProfileStringA("S", "K", "new", "TWICE.INI"));
    EXPECT_EQ(TempDataRoot::readFile(home.windowsDir() / "TWICE.INI"), "[S]\nK=new\nOther=x\n");

    // A value keeps to its own line.
    ASSERT_TRUE(WritePrivateProfileStringA("S", "Name", "Survey\r\n[Files]\nCurrentChart=x", "TWICE.INI"));
    EXPECT_EQ(read("S", "Name", "", "TWICE.INI"), "Survey");
    EXPECT_EQ(read("Files", "CurrentChart", "none", "TWICE.INI"), "none");
}

TEST(Profile, IntegersDefaultsTruncationAndDeletion)
{
    TempDataRoot home;
    TempDataRoot::writeFile(home.windowsDir() / "TEST.INI",
                            "[S]\nNum=-42\nBig=99999999999\nText=abc\nEmpty=\nLead=12abc\n");
    EXPECT_EQ(int(GetPrivateProfileIntA("s", "num", 7, "TEST.INI")), -42);
    EXPECT_EQ(int(GetPrivateProfileIntA("s", "big", 7, "TEST.INI")), 2147483647);
    EXPECT_EQ(int(GetPrivateProfileIntA("s", "text", 7, "TEST.INI")), 0);
    EXPECT_EQ(int(GetPrivateProfileIntA("s", "empty", 7, "TEST.INI")), 7);
    EXPECT_EQ(int(GetPrivateProfileIntA("s", "lead", 7, "TEST.INI")), 12);
    EXPECT_EQ(int(GetPrivateProfileIntA("s", "absent", int(0x80000000), "TEST.INI")), int(0x80000000));

    EXPECT_EQ(read("S", "Text", "", "TEST.INI", 3), "ab");
    // A null key lists the keys, each NUL-terminated, in file order.
    char list[64];
    DWORD n = GetPrivateProfileStringA("S", nullptr, "", list, sizeof list, "TEST.INI");
    EXPECT_EQ(std::string(list, n), std::string("Num\0Big\0Text\0Empty\0Lead\0", 24));
    EXPECT_EQ(list[n], '\0');

    ASSERT_TRUE(WritePrivateProfileStringA("S", "Text", nullptr, "TEST.INI"));
    EXPECT_EQ(read("S", "Text"), "none");
    ASSERT_TRUE(WritePrivateProfileStringA("S", nullptr, nullptr, "TEST.INI"));
    EXPECT_EQ(read("S", "Num"), "none");
}

TEST(Profile, FileAndSectionAreCreatedOnFirstWriteAndDrivePathsWork)
{
    TempDataRoot home;
    ASSERT_TRUE(WritePrivateProfileStringA("OTHER", "SNIGHT", "1", "c:\\varnel\\chart.ini"));
    EXPECT_EQ(read("other", "snight", "", "C:\\VARNEL\\CHART.INI"), "1");
    EXPECT_TRUE(std::filesystem::exists(home.driveC() / "varnel" / "chart.ini"));
    // No drive, no file: the write fails and nothing is created.
    EXPECT_FALSE(WritePrivateProfileStringA("A", "B", "C", "q:\\varnel\\x.ini"));
}

TEST(Profile, DamagedOrUnreadableFilesReadAsMissingKeys)
{
    TempDataRoot home;
    std::string garbage("\0\x01[\xff\xfe]]=\n=\n[[\n\0\0key", 20);
    for (int i = 0; i < 200; ++i)
        garbage += char(i * 37);
    TempDataRoot::writeFile(home.windowsDir() / "BAD.INI", garbage);
    EXPECT_EQ(read("Files", "CurrentChart", "dflt", "BAD.INI"), "dflt");
    EXPECT_EQ(int(GetPrivateProfileIntA("Files", "x", 5, "BAD.INI")), 5);

    // A folder where the file should be cannot be read or written.
    std::filesystem::create_directories(home.windowsDir() / "DIR.INI");
    EXPECT_EQ(read("Files", "CurrentChart", "dflt", "DIR.INI"), "dflt");
    EXPECT_FALSE(WritePrivateProfileStringA("Files", "x", "1", "DIR.INI"));
}

TEST(Profile, AWriteNeverReplacesAFileItCouldNotRead)
{
    TempDataRoot home;
    // A socket cannot be opened for reading even by root: it stands for a profile this user may
    // not read. Writing a key must not put a file of that one key in its place.
    fs::path path = home.windowsDir() / "LOCKED.INI";
    int socket = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(path.string().size(), sizeof address.sun_path);
    std::strcpy(address.sun_path, path.c_str());
    ASSERT_EQ(::bind(socket, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    EXPECT_EQ(read("Files", "CurrentChart", "dflt", "LOCKED.INI"), "dflt");
    EXPECT_FALSE(WritePrivateProfileStringA("Files", "CurrentChart", "x.000", "LOCKED.INI"));
    EXPECT_EQ(fs::status(path).type(), fs::file_type::socket);
    ::close(socket);
}

TEST(Profile, AReplacedFileKeepsItsLinkAndItsPermissions)
{
    TempDataRoot home;
    fs::path kept = home.root() / "settings" / "varnel.ini";
    TempDataRoot::writeFile(kept, "[Files]\nCurrentChart=a.000\n");
    fs::permissions(kept, fs::perms::owner_read | fs::perms::owner_write);
    fs::create_symlink(kept, home.windowsDir() / "VARNEL.INI");

    ASSERT_TRUE(WritePrivateProfileStringA("Files", "CurrentBoxfile", "mud.box", "VARNEL.INI"));
    EXPECT_TRUE(fs::is_symlink(home.windowsDir() / "VARNEL.INI"));
    EXPECT_EQ(TempDataRoot::readFile(kept), "[Files]\nCurrentChart=a.000\nCurrentBoxfile=mud.box\n");
    EXPECT_EQ(fs::status(kept).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write);
}

TEST(Profile, ConcurrentWritersLeaveAWellFormedFile)
{
    TempDataRoot home;
    constexpr int threads = 6, writes = 40;
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t)
        workers.emplace_back([t] {
            std::string section = "Thread" + std::to_string(t);
            for (int i = 0; i < writes; ++i) {
                std::string key = "Key" + std::to_string(i);
                WritePrivateProfileStringA(section.c_str(), key.c_str(), std::to_string(i * t).c_str(),
                                           "BUSY.INI");
            }
        });
    for (auto& w : workers)
        w.join();
    for (int t = 0; t < threads; ++t)
        for (int i = 0; i < writes; ++i) {
            std::string section = "thread" + std::to_string(t);
            std::string key = "key" + std::to_string(i);
            ASSERT_EQ(read(section.c_str(), key.c_str(), "lost", "BUSY.INI"), std::to_string(i * t));
        }
    // No temporary file is left behind.
    int files = 0;
    for (auto& e : std::filesystem::directory_iterator(home.windowsDir()))
        files += e.is_regular_file();
    EXPECT_EQ(files, 1);
}

TEST(Profile, AnUnclosedSectionHeaderEndsAtItsLine)
{
    TempDataRoot home;
    fs::path path = home.windowsDir() / "VARNEL.INI";
    const std::string rest = "CurrentChart=bay.000\n[DepthInf]\ndepthunits=1\n";
    TempDataRoot::writeFile(path, "[Files\n" + rest);
    // The name stops at the line's end: its keys belong to "Files", the next section stays whole.
    EXPECT_EQ(read("Files", "CurrentChart", "none", "VARNEL.INI"), "bay.000");
    EXPECT_EQ(read("DepthInf", "depthunits", "none", "VARNEL.INI"), "1");

    for (int i = 0; i < 5; ++i) {
        ASSERT_TRUE(WritePrivateProfileStringA("Files", "BoxFileIndex", std::to_string(i).c_str(), "VARNEL.INI"));
        ASSERT_TRUE(WritePrivateProfileStringA("DepthInf", "depthrange", "20", "VARNEL.INI"));
    }
    // The header is written whole; each line once, however often keys are written.
    EXPECT_EQ(TempDataRoot::readFile(path),
              "[Files]\nCurrentChart=bay.000\nBoxFileIndex=4\n\n\n[DepthInf]\ndepthunits=1\ndepthrange=20\n");
}
