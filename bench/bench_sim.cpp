// The scope view composed in full: an 800 x 800 view with a background picture, a transparent
// target, the mildot sight, ten recorded hits, the group circle and the point-of-aim mark.
#include "load/LoadModel.h"
#include "services/AppFolders.h"
#include "sim/CSim.h"
#include "sim/Raster.h"
#include "sim/SimSights.h"

#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QPainter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A private application folder: the solver libraries of the real one linked in, and pictures
// drawn here so the masks the simulator saves never land in the build folder.
struct BenchFolder {
    QTemporaryDir dir;
    BenchFolder() {
        const QString solvers = MSmallBallStruct::appFolder();
        for (const char* lib : {"trajcore.so", "quorvelsim.so"})
            QFile::link(solvers + '/' + lib, dir.filePath(lib));
        QImage sky(800, 800, QImage::Format_RGB32);
        {
            QPainter p(&sky);
            QLinearGradient g(0, 0, 0, 800);
            g.setColorAt(0, QColor(90, 140, 210));
            g.setColorAt(1, QColor(80, 130, 60));
            p.fillRect(sky.rect(), g);
        }
        Raster::saveBitmap(sky, dir.filePath("back/scene.bmp"));
        QImage target(240, 240, QImage::Format_RGB32);
        target.fill(Qt::white);
        {
            QPainter p(&target);
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(0, 0, 255));
            p.drawEllipse(QPoint(120, 120), 110, 110);
            p.setBrush(QColor(255, 0, 0));
            p.drawEllipse(QPoint(120, 120), 50, 50);
        }
        Raster::saveBitmap(target, dir.filePath("targetw/rings.bmp"));
        MSmallBallStruct::setAppFolder(dir.path());
    }
    ~BenchFolder() { MSmallBallStruct::setAppFolder(QString()); }
};

void BM_FullScene800(benchmark::State& state) {
    BenchFolder folder;
    LoadModel model;
    model.refreshAllFields();
    CSim sim;
    sim.loadModel = &model;
    SimSettings& s = sim.settings;
    s.propertiesPreLoad();
    s.propertiesPostLoad();
    s.cboBackground = "scene.bmp";
    s.cboTarget = "rings.bmp";
    s.chkTransparent = 1;
    s.txtRange = "200";
    s.sldZoom = 4;
    s.sldSpeed = 5;
    s.txtAngle = "90";
    sim.session.sight = SimSights::Mildot;
    sim.session.showGroupCircle = sim.session.showPOA = true;
    sim.setViewSize(QSize(800, 800));
    sim.applyFov();
    sim.formHudInit();
    sim.txtNumberOfShots_Change();
    for (int i = 0; i < 10; ++i) {
        sim.shotRecord(sim.scene.geo.centreX + 40.0f * (i - 5),
                       sim.scene.geo.centreY + 25.0f * (i % 3));
        ++sim.session.roundsFired;
    }
    sim.draw(s); // pictures loaded and stretched once, as after choosing them
    for (auto _ : state)
        benchmark::DoNotOptimize(sim.draw(s).constBits());
    sim.final();
}
BENCHMARK(BM_FullScene800)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QGuiApplication app(argc, argv); // fonts for the crosshair numbers
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
