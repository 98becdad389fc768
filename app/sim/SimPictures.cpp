#include "sim/SimPictures.h"
#include "services/ErrorNumbers.h"

#include "services/AppFolders.h"
#include "sim/Raster.h"

#include <QFileInfo>
#include <utility>

namespace {

// The stretched copy of a picture; smooth for scenery, nearest for pictures whose exact white
// and black must survive (reticle masks).
QImage stretched(const QImage& picture, QSize view, bool smooth) {
    if (picture.isNull() || view.isEmpty()) return {};
    if (picture.size() == view) return picture;
    return picture
        .scaled(view, Qt::IgnoreAspectRatio,
                smooth ? Qt::SmoothTransformation : Qt::FastTransformation)
        .convertToFormat(QImage::Format_RGB32);
}

} // namespace

QString SimPictures::backgroundPath(const QString& name) {
    return MSmallBallStruct::appPath(QStringLiteral("back/") + name);
}
QString SimPictures::targetWhitePath(const QString& name) {
    return MSmallBallStruct::appPath(QStringLiteral("targetw/") + name);
}
QString SimPictures::targetBlackPath(const QString& name) {
    // Made by the program: in the user's data folder when the application folder is read-only.
    return MSmallBallStruct::dataPath(QStringLiteral("targetb/") + name);
}
QString SimPictures::reticleWhitePath(const QString& name) {
    return MSmallBallStruct::appPath(QStringLiteral("sightw/") + name);
}
QString SimPictures::reticleBlackPath(const QString& name) {
    return MSmallBallStruct::dataPath(QStringLiteral("sightb/") + name);
}
QString SimPictures::helloPath() {
    return MSmallBallStruct::appPath(QStringLiteral("hello.bmp"));
}

bool PictureChoice::isCurrent(const QString& chosen, const QString& path, QSize forView) const {
    const QFileInfo file(path);
    return chosen == name && file.lastModified() == modified && file.size() == bytes &&
           (refused || forView == view);
}

void PictureChoice::remember(const QString& chosen, const QString& path, QSize forView,
                             bool wasRefused) {
    const QFileInfo file(path);
    name = chosen;
    modified = file.lastModified();
    bytes = file.size();
    view = forView;
    refused = wasRefused;
}

bool SimPictures::validateBackground(QString& listText, QSize view) {
    if (listText.isEmpty()) return false;
    QString path = backgroundPath(listText);
    const bool exists = MSmallBallStruct::FileExists(path);
    if (backgroundChoice.isCurrent(listText, path, view)) return false;
    if (!exists) {
        backgroundChoice = {}; // a file that turns up later is loaded when chosen again
        listText.clear();
        background = QImage();
        return true;
    }
    loadBackground(listText, path, view);
    return true;
}

bool SimPictures::validateTarget(QString& listText, QSize view) {
    if (listText.isEmpty()) return false;
    QString path = targetWhitePath(listText);
    const bool exists = MSmallBallStruct::FileExists(path);
    if (targetChoice.isCurrent(listText, path, view)) return false;
    targetFileW = targetWhitePath(listText);
    targetFileB = targetBlackPath(listText);
    if (!exists) {
        targetChoice = {};
        listText.clear();
        targetW = targetB = QImage();
        targetName.clear();
        return true;
    }
    loadTarget(listText, path, view);
    return true;
}

bool SimPictures::validateReticle(QString& listText, QSize view) {
    if (listText.isEmpty()) return false;
    QString path = reticleWhitePath(listText);
    const bool exists = MSmallBallStruct::FileExists(path);
    if (reticleChoice.isCurrent(listText, path, view)) return false;
    if (!exists) {
        // The list keeps its text; only the picture is gone.
        reticleChoice = {};
        reticleLoaded = false;
        return true;
    }
    loadReticle(listText, path, view);
    return true;
}

void SimPictures::follow(const QString& backgroundName, const QString& target,
                         const QString& reticle, QSize view) {
    QString b = backgroundName, t = target, r = reticle;
    validateBackground(b, view);
    if (t.isEmpty())
        targetName.clear();
    else
        validateTarget(t, view);
    validateReticle(r, view);
}

const QImage& SimPictures::sceneBackground(const QString& backgroundName, QSize view) {
    if (!backgroundName.isEmpty()) {
        QString name = backgroundName;
        validateBackground(name, view);
        if (!name.isEmpty() && !backgroundChoice.refused && background.size() == view)
            return background;
    }
    return emptyScene(view);
}

const QImage& SimPictures::emptyScene(QSize view) {
    const QString path = helloPath();
    const QString name = QStringLiteral("hello.bmp");
    if (!helloChoice.isCurrent(name, path, QSize())) {
        // Missing, it leaves a plain face without a word; damaged, it is reported once.
        const bool exists = QFileInfo(path).isFile();
        helloPicture = exists ? Raster::loadPicture(path) : QImage();
        const bool refused = exists && helloPicture.isNull();
        helloChoice.remember(name, path, QSize(), refused);
        if (refused) refuse("drawBackground");
        hello = QImage();
    }
    if (hello.size() != view && !view.isEmpty()) {
        hello = stretched(helloPicture, view, true);
        if (hello.isNull()) {
            // A plain face, as an empty picture box shows.
            hello = QImage(view, QImage::Format_RGB32);
            hello.fill(QColor(240, 240, 240));
        }
    }
    return hello;
}

void SimPictures::loadBackground(const QString& name, const QString& path, QSize view) {
    const QImage picture = Raster::loadPicture(path);
    backgroundChoice.remember(name, path, view, picture.isNull());
    if (picture.isNull()) {
        refuse("cboBackgroundValidate");
        background = QImage();
        return;
    }
    background = stretched(picture, view, true);
}

void SimPictures::loadTarget(const QString& name, const QString& path, QSize view) {
    targetW = Raster::loadPicture(path);
    targetName = name;
    targetChoice.remember(name, path, view, targetW.isNull());
    if (targetW.isNull()) {
        refuse("cboTargetValidate");
        targetB = QImage();
        return;
    }
    targetB = blackVersion(targetW, path, targetFileB, "targetb/", "cboTargetValidate");
}

void SimPictures::loadReticle(const QString& name, const QString& path, QSize view) {
    const QImage white = Raster::loadPicture(path);
    reticleChoice.remember(name, path, view, white.isNull());
    if (white.isNull()) {
        refuse("cboReticleValidate");
        reticleLoaded = false;
        reticleW = reticleB = QImage();
        return;
    }
    const QImage black =
        blackVersion(white, path, reticleBlackPath(name), "sightb/", "cboReticleValidate");
    reticleW = stretched(white, view, false);
    reticleB = stretched(black, view, false);
    reticleLoaded = !reticleW.isNull();
}

void SimPictures::fail(const char* operation, long number, const QString& text) {
    problems.append(
        Problem::failure(QStringLiteral("CSim"), QString::fromLatin1(operation), number, text));
}

void SimPictures::refuse(const char* operation) {
    fail(operation, ErrorNumbers::InvalidPicture, QStringLiteral("Invalid picture"));
}

QList<Problem> SimPictures::takeProblems() {
    return std::exchange(problems, {});
}

QImage SimPictures::blackVersion(const QImage& white, const QString& whitePath,
                                 const QString& blackPath, const char* folder,
                                 const char* operation) {
    // A black file of the exact name only (a copy elsewhere belongs to another picture), and
    // only while it still belongs to this white one: whole, of its size, and not older.
    const QFileInfo blackFile(blackPath);
    if (blackFile.isFile() && blackFile.lastModified() >= QFileInfo(whitePath).lastModified()) {
        const QImage black = Raster::loadPicture(blackPath);
        if (black.size() == white.size()) return black;
    }
    const QImage black = Raster::convertWhiteToBlack(white);
    // Saved where the program may write (the user's data folder when the application folder is
    // read-only), and only ever as a plain file of the black folder, whatever the name holds.
    const QString target = MSmallBallStruct::writablePath(
        QString::fromLatin1(folder) + MSmallBallStruct::shortFilename(blackPath));
    if (!Raster::saveBitmap(black, target))
        fail(operation, ErrorNumbers::PathAccess, QStringLiteral("Path/File access error"));
    return black;
}
