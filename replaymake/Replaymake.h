// One whole run of the replay file maker: start checks, listing, selection, generation.
#pragma once

namespace replaymake {

// The process exit code.
int Run();

} // namespace replaymake
