// libFuzzer target: arbitrary bytes as a survey file dropped into the import folder (symbols,
// texts or lines; the first byte picks the kind, or the symbol table), imported into the active
// database by the importers. Whatever a file holds, nothing crashes or hangs, and every object
// imported reads back within the bounds its record declares.
#include "FuzzCheck.h"

#include "database/CurrentTrack.h"
#include "database/Import.h"
#include "database/OverlayStore.h"
#include "platform/files.h"

#include <cstring>
#include <vector>

namespace {

namespace fs = std::filesystem;

struct Kind {
    const char* file;
    int (*import)();
    int objectKind;
};
const Kind KINDS[] = {{"survey.t-d", DBImportSymbols, OBJ_SYMBOL},
                      {"survey.txt", DBImportTexts, OBJ_TEXT},
                      {"survey.lin", DBImportPolygons, OBJ_POLYGON},
                      {"symtable.txt", DBImportSymbols, OBJ_SYMBOL}};

fs::path importFolder() { return fuzz::root().driveC() / "varnel" / "import"; }
fs::path overlaysFile() { return *win::HostPath("c:\\varnel\\database\\overlays.inf"); }

std::string pristineOverlays;

void makeDatabase()
{
    fuzz::root();
    check(DBInitialiseDatabase('C') == 1);
    pristineOverlays = TempDataRoot::readFile(overlaysFile());
    fuzz::forgetBoxes();
}

// Every object of the imported overlay, read back as a reader of the overlay would.
void readBack(uint32_t overlay, int kind)
{
    uint16_t counts[5];
    check(DBGetNoOfObjectsInDataRect(overlay, counts, nullptr, "database") == 1);
    static const int countIndex[] = {0, 0, 1, 2, 3, 4};
    std::vector<uint32_t> handles(counts[countIndex[kind]]);
    if (handles.empty())
        return;
    check(DBGetHandleTable(overlay, kind, handles.data(), uint32_t(handles.size()), "database") == 1);
    for (uint32_t handle : handles) {
        if (kind == OBJ_SYMBOL) {
            SymbolInfo s{};
            s.handle = handle;
            check(DBGetObjectInfo(overlay, kind, &s, "database") == 1);
            char name[OBJECT_NAME_BYTES];
            check(DBGetObjectText(overlay, &s, name) == 1);
            check(std::memchr(name, 0, sizeof name) != nullptr);
        } else if (kind == OBJ_TEXT) {
            TextInfo t{};
            t.handle = handle;
            check(DBGetObjectInfo(overlay, kind, &t, "database") == 1);
            check(t.length >= 0 && t.length <= 32767);
            std::vector<char> text(size_t(t.length) + 1);
            check(GetObject(overlay, kind, handle, text.data()) == 1);
        } else {
            PolygonInfo p{};
            p.handle = handle;
            check(DBGetObjectInfo(overlay, kind, &p, "database") == 1);
            check(p.count == 2 && p.leftlon <= p.rightlon && p.bottomlat <= p.toplat);
            GeoPoint ends[2];
            check(GetObject(overlay, kind, handle, ends) == 1);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (pristineOverlays.empty())
        makeDatabase();
    if (size == 0)
        return 0;
    const Kind& kind = KINDS[data[0] % std::size(KINDS)];
    fs::remove_all(importFolder());
    fs::create_directories(importFolder());
    fuzz::writeFile(importFolder() / kind.file, data + 1, size - 1);
    if (std::strcmp(kind.file, "symtable.txt") == 0)
        TempDataRoot::writeFile(importFolder() / "survey.t-d", "$\n1 2 52 30.0 N 001 15.0 W Boiler\n");
    check(kind.import() == 1);

    // The overlay made for the file, if any, is read back and then dropped with the table entry.
    uint32_t handles[4] = {};
    int user = 0;
    check(GetNoOfOverlays(&user) == 1 && user <= 2);
    check(DBGetOverlaysHandleTable(handles) == 1);
    if (user == 2)
        readBack(handles[1], kind.objectKind);
    fs::remove_all(*win::HostPath("c:\\varnel\\database\\OVL00004"));
    TempDataRoot::writeFile(overlaysFile(), pristineOverlays);
    fuzz::forgetBoxes();
    return 0;
}
