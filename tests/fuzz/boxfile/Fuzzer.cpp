// libFuzzer target: arbitrary bytes as a box file, loaded by the classification's loader, then
// used to classify readings. The first byte says whether the rest is padded or cut to a box
// file's size (most damage lies inside a file of the right size) or taken as it is. Whatever a
// file holds, nothing crashes or hangs, and a box that loads gives every reading a palette
// colour and a pixel inside its grid.
#include "FuzzCheck.h"

#include "classification/BoxFile.h"

#include <cmath>
#include <string>

namespace {

const char* const PATH = "c:\\varnel\\BoxFiles\\fuzz.box";

std::filesystem::path boxPath()
{
    std::filesystem::path folder = fuzz::root().driveC() / "varnel" / "BoxFiles";
    std::filesystem::create_directories(folder);
    return folder / "fuzz.box";
}

void classify(BoxFile& box, float e1, float e2)
{
    SwathReading r{};
    r.e1 = e1;
    r.e2 = e2;
    r.colour = -1;
    int outside = ClassifyReading(&box, &r);
    check(outside == 0 || outside == 1);
    check(outside ? r.colour == COLOUR_UNCLASSIFIED : r.colour >= 0 && r.colour <= COLOUR_NO_CLASSIFICATION);
    POINT p = BoxToPixel(e1, e2, &box, 10);
    check((p.x == -1 && p.y == -1) || (p.x >= 0 && p.x <= BOX_CELLS * 10 && p.y >= 0 && p.y <= BOX_CELLS * 10));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0)
        return 0;
    std::string bytes(reinterpret_cast<const char*>(data + 1), size - 1);
    if (data[0] & 1)
        bytes.resize(BOX_FILE_BYTES, '\0');
    TempDataRoot::writeFile(boxPath(), bytes);
    BoxFile box{};
    if (LoadBoxFile(PATH, nullptr, &box, 1)) {
        check(box.typeCount <= BOX_TYPE_NAMES);
        for (const auto& name : box.classNames)
            check(name[BOX_NAME_SIZE - 1] == '\0');
        const float span1 = box.e1Max - box.e1Min, span2 = box.e2Max - box.e2Min;
        for (float f : {-0.5f, 0.0f, 0.25f, 0.5f, 0.999f, 1.0f, 1.5f})
            classify(box, box.e1Min + f * span1, box.e2Min + (1.0f - f) * span2);
        classify(box, NAN, 1.0f);
        classify(box, 1.0f, INFINITY);
    }
    fuzz::forgetBoxes();
    return 0;
}
