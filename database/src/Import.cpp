#include "database/Import.h"
#include "database/DbFiles.h"
#include "database/OverlayStore.h"

#include "platform/files.h"
#include "platform/messages.h"

#include <cctype>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <strings.h>

using namespace db;

namespace {

const char* const IMPORT_FOLDER = "c:\\varnel\\import";

SymbolTranslation table[SYMBOL_TRANSLATIONS] = {
    {0, 29, 1021}, {1, 11, 1011}, {2, 23, 1012}, {3, 5, 1013},  {4, 46, 1014},
    {5, 17, 1015}, {6, 44, 1016}, {7, 30, 1017}, {8, 29, 1018}, {9, 29, 1019},
    {10, 29, 1020}, {11, 29, 1021}, {12, 29, 1021},
};

int ColourOfName(std::string name)
{
    for (char& c : name)
        c = char(std::toupper(static_cast<unsigned char>(c)));
    static const struct {
        const char* name;
        int colour;
    } colours[] = {{"RED", 11}, {"YELLOW", 23}, {"GREEN", 5}, {"CYAN", 46},
                   {"PURPLE", 17}, {"BLUE", 44}, {"ORANGE", 29}, {"BLACK", 30}};
    for (const auto& c : colours)
        if (name == c.name)
            return c.colour;
    return 29;
}

// Degrees and minutes with a hemisphere letter, in 1e-7 degree. False for a value beyond
// `limit` degrees (the number format also accepts "nan" and "inf"): such a line describes no
// position and ends the file's objects like any line that does not match.
bool Position(double degrees, double minutes, char hemisphere, double limit, int32_t& position)
{
    double value = minutes / 60 + degrees;
    if (!(std::fabs(value) <= limit))
        return false;
    position = int32_t(value * 10000000);
    if (hemisphere == 's' || hemisphere == 'S' || hemisphere == 'w' || hemisphere == 'W')
        position = -position;
    return true;
}

bool Latitude(double degrees, double minutes, char hemisphere, int32_t& lat)
{
    return Position(degrees, minutes, hemisphere, 90, lat);
}

bool Longitude(double degrees, double minutes, char hemisphere, int32_t& lon)
{
    return Position(degrees, minutes, hemisphere, 180, lon);
}

// Numbers outside the table (symbol or colour) take entry 0.
const SymbolTranslation& Translation(int number)
{
    return table[number >= 0 && number < SYMBOL_TRANSLATIONS ? number : 0];
}

// Opens a file of the import folder for reading. Anything but a regular file is left alone, with
// a debugger trace: a named pipe would wait for a writer for ever, and start-up with it.
File OpenImportFile(const std::string& path, bool* skipped = nullptr)
{
    File f(win::fopenRegular(path.c_str()));
    if (!f && errno == EINVAL) {
        if (skipped)
            *skipped = true;
        OutputDebugStringA(Format("Import: %s is not a regular file, left alone\n", path.c_str()).c_str());
    }
    return f;
}

bool ReadLine(FILE* f, std::string& line)
{
    line.clear();
    int c;
    while ((c = std::fgetc(f)) != EOF && c != '\n')
        line += char(c);
    // Files prepared on Windows end their lines with CR LF.
    bool read = c != EOF || !line.empty();
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return read;
}

// Where a line comes from, for the messages about it.
struct Source {
    const char* title;
    const std::string& path;
    int line;
};

// One object per line; false at the first line that does not match.
using LineImporter = bool (*)(uint32_t overlay, const std::string& line, const Source& source);

// At most `limit` bytes of a text, never ending in half a UTF-8 character.
size_t CutAt(const std::string& text, size_t limit)
{
    if (text.size() <= limit)
        return text.size();
    while (limit > 0 && (static_cast<unsigned char>(text[limit]) & 0xC0) == 0x80)
        --limit;
    return limit;
}

bool ImportSymbol(uint32_t overlay, const std::string& line, const Source&)
{
    int colour, symbol;
    double latDeg, latMin, lonDeg, lonMin;
    char latHemi, lonHemi;
    char name[256];
    if (std::sscanf(line.c_str(), "%d %d %lf %lf %c %lf %lf %c %255s", &colour, &symbol, &latDeg, &latMin, &latHemi,
                    &lonDeg, &lonMin, &lonHemi, name) != 9)
        return false;
    int32_t lat, lon;
    if (!Latitude(latDeg, latMin, latHemi, lat) || !Longitude(lonDeg, lonMin, lonHemi, lon))
        return false;
    SymbolInfo record{0, lon, lat, Translation(symbol).symbol, Translation(colour).colour,
                      int32_t(std::strlen(name))};
    if (_DBAddSymbol(overlay, &record))
        _DBAddSymbolText(overlay, &record, name);
    return true;
}

// A text's length is 16 bits on disk.
constexpr size_t LONGEST_TEXT = 32767;

bool ImportText(uint32_t overlay, const std::string& line, const Source& source)
{
    double latDeg, latMin, lonDeg, lonMin;
    char latHemi, lonHemi;
    std::string text(line.size() + 1, '\0');
    if (std::sscanf(line.c_str(), "%lf %lf %c %lf %lf %c %[^\n]", &latDeg, &latMin, &latHemi, &lonDeg, &lonMin,
                    &lonHemi, text.data()) != 7)
        return false;
    int32_t lat, lon;
    if (!Latitude(latDeg, latMin, latHemi, lat) || !Longitude(lonDeg, lonMin, lonHemi, lon))
        return false;
    text.resize(std::strlen(text.c_str()));
    size_t length = CutAt(text, LONGEST_TEXT);
    if (length < text.size())
        Failf(source.title, "Text of %zu bytes in line %d of %s cut to its first %zu", text.size(), source.line,
              source.path.c_str(), length);
    TextInfo record{0, lon, lat, lon, lat, 0, int32_t(length)};
    _DBAddText(overlay, &record, text.c_str());
    return true;
}

bool ImportLine(uint32_t overlay, const std::string& line, const Source&)
{
    int number;
    double v[8];
    char h[4];
    if (std::sscanf(line.c_str(), "%d %lf %lf %c %lf %lf %c %lf %lf %c %lf %lf %c %*[^\n]", &number, &v[0], &v[1],
                    &h[0], &v[2], &v[3], &h[1], &v[4], &v[5], &h[2], &v[6], &v[7], &h[3]) != 13)
        return false;
    GeoPoint ends[2];
    if (!Latitude(v[0], v[1], h[0], ends[0].lat) || !Longitude(v[2], v[3], h[1], ends[0].lon) ||
        !Latitude(v[4], v[5], h[2], ends[1].lat) || !Longitude(v[6], v[7], h[3], ends[1].lon))
        return false;
    PolygonInfo record{0,
                       std::min(ends[0].lon, ends[1].lon),
                       std::max(ends[0].lat, ends[1].lat),
                       std::max(ends[0].lon, ends[1].lon),
                       std::min(ends[0].lat, ends[1].lat),
                       number, 2, 2, 0};
    _DBAddPolygon(overlay, &record, ends);
    return true;
}

struct ImportKind {
    const char* title;     // the importer's name, the title of its messages
    const char* pattern;
    const char* noun;      // names the kind in messages: "symbol", "text", "line"
    int shown;
    LineImporter importLine;
};

const ImportKind SYMBOLS{"DBImportSymbols", "*.t-d", "symbol", 1, ImportSymbol};
const ImportKind TEXTS{"DBImportTexts", "*.txt", "text", 1, ImportText};
const ImportKind LINES{"DBImportPolygons", "*.lin", "line", 0, ImportLine};

// Reads up to the end of the line holding the first '$'; false when the file ends first.
bool SkipHeader(FILE* f, int& lines)
{
    std::string line;
    while (ReadLine(f, line)) {
        ++lines;
        if (line.find('$') != std::string::npos)
            return true;
    }
    return false;
}

// "%s (imported)" of the file's name. An overlay name holds 39 characters: a longer file name is
// cut and tagged with a checksum of the whole name, so that files alike in their first
// characters get overlays of their own and each file finds its overlay at every start-up.
std::string OverlayNameOf(const std::string& file)
{
    const std::string suffix = " (imported)";
    const size_t room = sizeof OverlayInfo::name - 1;
    if (file.size() + suffix.size() <= room)
        return file + suffix;
    uint32_t hash = 2166136261u;  // FNV-1a
    for (unsigned char c : file)
        hash = (hash ^ c) * 16777619u;
    std::string tag = Format("~%08X", unsigned(hash));
    return file.substr(0, CutAt(file, room - suffix.size() - tag.size())) + tag + suffix;
}

int ImportFiles(const ImportKind& kind)
{
    auto files = win::findFiles(Format("%s\\%s", IMPORT_FOLDER, kind.pattern).c_str());
    std::erase_if(files, [](const win::FoundFile& f) {
        // The symbol table is the importer's own setting, not a survey file.
        return f.directory || strcasecmp(f.name.c_str(), "symtable.txt") == 0;
    });
    if (files.empty())
        return 0;
    for (const auto& file : files) {
        std::string path = Format("%s\\%s", IMPORT_FOLDER, file.name.c_str());
        bool skipped = false;
        File f = OpenImportFile(path, &skipped);
        if (skipped)
            continue;
        if (!f) {
            Failf(kind.title, "Failed opening %s import text file %s", kind.noun, path.c_str());
            continue;
        }
        OverlayInfo overlay{};
        std::snprintf(overlay.name, sizeof overlay.name, "%s", OverlayNameOf(file.name).c_str());
        overlay.shown = kind.shown;
        // A file imported before has its overlay already; that is no news to the user.
        if (OverlayNameTaken("database", overlay.name))
            continue;
        // Only a file that will be imported gets its overlay: one refused now is imported once
        // it has been put right.
        int lines = 0;
        if (!SkipHeader(f.get(), lines)) {
            Failf(kind.title, "Failed reading %s import text file %s", kind.noun, path.c_str());
            continue;
        }
        if (!DBCreateOverlay(&overlay))
            continue;
        std::string line;
        while (ReadLine(f.get(), line) && kind.importLine(overlay.handle, line, Source{kind.title, path, ++lines})) {
        }
    }
    return 1;
}

} // namespace

const SymbolTranslation* SymbolTranslationTable() { return table; }

extern "C" {

int _DBLoadSymbolTranslationTable()
{
    const char* title = "_DBLoadSymbolTranslationTable";
    File f = OpenImportFile(Format("%s\\%s", IMPORT_FOLDER, "symtable.txt"));
    if (!f)
        return 0;
    SymbolTranslation working[SYMBOL_TRANSLATIONS];
    for (int i = 0; i < SYMBOL_TRANSLATIONS; ++i) {
        char colour[256];
        int number;
        if (std::fscanf(f.get(), "%*d %255s %d", colour, &number) != 2)
            return Fail(title, "Error reading symbol table file");
        if (number < 1 || number > 11)
            return Fail(title, "Symbol number out of range");
        working[i] = {i, ColourOfName(colour), number + 1010};
    }
    std::copy(working, working + SYMBOL_TRANSLATIONS, table);
    return 1;
}

int DBImportSymbols()
{
    if (win::findFiles(Format("%s\\%s", IMPORT_FOLDER, SYMBOLS.pattern).c_str()).empty())
        return 0;
    if (Exists(Format("%s\\%s", IMPORT_FOLDER, "symtable.txt")))
        _DBLoadSymbolTranslationTable();
    return ImportFiles(SYMBOLS);
}

int DBImportTexts() { return ImportFiles(TEXTS); }

int DBImportPolygons() { return ImportFiles(LINES); }

} // extern "C"
