// Shared set-up of the simulator tests: a GUI application object for text drawing (headless),
// and a simulator wired to the default load in a temporary application folder.
#pragma once

#include "QuietPrompt.h"
#include "TestAppFolder.h"
#include "UserDataHome.h"
#include "load/LoadModel.h"
#include "sim/CSim.h"

#include <QGuiApplication>
#include <gtest/gtest.h>
#include <memory>

inline void ensureGuiApp() {
    if (QCoreApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "sim_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

// The default load, every field handler run, as the window has it at start-up.
inline std::unique_ptr<LoadModel> defaultLoad() {
    auto model = std::make_unique<LoadModel>();
    model->refreshAllFields();
    return model;
}

// A simulator over the default load with a square view, the 30-feet field of view applied and
// the trajectory computed.
struct SimFixture {
    UserDataHome user;   // masks left by the user's own runs of an installed copy are not read
    QuietPrompt prompts; // a message the test did not script fails it
    TestAppFolder folder{true, true};
    std::unique_ptr<LoadModel> model = defaultLoad();
    CSim sim;

    explicit SimFixture(int viewPixels = 400) {
        ensureGuiApp();
        sim.loadModel = model.get();
        sim.settings.propertiesPreLoad();
        sim.settings.propertiesPostLoad();
        sim.setViewSize(QSize(viewPixels, viewPixels));
        sim.applyFov();
        sim.formHudInit();
    }
    // Every picture or drawing failure is reported by the window's handler that caused it: a
    // test that causes one reports it (reportProblems) where that handler would.
    ~SimFixture() {
        for (const Problem& p : sim.takeProblems())
            ADD_FAILURE() << "a problem nobody reported: " << p.messageText().toStdString();
    }
    SimFixture(const SimFixture&) = delete;
    SimFixture& operator=(const SimFixture&) = delete;

    void reportProblems() { Problems::report(sim.takeProblems()); }
};
