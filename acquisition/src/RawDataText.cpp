#include "acquisition/RawDataText.h"

#include <mutex>

namespace {
std::mutex textsMutex; // the reader threads write while the window thread paints
constexpr int KEPT_LINES = 25;
}

RawDataText gpsRawText(2000);
RawDataText sounderRawText(1000);
RawDataText combinedRawText(2000);
std::function<void()> onRawDataChanged;

void ResetRawDataText(RawDataText& view, const std::string& heading)
{
    std::lock_guard lock(textsMutex);
    view.text = heading.substr(0, view.capacity - 1);
}

void AppendRawDataLine(RawDataText& view, const std::string& line)
{
    std::lock_guard lock(textsMutex);
    std::string& t = view.text;
    int breaks = 0;
    for (size_t i = t.size(); i-- > 0;) {
        if (t[i] == '\n' && ++breaks == KEPT_LINES) {
            t.erase(0, i);
            break;
        }
    }
    t += '\n';
    t += line;
    // Long lines: drop whole old lines first, then cut what is still too long.
    size_t limit = view.capacity - 1;
    while (t.size() > limit) {
        size_t next = t.find('\n', 1);
        if (next == std::string::npos) {
            t.erase(0, t.size() - limit);
            break;
        }
        t.erase(0, next);
    }
}

std::string RawDataSnapshot(const RawDataText& view)
{
    std::lock_guard lock(textsMutex);
    return view.text;
}

void NotifyRawDataChanged()
{
    if (onRawDataChanged)
        onRawDataChanged();
}
