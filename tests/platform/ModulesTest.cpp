// Loading modules by name from the program folder, with a test module of one export: names in
// any case, one free for each load, and the error codes for missing modules and for files that
// are no library.
#include "platform/modules.h"
#include "platform/system.h"
#include "TempDataRoot.h"

#include <gtest/gtest.h>

TEST(Modules, LoadedByNameFromTheProgramFolder)
{
    HMODULE module = LoadLibraryA("platformtestmodule");
    ASSERT_NE(module, nullptr) << win::lastLoaderError();
    auto answer = reinterpret_cast<int (*)()>(GetProcAddress(module, "TestModuleAnswer"));
    ASSERT_NE(answer, nullptr);
    EXPECT_EQ(answer(), 42);

    EXPECT_EQ(GetProcAddress(module, "GetTrackData"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
    EXPECT_TRUE(FreeLibrary(module));
    EXPECT_FALSE(FreeLibrary(module));
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(Modules, NamesIgnoreCaseAndEachLoadNeedsItsFree)
{
    HMODULE first = LoadLibraryA("PlatformTestModule");
    ASSERT_NE(first, nullptr) << win::lastLoaderError();
    HMODULE second = LoadLibraryA("PLATFORMTESTMODULE.SO");
    EXPECT_EQ(second, first);
    // Freed once of twice: still loaded, its exports still there.
    EXPECT_TRUE(FreeLibrary(first));
    EXPECT_NE(GetProcAddress(second, "TestModuleAnswer"), nullptr);
    EXPECT_TRUE(FreeLibrary(second));
    EXPECT_EQ(GetProcAddress(second, "TestModuleAnswer"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST(Modules, MissingModulesAndBadFilesGiveWin32Codes)
{
    EXPECT_EQ(LoadLibraryA("NoSuchModule"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);

    // A file that is there but no loadable library.
    TempDataRoot home;
    auto bogus = home.root() / "Bogus.so";
    TempDataRoot::writeFile(bogus, "not an ELF file");
    EXPECT_EQ(LoadLibraryA(bogus.c_str()), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_DLL_NOT_FOUND);
    EXPECT_EQ(GetProcAddress(nullptr, "x"), nullptr);
    EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}
