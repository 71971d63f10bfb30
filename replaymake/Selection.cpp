// Asking which tracks take part: all of them, or the handles the user types.
#include "Console.h"
#include "Steps.h"

#include <cstdlib>
#include <new>

namespace replaymake {

std::optional<Selection> AskSelection()
{
    Selection selection;
    if (!IsYes(AskKey("\nSelected tracks only?) (y/n)")))
        return selection;
    selection.all = false;
    for (;;) {
        Say("\nPLease type track number and press \"ENTER\" (just \"ENTER\" when finished)");
        auto line = ReadLine();
        if (!line || line->empty())
            return selection;
        try {
            selection.handles.push_back(std::strtol(line->c_str(), nullptr, 10));
        } catch (const std::bad_alloc&) {
            Complain("Out of Memory\n");
            ExitAfterKey(EXIT_OUT_OF_MEMORY);
            return std::nullopt;
        }
    }
}

} // namespace replaymake
