// tidevane-export: writes the stored tracks of a database to a GIS file for scripts.
#include "export/GisExport.h"

#include "database/Catalogue.h"
#include "platform/files.h"
#include "platform/system.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

// Exit codes, as the usage text documents them.
enum Exit { EXIT_DONE = 0, EXIT_USAGE = 1, EXIT_NO_DATABASE = 2, EXIT_NOT_WRITABLE = 3, EXIT_FAILED = 4 };

const char* USAGE =
    "Usage: tidevane-export [--format NAME] [--database NAME] [--tracks N,M,...]\n"
    "                       [--area W,N,E,S] [--box FILE] OUTPUT\n"
    "Writes the stored tracks of a database ($TIDEVANE_HOME) to a GIS file: a point layer\n"
    "\"soundings\" and a line layer \"tracks\" (in OUTPUT_tracks.EXT for csv, geojson, shp).\n"
    "  --format NAME    gpkg, geojson, csv, kml or shp; OUTPUT must end in its extension,\n"
    "                   which alone chooses the format without this option\n"
    "  --database NAME  the database of that name in the catalogue (default: the active one)\n"
    "  --tracks N,M     only these track handles\n"
    "  --area W,N,E,S   only tracks meeting this rectangle, in degrees\n"
    "  --box FILE       box file naming the classes (default: the program's current box)\n"
    "Exit codes: 0 done, 1 bad usage or unknown format, 2 database missing,\n"
    "            3 output not writable, 4 cancelled or failed.\n";

int Usage(const std::string& message)
{
    std::fprintf(stderr, "tidevane-export: %s (try --help)\n", message.c_str());
    return EXIT_USAGE;
}

bool ParseList(const std::string& text, std::vector<double>& values)
{
    std::stringstream in(text);
    std::string item;
    while (std::getline(in, item, ',')) {
        char* end = nullptr;
        values.push_back(std::strtod(item.c_str(), &end));
        if (item.empty() || *end != '\0')
            return false;
    }
    return !values.empty();
}

bool barShown = false;

// A bar on a terminal only: scripts reading stderr get the errors alone.
bool ShowProgress(uint64_t done, uint64_t total)
{
    barShown = true;
    const int width = 40;
    const int filled = total ? int(done * width / total) : width;
    std::fprintf(stderr, "\r[%.*s%*s] %3d%%", filled, "########################################", width - filled, "",
                 total ? int(done * 100 / total) : 100);
    std::fflush(stderr);
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    gisexport::ExportRequest request;
    std::string formatName, databaseName, boxPath;
    std::vector<std::string> outputs;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            std::fputs(USAGE, stdout);
            return EXIT_DONE;
        }
        const bool takesValue = arg == "--format" || arg == "--database" || arg == "--tracks" || arg == "--area" || arg == "--box";
        if (takesValue && i + 1 >= argc)
            return Usage(arg + " needs a value");
        std::vector<double> values;
        if (arg == "--format")
            formatName = argv[++i];
        else if (arg == "--database")
            databaseName = argv[++i];
        else if (arg == "--box")
            boxPath = argv[++i];
        else if (arg == "--tracks") {
            if (!ParseList(argv[++i], values))
                return Usage("--tracks takes handles such as 2,5,7");
            for (double v : values)
                request.handles.push_back(uint32_t(v));
        } else if (arg == "--area") {
            if (!ParseList(argv[++i], values) || values.size() != 4)
                return Usage("--area takes west,north,east,south in degrees");
            auto units = [](double degrees) { return LONG(std::lround(std::clamp(degrees, -180.0, 180.0) * 1e7)); };
            request.area = RECT{units(values[0]), units(values[1]), units(values[2]), units(values[3])};
        } else if (arg.rfind("--", 0) == 0)
            return Usage("unknown option " + arg);
        else
            outputs.push_back(arg);
    }
    if (outputs.size() != 1)
        return Usage("give one OUTPUT");
    request.output = outputs[0];
    if (request.output.rfind("PG:", 0) == 0)
        return Usage("PostGIS output is not supported yet");
    request.format = !formatName.empty() ? gisexport::FormatNamed(formatName) : gisexport::FormatOfOutput(request.output);
    if (!formatName.empty() && !request.format)
        return Usage("unknown format \"" + formatName + "\"");
    // Drivers such as CSV make a folder of a name without their extension.
    if (!request.format || gisexport::FormatOfOutput(request.output) != request.format)
        return Usage(request.format ? "OUTPUT must end in " + std::string(request.format->extension) + " for format " +
                                          request.format->name
                                    : "OUTPUT must end in .gpkg, .geojson, .csv, .kml or .shp");

    // A relative output is taken from where the tool was started: the data root changes that.
    request.output = std::filesystem::absolute(request.output).string();
    win::applyTimeZone();
    if (!win::PrepareDataRoot()) {
        std::fprintf(stderr, "tidevane-export: cannot open the data root %s\n", win::DataRoot().c_str());
        return EXIT_NO_DATABASE;
    }

    if (!databaseName.empty()) {
        char folder[MAX_PATH];
        if (DBFindDatabaseFolder(folder, databaseName.c_str()) != 0) {
            std::fprintf(stderr, "tidevane-export: no database named \"%s\"\n", databaseName.c_str());
            return EXIT_NO_DATABASE;
        }
        request.database = folder;
    }

    static BoxFile box;
    if (!boxPath.empty()) {
        if (!LoadBoxFile(boxPath.c_str(), nullptr, &box, 1)) {
            std::fprintf(stderr, "tidevane-export: cannot load box file %s\n", boxPath.c_str());
            return EXIT_USAGE;
        }
    } else {
        LoadStartupBoxFile();
        box = boxFile;
    }
    request.box = &box;

    const bool terminal = isatty(STDERR_FILENO);
    const auto outcome = gisexport::ExportTracks(request, terminal ? gisexport::Progress(ShowProgress) : gisexport::Progress());
    if (barShown)
        std::fputc('\n', stderr);
    switch (outcome.result) {
    case gisexport::ExportResult::Done:
        return EXIT_DONE;
    case gisexport::ExportResult::NoDatabase:
        std::fprintf(stderr, "tidevane-export: %s\n", outcome.message.c_str());
        return EXIT_NO_DATABASE;
    case gisexport::ExportResult::NotWritable:
        std::fprintf(stderr, "tidevane-export: %s\n", outcome.message.c_str());
        return EXIT_NOT_WRITABLE;
    default:
        std::fprintf(stderr, "tidevane-export: %s\n", outcome.message.c_str());
        return EXIT_FAILED;
    }
}
