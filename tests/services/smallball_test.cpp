#include "services/CSmallBall.h"

#include "QuietPrompt.h"
#include "TestAppFolder.h"

#include <QFile>
#include <dlfcn.h>
#include <gtest/gtest.h>

namespace {

// A typical .308 load zeroed at 100 yd, integrated for 1.5 s at 1000 steps per second.
SolverRecord rifleRecord() {
    SolverRecord r{};
    r.muzzleVelocity = 2800;
    r.ballisticCoef = 0.462f;
    r.flightTime = 1.5f;
    r.maxRange = 1000;
    r.sightHeight = 1.5f;
    r.zeroRange = 100;
    r.dragModel = 0;
    r.stepRate = 1000;
    r.isZeroed = 1;
    return r;
}

// The same library file opened directly, to look at its live-block counter: memAlloc on a
// library with nothing live returns 11, and memDeAlloc then 0.
class DirectLibrary {
public:
    explicit DirectLibrary(const QString& path) {
        handle = dlopen(QFile::encodeName(path).constData(), RTLD_NOW | RTLD_LOCAL);
        if (!handle) return;
        memAlloc = reinterpret_cast<MemAllocFn>(dlsym(handle, "memAlloc"));
        memDeAlloc = reinterpret_cast<MemDeAllocFn>(dlsym(handle, "memDeAlloc"));
        calcPre = reinterpret_cast<CalcPreFn>(dlsym(handle, "calcPre"));
        printOneLine = reinterpret_cast<PrintOneLineFn>(dlsym(handle, "printOneLine"));
    }
    ~DirectLibrary() {
        if (handle) dlclose(handle);
    }
    bool ok() const { return memAlloc && memDeAlloc && calcPre && printOneLine; }
    // True when nothing is live in the library: a fresh allocation counts exactly 11 blocks.
    bool balanced() const {
        const int32_t live = memAlloc(10);
        const int32_t left = memDeAlloc();
        return live == 11 && left == 0;
    }

    void* handle = nullptr;
    MemAllocFn memAlloc = nullptr;
    MemDeAllocFn memDeAlloc = nullptr;
    CalcPreFn calcPre = nullptr;
    PrintOneLineFn printOneLine = nullptr;
};

TEST(CSmallBall, LibraryNames) {
    EXPECT_EQ(CSmallBall::tableLibraryName(), "trajcore.so");
    EXPECT_EQ(CSmallBall::simLibraryName(), "quorvelsim.so");
}

TEST(CSmallBall, StepCountRoundsHalfEvenAndOverflows) {
    SolverRecord r{};
    int16_t count = 0;
    r.stepRate = 8000;
    r.flightTime = 2.0f;
    ASSERT_TRUE(CSmallBall::stepCount(r, count));
    EXPECT_EQ(count, 16000);
    r.stepRate = 5;
    r.flightTime = 2.5f; // 12.5 steps
    ASSERT_TRUE(CSmallBall::stepCount(r, count));
    EXPECT_EQ(count, 12);
    r.flightTime = 2.7f; // 13.5 steps
    ASSERT_TRUE(CSmallBall::stepCount(r, count));
    EXPECT_EQ(count, 14);
    r.stepRate = 30000;
    r.flightTime = 2.0f;
    EXPECT_FALSE(CSmallBall::stepCount(r, count));
}

TEST(CSmallBall, TableRowsComeBackFromBothLibraries) {
    TestAppFolder app;
    QuietPrompt recorder;
    const SolverRecord record = rifleRecord();
    SolverRow rows[2][3]{};
    for (bool table : {true, false}) {
        CSmallBall ball;
        ball.isTable = table;
        ASSERT_TRUE(ball.allocMem(record));
        EXPECT_TRUE(ball.isAllocated());
        ball.calcAll(record);
        int16_t index = 1;
        for (int i = 0; i < 3; ++i) {
            SolverRow& row = rows[table ? 0 : 1][i];
            index = ball.getOneResult(row, 100.0f * static_cast<float>(i + 1), index);
            EXPECT_GT(index, 0);
            EXPECT_NEAR(row.x, 100.0f * (i + 1), 1.0f);
        }
        ball.deAllocMem();
        EXPECT_FALSE(ball.isAllocated());
    }
    const SolverRow* t = rows[0];
    EXPECT_NEAR(t[0].y, 0.0f, 0.1f); // zeroed at 100 yd
    EXPECT_LT(t[1].y, t[0].y);       // and dropping beyond
    EXPECT_LT(t[2].y, t[1].y);
    EXPECT_LT(t[0].V, 2800.0f);
    EXPECT_LT(t[2].V, t[1].V);
    EXPECT_GT(t[2].t, t[1].t);
    for (int i = 0; i < 3; ++i) { // two files, the same solver
        EXPECT_EQ(rows[0][i].y, rows[1][i].y);
        EXPECT_EQ(rows[0][i].V, rows[1][i].V);
    }
}

TEST(CSmallBall, GetOneResultBeforeAllocMemLeavesRowAndLibraryAlone) {
    TestAppFolder app(false); // no library at all: any attempt to load it would be reported
    QuietPrompt recorder;
    CSmallBall ball;
    ball.isTable = true;
    SolverRow row{};
    row.x = 42;
    EXPECT_EQ(ball.getOneResult(row, 100, 1), -1);
    EXPECT_EQ(row.x, 42.0f);
    ball.calcAll(rifleRecord());
    ball.deAllocMem();
}

TEST(CSmallBall, DeAllocTwiceCallsTheLibraryOnce) {
    TestAppFolder app;
    QuietPrompt recorder;
    DirectLibrary lib(app.file("trajcore.so"));
    ASSERT_TRUE(lib.ok());
    {
        CSmallBall ball;
        ball.isTable = true;
        ASSERT_TRUE(ball.allocMem(rifleRecord()));
        ball.deAllocMem();
        // Someone else computes a trajectory in the same library meanwhile ...
        const SolverRecord record = rifleRecord();
        ASSERT_EQ(lib.memAlloc(1500), 11);
        lib.calcPre(&record);
        // ... which a second release through the binding must not touch.
        ball.deAllocMem();
        SolverRow row{};
        EXPECT_GT(lib.printOneLine(&row, 100, 1), 0);
        EXPECT_NEAR(row.x, 100.0f, 1.0f);
        EXPECT_EQ(lib.memDeAlloc(), 0);
    }
    EXPECT_TRUE(lib.balanced());
}

TEST(CSmallBall, AllocTwiceAndDestructorReleaseTheBuffers) {
    TestAppFolder app;
    QuietPrompt recorder;
    DirectLibrary lib(app.file("trajcore.so"));
    ASSERT_TRUE(lib.ok());
    {
        CSmallBall ball;
        ball.isTable = true;
        ASSERT_TRUE(ball.allocMem(rifleRecord()));
        ASSERT_TRUE(ball.allocMem(rifleRecord())); // releases the first buffers
        EXPECT_TRUE(ball.isAllocated());
    } // and the destructor the second
    EXPECT_TRUE(lib.balanced());
}

TEST(CSmallBall, SixteenThousandStepsAllocate) {
    TestAppFolder app;
    QuietPrompt recorder;
    SolverRecord record = rifleRecord();
    record.stepRate = 8000;
    record.flightTime = 2.0f;
    CSmallBall ball;
    ball.isTable = true;
    ASSERT_TRUE(ball.allocMem(record));
    ball.calcAll(record);
    SolverRow row{};
    EXPECT_GT(ball.getOneResult(row, 500, 1), 0);
    EXPECT_NEAR(row.x, 500.0f, 0.5f);
    ball.deAllocMem();
}

TEST(CSmallBall, BuffersStayWithTheirLibraryWhenIsTableChanges) {
    TestAppFolder app(false);
    ASSERT_TRUE(QFile::link(TestAppFolder::binDir() + "/trajcore.so", app.file("trajcore.so")));
    QuietPrompt recorder;
    DirectLibrary lib(app.file("trajcore.so"));
    ASSERT_TRUE(lib.ok());
    {
        CSmallBall ball;
        ball.isTable = true;
        ASSERT_TRUE(ball.allocMem(rifleRecord()));
        ball.isTable = false; // the simulator's library is missing here
        ball.calcAll(rifleRecord());
        SolverRow row{};
        EXPECT_GT(ball.getOneResult(row, 200, 1), 0);
        EXPECT_NEAR(row.x, 200.0f, 1.0f);
        ball.deAllocMem();
    }
    EXPECT_TRUE(lib.balanced());
}

TEST(CSmallBall, MissingLibraryGivesOneFailurePerFailingOperation) {
    TestAppFolder app(false);
    QuietPrompt prompts; // the binding shows nothing itself: it hands its failures over
    for (bool table : {false, true}) {
        CSmallBall ball;
        ball.isTable = table;
        const SolverRecord record = rifleRecord();
        EXPECT_FALSE(ball.allocMem(record));
        EXPECT_FALSE(ball.isAllocated());
        ball.calcAll(record);
        SolverRow row{};
        EXPECT_EQ(ball.getOneResult(row, 100, 1), -1);
        ball.deAllocMem();
        const QList<Problem> failures = ball.takeFailures();
        ASSERT_EQ(failures.size(), 1);
        const QString text = failures.front().messageText();
        EXPECT_TRUE(text.startsWith("CSmallBall allocMem: 53 - ")) << text.toStdString();
        EXPECT_TRUE(text.contains(table ? "trajcore.so" : "quorvelsim.so")) << text.toStdString();
        EXPECT_TRUE(failures.front().title.isEmpty());
        // Handed over once; each new attempt fails again: the user may have put the file back
        // meanwhile.
        EXPECT_TRUE(ball.takeFailures().isEmpty());
        EXPECT_FALSE(ball.allocMem(record));
        EXPECT_EQ(ball.takeFailures().size(), 1);
    }
}

TEST(CSmallBall, BrokenLibraryFilesAreReported) {
    TestAppFolder app(false);
    QuietPrompt prompts; // the binding shows nothing itself
    app.write("quorvelsim.so", "not a shared library");
    CSmallBall ball;
    EXPECT_FALSE(ball.allocMem(rifleRecord()));
    QList<Problem> failures = ball.takeFailures();
    ASSERT_EQ(failures.size(), 1);
    EXPECT_TRUE(failures.front().messageText().startsWith("CSmallBall allocMem: 48 - "))
        << failures.front().messageText().toStdString();

    const QString other = "/lib/x86_64-linux-gnu/libz.so.1";
    if (!QFile::exists(other)) GTEST_SKIP() << "no library without the solver's exports";
    ASSERT_TRUE(QFile::link(other, app.file("trajcore.so")));
    ball.isTable = true;
    EXPECT_FALSE(ball.allocMem(rifleRecord()));
    failures = ball.takeFailures();
    ASSERT_EQ(failures.size(), 1);
    const QString text = failures.front().messageText();
    EXPECT_TRUE(text.startsWith("CSmallBall allocMem: 453 - ")) << text.toStdString();
    EXPECT_TRUE(text.contains("memAlloc"));
    EXPECT_FALSE(ball.isAllocated());
}

TEST(CSmallBall, UnusableStepCountsAreReportedWithoutCallingTheLibrary) {
    TestAppFolder app(false);
    QuietPrompt prompts; // the binding shows nothing itself
    CSmallBall ball;
    SolverRecord record = rifleRecord();
    record.stepRate = 30000;
    record.flightTime = 2.0f;
    EXPECT_FALSE(ball.allocMem(record));
    record.flightTime = 0.0f;
    EXPECT_FALSE(ball.allocMem(record));
    // In the order they arose.
    const QList<Problem> failures = ball.takeFailures();
    ASSERT_EQ(failures.size(), 2);
    EXPECT_EQ(failures[0].messageText(), "CSmallBall allocMem: 6 - Overflow");
    EXPECT_TRUE(failures[1].messageText().startsWith("CSmallBall allocMem: 5 - "));
    EXPECT_FALSE(ball.isAllocated());
}

} // namespace
