#include "frame/ProgramSettings.h"

#include "frame/Inifile.h"

#include <cstdio>

double transducerDraft = 0.0;
int32_t measureUnits = 0;
DepthDisplaySettings depthDisplay{};

void LoadDepthDisplaySettings()
{
    int32_t units = 0;
    LoadDepthUnits(&units);
    static const char* const texts[] = {"m", "ft", "fm"};
    depthDisplay.units = int16_t(units == 1 || units == 2 ? units : 0);
    std::snprintf(depthDisplay.unitText, sizeof depthDisplay.unitText, "%s", texts[depthDisplay.units]);
    if (depthDisplay.units == 0 && units != 0)
        SaveDepthUnits(0);
    int32_t autoscale = 1;
    LoadDepthAutoscale(&autoscale);
    depthDisplay.autoscale = int16_t(autoscale != 0);
    if (autoscale != 0 && autoscale != 1)
        SaveDepthAutoscale(1);
    float top = 0, bottom = 0;
    LoadDepthLimits(&top, &bottom);
    if (top < 0)
        top = 0;
    if (top + 1 > bottom)
        bottom = top + 1;
    depthDisplay.top = top;
    depthDisplay.bottom = bottom;
    depthDisplay.range = bottom - top;
}
