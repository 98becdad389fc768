// The session reader on arbitrary bytes, with a load in place so the simulator trajectory is
// computed from whatever the file holds: no crash, no hang, and the session is saved afterwards.
#include "FuzzSupport.h"

#include "load/LoadModel.h"
#include "sim/CSim.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& env = fuzz::environment();
    static LoadModel model;
    CSim sim;
    sim.loadModel = &model;
    sim.fileNum = 4;
    sim.dat.filename = env.write(QStringLiteral("input.ssn"), data, size);
    sim.init(true);
    sim.dat.filename = env.path(QStringLiteral("saved.ssn"));
    if (!sim.dataSave()) fuzz::fail("a session could not be saved");
    sim.final();
    return 0;
}
