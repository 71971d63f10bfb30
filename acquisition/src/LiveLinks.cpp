// The live module's links: the serial ports of the GPS, the sounder and the compass.
#include "acquisition/Module.h"
#include "acquisition/Navigation.h"
#include "acquisition/SounderLink.h"

extern const bool MODULE_HAS_UNIT = true;

int OpenModuleLinks(HWND window)
{
    OpenLinks(window);
    if (OpenCompass(window) == 1) {
        CloseLinks(window);
        return 1;
    }
    return 0;
}

void CloseModuleLinks(HWND window)
{
    CloseCompass();
    CloseLinks(window);
}
