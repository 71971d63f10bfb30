#include "Replaymake.h"
#include "Console.h"
#include "Steps.h"

#include "platform/files.h"

#include <string>

namespace replaymake {
namespace {

// Whichever way the run ends, the starting directory is current again afterwards.
class DirectoryRestorer {
public:
    DirectoryRestorer() : start_(win::CurrentDirectory()) {}
    ~DirectoryRestorer() { win::SetCurrentDirectory(start_); }
    DirectoryRestorer(const DirectoryRestorer&) = delete;
    DirectoryRestorer& operator=(const DirectoryRestorer&) = delete;

private:
    std::string start_;
};

} // namespace

int Run()
{
    DirectoryRestorer restorer;
    KeyboardSession keyboard;
    if (auto code = RunStartChecks())
        return *code;
    ListTracks();
    auto selection = AskSelection();
    if (!selection)
        return EXIT_OUT_OF_MEMORY;
    return GenerateReplayFiles(*selection);
}

} // namespace replaymake
