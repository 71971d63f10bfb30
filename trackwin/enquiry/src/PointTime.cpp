#include "PointTime.h"

#include "database/DbFiles.h"
#include "records/TrackStoreFiles.h"

#include <cstdio>
#include <ctime>

void ReadPointTime(uint32_t handle, int32_t index, char time[20], char date[20])
{
    // From the active database, whichever drive it is on: the points came from there.
    const std::string path = db::TrackFolder("database") + "\\" + StoredTrackFileName(handle, "tim");
    uint32_t seconds = 0;
    if (db::File f = db::Open(path, "rb")) {
        if (index < 0 || std::fseek(f.get(), long(index) * 4, SEEK_SET) != 0 || std::fread(&seconds, 4, 1, f.get()) != 1)
            seconds = 0;
    }
    const std::time_t t = std::time_t(seconds);
    std::tm local{};
    if (seconds != 0 && localtime_r(&t, &local) && std::strftime(date, 20, "%d-%m-%Y", &local) &&
        std::strftime(time, 20, "%H:%M:%S", &local))
        return;
    std::snprintf(date, 20, "%02d-%02d-%02d", 0, 0, 0);
    std::snprintf(time, 20, "%02d:%02d:%02d", 0, 0, 0);
}
