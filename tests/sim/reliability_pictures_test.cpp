// Bad pictures and paths never crash the simulator: truncated or corrupt BMP, JPEG and GIF files,
// a header that claims a picture of 60000 x 60000, a missing picture folder, and names with
// spaces, non-ASCII letters or no extension. A mask that cannot be written beside the program
// goes to the user's data folder.
#include "UserDataHome.h"
#include "sim_test_support.h"

#include "sim/Raster.h"
#include "sim/SimSights.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

QImage card(QSize size = {80, 60}) {
    QImage img(size, QImage::Format_RGB32);
    img.fill(Qt::white);
    for (int y = 20; y < 40; ++y)
        for (int x = 30; x < 50; ++x)
            img.setPixel(x, y, qRgb(255, 0, 0));
    return img;
}

QByteArray encoded(const QImage& img, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    img.save(&buffer, format);
    return bytes;
}

// A bitmap header that claims width x height and holds no pixels.
QByteArray bitmapHeader(qint32 width, qint32 height) {
    QByteArray bmp = encoded(card({4, 4}), "BMP").left(54);
    qToLittleEndian(width, bmp.data() + 18);
    qToLittleEndian(height, bmp.data() + 22);
    return bmp;
}

struct PictureTest : ::testing::Test {
    SimFixture f{200};

    void SetUp() override {
        f.sim.session.sight = SimSights::None;
        f.sim.settings.txtRange = "100";
    }

    void put(const QString& folder, const QString& name, const QByteArray& bytes) {
        QDir().mkpath(f.folder.file(folder));
        f.folder.write(folder + '/' + name, bytes);
    }

    // Validates the three lists and draws: the whole path a chosen picture takes.
    QImage chooseAndDraw(const QString& background, const QString& target, const QString& reticle) {
        SimSettings& s = f.sim.settings;
        s.cboBackground = background;
        s.cboTarget = target;
        s.cboReticle = reticle;
        s.chkUserGraphic = 1;
        f.sim.cboBackgroundValidate();
        f.sim.cboTargetValidate();
        f.sim.cboReticleValidate();
        const QImage drawn = f.sim.draw(s).copy();
        f.reportProblems(); // as the window's handler does
        return drawn;
    }
};

} // namespace

TEST(RasterLoad, DamagedAndOversizedPicturesLoadAsNothingOrAsMuchAsIsThere) {
    QTemporaryDir dir;
    const auto file = [&](const QString& name, const QByteArray& bytes) {
        QFile out(dir.filePath(name));
        out.open(QIODevice::WriteOnly);
        out.write(bytes);
        return out.fileName();
    };
    const QImage picture = card();
    for (const char* format : {"BMP", "JPEG", "GIF"}) {
        SCOPED_TRACE(format);
        const QByteArray whole = encoded(picture, format);
        if (whole.isEmpty()) continue; // a format this Qt cannot write
        EXPECT_FALSE(Raster::loadPicture(file("whole", whole)).isNull());
        for (const qsizetype keep :
             {qsizetype(0), qsizetype(10), whole.size() / 2, whole.size() - 1}) {
            const QImage part = Raster::loadPicture(file("cut", whole.left(keep)));
            if (!part.isNull()) {
                EXPECT_EQ(part.format(), QImage::Format_RGB32);
            }
        }
        QByteArray garbled = whole;
        for (qsizetype i = 20; i < garbled.size(); i += 7)
            garbled[i] = char(garbled[i] ^ 0x5A);
        Raster::loadPicture(file("garbled", garbled)); // anything but a crash
    }
    EXPECT_TRUE(Raster::loadPicture(file("huge.bmp", bitmapHeader(60000, 60000))).isNull());
    EXPECT_TRUE(Raster::loadPicture(file("wide.bmp", bitmapHeader(100000, 1))).isNull());
    EXPECT_TRUE(Raster::loadPicture(file("negative.bmp", bitmapHeader(-5, -5))).isNull());
    EXPECT_TRUE(Raster::loadPicture(file("text.gif", "GIF89a, but only words")).isNull());
    EXPECT_TRUE(Raster::loadPicture(dir.path()).isNull()); // a folder
    EXPECT_TRUE(Raster::loadPicture(dir.filePath("missing.bmp")).isNull());
}

TEST(RasterLoad, SizeLimit) {
    EXPECT_TRUE(Raster::fitsInMemory({4000, 3000}));
    EXPECT_TRUE(Raster::fitsInMemory({8192, 8192}));
    EXPECT_FALSE(Raster::fitsInMemory({60000, 60000}));
    EXPECT_FALSE(Raster::fitsInMemory({Raster::MaxPictureSide + 1, 10}));
    EXPECT_FALSE(Raster::fitsInMemory({0, 10}));
}

TEST_F(PictureTest, DamagedPicturesInEveryFolderAreReportedAndNotDrawn) {
    const QByteArray jpeg = encoded(card(), "JPEG");
    put("back", "cut.jpg", jpeg.left(jpeg.size() / 3));
    put("targetw", "huge.bmp", bitmapHeader(60000, 60000));
    put("sightw", "garbage.gif", QByteArray(300, '\x7f'));
    // One refusal per picture, their texts checked below.
    f.prompts.answers = {PromptAnswer::Ok, PromptAnswer::Ok, PromptAnswer::Ok};
    const QImage scene = chooseAndDraw("cut.jpg", "huge.bmp", "garbage.gif");
    EXPECT_EQ(scene.size(), QSize(200, 200));
    EXPECT_FALSE(f.sim.reticleLoaded());
    EXPECT_TRUE(f.sim.scene.pictures.targetW.isNull());
    // The header-only picture and the garbage are reported; nothing blocks.
    EXPECT_GE(f.prompts.messages.size(), 2);
    for (const RecordedMessage& m : f.prompts.messages)
        EXPECT_TRUE(m.text.startsWith("CSim ")) << m.text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(f.folder.file("targetb/huge.bmp"))); // no mask of nothing
}

TEST_F(PictureTest, MissingPictureFoldersLeaveAnEmptyScene) {
    for (const char* folder : {"back", "targetw", "targetb", "sightw", "sightb"})
        QDir(f.folder.file(folder)).removeRecursively();
    QFile::remove(f.folder.file("hello.bmp"));
    CSim fresh;
    fresh.loadModel = f.model.get();
    fresh.setUp();
    fresh.setViewSize({200, 200});
    fresh.init(false);
    EXPECT_TRUE(fresh.lists.background.isEmpty());
    EXPECT_TRUE(fresh.lists.target.isEmpty());
    fresh.settings.cboTarget = "bullseye.gif";
    fresh.cboTargetValidate();
    EXPECT_TRUE(fresh.settings.cboTarget.isEmpty());
    EXPECT_EQ(fresh.draw(fresh.settings).size(), QSize(200, 200));
    Problems::report(fresh.takeProblems());
}

TEST_F(PictureTest, NamesWithSpacesAccentsAndNoExtensionWork) {
    const QByteArray gif =
        encoded(card(), "GIF").isEmpty() ? encoded(card(), "BMP") : encoded(card(), "GIF");
    const QString names[] = {QStringLiteral("red zone.gif"),
                             QString::fromUtf8("Zielscheibe ä ø.bmp"),
                             QStringLiteral("noextension"), QString::fromUtf8("мишень.bmp")};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        put("targetw", name, gif);
        f.prompts.clear();
        chooseAndDraw(QString(), name, QString());
        EXPECT_EQ(f.sim.settings.cboTarget, name);
        EXPECT_FALSE(f.sim.scene.pictures.targetW.isNull());
        EXPECT_TRUE(QFileInfo::exists(f.folder.file("targetb/" + name)));
    }
}

TEST_F(PictureTest, AMaskThatCannotBeWrittenBesideTheProgramGoesToTheUserFolder) {
    UserDataHome user;
    QDir(f.folder.file("targetb")).removeRecursively();
    f.folder.write("targetb", "a file where the folder belongs"); // unwritable for root too
    put("targetw", "card.bmp", encoded(card(), "BMP"));
    chooseAndDraw(QString(), "card.bmp", QString());
    const QString userMask = user.quorvel("targetb/card.bmp");
    EXPECT_TRUE(QFileInfo::exists(userMask));
    EXPECT_EQ(f.sim.targetFileB(), userMask);

    // A later run finds it there and does not make it again.
    const QDateTime made = QFileInfo(userMask).lastModified();
    CSim again;
    again.loadModel = f.model.get();
    again.setViewSize({200, 200});
    again.settings.cboTarget = "card.bmp";
    again.cboTargetValidate();
    EXPECT_FALSE(again.scene.pictures.targetB.isNull());
    EXPECT_EQ(QFileInfo(userMask).lastModified(), made);
}
