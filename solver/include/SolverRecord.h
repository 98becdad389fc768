// The two records exchanged between the application and the trajectory solver library.
// Both sides compile this header, so the layout is fixed in one place.
#ifndef QUORVEL_SOLVER_RECORD_H
#define QUORVEL_SOLVER_RECORD_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#pragma pack(push, 1)

// One trajectory, in the application's imperial units. Ranges are yards unless isMetric != 0.
typedef struct SolverRecord {
    float muzzleVelocity; // ft/s
    float ballisticCoef;  // coefficient in use at the start of every integration run
    float flightTime;     // s; the integration covers 0..flightTime
    float maxRange;       // yd or m; not used by the integration
    float sightHeight;    // in; bore below the line of sight when zeroed
    float windSpeed;      // mph, lateral
    float departureAngle; // degrees above the line of sight
    float zeroRange;      // yd or m
    float lowerBc;        // coefficient at or below lowerVel
    float lowerVel;       // ft/s
    float lowestBc;       // coefficient at or below lowestVel
    float lowestVel;      // ft/s
    float spareBc;        // unused
    float spareVel;       // ft/s, unused
    int16_t dragModel;    // drag function code
    int16_t stepRate;     // steps per second; the caller derives the step count from it
    int16_t isZeroed;     // 0/1
    int16_t isMetric;     // 0/1
} SolverRecord;

// One result row for a requested range.
typedef struct SolverRow {
    float t;  // s
    float V;  // ft/s
    float Vx; // ft/s downrange
    float Vy; // ft/s up
    float Vz; // ft/s lateral, downwind positive
    float x;  // yd, or m when the record was metric
    float y;  // in above the line of sight
    float z;  // in lateral drift
} SolverRow;

#pragma pack(pop)

#ifdef __cplusplus
static_assert(sizeof(SolverRecord) == 64, "SolverRecord must be 64 bytes");
static_assert(sizeof(SolverRow) == 32, "SolverRow must be 32 bytes");
#endif

// The library's four exports.
typedef int32_t (*MemAllocFn)(int16_t count);
typedef int32_t (*CalcPreFn)(const SolverRecord* record);
typedef int16_t (*PrintOneLineFn)(SolverRow* row, float range, int16_t startIndex);
typedef int32_t (*MemDeAllocFn)(void);

#ifdef __cplusplus
}
#endif

#endif
