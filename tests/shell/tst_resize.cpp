#include "PromptRecorder.h"
#include "shell/CResize.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTextEdit>
#include <QVBoxLayout>
#include <QtTest>

// Layout scaling over a window built like the main window: controls placed by hand, a tab
// control whose hidden page holds controls too, a combo box, a "noresize" picture and a group
// laid out by a QLayout.
class ResizeTest : public QObject {
    Q_OBJECT

private:
    struct Window {
        QWidget root;
        QLineEdit* edit = nullptr;
        QComboBox* combo = nullptr;
        QLabel* picture = nullptr; // "noresize"
        QLabel* pictureChild = nullptr;
        QTabWidget* tabs = nullptr;
        QPushButton* onInput = nullptr; // on the showing page
        QTextEdit* onGraph = nullptr;   // on the hidden page
        QWidget* laidOut = nullptr;     // a group with a layout
        QPushButton* inLayout = nullptr;

        Window() {
            root.resize(400, 300);
            edit = place(new QLineEdit(&root), "txtA", QRect(40, 20, 100, 24), 10);
            combo = new QComboBox(&root);
            combo->addItems({"G1", "G7"});
            place(combo, "cboDrag", QRect(160, 20, 80, 20), 10);
            combo->resize(80, combo->sizeHint().height()); // the height its font gives
            picture = place(new QLabel(&root), "picHUD", QRect(260, 20, 100, 80), 9);
            picture->setProperty("tag", QStringLiteral("noresize"));
            pictureChild = new QLabel(QStringLiteral("x"), picture);
            pictureChild->setGeometry(5, 5, 20, 10);
            tabs = place(new QTabWidget(&root), "sstUI", QRect(10, 110, 380, 180), 10);
            auto* input = new QWidget;
            auto* graph = new QWidget;
            tabs->addTab(input, QStringLiteral("Input"));
            tabs->addTab(graph, QStringLiteral("Graph"));
            onInput = place(new QPushButton(QStringLiteral("Go"), input), "cmdGo",
                            QRect(20, 10, 60, 30), 12);
            onGraph = place(new QTextEdit(graph), "txtNotes", QRect(30, 20, 120, 60), 8);
            laidOut = place(new QWidget(&root), "fraLaidOut", QRect(10, 60, 200, 40), 10);
            auto* layout = new QVBoxLayout(laidOut);
            inLayout = new QPushButton(QStringLiteral("In layout"), laidOut);
            inLayout->setObjectName(QStringLiteral("cmdInLayout"));
            layout->addWidget(inLayout);
            tabs->setCurrentIndex(0);
            root.show();
        }

        template <class W> static W* place(W* w, const char* name, QRect g, qreal points) {
            w->setObjectName(QString::fromLatin1(name));
            w->setGeometry(g);
            QFont f = w->font();
            f.setPointSizeF(points);
            w->setFont(f);
            return w;
        }
    };

    static void resizeTo(Window& win, CResize& scaler, int w, int h) {
        win.root.resize(w, h);
        scaler.Size_Changed(&win.root);
    }

private slots:
    void doublingTheWidthDoublesLeftWidthAndFont() {
        Window win;
        CResize scaler;
        scaler.Resize_Initialize(&win.root);
        resizeTo(win, scaler, 800, 300);

        QCOMPARE(win.edit->geometry(), QRect(80, 20, 200, 24));
        QCOMPARE(win.edit->font().pointSizeF(), 20.0);
        QCOMPARE(win.tabs->geometry(), QRect(20, 110, 760, 180));
        QCOMPARE(win.onInput->geometry(), QRect(40, 10, 120, 30));
        QCOMPARE(win.onInput->font().pointSizeF(), 24.0);

        resizeTo(win, scaler, 800, 600); // heights and tops follow the height
        QCOMPARE(win.edit->geometry(), QRect(80, 40, 200, 48));
    }

    void hiddenPageIsLaidOutAsIfShowing() {
        Window win;
        CResize scaler;
        scaler.Resize_Initialize(&win.root);
        QVERIFY(!win.onGraph->isVisible());
        resizeTo(win, scaler, 800, 600);
        win.tabs->setCurrentIndex(1);
        QVERIFY(win.onGraph->isVisible());
        QCOMPARE(win.onGraph->geometry(), QRect(60, 40, 240, 120));
        QCOMPARE(win.onGraph->font().pointSizeF(), 16.0);
    }

    void comboKeepsTheHeightItsFontGives() {
        Window win;
        CResize scaler;
        scaler.Resize_Initialize(&win.root);
        resizeTo(win, scaler, 800, 600);
        QCOMPARE(win.combo->x(), 320);
        QCOMPARE(win.combo->width(), 160);
        QCOMPARE(win.combo->font().pointSizeF(), 20.0);
        QCOMPARE(win.combo->height(), win.combo->sizeHint().height());
    }

    void noResizeControlsAndTheirChildrenStayPut() {
        Window win;
        CResize scaler;
        const qreal childPoints = win.pictureChild->font().pointSizeF();
        scaler.Resize_Initialize(&win.root);
        resizeTo(win, scaler, 800, 600);
        QCOMPARE(win.picture->geometry(), QRect(260, 20, 100, 80));
        QCOMPARE(win.picture->font().pointSizeF(), 9.0);
        QCOMPARE(win.pictureChild->geometry(), QRect(5, 5, 20, 10));
        QCOMPARE(win.pictureChild->font().pointSizeF(), childPoints);
        for (const CResize::ControlRatios& r : scaler.records())
            QVERIFY(r.control != win.picture && r.control != win.pictureChild);
    }

    void layoutPlacedControlsOnlyScaleTheirFont() {
        Window win;
        CResize scaler;
        scaler.Resize_Initialize(&win.root);
        const qreal points = win.inLayout->font().pointSizeF();
        resizeTo(win, scaler, 800, 300);
        QCOMPARE(win.inLayout->font().pointSizeF(), points * 2);
        QCOMPARE(win.laidOut->geometry(), QRect(20, 60, 400, 40)); // placed by hand itself
        QVERIFY(win.inLayout->geometry().width() > 200);           // its layout followed
    }

    void innerPartsOfCompositesAreNotControls() {
        Window win;
        CResize scaler;
        scaler.Resize_Initialize(&win.root);
        QStringList names;
        for (const CResize::ControlRatios& r : scaler.records())
            names << r.control->objectName();
        names.sort();
        // The tab pages are controls (font only); the tab bar, the text box's viewport and the
        // combo box's parts are not.
        QCOMPARE(names.size(), 9);
        for (const char* expected :
             {"txtA", "cboDrag", "sstUI", "cmdGo", "txtNotes", "fraLaidOut", "cmdInLayout"})
            QVERIFY2(names.contains(QString::fromLatin1(expected)), expected);
        for (const QString& name : names)
            QVERIFY2(!name.startsWith(QLatin1String("qt_")), qPrintable(name));
    }

    void shrinkingThenRestoringGivesTheStartingLayout() {
        Window win;
        CResize scaler;
        scaler.Resize_Initialize(&win.root);
        QList<QRect> before;
        QList<qreal> fonts;
        for (const CResize::ControlRatios& r : scaler.records()) {
            before << r.control->geometry();
            fonts << r.control->font().pointSizeF();
        }
        resizeTo(win, scaler, 173, 111);
        resizeTo(win, scaler, 400, 300);
        int i = 0;
        for (const CResize::ControlRatios& r : scaler.records()) {
            if (r.placedByHand) QCOMPARE(r.control->geometry(), before[i]);
            QVERIFY(qAbs(r.control->font().pointSizeF() - fonts[i]) < 1e-4);
            ++i;
        }
    }

    void windowResizeRunsTheSimulatorLayoutAndRestoresPainting() {
        PromptRecorder recorder;
        Window win;
        CResize scaler;
        scaler.Resize_Initialize(&win.root);
        win.root.resize(600, 300);
        bool simLaidOut = false;
        bool paintingHeld = false;
        scaler.Form_Resize(&win.root, [&] {
            simLaidOut = true;
            paintingHeld = !win.root.updatesEnabled();
        });
        QVERIFY(simLaidOut);
        QVERIFY(paintingHeld);
        QVERIFY(win.root.updatesEnabled());
        QCOMPARE(win.edit->x(), 60);
        QVERIFY(recorder.messages.isEmpty());
    }

    void mainWindowMeasuresItsCentralWidgetBeforeItIsShown() {
        QMainWindow main;
        main.setMenuBar(new QMenuBar);
        main.menuBar()->addMenu(QStringLiteral("&File"))->addAction(QStringLiteral("&New"));
        auto* central = new QWidget;
        main.setCentralWidget(central);
        auto* edit = Window::place(new QLineEdit(central), "txtA", QRect(50, 10, 100, 20), 10);
        main.resize(500, 400);
        CResize scaler;
        scaler.Resize_Initialize(&main); // not shown yet
        QCOMPARE(scaler.initialSize(), central->size());
        QCOMPARE(scaler.initialSize().width(), 500);
        bool editRecorded = false;
        for (const CResize::ControlRatios& r : scaler.records()) {
            QVERIFY(!qobject_cast<QMenuBar*>(r.control) && !qobject_cast<QMenu*>(r.control));
            editRecorded = editRecorded || r.control == edit;
        }
        QVERIFY(editRecorded);

        main.show();
        main.resize(1000, 400);
        scaler.Form_Resize(&main);
        QCOMPARE(edit->x(), 100);
        QCOMPARE(edit->width(), 200);
        QCOMPARE(edit->font().pointSizeF(), 20.0);
    }

    void deletedControlsAreSkipped() {
        Window win;
        CResize scaler;
        scaler.Resize_Initialize(&win.root);
        delete win.edit;
        resizeTo(win, scaler, 800, 300);
        QCOMPARE(win.onInput->x(), 40);
    }
};

QTEST_MAIN(ResizeTest)
#include "tst_resize.moc"
