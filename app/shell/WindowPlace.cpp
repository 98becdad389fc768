#include "shell/WindowPlace.h"

#include <QGuiApplication>
#include <QScreen>
#include <QSettings>
#include <QTabWidget>
#include <QWidget>

namespace WindowPlace {

namespace {
const QString GeometryKey = QStringLiteral("Window/geometry");
const QString TabKey = QStringLiteral("Window/tab");
} // namespace

bool restoreAndShow(QWidget& window) {
    const QByteArray geometry = QSettings().value(GeometryKey).toByteArray();
    if (geometry.isEmpty() || !window.restoreGeometry(geometry)) return false;
    // A screen unplugged since: the window would open out of reach.
    const QPoint centre = window.frameGeometry().center();
    if (!QGuiApplication::screenAt(centre) && !window.isMaximized()) return false;
    window.show();
    return true;
}

int lastTab(const QTabWidget& tabs, int fallback) {
    bool ok = false;
    const int tab = QSettings().value(TabKey).toInt(&ok);
    return ok && tab >= 0 && tab < tabs.count() ? tab : fallback;
}

void save(const QWidget& window, const QTabWidget& tabs) {
    QSettings store;
    store.setValue(GeometryKey, window.saveGeometry());
    store.setValue(TabKey, tabs.currentIndex());
}

} // namespace WindowPlace
