#include "PromptRecorder.h"
#include "ScriptedFileChooser.h"
#include "TestAppFolder.h"
#include "load/LoadForm.h"
#include "load/LoadModel.h"
#include "shell/ScreenFont.h"
#include "shell/frmOptions.h"

#include <QApplication>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QtTest>

// The options dialog: opening from the window variables, Apply / OK / Cancel / Esc, the screen
// font and the file association.
class OptionsTest : public QObject {
    Q_OBJECT

private:
    LoadForm form;
    MainValues values;
    ScreenFont screenFont;

    // The four option-1 buttons in the order Vertical Angle, Separator, Graph, Point of Aim.
    static QList<QRadioButton*> ones(frmOptions& d) {
        return {d.optRR[1], d.optComma[1], d.opt3D[1], d.optMoa[1]};
    }
    static QList<bool> variables(const MainValues& v) {
        return {v.isCosineDrop, v.isComma, v.is3D, v.isMoa};
    }
    static QList<bool> pending(const LoadForm& f) {
        return {f.optRR1, f.optComma1, f.opt3D1, f.optMoa1};
    }
    // Clicks on the button's indicator: a short caption leaves the middle of a wide button empty.
    static void click(QRadioButton* b) {
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    }

private slots:
    void init() {
        form = LoadForm{};
        values = MainValues{};
        screenFont = ScreenFont{};
    }

    void captionsAreTheProgramsOwn() {
        frmOptions d(form, values, screenFont, nullptr);
        QCOMPARE(d.windowTitle(), QStringLiteral("Quorvel Options"));
        QStringList frames;
        for (const QGroupBox* box : d.findChildren<QGroupBox*>())
            frames << box->title();
        QCOMPARE(frames, QStringList({"Vertical Angle Calculation", "Text Separator", "Graph",
                                      "Point Of Aim Adjustment"}));
        const QList<QPair<frmOptions::OptionPair*, QStringList>> pairs = {
            {&d.optRR, {"Cosine Range", "Cosine Drop (best)"}},
            {&d.optComma, {"Space", "Comma"}},
            {&d.opt3D, {"2D", "3D"}},
            {&d.optMoa,
             {"Mils - Use Mildot to hold off", "MOA - 1/4 MOA Scope Adjustment Clicks"}}};
        for (const auto& [pair, captions] : pairs) {
            QCOMPARE((*pair)[0]->text(), captions[0]);
            QCOMPARE((*pair)[1]->text(), captions[1]);
        }
        QCOMPARE(d.cmdFonts->text(), QStringLiteral("Screen Font"));
        QCOMPARE(d.cmdAssociate->text(), QStringLiteral("Associate File Extension"));
        QCOMPARE(d.cmdApply->text(), QStringLiteral("Apply"));
        QCOMPARE(d.cmdCancel->text(), QStringLiteral("Cancel"));
        QCOMPARE(d.cmdOK->text(), QStringLiteral("OK"));
        QVERIFY(d.isModal());
    }

    void opensFromTheWindowVariables() {
        values.isCosineDrop = true;
        values.isMoa = true;
        form.optComma1 = true; // pending flags are not what the dialog shows
        frmOptions d(form, values, screenFont, nullptr);
        const QList<bool> shown = {d.optRR[1]->isChecked(), d.optComma[1]->isChecked(),
                                   d.opt3D[1]->isChecked(), d.optMoa[1]->isChecked()};
        QCOMPARE(shown, QList<bool>({true, false, false, true}));
        QVERIFY(!d.optRR[0]->isChecked());
        QVERIFY(d.optComma[0]->isChecked());
        QVERIFY(d.opt3D[0]->isChecked());
        QVERIFY(!d.optMoa[0]->isChecked());
    }

    void applyCopiesAndStaysOpen() {
        frmOptions d(form, values, screenFont, nullptr);
        d.show();
        for (QRadioButton* one : ones(d))
            click(one);
        QCOMPARE(variables(values), QList<bool>({false, false, false, false}));
        QTest::mouseClick(d.cmdApply, Qt::LeftButton);
        QCOMPARE(variables(values), QList<bool>({true, true, true, true}));
        QCOMPARE(pending(form), QList<bool>({true, true, true, true}));
        QVERIFY(d.isVisible());

        // Back to the first choice of one pair: Apply takes that over too.
        click(d.optComma[0]);
        QTest::mouseClick(d.cmdApply, Qt::LeftButton);
        QVERIFY(!values.isComma);
        QVERIFY(!form.optComma1);
        QVERIFY(d.isVisible());
    }

    void okCopiesAndCloses() {
        frmOptions d(form, values, screenFont, nullptr);
        d.show();
        click(d.optMoa[1]);
        QTest::mouseClick(d.cmdOK, Qt::LeftButton);
        QVERIFY(values.isMoa);
        QVERIFY(form.optMoa1);
        QVERIFY(!d.isVisible());
        QCOMPARE(d.result(), int(QDialog::Accepted));
    }

    void cancelAndEscapeDiscard() {
        {
            frmOptions d(form, values, screenFont, nullptr);
            d.show();
            click(d.optComma[1]);
            QTest::mouseClick(d.cmdCancel, Qt::LeftButton);
            QVERIFY(!d.isVisible());
        }
        {
            frmOptions d(form, values, screenFont, nullptr);
            d.show();
            click(d.opt3D[1]);
            QTest::keyClick(d.opt3D[1], Qt::Key_Escape);
            QVERIFY(!d.isVisible());
        }
        QCOMPARE(variables(values), QList<bool>({false, false, false, false}));
        QCOMPARE(pending(form), QList<bool>({false, false, false, false}));

        // Reopening starts again from the window variables.
        frmOptions again(form, values, screenFont, nullptr);
        QVERIFY(again.optComma[0]->isChecked());
        QVERIFY(again.opt3D[0]->isChecked());
    }

    void centredOnTheScreen() {
        frmOptions d(form, values, screenFont, nullptr);
        d.show();
        const QRect screen = d.screen()->geometry();
        QVERIFY(qAbs(d.x() - (screen.width() - d.width()) / 2 - screen.left()) <= 1);
        QVERIFY(qAbs(d.y() - (screen.height() - d.height()) / 2 - screen.top()) <= 1);
    }

    void screenFontAppliesToEligibleControls() {
        PromptRecorder recorder;
        ScriptedFileChooser chooser;
        QWidget window;
        auto* edit = new QLineEdit(&window);
        auto* frame = new QGroupBox(QStringLiteral("Frame"), &window);
        auto* inner = new QLabel(QStringLiteral("inner"), frame);
        auto* scope = new QWidget(&window);
        scope->setProperty("tag", QStringLiteral("noresize"));
        auto* scopeChild = new QLabel(QStringLiteral("scope"), scope);
        const QFont scopeFont = scopeChild->font();

        QFont chosen(QStringLiteral("DejaVu Serif"));
        chosen.setPointSizeF(14);
        chooser.fonts = {chosen};
        frmOptions d(form, values, screenFont, &window);
        QTest::mouseClick(d.cmdFonts, Qt::LeftButton);

        QCOMPARE(screenFont.fontName, QStringLiteral("DejaVu Serif"));
        QCOMPARE(screenFont.fontSize, 14.0f);
        for (QWidget* w : QList<QWidget*>{edit, frame, inner}) {
            QCOMPARE(w->font().family(), QStringLiteral("DejaVu Serif"));
            QCOMPARE(w->font().pointSizeF(), 14.0);
        }
        QCOMPARE(scope->font().pointSizeF(), scopeFont.pointSizeF());
        QCOMPARE(scopeChild->font().pointSizeF(), scopeFont.pointSizeF());
        QCOMPARE(scopeChild->font().family(), scopeFont.family());

        // Cancelling the font dialog: Arial at the size chosen before.
        chooser.fonts = {std::nullopt};
        QTest::mouseClick(d.cmdFonts, Qt::LeftButton);
        QVERIFY(screenFont.fontName.isEmpty());
        QCOMPARE(edit->font().family(), QStringLiteral("Arial"));
        QCOMPARE(edit->font().pointSizeF(), 14.0);
        QVERIFY(recorder.messages.isEmpty());
    }

    void cancelledFontDialogWithoutEarlierChoiceGivesArialTen() {
        ScriptedFileChooser chooser; // nothing scripted: the dialog is cancelled
        QWidget window;
        auto* edit = new QLineEdit(&window);
        QFont big = edit->font();
        big.setPointSize(22);
        edit->setFont(big);
        screenFont.FormFont(&window);
        QCOMPARE(edit->font().family(), QStringLiteral("Arial"));
        QCOMPARE(edit->font().pointSizeF(), 10.0);
        QCOMPARE(screenFont.fontSize, 0.0f);
    }

    void associationWritesTheDesktopFiles() {
        PromptRecorder recorder;
        TestAppFolder app(false);
        QTemporaryDir xdg;
        qputenv("XDG_DATA_HOME", xdg.filePath(QStringLiteral("data")).toLocal8Bit());
        qputenv("XDG_CONFIG_HOME", xdg.filePath(QStringLiteral("config")).toLocal8Bit());
        frmOptions d(form, values, screenFont, nullptr);
        QTest::mouseClick(d.cmdAssociate, Qt::LeftButton);
        QTest::mouseClick(d.cmdAssociate, Qt::LeftButton); // twice: same files, two messages

        QCOMPARE(recorder.messages.size(), 2);
        for (const RecordedMessage& m : recorder.messages) {
            QCOMPARE(m.text, QStringLiteral("The file association has been made!"));
            QCOMPARE(m.buttons, PromptButtons::Ok);
        }
        QFile package(
            xdg.filePath(QStringLiteral("data/mime/packages/application-x-quorvel-document.xml")));
        QVERIFY(package.open(QIODevice::ReadOnly));
        const QByteArray xml = package.readAll();
        QVERIFY(xml.contains("<mime-type type=\"application/x-quorvel-document\">"));
        QVERIFY(xml.contains("<glob pattern=\"*.qvt\"/>"));
        QVERIFY(xml.contains("<comment>Quorvel.Document</comment>"));

        QFile entry(xdg.filePath(QStringLiteral("data/applications/quorvel.desktop")));
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QByteArray desktop = entry.readAll();
        QVERIFY2(desktop.contains(("\nExec=" + app.path() + "/quorvel %f\n").toUtf8()),
                 desktop.constData());
        QVERIFY(desktop.contains("MimeType=application/x-quorvel-document;"));
        qunsetenv("XDG_DATA_HOME");
        qunsetenv("XDG_CONFIG_HOME");
    }

    void associationFailureIsReportedNotConfirmed() {
        PromptRecorder recorder;
        QTemporaryDir xdg;
        // A plain file where the data folder should be: nothing can be written below it.
        QFile blocker(xdg.filePath(QStringLiteral("blocked")));
        QVERIFY(blocker.open(QIODevice::WriteOnly));
        blocker.close();
        qputenv("XDG_DATA_HOME", blocker.fileName().toLocal8Bit());
        frmOptions d(form, values, screenFont, nullptr);
        QTest::mouseClick(d.cmdAssociate, Qt::LeftButton);
        qunsetenv("XDG_DATA_HOME");
        QCOMPARE(recorder.messages.size(), 1);
        QVERIFY2(
            recorder.lastText().startsWith(QStringLiteral("frmOptions cmdAssociate_Click: 75 - ")),
            qPrintable(recorder.lastText()));
    }
};

QTEST_MAIN(OptionsTest)
#include "tst_options.moc"
