// The solver libraries hold no buffer after a table, a graph, a point-blank search, a
// chronograph correction or a simulator session has finished with them.
#include "sim_test_support.h"

#include "SolverRecord.h"
#include "load/CPointBlank.h"
#include "load/CTextOutput.h"
#include "load/GraphModel.h"
#include "load/LoadModel.h"
#include "load/TableRefresh.h"
#include "services/AppFolders.h"
#include "services/CChronoVelocity.h"
#include "services/CSmallBall.h"

#include <QFile>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

// Blocks a solver library still holds. The library's counter is read through its own exports:
// memAlloc abandons (and keeps counting) whatever is still allocated, memDeAlloc then frees the
// probe's buffers and returns what remains. Zero when nothing was held; a library never loaded
// holds nothing. Call it only once every binding has released its buffers.
int32_t heldBlocks(const QString& libraryName) {
    const QByteArray path = QFile::encodeName(MSmallBallStruct::appPath(libraryName));
    void* handle = dlopen(path.constData(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle) return 0;
    const auto memAlloc = reinterpret_cast<MemAllocFn>(dlsym(handle, "memAlloc"));
    const auto memDeAlloc = reinterpret_cast<MemDeAllocFn>(dlsym(handle, "memDeAlloc"));
    int32_t held = -1;
    if (memAlloc && memDeAlloc && memAlloc(1) > 0) held = memDeAlloc();
    dlclose(handle);
    return held;
}

bool isLoaded(const QString& libraryName) {
    const QByteArray path = QFile::encodeName(MSmallBallStruct::appPath(libraryName));
    void* handle = dlopen(path.constData(), RTLD_NOW | RTLD_NOLOAD);
    if (handle) dlclose(handle);
    return handle != nullptr;
}

struct LeakTest : ::testing::Test {
    QuietPrompt prompts; // a message the test did not script fails it
    TestAppFolder folder{true, false};
    std::unique_ptr<LoadModel> model = defaultLoad();
    CTextOutput txt;
};

} // namespace

TEST_F(LeakTest, TheProbeSeesBuffersLeftAllocated) {
    {
        CSmallBall held;
        held.isTable = true;
        SolverRecord record{};
        record.stepRate = 10;
        record.flightTime = 1.0f;
        ASSERT_TRUE(held.allocMem(record));
        // Still held: the probe would abandon them, so only the release is checked here.
        held.deAllocMem();
    }
    EXPECT_EQ(heldBlocks(CSmallBall::tableLibraryName()), 0);
}

TEST_F(LeakTest, TablesAndGraphsReleaseEverything) {
    for (int i = 0; i < 3; ++i)
        ASSERT_FALSE(TableRefresh::table(model->snapshot(), txt).text.isEmpty());
    ASSERT_TRUE(isLoaded(CSmallBall::tableLibraryName()));
    EXPECT_EQ(heldBlocks(CSmallBall::tableLibraryName()), 0);

    GraphModel graph;
    const GraphData data = graph.refresh(model->snapshot(), model->form.comparison, txt);
    EXPECT_GT(data.rowCount(), 0u);
    EXPECT_EQ(heldBlocks(CSmallBall::tableLibraryName()), 0);
}

TEST_F(LeakTest, SideCalculatorsReleaseEverything) {
    CPointBlank pb;
    ASSERT_TRUE(pb.pointBlankRange(model->snapshot()));
    EXPECT_EQ(heldBlocks(CSmallBall::tableLibraryName()), 0);

    CChronoVelocity chrono;
    EXPECT_GT(chrono.chronoCorrect(0.462f, 15.0f, 2600.0f, "0"), 2600.0f);
    ASSERT_TRUE(isLoaded(CSmallBall::simLibraryName()));
    EXPECT_EQ(heldBlocks(CSmallBall::simLibraryName()), 0);
}

TEST_F(LeakTest, ASimulatorSessionReleasesItsTrajectoryWhenFinished) {
    ensureGuiApp();
    {
        CSim sim;
        sim.loadModel = model.get();
        sim.settings.propertiesPreLoad();
        sim.settings.propertiesPostLoad();
        sim.setViewSize({200, 200});
        sim.setUp();
        sim.init(false);
        for (int wind : {0, 10, -10}) { // each re-initialisation replaces the trajectory
            sim.settings.sldWind = wind;
            sim.init(false);
            sim.draw(sim.settings);
        }
        sim.final();
        EXPECT_EQ(heldBlocks(CSmallBall::simLibraryName()), 0);
    }
    EXPECT_EQ(heldBlocks(CSmallBall::simLibraryName()), 0);
}

TEST_F(LeakTest, TheChronographWhileTheSimulatorHoldsItsTrajectory) {
    // Both use the simulator's library, which holds one trajectory: the chronograph must not
    // abandon the simulator's buffers (a leak and a "Memory Leak" message), and the simulator
    // must still aim afterwards.
    ensureGuiApp();
    CSim sim;
    sim.loadModel = model.get();
    sim.settings.propertiesPreLoad();
    sim.settings.propertiesPostLoad();
    sim.setUp();
    sim.init(false);
    float drop = 0, wind = 0, time = 0;
    ASSERT_TRUE(sim.hud.oneResult(drop, wind, 300.0f, time));
    const float dropBefore = drop;

    CChronoVelocity chrono;
    EXPECT_GT(chrono.chronoCorrect(0.462f, 15.0f, 2600.0f, "0"), 2600.0f);

    drop = 0;
    ASSERT_TRUE(sim.hud.oneResult(drop, wind, 300.0f, time));
    EXPECT_FLOAT_EQ(drop, dropBefore);
    sim.final();
    EXPECT_EQ(heldBlocks(CSmallBall::simLibraryName()), 0);
}
