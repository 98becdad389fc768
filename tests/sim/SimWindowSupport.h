// What the simulator's window tests share: pictures with known zone colours, typing into boxes
// as a user does, and showing the window with the keyboard.
#pragma once

#include <QApplication>

#include "../shell/ScriptedFileChooser.h"
#include "../shell/WindowFixture.h"
#include "QuietQtPrompt.h"
#include "ZonesTarget.h"
#include "shell/InputTab.h"
#include "shell/ui.h"
#include "sim/Raster.h"
#include "sim/widgets/HudView.h"
#include "sim/widgets/SimController.h"
#include "sim/widgets/SimControlsTab.h"
#include "sim/widgets/SimulatorTab.h"
#include "sim/widgets/UserControl1.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

namespace SimWindowSupport {

using ZonesTarget::Blue;
using ZonesTarget::Red;

// The zones target and a grey background, in the folder.
inline void writePictures(const TestAppFolder& folder) {
    Raster::saveBitmap(ZonesTarget::picture(), folder.file("targetw/zones.bmp"));
    QImage grey(16, 16, QImage::Format_RGB32);
    grey.fill(qRgb(120, 130, 120));
    Raster::saveBitmap(grey, folder.file("back/field.bmp"));
}

// Types a text into a box and leaves it with Tab, as a user would.
inline void typeAndLeave(QLineEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
    QApplication::processEvents();
}

inline void choose(QComboBox* box, const QString& name) {
    box->setFocus();
    box->lineEdit()->selectAll();
    QTest::keyClicks(box->lineEdit(), name);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
}

// Shows the window and gives it the keyboard, so leaving a box with Tab checks it.
inline void showActive(QWidget& w) {
    w.show();
    QApplication::setActiveWindow(&w);
    QVERIFY(QTest::qWaitForWindowActive(&w));
}

inline QString sessionText(const QString& path) {
    return QString::fromLatin1(WindowFixture::bytesOf(path));
}

} // namespace SimWindowSupport
