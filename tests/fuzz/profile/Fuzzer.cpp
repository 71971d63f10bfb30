// libFuzzer target: arbitrary bytes as the settings profile "VARNEL.INI", read through the
// frame's typed accessors and the platform's profile functions, then one key written into it.
// Whatever the file holds, nothing crashes or hangs; a key written reads back as written, and
// the key read before the write still reads the same after it.
#include "FuzzCheck.h"

#include "frame/Inifile.h"
#include "platform/profile.h"

#include <cstring>
#include <string>

namespace {

// A section and key the file itself names: the first "[...]" and the first "name=" after it.
void namedKey(const std::string& text, std::string& section, std::string& key)
{
    size_t open = text.find('[');
    size_t close = open == std::string::npos ? open : text.find(']', open);
    if (close == std::string::npos)
        return;
    section = text.substr(open + 1, close - open - 1);
    size_t line = text.find('\n', close);
    size_t equals = line == std::string::npos ? line : text.find('=', line);
    if (equals != std::string::npos)
        key = text.substr(line + 1, equals - line - 1);
}

std::string read(const std::string& section, const std::string& key)
{
    char buffer[64];
    GetPrivateProfileStringA(section.c_str(), key.c_str(), "<absent>", buffer, sizeof buffer, VARNEL_INI);
    check(std::memchr(buffer, 0, sizeof buffer) != nullptr);
    return buffer;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    fuzz::writeFile(fuzz::root().windowsDir() / VARNEL_INI, data, size);
    std::string text(reinterpret_cast<const char*>(data), size);
    std::string section = "Replay", key = "Save Rate";
    namedKey(text, section, key);

    int32_t number = 0;
    float real = 0;
    char buffer[256];
    GetVarnelProfileInt(section.c_str(), key.c_str(), &number);
    GetVarnelProfileFloat(section.c_str(), key.c_str(), &real);
    GetVarnelProfileString(section.c_str(), key.c_str(), buffer);
    GetPrivateProfileIntA(section.c_str(), key.c_str(), 7, VARNEL_INI);
    RECT place{};
    LoadPosition(&place, section.c_str());
    std::string before = read(section, key);

    const std::string written = section + key == "FuzzWritten" ? "Fuzz2" : "Fuzz";
    if (WritePrivateProfileStringA(written.c_str(), "Written", "a value", VARNEL_INI)) {
        check(read(written, "Written") == "a value");
        check(read(section, key) == before);
    }
    fuzz::forgetBoxes();
    return 0;
}
