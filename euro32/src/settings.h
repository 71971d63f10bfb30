// The engine's settings file "chart.ini" in the program folder: the night factor ("OTHER",
// "SNIGHT"), the chart folder ("CHARTPATHS", "CHARTPATH") and the display settings.
#pragma once

#include <string>

namespace euro32 {

inline constexpr const char* kChartIni = "c:\\varnel\\chart.ini";
inline constexpr const char* kDefaultChartFolder = "c:\\varnel\\charts";
inline constexpr const char* kCatalogFolder = "c:\\varnel\\Catalogs";

struct DisplaySettings {
    double shallowContour = 5.0;
    double safetyContour = 10.0;
    double deepContour = 20.0;
    bool soundings = true;
    bool text = true;
    bool grid = true;
    bool coverage = true;
};

DisplaySettings loadDisplaySettings();
void saveDisplaySettings(const DisplaySettings& s);
// Writes the keys the program and the engine need when chart.ini lacks them.
void writeDefaultSettings();
// The chart folder as a drive path.
std::string chartFolder();

// Profile helpers on chart.ini.
std::string readChartIni(const char* section, const char* key, const char* fallback);
void writeChartIni(const char* section, const char* key, const std::string& value);

} // namespace euro32
