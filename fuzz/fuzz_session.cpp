// The session reader on arbitrary bytes, with a load in place so the simulator trajectory is
// computed and the scene drawn from whatever the file holds: no crash, no hang, and the session
// is saved afterwards.
#include "FuzzSupport.h"

#include "load/LoadModel.h"
#include "sim/CSim.h"

#include <QGuiApplication>

namespace {

// The scene's text (the sight's numbers) needs fonts, which need a GUI application.
void ensureGuiApplication() {
    static int argc = 1;
    static char name[] = "fuzz_session";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& env = fuzz::environment();
    ensureGuiApplication();
    static LoadModel model;
    CSim sim;
    sim.loadModel = &model;
    sim.setViewSize(QSize(48, 48)); // small: every input is drawn, cheaply
    sim.setUp();
    sim.sessionFile = env.write(QStringLiteral("input.ssn"), data, size);
    sim.init(true);
    sim.draw(sim.settings);
    sim.sessionFile = env.path(QStringLiteral("saved.ssn"));
    if (!sim.dataSave()) fuzz::fail("a session could not be saved");
    sim.final();
    return 0;
}
