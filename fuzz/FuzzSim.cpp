#include "FuzzSim.h"

#include "FuzzSupport.h"
#include "load/LoadModel.h"
#include "services/MSmallBallStruct.h"
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

void WindowHost::propertiesPostLoad(SimSettings&) {
    controls.propertiesPostLoad();
    // Without a session to read, the view still needs its scale from the field of view.
    if (controls.sim.milsPerScreen <= 0) controls.sim.applyFov();
}

Simulator::Simulator(int side, const QString& sessionFile, bool picturesOnly) {
    environment();
    ensureGuiApplication();
    if (picturesOnly)
        sim.sight = SimSights::None;
    else
        sim.loadModel = &defaultLoad();
    sim.setHost(&host);
    sim.fileNum = 4;
    sim.setViewSize(QSize(side, side));
    sim.Form_Resize();
    sim.settings.propertiesPreLoad();
    sim.dat.filename = sessionFile;
    sim.init(!sessionFile.isEmpty());
    host.controls.reading = false; // a reading that stopped at a damaged record never ended
    host.controls.simStarted = true;
    host.controls.propertiesPostLoad();
    if (sim.milsPerScreen <= 0) sim.applyFov();
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
