// One shot on the scope view as the user feels it: from the click on an 800 x 800 view to the
// updated score captions, with Show Hits on, so every shot redraws the whole scene (background,
// target, reticle picture, hits and aim marks).
#include "BenchSupport.h"
#include "services/Prompt.h"
#include "shell/ui.h"
#include "sim/widgets/HudView.h"
#include "sim/widgets/SimController.h"
#include "sim/widgets/SimulatorTab.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTabWidget>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

void BM_ShotWithShowHits(benchmark::State& state) {
    FreshAppFolder folder(true);
    ui window;
    SimController& sim = *window.simulator;
    window.sstUI->setCurrentIndex(ui::SimulatorPage);
    SimControls& c = sim.controls;
    c.listChange(SimControls::List::Background, QStringLiteral("meadow.jpg"));
    c.listChange(SimControls::List::Target, QStringLiteral("redBlue.gif"));
    c.listChange(SimControls::List::Reticle, QStringLiteral("duplex.bmp"));
    c.checkClick(SimControls::Check::UserGraphic, 1);
    c.checkClick(SimControls::Check::ShowHits, 1);
    c.checkClick(SimControls::Check::GroupCircle, 1);
    c.checkClick(SimControls::Check::POA, 1);
    c.setSlider(SimControls::Slider::Range, 200);
    c.setSlider(SimControls::Slider::Zoom, 8);
    sim.simulatorTab->picHUD->setSide(800);
    sim.sim.setViewSize(QSize(800, 800));
    sim.sim.Form_Resize();
    if (sim.sim.scene.picture.size() != QSize(800, 800)) state.SkipWithError("view not 800 x 800");

    HudView* hud = sim.simulatorTab->picHUD;
    // A shot that did not fire, or a scene that was not redrawn, would make the numbers lie.
    const qint64 before = hud->scene().cacheKey();
    emit hud->pressed(1, 0, QPointF(400, 400));
    if (sim.sim.session.roundsFired != 1 || hud->scene().cacheKey() == before ||
        hud->scene().size() != QSize(800, 800))
        state.SkipWithError("the shot was not fired and drawn");
    for (auto _ : state) {
        if (sim.sim.roundsLeft() < 1) {
            state.PauseTiming();
            sim.controls.cmdResetScore_Click();
            state.ResumeTiming();
        }
        emit hud->pressed(1, 0, QPointF(400, 400));
        benchmark::DoNotOptimize(sim.simulatorTab->lblRoundsLeft->text());
    }
    state.counters["view_px"] = hud->scene().width();
}
BENCHMARK(BM_ShotWithShowHits)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM",
            qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    SilentPrompt prompt;
    installPrompt(&prompt);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    installPrompt(nullptr);
    return 0;
}
