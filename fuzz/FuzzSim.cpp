#include "FuzzSim.h"

#include "FuzzSupport.h"
#include "load/LoadModel.h"
#include "services/AppFolders.h"
#include "sim/PictureCheck.h"
#include "sim/SimSights.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>

namespace fuzz {

void ensureGuiApplication() {
    static int argc = 1;
    static char name[] = "fuzz_sim";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance()) return;
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static QGuiApplication app(argc, argv);
}

LoadModel& defaultLoad() {
    static LoadModel* model = [] {
        auto* m = new LoadModel; // lives for the process, as the window's load does
        m->refreshAllFields();
        return m;
    }();
    return *model;
}

Simulator::Simulator(int side, const QString& sessionFile, bool picturesOnly) {
    environment();
    ensureGuiApplication();
    if (picturesOnly)
        sim.session.sight = SimSights::None;
    else
        sim.loadModel = &defaultLoad();
    sim.setHost(&host);
    sim.setUp();
    sim.setViewSize(QSize(side, side));
    sim.Form_Resize();
    sim.settings.propertiesPreLoad();
    sim.sessionFile = sessionFile;
    host.controls.simStarted = true;
    sim.init(!sessionFile.isEmpty());
    sim.settings.propertiesPostLoad();
    host.controls.txtAngleChange(sim.settings.txtAngle);
    if (sim.scene.milsPerScreen <= 0) sim.applyFov();
    sim.scoreResetTotal();
    sim.drawAll();
}

Simulator::~Simulator() {
    sim.final();
}

void putPicture(const QString& relative, QByteArrayView bytes) {
    const QString path = MSmallBallStruct::appPath(relative);
    if (bytes.isNull()) {
        QFile::remove(path);
        return;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) fail("cannot write a picture");
    out.write(bytes.data(), bytes.size());
}

void clearMasks() {
    for (const char* folder : {"targetb", "sightb"})
        QDir(MSmallBallStruct::appPath(QString::fromLatin1(folder))).removeRecursively();
}

bool tooLargeToSimulate(QByteArrayView bytes) {
    constexpr qint64 LargestPixels = 1024 * 1024;
    const PictureCheck::Verdict verdict = PictureCheck::check(bytes);
    return verdict.whole() && qint64(verdict.size.width()) * verdict.size.height() > LargestPixels;
}

QString pictureName(const QString& stem, QByteArrayView bytes) {
    switch (PictureCheck::check(bytes).format) {
    case PictureCheck::Format::Bmp:
        return stem + QStringLiteral(".bmp");
    case PictureCheck::Format::Gif:
        return stem + QStringLiteral(".gif");
    default:
        return stem + QStringLiteral(".jpg");
    }
}

} // namespace fuzz
