// Leaving an input field: the check runs once, its message shows once, and a refused value keeps
// the focus in the field, however the focus moves around while the message shows.
#include "WindowFixture.h"
#include "shell/InputTab.h"
#include "shell/ui.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

using namespace WindowFixture;

namespace {

// Runs `bounce` while the message "shows", then lets the recorder answer.
class BouncingPrompt : public Prompt {
public:
    BouncingPrompt(PromptRecorder& recorder, std::function<void()> bounce)
        : recorder(recorder), bounce(std::move(bounce)) {
        previous = installPrompt(this);
    }
    ~BouncingPrompt() override { installPrompt(previous); }
    PromptAnswer ask(const QString& text, const QString& title, PromptButtons buttons,
                     PromptIcon icon) override {
        bounce();
        return recorder.ask(text, title, buttons, icon);
    }

private:
    PromptRecorder& recorder;
    std::function<void()> bounce;
    Prompt* previous = nullptr;
};

} // namespace

class InputValidationTest : public QObject {
    Q_OBJECT
    QTemporaryDir settingsDir;

    struct Window {
        TestAppFolder folder;
        PromptRecorder prompts;
        ui w;
        Window() {
            w.show();
            w.activateWindow();
        }
        QLineEdit* field(int i) { return w.inputTab->txtInput(i); }
        bool focusOn(int i) {
            field(i)->setFocus();
            return QTest::qWaitFor([&] { return QApplication::focusWidget() == field(i); }, 2000);
        }
    };

private slots:
    void initTestCase() { isolateSettings(settingsDir); }

    void lettersInBulletWeightKeepTheFocus() {
        Window s;
        QVERIFY(QTest::qWaitForWindowActive(&s.w));
        QVERIFY(s.focusOn(1));
        const int16_t before = s.w.model.values.in1.ibweight;
        s.field(1)->selectAll();
        QTest::keyClicks(s.field(1), "abc");
        QTest::keyClick(s.field(1), Qt::Key_Tab);
        QCOMPARE(s.prompts.messages.size(), 1);
        QCOMPARE(s.prompts.lastText(), QStringLiteral("This field has to be a number"));
        QCOMPARE(s.prompts.lastTitle(), QStringLiteral("Not a Number"));
        QCOMPARE(s.prompts.messages.first().buttons, PromptButtons::Ok);
        QCOMPARE(QApplication::focusWidget(), s.field(1));
        QCOMPARE(s.w.model.values.in1.ibweight, before);
        QCOMPARE(s.field(1)->text(), QStringLiteral("abc")); // never reset

        // Fixing the text lets the focus go, silently.
        s.field(1)->setText("150");
        QTest::keyClick(s.field(1), Qt::Key_Tab);
        QCOMPARE(s.prompts.messages.size(), 1);
        QVERIFY(QApplication::focusWidget() != s.field(1));
        QCOMPARE(s.w.model.values.in1.ibweight, int16_t(150));
    }

    void outOfRangeHeldFieldShowsItsTooltip() {
        Window s;
        QVERIFY(QTest::qWaitForWindowActive(&s.w));
        QVERIFY(s.focusOn(10));
        s.field(10)->setText("1.5");
        QTest::keyClick(s.field(10), Qt::Key_Tab);
        QCOMPARE(s.prompts.messages.size(), 1);
        QCOMPARE(s.prompts.lastText(),
                 QStringLiteral("Ballistic Coefficient must be between 0.001 and 1.0."));
        QCOMPARE(s.prompts.lastTitle(), QStringLiteral("Number out of Range"));
        QCOMPARE(QApplication::focusWidget(), s.field(10));
    }

    void scopeMagnificationZeroWarnsAndLetsGo() {
        Window s;
        QVERIFY(QTest::qWaitForWindowActive(&s.w));
        s.w.inputTab->chkMilrange->setChecked(true);
        s.w.inputTab->chkAdvanced->setChecked(true);
        QVERIFY(s.focusOn(16));
        s.field(16)->setText("0");
        s.field(17)->setFocus(); // moving on with the mouse
        QCOMPARE(s.prompts.messages.size(), 1);
        QCOMPARE(s.prompts.lastText(), QString());
        QCOMPARE(s.prompts.lastTitle(), QStringLiteral("Number out of Range"));
        QCOMPARE(QApplication::focusWidget(), s.field(17));
        QCOMPARE(s.w.model.values.scopeMag, 0.0f);
        QCOMPARE(s.field(16)->text(), QStringLiteral("0"));
    }

    void cartridgeAcceptsAnything() {
        Window s;
        QVERIFY(QTest::qWaitForWindowActive(&s.w));
        QVERIFY(s.focusOn(0));
        s.field(0)->clear();
        QTest::keyClick(s.field(0), Qt::Key_Tab);
        QVERIFY(s.prompts.messages.isEmpty());
        QCOMPARE(s.w.model.values.in1.cart, QString());
    }

    void focusBouncingShowsTheMessageOnce() {
        Window s;
        QVERIFY(QTest::qWaitForWindowActive(&s.w));
        // A real message box takes the focus to itself and gives it back to whatever the window
        // had focused, here the next field, which holds letters too. None of that is the user
        // leaving a field.
        BouncingPrompt bouncing(s.prompts, [&s] {
            QWidget box;
            emit qApp->focusChanged(s.field(2), &box);
            emit qApp->focusChanged(&box, s.field(2));
            s.field(3)->setFocus();
            s.field(2)->setFocus();
        });
        s.field(2)->setText("x");
        s.field(3)->setText("z");
        QVERIFY(s.focusOn(1));
        s.field(1)->setText("y");
        s.field(2)->setFocus(); // leave field 1 for field 2
        QCOMPARE(s.prompts.messages.size(), 1);
        QCOMPARE(QApplication::focusWidget(), s.field(1));

        // The window losing the focus to another program is not leaving the field either.
        emit qApp->focusChanged(s.field(1), nullptr);
        emit qApp->focusChanged(nullptr, s.field(1));
        QCOMPARE(s.prompts.messages.size(), 1);
    }

    void switchingTabsWithARefusedValueBringsTheFieldBack() {
        Window s;
        QVERIFY(QTest::qWaitForWindowActive(&s.w));
        QVERIFY(s.focusOn(1));
        s.field(1)->setText("abc");
        s.w.sstUI->setCurrentIndex(ui::TablePage);
        QVERIFY(QTest::qWaitFor([&] { return QApplication::focusWidget() == s.field(1); }, 2000));
        QCOMPARE(s.prompts.messages.size(), 1);
        QCOMPARE(s.w.sstUI->currentIndex(), int(ui::InputPage));
        QCOMPARE(QApplication::focusWidget(), s.field(1));
    }
};

QTEST_MAIN(InputValidationTest)
#include "tst_inputvalidation.moc"
