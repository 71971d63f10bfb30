// A data root holding a small named database of two stored tracks, and OGR reading back.
#pragma once

#include "TempDataRoot.h"
#include "TrackStoreWriter.h"
#include "classification/BoxFile.h"
#include "database/CurrentTrack.h"
#include "platform/messages.h"

#include <gdal_priv.h>
#include <gtest/gtest.h>
#include <ogrsf_frmts.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

// What one exported sounding must carry.
struct ExpectedSounding {
    uint32_t track;
    TrackPoint point;
    std::string time;
    int transducer;
};

class ExportTest : public ::testing::Test {
protected:
    static TrackPoint firstPoint(int i)
    {
        TrackPoint p = MakePoint(10.5f + i, 0.25f * i, 1.0f - 0.125f * i, 503000000 + 1234 * i, 21000000 - 987 * i);
        p.colour = int16_t(i == 2 ? COLOUR_ERASED : i);
        return p;
    }
    static TrackPoint secondPoint(int i)
    {
        TrackPoint p = MakePoint(3.25f * i, 2.0f, 0.5f, -335000000 - 5000 * i, 1515000000 + 7000 * i);
        p.colour = int16_t(30 + i);
        return p;
    }

    void SetUp() override
    {
        win::scripted::listen();
        // The database's own start-up makes the folders and overlay list; the writer the tracks.
        ASSERT_EQ(DBInitialiseDatabase('C'), 1);
        // The writer spells the track folder in lower case; the store matches either spelling.
        const auto database = home.driveC() / "varnel" / "database";
        std::filesystem::rename(database / "OVL00001", database / "ovl00001");
        store.emplace(home.driveC());
        TempDataRoot::writeFile(home.driveC() / "varnel" / "database" / "multidb.ini", "[Names]\nName=North Bank\n");
        std::vector<TrackPoint> first, second;
        for (int i = 0; i < 5; ++i)
            first.push_back(firstPoint(i));
        for (int i = 0; i < 3; ++i)
            second.push_back(secondPoint(i));
        // 2026-12-11T08:00:00Z and on, one second apart; beam 1 is transducer +1.
        firstHandle = store->addTrack(1, first, std::vector<uint32_t>{1796976000, 1796976001, 1796976002, 1796976003, 1796976004});
        // No time file; beam 7 is transducer -1.
        secondHandle = store->addTrack(7, second, std::nullopt);
        FillDefaultBox(&box);
        for (int c = 0; c < BOX_CLASSES; ++c)
            std::snprintf(box.classNames[c], BOX_NAME_SIZE, "Seabed %d", c);
    }
    void TearDown() override { win::scripted::stopListening(); }

    // Point 2 of the first track is erased and left out.
    std::vector<ExpectedSounding> expectedSoundings(bool secondOnly = false) const
    {
        std::vector<ExpectedSounding> expected;
        for (int i : {0, 1, 3, 4})
            if (!secondOnly)
                expected.push_back({firstHandle, firstPoint(i), "2026-12-11T08:00:0" + std::to_string(i) + "Z", 1});
        for (int i = 0; i < 3; ++i)
            expected.push_back({secondHandle, secondPoint(i), "", -1});
        return expected;
    }

public:
    using Dataset = std::unique_ptr<GDALDataset, void (*)(GDALDataset*)>;
    static Dataset open(const std::filesystem::path& path)
    {
        GDALAllRegister();
        // The stored texts as they are: the GeoJSON reader would otherwise reformat the times.
        const char* csvOptions[] = {"X_POSSIBLE_NAMES=X", "Y_POSSIBLE_NAMES=Y", nullptr};
        const char* geojsonOptions[] = {"DATE_AS_STRING=YES", nullptr};
        const char* const* options = path.extension() == ".csv"       ? csvOptions
                                     : path.extension() == ".geojson" ? geojsonOptions
                                                                      : nullptr;
        return Dataset(GDALDataset::Open(path.c_str(), GDAL_OF_VECTOR | GDAL_OF_READONLY, nullptr, options),
                       [](GDALDataset* d) { GDALClose(d); });
    }

protected:
    TempDataRoot home;
    std::optional<TrackStoreWriter> store;
    uint32_t firstHandle = 0, secondHandle = 0;
    BoxFile box{};
};
