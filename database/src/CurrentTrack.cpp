#include "database/CurrentTrack.h"

TrackInfo globalcurrenttrackinfos[BEAM_SLOTS];
TrackInfo globalpasttrackinfo;
TrackStatus globaltrackstatus;
