#include "shell/GraphScreenshots.h"

#include "load/CompareFile.h"
#include "load/LoadFile.h"
#include "shell/InputTab.h"
#include "shell/dlgChronoVel.h"
#include "shell/dlgPointBlank.h"
#include "shell/ui.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTextStream>

namespace GraphScreenshots {

namespace {

void waitForPaint() {
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents(QEventLoop::AllEvents, 50);
}

bool save(QWidget& widget, const QString& folder, const char* name) {
    waitForPaint();
    const QString path = QDir(folder).filePath(QString::fromLatin1(name));
    if (widget.grab().save(path)) return true;
    QTextStream(stderr) << "Could not write " << path << '\n';
    return false;
}

// A second load to compare with: a lighter, faster bullet with a higher coefficient.
QString writeComparison(const ui& window, const QTemporaryDir& dir) {
    LoadForm other = window.model.form;
    other.fields[InputFields::Cartridge] = QStringLiteral("6.5 Creedmoor 140gr");
    other.fields[InputFields::BulletWeight] = QStringLiteral("140");
    other.fields[InputFields::MuzzleVelocity] = QStringLiteral("2710");
    other.fields[InputFields::Bc] = QStringLiteral(".61");
    other.fields[InputFields::SightHeight] = QStringLiteral("1.75");
    const QString path = dir.filePath(QStringLiteral("6.5 Creedmoor.qvt"));
    return LoadFile::dataSaveTable(path, other) ? path : QString();
}

void showGraph(ui& window) {
    if (window.sstUI->currentIndex() == ui::GraphPage)
        window.showTableOrGraph();
    else
        window.sstUI->setCurrentIndex(ui::GraphPage);
}

} // namespace

bool take(ui& window, const QString& folder) {
    QDir().mkpath(folder);
    bool ok = true;
    QAction* useCompare = window.action(QStringLiteral("mnuUseCompare"));
    QComboBox* box = window.inputTab->cboCompare;
    const Comparison kept = window.model.form.comparison;
    const QString keptText = box->currentText();

    QTemporaryDir dir;
    const QString other = writeComparison(window, dir);
    window.model.form.comparison.setFile(other);
    window.model.form.comparison.on = true;
    useCompare->setChecked(true);
    box->setEditText(CompareFile::compareName(other));
    showGraph(window);
    ok &= !other.isEmpty() && save(window, folder, "graph.png");

    window.model.form.comparison.on = false;
    useCompare->setChecked(false);
    box->setEditText(QStringLiteral("Not comparing"));
    showGraph(window);
    ok &= save(window, folder, "graph_nocompare.png");

    window.model.form.comparison = kept;
    useCompare->setChecked(kept.on);
    box->setEditText(keptText);

    {
        CTextOutput txt;
        dlgPointBlank pointBlank(window.model, txt, &window);
        pointBlank.txtGroupSize->setText(QStringLiteral("1"));
        pointBlank.show();
        pointBlank.btnCalculate_Click();
        ok &= save(pointBlank, folder, "pointblank.png");
        pointBlank.reject();
    }
    {
        dlgChronoVel chrono(window.model, &window);
        chrono.txtChronoDist->setText(QStringLiteral("15"));
        chrono.show();
        chrono.cmdCalculate_Click();
        ok &= save(chrono, folder, "chrono.png");
        chrono.reject();
    }
    window.sstUI->setCurrentIndex(ui::InputPage);
    return ok;
}

} // namespace GraphScreenshots
