#include "settings.h"

#include "platform/profile.h"

#include <cstdlib>

namespace euro32 {

namespace {
constexpr const char* kDisplay = "DISPLAY";

double readNumber(const char* key, double fallback)
{
    const std::string text = readChartIni(kDisplay, key, "");
    char* end = nullptr;
    const double v = std::strtod(text.c_str(), &end);
    return text.empty() || *end != '\0' ? fallback : v;
}

bool readSwitch(const char* key, bool fallback)
{
    const std::string text = readChartIni(kDisplay, key, "");
    return text.empty() ? fallback : text != "0";
}

std::string number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%g", v);
    return text;
}
} // namespace

std::string readChartIni(const char* section, const char* key, const char* fallback)
{
    char buffer[512];
    GetPrivateProfileStringA(section, key, fallback, buffer, sizeof buffer, kChartIni);
    return buffer;
}

void writeChartIni(const char* section, const char* key, const std::string& value)
{
    WritePrivateProfileStringA(section, key, value.c_str(), kChartIni);
}

DisplaySettings loadDisplaySettings()
{
    DisplaySettings s;
    s.shallowContour = readNumber("ShallowContour", s.shallowContour);
    s.safetyContour = readNumber("SafetyContour", s.safetyContour);
    s.deepContour = readNumber("DeepContour", s.deepContour);
    s.soundings = readSwitch("Soundings", s.soundings);
    s.text = readSwitch("Text", s.text);
    s.grid = readSwitch("Grid", s.grid);
    s.coverage = readSwitch("Coverage", s.coverage);
    return s;
}

void saveDisplaySettings(const DisplaySettings& s)
{
    writeChartIni(kDisplay, "ShallowContour", number(s.shallowContour));
    writeChartIni(kDisplay, "SafetyContour", number(s.safetyContour));
    writeChartIni(kDisplay, "DeepContour", number(s.deepContour));
    writeChartIni(kDisplay, "Soundings", s.soundings ? "1" : "0");
    writeChartIni(kDisplay, "Text", s.text ? "1" : "0");
    writeChartIni(kDisplay, "Grid", s.grid ? "1" : "0");
    writeChartIni(kDisplay, "Coverage", s.coverage ? "1" : "0");
}

void writeDefaultSettings()
{
    if (readChartIni("OTHER", "SNIGHT", "").empty())
        writeChartIni("OTHER", "SNIGHT", "0.5");
    if (readChartIni("CHARTPATHS", "CHARTPATH", "").empty())
        writeChartIni("CHARTPATHS", "CHARTPATH", kDefaultChartFolder);
}

std::string chartFolder()
{
    return readChartIni("CHARTPATHS", "CHARTPATH", kDefaultChartFolder);
}

} // namespace euro32
