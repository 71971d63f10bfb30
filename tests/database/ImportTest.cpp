// Importing the files dropped in the import folder: symbols, texts and lines, each file once into
// an overlay of its own, and files without a header, pipes, over-long texts and impossible
// positions; against a fresh database in a temporary data root.
#include "DatabaseFixture.h"

#include "database/Import.h"

#include <cstring>
#include <sys/stat.h>

namespace fs = std::filesystem;
using Boxes = std::vector<std::string>;

namespace {

class Import : public DatabaseTest {
protected:
    void drop(const std::string& name, const std::string& text)
    {
        TempDataRoot::writeFile(home.driveC() / "varnel" / "import" / name, text);
    }
    static uint32_t overlayNamed(const char* name)
    {
        OverlayInfo overlay{};
        std::snprintf(overlay.name, sizeof overlay.name, "%s", name);
        return GetOverlayHandle(&overlay) ? overlay.handle : 0;
    }
    static std::vector<uint32_t> all(uint32_t overlay, int kind)
    {
        uint16_t counts[5];
        EXPECT_EQ(DBGetNoOfObjectsInDataRect(overlay, counts, nullptr, "database"), 1);
        std::vector<uint32_t> handles(32);
        EXPECT_EQ(DBGetHandleTable(overlay, kind, handles.data(), 32, "database"), 1);
        static const int index[] = {0, 0, 1, 2, 3, 4};
        handles.resize(counts[index[kind]]);
        return handles;
    }
};

TEST_F(Import, SymbolsOnceWithTheirTranslation)
{
    EXPECT_EQ(DBImportSymbols(), 0);  // no import folder
    drop("wrecks.t-d", "Survey of 2026\r\ncolumns $\r\n"
                       "1 2 52 30.0 N 001 15.0 W Boiler\r\n"
                       "4 13 52 30.0 S 001 15.0 E Anchor\r\n"
                       "15 3 10 0.0 N 2 30.0 E OddColour\r\n"
                       "not a symbol line\r\n"
                       "1 1 1 1.0 N 1 1.0 E NeverRead\r\n");
    ASSERT_EQ(DBImportSymbols(), 1);
    uint32_t overlay = overlayNamed("wrecks.t-d (imported)");
    ASSERT_NE(overlay, 0u);
    ASSERT_EQ(all(overlay, OBJ_SYMBOL), (std::vector<uint32_t>{1, 2, 3}));
    struct Expected {
        int32_t lat, lon;
        int symbol, colour;
        const char* name;
    };
    const Expected expected[] = {
        {525000000, -12500000, 1012, 11, "Boiler"},
        {-525000000, 12500000, 1021, 46, "Anchor"},       // symbol 13 taken as entry 0
        {100000000, 25000000, 1013, 29, "OddColour"},     // colour 15 taken as entry 0
    };
    for (uint32_t h = 1; h <= 3; ++h) {
        SymbolInfo s{};
        s.handle = h;
        ASSERT_EQ(DBGetObjectInfo(overlay, OBJ_SYMBOL, &s, "database"), 1);
        const Expected& e = expected[h - 1];
        EXPECT_EQ(s.lat, e.lat);
        EXPECT_EQ(s.lon, e.lon);
        EXPECT_EQ(s.symbol, e.symbol);
        EXPECT_EQ(s.colour, e.colour);
        EXPECT_EQ(s.textlength, int32_t(std::strlen(e.name)));
        char name[20];
        ASSERT_EQ(DBGetObjectText(overlay, &s, name), 1);
        EXPECT_STREQ(name, e.name);
    }
    // A second start-up finds the overlay and leaves the file alone.
    ASSERT_EQ(DBImportSymbols(), 1);
    EXPECT_EQ(all(overlay, OBJ_SYMBOL).size(), 3u);
    int user = 0;
    ASSERT_EQ(GetNoOfOverlays(&user), 1);
    EXPECT_EQ(user, 2);
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(Import, FileWithoutItsHeaderIsImportedOnceItIsPutRight)
{
    drop("nohead.t-d", "1 2 52 30.0 N 001 15.0 W Boiler\n");
    drop("nohead.txt", "52 0.0 N 3 0.0 W Sand\n");
    drop("nohead.lin", "7 50 0.0 N 1 0.0 W 51 30.0 N 0 30.0 E\n");
    ASSERT_EQ(DBImportSymbols(), 1);
    ASSERT_EQ(DBImportTexts(), 1);
    ASSERT_EQ(DBImportPolygons(), 1);
    EXPECT_EQ(boxTexts(), (Boxes{"DBImportSymbols: Failed reading symbol import text file c:\\varnel\\import\\nohead.t-d",
                                 "DBImportTexts: Failed reading text import text file c:\\varnel\\import\\nohead.txt",
                                 "DBImportPolygons: Failed reading line import text file c:\\varnel\\import\\nohead.lin"}));
    int user = -1;
    ASSERT_EQ(GetNoOfOverlays(&user), 1);
    EXPECT_EQ(user, 1);  // "Current" only

    // Still refused at the next start-up, and imported once the header is there.
    win::scripted::clear();
    ASSERT_EQ(DBImportSymbols(), 1);
    EXPECT_EQ(win::scripted::boxes().size(), 1u);
    drop("nohead.t-d", "$\n1 2 52 30.0 N 001 15.0 W Boiler\n");
    win::scripted::clear();
    ASSERT_EQ(DBImportSymbols(), 1);
    EXPECT_TRUE(win::scripted::boxes().empty());
    EXPECT_EQ(all(overlayNamed("nohead.t-d (imported)"), OBJ_SYMBOL), (std::vector<uint32_t>{1}));
}

TEST_F(Import, LongFileNamesAlikeInTheirFirstCharactersGetOverlaysOfTheirOwn)
{
    const std::string stem = "North Sea pipeline survey 2026, block 17, part ";
    drop(stem + "A.t-d", "$\n1 2 52 30.0 N 001 15.0 W Alpha\n");
    drop(stem + "B.t-d", "$\n1 2 52 30.0 N 001 15.0 W Bravo\n");
    drop("Short name.t-d", "$\n1 2 52 30.0 N 001 15.0 W Charlie\n");
    ASSERT_EQ(DBImportSymbols(), 1);
    ASSERT_EQ(DBImportSymbols(), 1);  // the next start-up finds every file's overlay
    int user = 0;
    ASSERT_EQ(GetNoOfOverlays(&user), 1);
    ASSERT_EQ(user, 4);
    std::vector<OverlayInfo> overlays(size_t(user) + 2);
    ASSERT_EQ(GetOverlays(overlays.data()), 1);
    std::vector<std::string> names;
    for (size_t i = 3; i < overlays.size(); ++i) {
        names.push_back(overlays[i].name);
        EXPECT_EQ(all(overlays[i].handle, OBJ_SYMBOL).size(), 1u) << names.back();
    }
    EXPECT_EQ(names[2], "Short name.t-d (imported)");
    for (int i : {0, 1}) {
        EXPECT_EQ(names[i].size(), 39u);
        EXPECT_EQ(names[i].substr(0, 19), stem.substr(0, 19));
        EXPECT_EQ(names[i].substr(19, 1), "~");
        EXPECT_EQ(names[i].substr(28), " (imported)");
    }
    EXPECT_NE(names[0], names[1]);
    char name[20];
    SymbolInfo first{1, 0, 0, 0, 0, 0};
    ASSERT_EQ(DBGetObjectText(overlayNamed(names[0].c_str()), &first, name), 1);
    EXPECT_STREQ(name, "Alpha");
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(Import, NamedPipesAreLeftAlone)
{
    drop("real.t-d", "$\n1 2 52 30.0 N 001 15.0 W Boiler\n");
    fs::path folder = home.driveC() / "varnel" / "import";
    for (const char* name : {"pipe.t-d", "symtable.txt"})
        ASSERT_EQ(::mkfifo((folder / name).c_str(), 0600), 0) << name;
    std::vector<std::string> debug;
    win::setDebugListener([&](const std::string& text) { debug.push_back(text); });
    EXPECT_EQ(DBImportSymbols(), 1);
    EXPECT_EQ(_DBLoadSymbolTranslationTable(), 0);
    win::setDebugListener(nullptr);
    EXPECT_EQ(all(overlayNamed("real.t-d (imported)"), OBJ_SYMBOL).size(), 1u);
    int user = 0;
    ASSERT_EQ(GetNoOfOverlays(&user), 1);
    EXPECT_EQ(user, 2);
    EXPECT_TRUE(win::scripted::boxes().empty());
    EXPECT_EQ(debug, (std::vector<std::string>{
                         "Import: c:\\varnel\\import\\symtable.txt is not a regular file, left alone\n",
                         "Import: c:\\varnel\\import\\pipe.t-d is not a regular file, left alone\n",
                         "Import: c:\\varnel\\import\\symtable.txt is not a regular file, left alone\n"}));
}

TEST_F(Import, TextsAndLines)
{
    drop("labels.txt", "$\n52 0.0 N 3 0.0 W Sand and gravel\n"
                       "nan 0.0 N 3 0.0 W No position\n"
                       "53 0.0 N 3 0.0 W Never read\n");
    drop("cables.lin", "Cable routes\n$ start\n"
                       "7 50 0.0 N 1 0.0 W 51 30.0 N 0 30.0 E remark\n"
                       "8 50 0.0 N 1 0.0 W\n"
                       "9 50 0.0 N 1 0.0 W 51 30.0 N 200 0.0 E\n");
    drop("symtable.txt", "1 RED 1\n");
    ASSERT_EQ(DBImportTexts(), 1);
    ASSERT_EQ(DBImportPolygons(), 1);
    EXPECT_EQ(overlayNamed("symtable.txt (imported)"), 0u);
    win::scripted::clear();

    uint32_t texts = overlayNamed("labels.txt (imported)");
    ASSERT_EQ(all(texts, OBJ_TEXT), (std::vector<uint32_t>{1}));
    TextInfo t{};
    t.handle = 1;
    ASSERT_EQ(DBGetObjectInfo(texts, OBJ_TEXT, &t, "database"), 1);
    EXPECT_EQ(t.leftlon, -30000000);
    EXPECT_EQ(t.toplat, 520000000);
    EXPECT_EQ(t.length, 15);
    char text[16] = {};
    ASSERT_EQ(GetObject(texts, OBJ_TEXT, 1, text), 1);
    EXPECT_STREQ(text, "Sand and gravel");

    OverlayInfo lines{};
    lines.handle = overlayNamed("cables.lin (imported)");
    ASSERT_EQ(GetOverlayName(&lines), 1);
    EXPECT_EQ(lines.shown, 0);
    ASSERT_EQ(all(lines.handle, OBJ_POLYGON), (std::vector<uint32_t>{1}));
    PolygonInfo p{};
    p.handle = 1;
    ASSERT_EQ(DBGetObjectInfo(lines.handle, OBJ_POLYGON, &p, "database"), 1);
    EXPECT_EQ(p.leftlon, -10000000);
    EXPECT_EQ(p.rightlon, 5000000);
    EXPECT_EQ(p.toplat, 515000000);
    EXPECT_EQ(p.bottomlat, 500000000);
    EXPECT_EQ(p.attr1, 7);
    EXPECT_EQ(p.attr2, 2);
    EXPECT_EQ(p.count, 2);
    GeoPoint ends[2];
    ASSERT_EQ(GetObject(lines.handle, OBJ_POLYGON, 1, ends), 1);
    EXPECT_EQ(ends[0].lon, -10000000);
    EXPECT_EQ(ends[1].lat, 515000000);

    // The next start-up imports neither file again.
    ASSERT_EQ(DBImportTexts(), 1);
    ASSERT_EQ(DBImportPolygons(), 1);
    EXPECT_EQ(all(texts, OBJ_TEXT).size(), 1u);
    EXPECT_EQ(all(lines.handle, OBJ_POLYGON).size(), 1u);
    int user = 0;
    ASSERT_EQ(GetNoOfOverlays(&user), 1);
    EXPECT_EQ(user, 3);
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(Import, TextTooLongForItsRecordIsCutNotWrapped)
{
    std::string e;
    for (int i = 0; i < 20000; ++i)
        e += "\xC3\xA9";  // 40,000 bytes of two-byte characters
    drop("long.txt", "$\n52 0.0 N 3 0.0 W " + e + "\n53 0.0 N 3 0.0 W After\n");
    ASSERT_EQ(DBImportTexts(), 1);
    EXPECT_EQ(boxTexts(), (Boxes{"DBImportTexts: Text of 40000 bytes in line 2 of c:\\varnel\\import\\long.txt "
                                 "cut to its first 32766"}));
    uint32_t overlay = overlayNamed("long.txt (imported)");
    ASSERT_EQ(all(overlay, OBJ_TEXT), (std::vector<uint32_t>{1, 2}));
    TextInfo t{};
    t.handle = 1;
    ASSERT_EQ(DBGetObjectInfo(overlay, OBJ_TEXT, &t, "database"), 1);
    EXPECT_EQ(t.length, 32766);  // whole characters only
    std::string text(32766, '\0');
    ASSERT_EQ(GetObject(overlay, OBJ_TEXT, 1, text.data()), 1);
    EXPECT_EQ(text, e.substr(0, 32766));
}

TEST_F(Import, PositionsBeyondTheEarthEndTheFile)
{
    drop("far.t-d", "$\n"
                    "1 1 10 0.0 N 2 0.0 E Near\n"
                    "1 1 91 0.0 N 2 0.0 E TooFarNorth\n"
                    "1 1 10 0.0 N 2 0.0 E NeverRead\n");
    drop("inf.t-d", "$\n1 1 10 0.0 N inf 0.0 E Infinite\n");
    ASSERT_EQ(DBImportSymbols(), 1);
    EXPECT_EQ(all(overlayNamed("far.t-d (imported)"), OBJ_SYMBOL), (std::vector<uint32_t>{1}));
    EXPECT_TRUE(all(overlayNamed("inf.t-d (imported)"), OBJ_SYMBOL).empty());
    EXPECT_TRUE(win::scripted::boxes().empty());
}

TEST_F(Import, SymbolTable)
{
    const SymbolTranslation defaults = SymbolTranslationTable()[4];
    std::string twelve;
    for (int i = 0; i < 12; ++i)
        twelve += std::to_string(i) + " blue 2\n";
    drop("symtable.txt", twelve);
    EXPECT_EQ(_DBLoadSymbolTranslationTable(), 0);
    drop("symtable.txt", twelve + "12 Black 12\n");
    EXPECT_EQ(_DBLoadSymbolTranslationTable(), 0);
    EXPECT_EQ(SymbolTranslationTable()[4].symbol, defaults.symbol);
    EXPECT_EQ(boxTexts(), (Boxes{"_DBLoadSymbolTranslationTable: Error reading symbol table file",
                                 "_DBLoadSymbolTranslationTable: Symbol number out of range"}));

    drop("symtable.txt", twelve + "12 Black 11\n");
    drop("marks.t-d", "$\n12 4 1 0.0 N 1 0.0 E Mark\n");
    ASSERT_EQ(DBImportSymbols(), 1);
    EXPECT_EQ(SymbolTranslationTable()[4].symbol, 1012);
    EXPECT_EQ(SymbolTranslationTable()[4].colour, 44);
    SymbolInfo s{};
    s.handle = 1;
    ASSERT_EQ(DBGetObjectInfo(overlayNamed("marks.t-d (imported)"), OBJ_SYMBOL, &s, "database"), 1);
    EXPECT_EQ(s.symbol, 1012);
    EXPECT_EQ(s.colour, 30);
    // Restore the default table for the tests that follow in this process.
    std::string restore;
    const int pictures[] = {11, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 11};
    const char* colours[] = {"ORANGE", "RED", "YELLOW", "GREEN", "CYAN", "PURPLE", "BLUE",
                             "BLACK", "ORANGE", "ORANGE", "ORANGE", "ORANGE", "ORANGE"};
    for (int i = 0; i < 13; ++i)
        restore += std::to_string(i) + " " + colours[i] + " " + std::to_string(pictures[i]) + "\n";
    drop("symtable.txt", restore);
    ASSERT_EQ(_DBLoadSymbolTranslationTable(), 1);
    EXPECT_EQ(SymbolTranslationTable()[4].symbol, defaults.symbol);
    EXPECT_EQ(SymbolTranslationTable()[4].colour, defaults.colour);
}

} // namespace
