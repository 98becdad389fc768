// The four solver entry points, reached either through the C++ functions or through a library
// file loaded by name, so one suite runs against all three.
#pragma once

#include "SolverRecord.h"
#include "TestAppFolder.h"
#include "Trajectory.h"

#include <cstdint>
#include <cstring>
#include <dlfcn.h>
#include <map>
#include <string>
#include <vector>

struct SolverBackend {
    std::string name;
    MemAllocFn memAlloc = nullptr;
    CalcPreFn calcPre = nullptr;
    PrintOneLineFn printOneLine = nullptr;
    MemDeAllocFn memDeAlloc = nullptr;

    bool complete() const { return memAlloc && calcPre && printOneLine && memDeAlloc; }
};

// "c++" for the functions linked in, or a library file name in the build's bin folder
// ("trajcore.so", "quorvelsim.so"). A library is loaded once and stays loaded; when it cannot be
// loaded the result is incomplete and `error` says why.
inline SolverBackend solverBackend(const std::string& name, std::string* error = nullptr);

// A typical load: G1, BC 0.495, 2635 ft/s, zeroed at 127 yd with a 2.6 in sight height, flight
// time 2 s with 16 steps per yard of 1000 yd maximum range.
inline SolverRecord typicalLoad();
inline int16_t stepsFor(const SolverRecord& record);

// One trajectory held in a backend for the lifetime of the object. A backend holds one
// trajectory at a time, so at most one of these may live per backend.
class HeldTrajectory {
public:
    HeldTrajectory(const SolverBackend& backend, const SolverRecord& record);
    ~HeldTrajectory();
    HeldTrajectory(const HeldTrajectory&) = delete;
    HeldTrajectory& operator=(const HeldTrajectory&) = delete;

    int32_t allocResult() const { return allocated; }
    int32_t computeResult() const { return computed; }
    SolverRow row(float range, int16_t start = 1, int16_t* stop = nullptr) const;

private:
    SolverBackend api;
    int32_t allocated = 0;
    int32_t computed = 0;
};

inline bool sameRow(const SolverRow& a, const SolverRow& b); // bit for bit

// Computes the record's trajectory and reads rows at the given increasing ranges, passing each
// returned index on to the next search; the buffers are released before returning.
inline std::vector<SolverRow> flyTo(const SolverBackend& backend, const SolverRecord& record,
                                    const std::vector<float>& ranges);

namespace solver_backend_detail {

template <typename Fn> inline Fn resolve(void* handle, const char* symbol) {
    return reinterpret_cast<Fn>(dlsym(handle, symbol));
}

inline SolverBackend loadLibrary(const std::string& file, std::string* error) {
    SolverBackend backend;
    backend.name = file;
    const std::string path = TestAppFolder::binDir().toStdString() + "/" + file;
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        if (error) *error = dlerror();
        return backend;
    }
    backend.memAlloc = resolve<MemAllocFn>(handle, "memAlloc");
    backend.calcPre = resolve<CalcPreFn>(handle, "calcPre");
    backend.printOneLine = resolve<PrintOneLineFn>(handle, "printOneLine");
    backend.memDeAlloc = resolve<MemDeAllocFn>(handle, "memDeAlloc");
    if (!backend.complete() && error) *error = path + " lacks one of the four entry points";
    return backend;
}

} // namespace solver_backend_detail

inline SolverBackend solverBackend(const std::string& name, std::string* error) {
    if (name == "c++")
        return {name, &trajcore::memAlloc, &trajcore::calcPre, &trajcore::printOneLine,
                &trajcore::memDeAlloc};
    static std::map<std::string, SolverBackend> loaded;
    auto found = loaded.find(name);
    if (found == loaded.end() || !found->second.complete())
        found =
            loaded.insert_or_assign(name, solver_backend_detail::loadLibrary(name, error)).first;
    return found->second;
}

inline SolverRecord typicalLoad() {
    SolverRecord r{};
    r.muzzleVelocity = 2635;
    r.ballisticCoef = 0.495f;
    r.flightTime = 2;
    r.maxRange = 1000;
    r.sightHeight = 2.6f;
    r.zeroRange = 127;
    r.dragModel = 0;
    r.stepRate = 8000;
    r.isZeroed = 1;
    r.isMetric = 0;
    return r;
}

inline int16_t stepsFor(const SolverRecord& record) {
    return int16_t(record.stepRate * record.flightTime + 0.5f);
}

inline HeldTrajectory::HeldTrajectory(const SolverBackend& backend, const SolverRecord& record)
    : api(backend) {
    allocated = api.memAlloc(stepsFor(record));
    computed = api.calcPre(&record);
}

inline HeldTrajectory::~HeldTrajectory() {
    api.memDeAlloc();
}

inline SolverRow HeldTrajectory::row(float range, int16_t start, int16_t* stop) const {
    SolverRow r{};
    const int16_t index = api.printOneLine(&r, range, start);
    if (stop) *stop = index;
    return r;
}

inline bool sameRow(const SolverRow& a, const SolverRow& b) {
    return std::memcmp(&a, &b, sizeof a) == 0;
}

inline std::vector<SolverRow> flyTo(const SolverBackend& backend, const SolverRecord& record,
                                    const std::vector<float>& ranges) {
    HeldTrajectory held(backend, record);
    std::vector<SolverRow> out;
    int16_t start = 1;
    for (float range : ranges)
        out.push_back(held.row(range, start, &start));
    return out;
}
