// Export of stored tracks read back with OGR: every format, erased points, times, selection
// and cancelling.
#include "ExportFixture.h"

#include "export/GisExport.h"

#include <filesystem>

namespace fs = std::filesystem;
using namespace gisexport;

namespace {

// The two layers of an output, wherever its format keeps them.
struct Layers {
    ExportTest::Dataset points{nullptr, nullptr}, lines{nullptr, nullptr};
    OGRLayer* soundings = nullptr;
    OGRLayer* tracks = nullptr;
};

} // namespace

class FormatRoundTrip : public ExportTest, public ::testing::WithParamInterface<const char*> {
protected:
    Layers readBack(const fs::path& output)
    {
        Layers layers;
        const GisFormat* format = FormatOfOutput(output);
        layers.points = open(output);
        if (!layers.points)
            return layers;
        if (format->singleLayer) {
            layers.lines = open(output.parent_path() / (output.stem().string() + "_tracks" + output.extension().string()));
            layers.soundings = layers.points->GetLayer(0);
            layers.tracks = layers.lines ? layers.lines->GetLayer(0) : nullptr;
        } else {
            layers.soundings = layers.points->GetLayerByName("soundings");
            layers.tracks = layers.points->GetLayerByName("tracks");
        }
        return layers;
    }
};

TEST_P(FormatRoundTrip, EveryPointAndAttributeComesBack)
{
    const fs::path output = home.root() / "out" / (std::string("survey.") + GetParam());
    fs::create_directories(output.parent_path());
    ExportRequest request;
    request.format = FormatOfOutput(output);
    ASSERT_NE(request.format, nullptr);
    request.output = output.string();
    request.box = &box;
    const ExportOutcome outcome = ExportTracks(request);
    ASSERT_EQ(outcome.result, ExportResult::Done) << outcome.message;
    EXPECT_EQ(outcome.points, 7u);
    EXPECT_EQ(outcome.tracks, 2u);

    Layers layers = readBack(output);
    ASSERT_TRUE(layers.soundings && layers.tracks);
    const auto expected = expectedSoundings();
    ASSERT_EQ(layers.soundings->GetFeatureCount(), GIntBig(expected.size()));
    layers.soundings->ResetReading();
    for (const auto& e : expected) {
        std::unique_ptr<OGRFeature> f(layers.soundings->GetNextFeature());
        ASSERT_TRUE(f);
        SCOPED_TRACE("track " + std::to_string(e.track) + " depth " + std::to_string(e.point.depth));
        const OGRPoint* at = f->GetGeometryRef() ? f->GetGeometryRef()->toPoint() : nullptr;
        ASSERT_TRUE(at);
        EXPECT_NEAR(at->getX(), e.point.lon / 1e7, 1e-9);
        EXPECT_NEAR(at->getY(), e.point.lat / 1e7, 1e-9);
        EXPECT_FLOAT_EQ(float(f->GetFieldAsDouble("depth")), e.point.depth);
        EXPECT_FLOAT_EQ(float(f->GetFieldAsDouble("e1")), e.point.e1);
        EXPECT_FLOAT_EQ(float(f->GetFieldAsDouble("e2")), e.point.e2);
        EXPECT_EQ(f->GetFieldAsInteger("class"), e.point.colour);
        EXPECT_STREQ(f->GetFieldAsString("class_name"), e.point.colour < 32 ? box.classNames[e.point.colour] : "");
        EXPECT_EQ(f->GetFieldAsInteger("transducer"), e.transducer);
        EXPECT_EQ(uint32_t(f->GetFieldAsInteger("track")), e.track);
        EXPECT_STREQ(f->GetFieldAsString("database"), "North Bank");
        EXPECT_EQ(std::string(f->GetFieldAsString("time")), e.time);
    }

    struct ExpectedTrack {
        uint32_t handle;
        int transducer, points;
        const char *first, *last;
    };
    const ExpectedTrack tracks[] = {{firstHandle, 1, 4, "2026-12-11T08:00:00Z", "2026-12-11T08:00:04Z"},
                                    {secondHandle, -1, 3, "", ""}};
    ASSERT_EQ(layers.tracks->GetFeatureCount(), 2);
    layers.tracks->ResetReading();
    for (const auto& t : tracks) {
        std::unique_ptr<OGRFeature> f(layers.tracks->GetNextFeature());
        ASSERT_TRUE(f);
        EXPECT_EQ(uint32_t(f->GetFieldAsInteger("track")), t.handle);
        EXPECT_EQ(f->GetFieldAsInteger("transducer"), t.transducer);
        EXPECT_EQ(f->GetFieldAsInteger("points"), t.points);
        EXPECT_STREQ(f->GetFieldAsString("first_time"), t.first);
        EXPECT_STREQ(f->GetFieldAsString("last_time"), t.last);
        EXPECT_STREQ(f->GetFieldAsString("database"), "North Bank");
        const OGRGeometry* line = f->GetGeometryRef();
        ASSERT_TRUE(line && wkbFlatten(line->getGeometryType()) == wkbLineString);
        EXPECT_EQ(line->toLineString()->getNumPoints(), t.points);
    }
    // Nothing staged is left beside the output.
    for (const auto& entry : fs::directory_iterator(output.parent_path()))
        EXPECT_NE(entry.path().filename().string()[0], '.') << entry.path();
}

INSTANTIATE_TEST_SUITE_P(Formats, FormatRoundTrip, ::testing::Values("gpkg", "geojson", "csv", "kml", "shp"));

TEST_F(ExportTest, AnAreaOrChosenHandlesExportOnlyTheirTracks)
{
    // The second track lies off south-east Australia, the first in the North Sea.
    ExportRequest byArea;
    byArea.area = RECT{1510000000, -330000000, 1520000000, -340000000};
    ExportRequest byHandle;
    byHandle.handles = {secondHandle};
    for (ExportRequest* request : {&byArea, &byHandle}) {
        const fs::path output = home.root() / "chosen.gpkg";
        request->format = FormatOfOutput(output);
        request->output = output.string();
        const ExportOutcome outcome = ExportTracks(*request);
        ASSERT_EQ(outcome.result, ExportResult::Done) << outcome.message;
        EXPECT_EQ(outcome.tracks, 1u);
        auto set = open(output);
        ASSERT_TRUE(set);
        EXPECT_EQ(set->GetLayerByName("soundings")->GetFeatureCount(), 3);
        std::unique_ptr<OGRFeature> track(set->GetLayerByName("tracks")->GetNextFeature());
        ASSERT_TRUE(track);
        EXPECT_EQ(uint32_t(track->GetFieldAsInteger("track")), secondHandle);
        // Without a box file the class names stay empty.
        std::unique_ptr<OGRFeature> sounding(set->GetLayerByName("soundings")->GetNextFeature());
        EXPECT_STREQ(sounding->GetFieldAsString("class_name"), "");
    }
}

TEST_F(ExportTest, ACancelHalfwayLeavesNoOutput)
{
    for (const char* name : {"half.gpkg", "half.shp"}) {
        const fs::path folder = home.root() / "cancel";
        fs::create_directories(folder);
        ExportRequest request;
        request.output = (folder / name).string();
        request.format = FormatOfOutput(request.output);
        uint64_t seen = 0;
        // The first track is written before the answer comes.
        const ExportOutcome outcome = ExportTracks(request, [&](uint64_t done, uint64_t total) {
            seen = done;
            return done < total / 2;
        });
        EXPECT_EQ(outcome.result, ExportResult::Cancelled);
        EXPECT_GT(seen, 0u);
        EXPECT_TRUE(fs::is_empty(folder)) << name << " left " << fs::directory_iterator(folder)->path();
    }
}

TEST_F(ExportTest, AMissingDatabaseOrUnwritableFolderIsReported)
{
    ExportRequest missing;
    missing.database = "elsewhere";
    missing.output = (home.root() / "x.gpkg").string();
    missing.format = FormatOfOutput(missing.output);
    EXPECT_EQ(ExportTracks(missing).result, ExportResult::NoDatabase);

    ExportRequest unwritable;
    unwritable.output = (home.root() / "no" / "such" / "x.gpkg").string();
    unwritable.format = FormatOfOutput(unwritable.output);
    const ExportOutcome outcome = ExportTracks(unwritable);
    EXPECT_EQ(outcome.result, ExportResult::NotWritable);
    EXPECT_NE(outcome.message.find(unwritable.output), std::string::npos) << outcome.message;
    EXPECT_FALSE(fs::exists(home.root() / "x.gpkg"));
}
