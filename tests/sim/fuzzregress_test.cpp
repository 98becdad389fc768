// Every input the simulator's fuzzers were seeded with or found a fault with, replayed:
// - sessions, read by the simulator again (with a load in place, so its trajectory is computed
//   from what the file holds), then saved: no crash, no hang, and the saved session reads back
//   without a message;
// - pictures, taken in every role the window gives one (background, target, reticle, hello.bmp):
//   a whole picture is drawn exactly as decoded and its masks are its white turned black, a
//   damaged one is refused with a message and leaves nothing drawn;
// - sessions with their pictures, read, drawn, fired at and saved.
// Under the sanitizer run these also catch any memory fault the inputs once caused, and the
// valgrind case (label valgrind) replays the pictures to catch reads of memory never written.
#include "sim_test_support.h"

#include "SamePixels.h"
#include "SceneInput.h"
#include "sim/CSimFiring.h"
#include "sim/PictureCheck.h"
#include "sim/Raster.h"
#include "sim/SimControls.h"
#include "sim/SimSights.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cstring>
#include <gtest/gtest.h>

namespace {

// The reproducers kept for a fuzz target and the seeds it starts from.
QStringList fuzzInputs(const QString& target) {
    QStringList files;
    for (const QString& root : {TestAppFolder::dataDir() + "/fuzz/" + target,
                                TestAppFolder::dataDir() + "/../../fuzz/corpus/" + target}) {
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
    const QStringList inputs = fuzzInputs("session");
    ASSERT_FALSE(inputs.isEmpty());
    SimFixture f{120};
    // Any input may be refused in its own words: the checks below read every message.
    f.prompts.onUnscripted = {};
    for (const QString& input : inputs) {
        SCOPED_TRACE(input.toStdString());
        CSim sim;
        sim.loadModel = f.model.get();
        sim.setViewSize({120, 120});
        sim.setUp();
        sim.sessionFile = f.folder.write("input.ssn", bytesOf(input));
        sim.init(true);
        sim.draw(sim.settings);
        sim.sessionFile = f.folder.file("saved.ssn");
        EXPECT_TRUE(sim.dataSave());

        f.prompts.clear();
        CSim again;
        again.loadModel = f.model.get();
        again.setUp();
        again.sessionFile = sim.sessionFile;
        again.init(true);
        // The load data files the sessions name are not here; saying so is the only message.
        for (const RecordedMessage& m : f.prompts.messages)
            EXPECT_EQ(m.title, "File Not Found") << m.text.toStdString();
        sim.final();
        again.final();
    }
}

namespace {

void put(const TestAppFolder& folder, const QString& relative, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(folder.file(relative)).absolutePath());
    folder.write(relative, bytes);
}

// Named as the format the bytes start like, as a user names the file; ".jpg" for anything else.
QString pictureName(const QByteArray& bytes) {
    switch (PictureCheck::check(bytes).format) {
    case PictureCheck::Format::Bmp:
        return "p.bmp";
    case PictureCheck::Format::Gif:
        return "p.gif";
    default:
        return "p.jpg";
    }
}

int invalidPictureMessages(const PromptRecorder& prompts) {
    int count = 0;
    for (const RecordedMessage& m : prompts.messages)
        count += m.text.contains("Invalid picture") ? 1 : 0;
    return count;
}

// A simulator started with nothing read, as the window starts it, the sight off.
void start(CSim& sim, LoadModel* model, int side) {
    sim.loadModel = model;
    sim.session.sight = SimSights::None;
    sim.setUp();
    sim.setViewSize({side, side});
    sim.settings.propertiesPreLoad();
    sim.init(false);
    sim.settings.propertiesPostLoad();
    sim.applyFov();
}

} // namespace

TEST(PictureFuzzRegress, EveryPictureIsTakenWholeOrRefusedInEveryRole) {
    const QStringList inputs = fuzzInputs("picture");
    ASSERT_FALSE(inputs.isEmpty());
    ensureGuiApp();
    UserDataHome user;
    for (const QString& input : inputs) {
        SCOPED_TRACE(input.toStdString());
        PromptRecorder prompts;
        TestAppFolder folder;
        const QByteArray bytes = bytesOf(input);
        const QString name = pictureName(bytes);
        const QString target = SimPictures::RedBlueTarget;
        put(folder, "back/" + name, bytes);
        put(folder, "targetw/" + target, bytes);
        put(folder, "sightw/" + name, bytes);
        put(folder, "hello.bmp", bytes);

        CSim sim;
        start(sim, nullptr, 64);
        SimControls controls(sim);
        controls.checkClick(SimControls::Check::UserGraphic, 1);
        controls.checkClick(SimControls::Check::Transparent, 1);
        controls.listChange(SimControls::List::Target, target);
        controls.listChange(SimControls::List::Reticle, name);
        controls.listChange(SimControls::List::Background, name);
        CSimFiring(sim).CmdFire_Click(CSimFiring::RedKey);
        sim.setViewSize({80, 80});
        sim.Form_Resize();                    // the pictures again, the masks from their files
        Problems::report(sim.takeProblems()); // as the window's handlers report them
        EXPECT_EQ(sim.scene.picture.size(), QSize(80, 80));

        const QImage decoded = Raster::decodePicture(bytes);
        const SimPictures& p = sim.scene.pictures;
        if (decoded.isNull()) {
            EXPECT_TRUE(p.targetW.isNull());
            EXPECT_FALSE(p.reticleLoaded);
            EXPECT_TRUE(p.background.isNull());
            EXPECT_EQ(invalidPictureMessages(prompts), 4); // hello, background, target, reticle
        } else {
            EXPECT_TRUE(samePixels(p.targetW, decoded));
            EXPECT_TRUE(samePixels(p.targetB, Raster::convertWhiteToBlack(decoded)));
            EXPECT_TRUE(samePixels(Raster::loadPicture(p.targetFileB), p.targetB));
            EXPECT_TRUE(p.reticleLoaded);
            EXPECT_EQ(p.background.size(), QSize(80, 80));
            EXPECT_EQ(invalidPictureMessages(prompts), 0);
        }
        sim.final();
    }
}

TEST(SceneFuzzRegress, EverySessionMeetsItsPictures) {
    const QStringList inputs = fuzzInputs("scene");
    ASSERT_FALSE(inputs.isEmpty());
    ensureGuiApp();
    UserDataHome user;
    PromptRecorder prompts;
    const TestAppFolder loadFolder;
    const auto model = defaultLoad();
    for (const QString& input : inputs) {
        SCOPED_TRACE(input.toStdString());
        // Pictures of this input only. No simulator of another folder may hold solver memory
        // meanwhile: each folder links the same solver file, which keeps one set of buffers.
        TestAppFolder folder;
        const QByteArray bytes = bytesOf(input);
        const auto in = fuzz::SceneInput::split(bytes);
        const QString session = folder.write("input.ssn", in.session.toByteArray());
        const auto names = fuzz::scenePictureNames(session);
        for (int part = 0; part < fuzz::SceneInput::PartCount; ++part) {
            const auto which = fuzz::SceneInput::Part(part);
            const QString path = fuzz::scenePicturePath(which, names[size_t(part)]);
            if (!in.pictures[size_t(part)].isNull() && !path.isEmpty())
                put(folder, path, in.pictures[size_t(part)].toByteArray());
        }
        CSim sim;
        sim.loadModel = model.get();
        sim.setUp();
        sim.setViewSize({64, 64});
        sim.sessionFile = session;
        sim.init(true);
        sim.settings.chkUserGraphic = 1;
        sim.Form_Resize();
        CSimFiring(sim).CmdFire_Click(0);
        EXPECT_EQ(sim.scene.picture.size(), QSize(64, 64));
        sim.sessionFile = folder.file("saved.ssn");
        EXPECT_TRUE(sim.dataSave());
        sim.final();
    }
}
