// replaymake: turns the tracks of the active database into the GPS and sounder text streams
// that the replay module plays back.
#include "Replaymake.h"

#include "platform/system.h"

int main()
{
    win::applyTimeZone();
    return replaymake::Run();
}
