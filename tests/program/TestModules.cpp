// Modules with parts of the acquisition interface missing, and one that needs a library the
// loader cannot find.
#include <cstdint>

extern "C" {
float GetTrackHeading() { return 0; }
uint32_t GetTrackHeadingUpdate() { return 0; }
uint32_t GetTrackKnotsUpdate() { return 0; }
int32_t fStopReplayAtEOF = 0;
int32_t fEraseOnRepeat = 0;
#ifdef WITH_TRACK_DATA
uint32_t GetTrackData(void*) { return 0; }
#endif
#ifdef WITH_GONE_DEPENDENCY
int TidevaneGoneDependency();
uint32_t GetTrackData(void*) { return uint32_t(TidevaneGoneDependency()); }
#endif
#ifdef GONE_DEPENDENCY
int TidevaneGoneDependency() { return 0; }
#endif
}
