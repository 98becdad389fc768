#include "sim/widgets/SimScreenshots.h"

#include "sim/widgets/SimController.h"
#include "sim/widgets/SimControlsTab.h"
#include "sim/widgets/SimulatorTab.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QTabWidget>
#include <QTextStream>

namespace SimScreenshots {

namespace {

void settle() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

bool save(QWidget& window, const QString& path) {
    settle();
    if (window.grab().save(path)) return true;
    QTextStream(stderr) << "Could not write " << path << '\n';
    return false;
}

// The first picture of a list whose name contains `hint`, else the first one.
QString pick(const QStringList& names, const char* hint) {
    for (const QString& n : names)
        if (n.contains(QLatin1String(hint), Qt::CaseInsensitive)) return n;
    return names.isEmpty() ? QString() : names.first();
}

} // namespace

bool take(QWidget& window, SimController& simulator, const std::function<void(QWidget*)>& showPage,
          const QString& folder) {
    SimController* sim = &simulator;
    QDir().mkpath(folder);
    SimControls& c = sim->controls;
    CSim& s = sim->sim;

    // A scene worth showing: a meadow, the scoring target at 100 yards, a duplex reticle.
    c.listChange(SimControls::List::Background, pick(s.lists.background, "meadow"));
    c.listChange(SimControls::List::Target, pick(s.lists.target, "redBlue"));
    c.listChange(SimControls::List::Reticle, pick(s.lists.reticle, "duplex"));
    c.checkClick(SimControls::Check::UserGraphic, 1);
    c.checkClick(SimControls::Check::ShowHits, 1);
    c.checkClick(SimControls::Check::GroupCircle, 1);
    c.optSightsClick(4);
    c.setSlider(SimControls::Slider::Range, 100);
    c.setSlider(SimControls::Slider::Zoom, 12);
    s.settings.txtGroupSize = QStringLiteral("2.5");
    c.validate(SimControls::Box::GroupSize);
    s.settings.txtSimNotes = QStringLiteral("Prone, bipod, 100 yards.\r\nCalm morning.");
    sim->showSettings();

    showPage(sim->controlsTab);
    bool ok = save(window, QDir(folder).filePath(QStringLiteral("sim_controls.png")));

    showPage(sim->simulatorTab);
    settle();
    for (int i = 0; i < 5; ++i)
        sim->firing.CmdFire_Click(0);
    sim->showSettings();
    ok &= save(window, QDir(folder).filePath(QStringLiteral("sim_view.png")));
    return ok;
}

} // namespace SimScreenshots
