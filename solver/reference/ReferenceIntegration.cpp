#include "ReferenceIntegration.h"

#include "Motion.h"
#include "RungeKutta.h"

#include <cstring>

namespace trajcore {

float integrateReference(const SolverRecord& si, float crosswind, const float* start,
                         const RunTable& table, float until) {
    const float wind[3] = {0.0f, 0.0f, crosswind};
    const Motion motion(si, wind, si.ballisticCoef);
    const int32_t n = table.steps;
    const float h = si.flightTime / float(n);

    float v[kComponents];
    std::memcpy(v, start, sizeof v);
    auto store = [&](int32_t k, float t) {
        table.time[k] = t;
        for (int c = 0; c < kComponents; ++c)
            table.state[c][k] = v[c];
    };
    store(0, 0.0f);
    float trial[kComponents];
    const RungeKuttaWork<float> work{table.work[1], table.work[2], trial};
    float* k1 = table.work[0];
    for (int32_t k = 1; k <= n; ++k) {
        motion(v, k1);
        rungeKuttaStep<kComponents>(v, k1, h, work, v, motion);
        // k * h rather than a running float sum, which drifts by up to 1e-4 s over 24000 steps
        // while the state it labels is exactly k steps of h on.
        store(k, float(double(h) * k));
        if (v[X] >= until) break;
    }
    return motion.coefficient();
}

} // namespace trajcore
