// Every session input the fuzzer was seeded with or found a fault with, read by the simulator
// again (with a load in place, so its trajectory is computed from what the file holds), then
// saved: no crash, no hang, and the saved session reads back without a message.
#include "sim_test_support.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

QStringList sessionInputs() {
    QStringList files;
    for (const QString& root : {TestAppFolder::dataDir() + "/fuzz/session",
                                TestAppFolder::dataDir() + "/../../fuzz/corpus/session"}) {
        const QDir dir(root);
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name))
            files << dir.filePath(name);
    }
    return files;
}

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace

TEST(SessionFuzzRegress, EveryInputReadsAndSaves) {
    const QStringList inputs = sessionInputs();
    ASSERT_FALSE(inputs.isEmpty());
    SimFixture f{120};
    for (const QString& input : inputs) {
        SCOPED_TRACE(input.toStdString());
        CSim sim;
        sim.loadModel = f.model.get();
        sim.setViewSize({120, 120});
        sim.fileNum = 4;
        sim.dat.filename = f.folder.write("input.ssn", bytesOf(input));
        sim.init(true);
        sim.draw(sim.settings);
        sim.dat.filename = f.folder.file("saved.ssn");
        EXPECT_TRUE(sim.dataSave());

        f.prompts.clear();
        CSim again;
        again.loadModel = f.model.get();
        again.fileNum = 4;
        again.dat.filename = sim.dat.filename;
        again.init(true);
        // The load data files the sessions name are not here; saying so is the only message.
        for (const RecordedMessage& m : f.prompts.messages)
            EXPECT_EQ(m.title, "File Not Found") << m.text.toStdString();
        sim.final();
        again.final();
    }
}
