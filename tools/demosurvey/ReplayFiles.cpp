#include "ReplayFiles.h"

#include "OutputFile.h"
#include "ReplayFormats.h"
#include "platform/files.h"
#include "records/TrackStoreFiles.h"

namespace {

constexpr const char* TESTDATA_FOLDER = "c:\\varnel\\testdata";

} // namespace

bool WriteReplayFiles(const std::vector<SwathReading>& readings, std::string& error)
{
    if (!win::isDirectory(TESTDATA_FOLDER) && win::mkdir(TESTDATA_FOLDER) != 0) {
        error = std::string("cannot create ") + TESTDATA_FOLDER;
        return false;
    }
    replaymake::OutputFile nav, sounder;
    for (auto [file, path] : {std::pair{&nav, REPLAY_NAV_FILE}, std::pair{&sounder, REPLAY_SOUNDER_FILE}})
        if (!file->Create(path)) {
            error = std::string("cannot create ") + path;
            return false;
        }
    for (const SwathReading& reading : readings) {
        nav.Commit(replaymake::FormatNavLine(nav.LineSpace(), reading.lat, reading.lon));
        sounder.Commit(replaymake::FormatSounderLine(sounder.LineSpace(), replaymake::ReadingLetter(reading.transducer),
                                                     replaymake::SounderRawOf(TrackPointOf(reading))));
    }
    for (auto [file, path] : {std::pair{&nav, REPLAY_NAV_FILE}, std::pair{&sounder, REPLAY_SOUNDER_FILE}})
        if (!file->Close()) {
            error = std::string("cannot write ") + path;
            return false;
        }
    return true;
}
