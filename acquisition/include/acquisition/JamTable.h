// The timer jam values of each transducer, kept in "C:\Varnel\JAM.DAT".
#pragma once

#include <cstdint>

struct JamEntry {
    int32_t blanking;
    int32_t clock1;
    int32_t clock2;
    int32_t e2Clock2;
    int32_t referenceClock;
    int32_t e2Clock1;
};
static_assert(sizeof(JamEntry) == 24);

constexpr JamEntry DEFAULT_JAM_ENTRY{19, 66, 99, 99, 199, 191};
constexpr int JAM_ENTRIES = 8; // one per beam slot

extern JamEntry jamTable[JAM_ENTRIES];

int LoadAllJams(JamEntry* table, int count);
int SaveAllJams(const JamEntry* table, int count);
