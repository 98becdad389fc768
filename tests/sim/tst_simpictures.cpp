// Damaged pictures in the main window, chosen as a user chooses them: one "Invalid picture" per
// choice however often the tabs are switched or the window resized, nothing of the picture on
// the view, and no mask written from it.
#include <QApplication>

#include "../shell/WindowFixture.h"
#include "QuietQtPrompt.h"
#include "shell/ui.h"
#include "sim/widgets/HudView.h"
#include "sim/widgets/SimController.h"
#include "sim/widgets/SimControlsTab.h"
#include "sim/widgets/SimulatorTab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

using namespace WindowFixture;

namespace {

void choose(QComboBox* box, const QString& name) {
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), name);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QApplication::processEvents();
}

// What a user does between choices: looks at the view, goes back, resizes the window.
void switchTabsAndResize(ui& w) {
    for (const QSize size : {QSize(900, 650), QSize(1100, 800)}) {
        for (int i = 0; i < 2; ++i) {
            w.sstUI->setCurrentIndex(ui::SimulatorPage);
            QApplication::processEvents();
            w.sstUI->setCurrentIndex(ui::SimControlsPage);
            QApplication::processEvents();
        }
        w.resize(size);
        QApplication::processEvents();
    }
    w.sstUI->setCurrentIndex(ui::SimulatorPage);
    QApplication::processEvents();
}

} // namespace

class SimPicturesTest : public QObject {
    Q_OBJECT
    QTemporaryDir settingsDir;

private slots:
    void initTestCase() { isolateSettings(settingsDir); }

    void eachDamagedChoiceIsReportedOnceAndShowsNothing() {
        TestAppFolder folder(true, true);
        folder.write("back/empty.jpg", QByteArray());
        folder.write("sightw/trunc.bmp", folder.read("sightw/duplex.bmp").left(100000));
        QuietQtPrompt prompts; // an unscripted message fails the test
        ui w;
        w.resize(1100, 800);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        SimController* sim = w.simulator;
        SimControlsTab* c = sim->controlsTab;
        HudView* view = sim->simulatorTab->picHUD;
        c->optSights[4]->click(); // no code-drawn sight

        w.sstUI->setCurrentIndex(ui::SimControlsPage);
        choose(c->cboBackground, "berm.jpg");
        prompts.expected = {QStringLiteral("CSim cboBackgroundValidate: 481 - Invalid picture")};
        choose(c->cboBackground, "empty.jpg");
        QCOMPARE(prompts.lastText(),
                 QStringLiteral("CSim cboBackgroundValidate: 481 - Invalid picture"));
        switchTabsAndResize(w);
        QVERIFY2(prompts.messages.size() == 1, messagesText(prompts).constData());

        w.sstUI->setCurrentIndex(ui::SimControlsPage);
        choose(c->cboBackground, "berm.jpg");
        if (!c->chkUserGraphic->isChecked()) c->chkUserGraphic->click();
        w.sstUI->setCurrentIndex(ui::SimulatorPage);
        QApplication::processEvents();
        const QImage plain = view->scene().copy();
        w.sstUI->setCurrentIndex(ui::SimControlsPage);
        prompts.expected = {QStringLiteral("CSim cboReticleValidate: 481 - Invalid picture")};
        choose(c->cboReticle, "trunc.bmp");
        QCOMPARE(prompts.lastText(),
                 QStringLiteral("CSim cboReticleValidate: 481 - Invalid picture"));
        switchTabsAndResize(w);
        QVERIFY2(prompts.messages.size() == 2, messagesText(prompts).constData());
        QVERIFY(!sim->sim.reticleLoaded());
        QVERIFY(!QFile::exists(folder.file("sightb/trunc.bmp")));
        // The view shows the background alone: not a pixel of the damaged reticle.
        QVERIFY(!plain.isNull());
        QVERIFY(view->scene() == plain);

        prompts.answers = {PromptAnswer::No, PromptAnswer::No};
        w.close();
    }
};

QTEST_MAIN(SimPicturesTest)
#include "tst_simpictures.moc"
