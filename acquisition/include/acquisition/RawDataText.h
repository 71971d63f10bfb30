// The module's raw-data views: the GPS text, the sounder text and the combined text. Each keeps
// its last 25 lines and never outgrows its size; the reader threads append, the window paints.
#pragma once

#include <functional>
#include <string>

struct RawDataText {
    explicit RawDataText(size_t capacity) : capacity(capacity) {}
    size_t capacity;
    std::string text;
};

// Starts a view afresh with its heading ("GPS Raw Data"...).
void ResetRawDataText(RawDataText& view, const std::string& heading);
// Appends a line break and `line`, dropping old lines to keep 25 and to stay within capacity.
void AppendRawDataLine(RawDataText& view, const std::string& line);
std::string RawDataSnapshot(const RawDataText& view);

extern RawDataText gpsRawText;      // 2000 bytes
extern RawDataText sounderRawText;  // 1000 bytes
extern RawDataText combinedRawText; // 2000 bytes

// Called after a view changed (the module window repaints); may be empty.
extern std::function<void()> onRawDataChanged;
void NotifyRawDataChanged();
