// Feeds arbitrary bytes to the chart loader as a cell file: it must give a chart or a reason,
// never crash.
#include "chartdata.h"

#include <cpl_vsi.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const char* path = "/vsimem/fuzz/FUZZCELL.000";
    VSILFILE* f = VSIFileFromMemBuffer(path, const_cast<GByte*>(data), size, FALSE);
    if (!f)
        return 0;
    VSIFCloseL(f);
    const euro32::LoadResult r = euro32::loadChart(path);
    if (!r.chart && r.error.empty())
        std::abort(); // a failure must always say why
    VSIUnlink(path);
    return 0;
}
