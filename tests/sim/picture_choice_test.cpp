// Damaged pictures as the simulator meets them: each role refuses a cut or header-damaged copy of
// its shipped picture with one "Invalid picture" per choice, whatever is redrawn or resized
// after, draws nothing of it and writes no mask from it. Masks that no longer belong to their
// picture are made again; a damaged "hello.bmp" leaves a plain face.
#include "UserDataHome.h"
#include "sim_test_support.h"

#include "sim/Raster.h"
#include "sim/SimSights.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

struct Role {
    const char* folder;
    const char* shipped;
    const char* mask; // black folder, or null
    const char* operation;
    QString SimSettings::*list;
    qsizetype reportedCut; // the copy the fault report cut with head -c
};

const Role Roles[] = {
    {"back", "meadow.jpg", nullptr, "cboBackgroundValidate", &SimSettings::cboBackground, 5000},
    {"targetw", "deer.gif", "targetb", "cboTargetValidate", &SimSettings::cboTarget, 20000},
    {"sightw", "duplex.bmp", "sightb", "cboReticleValidate", &SimSettings::cboReticle, 100000},
};

// Cut copies as a failed copy leaves them, a header that claims more rows than the data holds,
// and an empty file.
std::vector<std::pair<QString, QByteArray>> damagedCopies(const QByteArray& whole,
                                                          qsizetype reportedCut) {
    QByteArray taller = whole;
    if (whole.startsWith("BM")) qToLittleEndian<qint32>(500, taller.data() + 22);
    if (whole.startsWith("GIF")) // the first frame, after the 256-colour table
        qToLittleEndian<quint16>(400, taller.data() + 13 + 768 + 7);
    if (whole.startsWith("\xff\xd8")) // the frame header's height
        qToBigEndian<quint16>(4000, taller.data() + whole.indexOf("\xff\xc0") + 5);
    return {{"cut-early", whole.left(whole.size() / 20)},
            {"cut-as-reported", whole.left(reportedCut)},
            {"cut-late", whole.left(whole.size() - 3)},
            {"taller", taller},
            {"empty", QByteArray()}};
}

void setModified(const QString& path, const QDateTime& time) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.setFileTime(time, QFileDevice::FileModificationTime));
}

QByteArray bitmapOf(QSize size) {
    QImage black(size, QImage::Format_RGB32);
    black.fill(Qt::black);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    black.save(&buffer, "BMP");
    return bytes;
}

struct ChoiceTest : ::testing::Test {
    SimFixture f{200};

    void SetUp() override {
        f.sim.session.sight = SimSights::None;
        f.sim.settings.txtRange = "100";
        f.sim.settings.chkUserGraphic = 1;
    }
    QString put(const QString& path, const QByteArray& bytes) {
        QDir().mkpath(QFileInfo(f.folder.file(path)).absolutePath());
        return f.folder.write(path, bytes);
    }
    void choose(const Role& role, const QString& name) {
        f.sim.settings.*role.list = name;
        if (role.list == &SimSettings::cboBackground) f.sim.cboBackgroundValidate();
        if (role.list == &SimSettings::cboTarget) f.sim.cboTargetValidate();
        if (role.list == &SimSettings::cboReticle) f.sim.cboReticleValidate();
        reported();
    }
    QImage scene() {
        const QImage drawn = f.sim.draw(f.sim.settings).copy();
        reported();
        return drawn;
    }
    // What the window's handler does once the simulator is done: reports its problems.
    void reported() { f.reportProblems(); }
    // Redraws, a resize there and back: what tab switches and window changes do.
    void redrawAndResize() {
        for (int i = 0; i < 3; ++i)
            scene();
        for (const int side : {260, 200}) {
            f.sim.setViewSize({side, side});
            f.sim.Form_Resize();
            reported();
            scene();
        }
    }
};

} // namespace

TEST_F(ChoiceTest, DamagedPicturesAreReportedOncePerChoiceDrawNothingAndLeaveNoMask) {
    UserDataHome user;
    for (const Role& role : Roles) {
        const QByteArray whole = f.folder.read(QString(role.folder) + '/' + role.shipped);
        ASSERT_FALSE(whole.isEmpty());
        f.sim.settings.*role.list = QString();
        const QImage without = scene();
        for (const auto& [damage, bytes] : damagedCopies(whole, role.reportedCut)) {
            const QString name = damage + '-' + role.shipped;
            SCOPED_TRACE(name.toStdString());
            put(QString(role.folder) + '/' + name, bytes);
            f.prompts.clear();
            f.prompts.expected = {QString("CSim %1: 481 - Invalid picture").arg(role.operation)};
            choose(role, name);
            redrawAndResize();
            ASSERT_EQ(f.prompts.messages.size(), 1);
            EXPECT_EQ(f.prompts.lastText(),
                      QString("CSim %1: 481 - Invalid picture").arg(role.operation));
            EXPECT_TRUE(scene() == without); // the empty scene, no target, no reticle
            if (role.mask) {
                EXPECT_FALSE(QFileInfo::exists(f.folder.file(QString(role.mask) + '/' + name)));
                EXPECT_FALSE(QFileInfo::exists(user.quorvel(QString(role.mask) + '/' + name)));
            }
        }
        // Choosing another picture and then the damaged one again is a new choice.
        f.prompts.clear();
        f.prompts.expected = {QString("CSim %1: 481 - Invalid picture").arg(role.operation)};
        choose(role, role.shipped);
        choose(role, QString("taller-") + role.shipped);
        choose(role, QString("taller-") + role.shipped); // the same choice again
        redrawAndResize();
        EXPECT_EQ(f.prompts.messages.size(), 1);
    }
}

TEST_F(ChoiceTest, MasksThatNoLongerBelongToTheirPictureAreMadeAgain) {
    const Role& target = Roles[1];
    const QImage white = Raster::loadPicture(f.folder.file("targetw/gong.gif"));
    const QImage expected = Raster::convertWhiteToBlack(white);
    const QByteArray allBlack = bitmapOf(white.size());
    const QDateTime picture = QFileInfo(f.folder.file("targetw/gong.gif")).lastModified();
    struct Case {
        const char* what;
        QByteArray mask;
        qint64 age; // seconds before the picture
        bool remade;
    };
    const Case cases[] = {
        {"newer and whole: kept", allBlack, -60, false},
        {"older than its picture", allBlack, 60, true},
        {"of another size", bitmapOf({10, 10}), -60, true},
        {"cut short", allBlack.left(allBlack.size() / 2), -60, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        QFile::copy(f.folder.file("targetw/gong.gif"), f.folder.file("targetw/g.gif"));
        setModified(f.folder.file("targetw/g.gif"), picture);
        const QString mask = put("targetb/g.gif", c.mask);
        setModified(mask, picture.addSecs(-c.age));
        choose(target, "g.gif");
        const QImage kept = Raster::decodePicture(allBlack);
        EXPECT_TRUE(f.sim.scene.pictures.targetB == (c.remade ? expected : kept));
        EXPECT_TRUE(Raster::loadPicture(mask) == (c.remade ? expected : kept));
        choose(target, "gong.gif"); // another name, so the next case is a new choice
        QFile::remove(f.folder.file("targetw/g.gif"));
    }
}

TEST_F(ChoiceTest, AStaleMaskInTheUserFolderIsMadeAgainThere) {
    UserDataHome user;
    QDir(f.folder.file("sightb")).removeRecursively();
    f.folder.write("sightb", "a file where the folder belongs"); // unwritable for root too
    const QString userMask = user.quorvel("sightb/duplex.bmp");
    QDir().mkpath(QFileInfo(userMask).absolutePath());
    QFile out(userMask);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write(bitmapOf({10, 10}));
    out.close();
    choose(Roles[2], "duplex.bmp");
    const QImage white = Raster::loadPicture(f.folder.file("sightw/duplex.bmp"));
    EXPECT_TRUE(Raster::loadPicture(userMask) == Raster::convertWhiteToBlack(white));
    EXPECT_TRUE(f.sim.reticleLoaded());
}

TEST_F(ChoiceTest, ADamagedHelloIsReportedOnceAndLeavesAPlainFace) {
    const QByteArray whole = f.folder.read("hello.bmp");
    for (const QByteArray& damaged : {QByteArray("not a picture at all"), whole.left(5000)}) {
        f.folder.write("hello.bmp", damaged);
        f.prompts.clear();
        f.prompts.expected = {QStringLiteral("CSim drawBackground: 481 - Invalid picture")};
        CSim fresh;
        fresh.loadModel = f.model.get();
        fresh.setUp();
        fresh.session.sight = SimSights::None;
        fresh.setViewSize({200, 200});
        fresh.init(false);
        for (const int side : {200, 150, 200}) {
            fresh.setViewSize({side, side});
            const QImage scene = fresh.draw(fresh.settings).copy();
            ASSERT_EQ(scene.size(), QSize(side, side));
            for (int y = 0; y < side; ++y)
                for (int x = 0; x < side; ++x)
                    ASSERT_EQ(scene.pixel(x, y), qRgb(240, 240, 240)) << x << "," << y;
        }
        EXPECT_TRUE(fresh.takeProblems().isEmpty()); // init reported it
        ASSERT_EQ(f.prompts.messages.size(), 1);
        EXPECT_EQ(f.prompts.lastText(),
                  QStringLiteral("CSim drawBackground: 481 - Invalid picture"));
    }
}
