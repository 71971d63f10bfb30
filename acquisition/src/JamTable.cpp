#include "acquisition/JamTable.h"
#include "platform/files.h"
#include "platform/messages.h"

#include <cstdio>
#include <memory>

JamEntry jamTable[JAM_ENTRIES];

namespace {

constexpr char JAM_FILE[] = "C:\\Varnel\\JAM.DAT";

struct FileCloser {
    void operator()(FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<FILE, FileCloser>;

int jamBox(const char* text, UINT buttons = MB_OK)
{
    MessageBeep(MB_ICONHAND);
    return MessageBoxA(nullptr, text, "", buttons | MB_ICONHAND | MB_SYSTEMMODAL);
}

int saveDefaults(JamEntry* table, int count)
{
    for (int i = 0; i < count; ++i)
        table[i] = DEFAULT_JAM_ENTRY;
    return SaveAllJams(table, count);
}

} // namespace

int LoadAllJams(JamEntry* table, int count)
{
    File file(win::fopen(JAM_FILE, "rb"));
    if (!file)
        return saveDefaults(table, count);
    unsigned char version[4];
    if (std::fread(version, 1, 4, file.get()) != 4) {
        jamBox("LoadAllJams(): Can't read Jam File");
        return -1;
    }
    if (version[0] || version[1] || version[2] || version[3]) {
        jamBox("LoadAllJams(): Unrecognised Jam File version");
        return -1;
    }
    size_t got = std::fread(table, sizeof(JamEntry), size_t(count), file.get());
    if (got < size_t(count)) {
        file.reset();
        if (jamBox("LoadAllJams(): Corrupt Jam File - Replace file with default data?", MB_OKCANCEL) == IDOK)
            return saveDefaults(table, count);
        return -1;
    }
    return 0;
}

int SaveAllJams(const JamEntry* table, int count)
{
    File file(win::fopen(JAM_FILE, "wb"));
    if (!file) {
        jamBox("SaveAllJams(): Can't open Jam File for writing. Is it set to \"Read-Only\"?");
        return -1;
    }
    const unsigned char version[4] = {0, 0, 0, 0};
    bool ok = std::fwrite(version, 1, 4, file.get()) == 4 &&
              std::fwrite(table, sizeof(JamEntry), size_t(count), file.get()) == size_t(count);
    ok = std::fclose(file.release()) == 0 && ok;
    if (!ok) {
        jamBox("SaveAllJams(): Can't write to Jam File");
        return -1;
    }
    return 0;
}
