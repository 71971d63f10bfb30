// Drive-letter paths on the host file system, in a temporary data root: names matched to what
// exists ignoring case, relative paths and drives, file operations, opening only regular files,
// folder searches, file times and short names.
#include "platform/files.h"
#include "platform/modules.h"
#include "TempDataRoot.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <fstream>
#include <functional>
#include <sys/stat.h>

namespace fs = std::filesystem;

TEST(Paths, ComponentsMatchWhatExistsIgnoringCaseAndNewOnesAreCreatedAsGiven)
{
    TempDataRoot home;
    fs::create_directories(home.driveC() / "varnel" / "DataBase" / "OVL00001");
    auto host = win::HostPath("C:\\VARNEL\\database\\ovl00001\\trk00002.dat");
    ASSERT_TRUE(host);
    EXPECT_EQ(*host, home.driveC() / "varnel" / "DataBase" / "OVL00001" / "trk00002.dat");

    FILE* f = win::fopen("c:\\varnel\\database\\ovl00001\\NewFile.DAT", "wb");
    ASSERT_NE(f, nullptr);
    fclose(f);
    EXPECT_TRUE(fs::exists(home.driveC() / "varnel" / "DataBase" / "OVL00001" / "NewFile.DAT"));
    EXPECT_EQ(win::access("C:\\varnel\\DATABASE\\Ovl00001\\newfile.dat", 0), 0);
}

TEST(Paths, EveryLookupFindsWhatExistsNowAsNamesAppearVanishAndAreRenamed)
{
    TempDataRoot home;
    const fs::path database = home.driveC() / "varnel" / "database";
    fs::create_directories(database / "OVL00001");
    TempDataRoot::writeFile(database / "OVL00001" / "trk00002.dat", "x");
    struct Step {
        const char* what;
        std::function<void()> change;
        fs::path expected; // for "c:\varnel\database\ovl00001\trk00002.dat"
    };
    const Step steps[] = {
        {"found in capitals", [] {}, database / "OVL00001" / "trk00002.dat"},
        {"found again", [] {}, database / "OVL00001" / "trk00002.dat"},
        {"the exact name appears and wins",
         [&] { fs::create_directories(database / "ovl00001"); },
         database / "ovl00001" / "trk00002.dat"},
        {"the exact name vanishes", [&] { fs::remove(database / "ovl00001"); }, database / "OVL00001" / "trk00002.dat"},
        {"renamed to mixed case",
         [&] { fs::rename(database / "OVL00001", database / "Ovl00001"); },
         database / "Ovl00001" / "trk00002.dat"},
        {"of two other spellings the first in byte order",
         [&] { fs::create_directories(database / "oVL00001"); },
         database / "Ovl00001" / "trk00002.dat"},
        {"capitals appear and sort first",
         [&] { fs::create_directories(database / "OVL00001"); },
         database / "OVL00001" / "trk00002.dat"},
        {"the file in capitals",
         [&] { TempDataRoot::writeFile(database / "OVL00001" / "TRK00002.DAT", "y"); },
         database / "OVL00001" / "TRK00002.DAT"},
        {"the file as given appears",
         [&] { TempDataRoot::writeFile(database / "OVL00001" / "trk00002.dat", "z"); },
         database / "OVL00001" / "trk00002.dat"},
        {"a new name is as given",
         [&] { fs::remove(database / "OVL00001" / "trk00002.dat"); fs::remove(database / "OVL00001" / "TRK00002.DAT"); },
         database / "OVL00001" / "trk00002.dat"},
        {"a folder gone leaves the next spelling",
         [&] { fs::remove(database / "OVL00001"); },
         database / "Ovl00001" / "trk00002.dat"},
    };
    for (const Step& step : steps) {
        step.change();
        EXPECT_EQ(win::HostPath("c:\\varnel\\database\\ovl00001\\trk00002.dat"), step.expected) << step.what;
    }
}

TEST(Paths, RelativePathsStartAtTheCurrentDirectory)
{
    TempDataRoot home;
    EXPECT_EQ(win::CurrentDirectory(), "C:\\varnel");
    ASSERT_EQ(win::mkdir("BoxFiles"), 0);
    EXPECT_TRUE(fs::is_directory(home.driveC() / "varnel" / "BoxFiles"));
    ASSERT_TRUE(win::SetCurrentDirectory("boxfiles"));
    EXPECT_EQ(win::CurrentDirectory(), "C:\\varnel\\boxfiles");
    EXPECT_EQ(*win::HostPath("..\\x.ini"), home.driveC() / "varnel" / "x.ini");
    EXPECT_EQ(*win::HostPath("\\dellist.txt"), home.driveC() / "dellist.txt");
    EXPECT_FALSE(win::SetCurrentDirectory("c:\\nowhere"));
    EXPECT_EQ(win::CurrentDirectory(), "C:\\varnel\\boxfiles");
}

TEST(Paths, ADriveWithoutAnEntryDoesNotExistAndAnotherDriveDoes)
{
    TempDataRoot home;
    EXPECT_FALSE(win::HostPath("d:\\varnel\\database"));
    errno = 0;
    EXPECT_EQ(win::fopen("d:\\varnel\\x.dat", "wb"), nullptr);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_EQ(win::mkdir("d:\\varnel"), -1);

    fs::path d = home.addDrive('d');
    ASSERT_EQ(win::mkdir("D:\\varnel"), 0);
    FILE* f = win::fopen("d:\\Varnel\\x.dat", "wb");
    ASSERT_NE(f, nullptr);
    fputs("abc", f);
    fclose(f);
    EXPECT_EQ(TempDataRoot::readFile(d / "varnel" / "x.dat"), "abc");
    EXPECT_EQ(win::fileSize("D:\\VARNEL\\X.DAT"), 3);
}

TEST(Paths, AFileChosenOnTheHostMapsBackToItsDrive)
{
    TempDataRoot home;
    fs::path d = home.addDrive('d');
    fs::create_directories(home.driveC() / "varnel" / "BoxFiles");
    EXPECT_EQ(win::DrivePathOf(home.driveC() / "varnel" / "BoxFiles" / "sand.box"), "c:\\varnel\\BoxFiles\\sand.box");
    EXPECT_EQ(win::DrivePathOf(d / "survey" / ".." / "x.txt"), "d:\\x.txt");
    EXPECT_EQ(win::DrivePathOf(home.driveC() / ".." / "elsewhere.box"), std::nullopt);
    EXPECT_EQ(win::DrivePathOf("/"), std::nullopt);
}

TEST(Paths, FileOperationsOnWindowsPaths)
{
    TempDataRoot home;
    TempDataRoot::writeFile(home.driveC() / "varnel" / "a.txt", "hello");
    EXPECT_EQ(win::fileSize("c:\\varnel\\A.TXT"), 5);
    EXPECT_EQ(win::fileSize("c:\\varnel\\missing.txt"), -1);
    EXPECT_TRUE(win::copyFile("c:\\varnel\\a.txt", "c:\\varnel\\b.txt", false));
    EXPECT_FALSE(win::copyFile("c:\\varnel\\a.txt", "c:\\varnel\\b.txt", false));
    // Like Windows, a rename never replaces an existing file.
    EXPECT_EQ(win::rename("c:\\varnel\\a.txt", "c:\\varnel\\B.txt"), -1);
    EXPECT_EQ(win::rename("c:\\varnel\\a.txt", "c:\\varnel\\c.txt"), 0);
    EXPECT_EQ(win::remove("c:\\varnel\\C.TXT"), 0);
    EXPECT_NE(win::access("c:\\varnel\\c.txt", 0), 0);
    ASSERT_EQ(win::mkdir("c:\\varnel\\sub"), 0);
    EXPECT_TRUE(win::isDirectory("C:\\Varnel\\SUB"));
    EXPECT_EQ(win::rmdir("c:\\varnel\\SUB"), 0);
    EXPECT_FALSE(win::isDirectory("c:\\varnel\\sub"));
}

TEST(Paths, OnlyRegularFilesOpenForReadingAndNothingWaits)
{
    TempDataRoot home;
    fs::path folder = home.driveC() / "varnel";
    TempDataRoot::writeFile(folder / "File.dat", "data");
    ASSERT_EQ(::mkfifo((folder / "pipe.dat").c_str(), 0600), 0);
    fs::create_directories(folder / "folder.dat");

    FILE* f = win::fopenRegular("c:\\varnel\\file.dat");
    ASSERT_NE(f, nullptr);
    char text[8] = {};
    EXPECT_EQ(std::fread(text, 1, sizeof text, f), 4u);
    EXPECT_STREQ(text, "data");
    std::fclose(f);

    struct Case {
        const char* path;
        int error;
    } cases[] = {{"c:\\varnel\\pipe.dat", EINVAL}, {"c:\\varnel\\folder.dat", EINVAL},
                 {"c:\\varnel\\missing.dat", ENOENT}, {"q:\\nodrive.dat", ENOENT}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        errno = 0;
        EXPECT_EQ(win::fopenRegular(c.path), nullptr);
        EXPECT_EQ(errno, c.error);
    }
}

TEST(Paths, FolderSearchMatchesWindowsPatternsIgnoringCase)
{
    TempDataRoot home;
    for (const char* name : {"one.T-D", "two.t-d", "three.txt", "noext"})
        TempDataRoot::writeFile(home.driveC() / "varnel" / "import" / name, "x");
    fs::create_directories(home.driveC() / "varnel" / "import" / "folder");

    auto names = [](const char* pattern) {
        std::vector<std::string> out;
        for (const auto& f : win::findFiles(pattern))
            out.push_back(f.name);
        return out;
    };
    EXPECT_EQ(names("c:\\varnel\\IMPORT\\*.t-d"), (std::vector<std::string>{"one.T-D", "two.t-d"}));
    EXPECT_EQ(names("c:\\varnel\\import\\*.*").size(), 5u);
    EXPECT_EQ(names("c:\\varnel\\import\\t??.*"), (std::vector<std::string>{"two.t-d"}));
    EXPECT_TRUE(names("c:\\varnel\\nothere\\*.*").empty());
    auto all = win::findFiles("c:\\varnel\\import\\*.*");
    auto folder = std::find_if(all.begin(), all.end(), [](auto& f) { return f.name == "folder"; });
    ASSERT_NE(folder, all.end());
    EXPECT_TRUE(folder->directory);
}

TEST(Paths, FileTimesAreReadAndAccessAndWriteTimesRestored)
{
    TempDataRoot home;
    TempDataRoot::writeFile(home.driveC() / "varnel" / "trk.dat", "points");
    FILETIME created, accessed, written;
    ASSERT_EQ(win::getFileTimes("c:\\varnel\\trk.dat", created, accessed, written), 0);

    // 2001-09-09 01:46:40 UTC in 100 ns since 1601.
    const uint64_t ticks = (1000000000ULL + 11644473600ULL) * 10000000ULL;
    FILETIME old{DWORD(ticks & 0xffffffff), DWORD(ticks >> 32)};
    ASSERT_EQ(win::setFileTimes("c:\\varnel\\trk.dat", old, old), 0);
    { std::ofstream(home.driveC() / "varnel" / "trk.dat", std::ios::app) << "more"; }
    ASSERT_EQ(win::setFileTimes("c:\\varnel\\trk.dat", old, old), 0);
    ASSERT_EQ(win::getFileTimes("c:\\varnel\\trk.dat", created, accessed, written), 0);
    EXPECT_EQ(written.dwLowDateTime, old.dwLowDateTime);
    EXPECT_EQ(written.dwHighDateTime, old.dwHighDateTime);
    EXPECT_EQ(accessed.dwHighDateTime, old.dwHighDateTime);
    EXPECT_NE(win::getFileTimes("c:\\varnel\\missing.dat", created, accessed, written), 0);
}

TEST(Paths, ShortNamesAreTheNamesThemselves)
{
    TempDataRoot home;
    ASSERT_EQ(win::mkdir("c:\\varnel\\Original Database"), 0);
    char shortName[MAX_PATH];
    EXPECT_EQ(GetShortPathNameA("c:\\varnel\\Original Database", shortName, MAX_PATH), 27u);
    EXPECT_STREQ(shortName, "c:\\varnel\\Original Database");
    EXPECT_EQ(GetShortPathNameA("c:\\varnel\\missing", shortName, MAX_PATH), 0u);
    EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}
