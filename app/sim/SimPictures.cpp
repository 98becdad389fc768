#include "sim/SimPictures.h"

#include "services/MSmallBallStruct.h"
#include "sim/Raster.h"

#include <QFileInfo>

namespace {

bool fileExists(const QString& path) {
    QString p = path;
    return MSmallBallStruct::FileExists(p);
}

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

bool SimPictures::validateBackground(QString& listText, QSize view) {
    if (listText.isEmpty()) return false;
    if (listText == lastBackground && backgroundHeight == view.height()) return false;
    lastBackground = listText;
    backgroundHeight = view.height();
    if (!fileExists(backgroundPath(listText))) {
        lastBackground.clear(); // a file that turns up later is loaded when chosen again
        listText.clear();
        background = QImage();
        return true;
    }
    loadBackground(listText, view);
    return true;
}

bool SimPictures::validateTarget(QString& listText, QSize view) {
    if (listText.isEmpty()) return false;
    if (listText == lastTarget && targetHeight == view.height()) return false;
    lastTarget = listText;
    targetHeight = view.height();
    targetFileW = targetWhitePath(listText);
    targetFileB = targetBlackPath(listText);
    if (!fileExists(targetFileW)) {
        lastTarget.clear();
        listText.clear();
        targetW = targetB = QImage();
        targetName.clear();
        return true;
    }
    loadTarget(listText);
    return true;
}

bool SimPictures::validateReticle(QString& listText, QSize view) {
    if (listText.isEmpty()) return false;
    if (listText == lastReticle && reticleHeight == view.height()) return false;
    lastReticle = listText;
    reticleHeight = view.height();
    if (!fileExists(reticleWhitePath(listText))) {
        // The list keeps its text; only the picture is gone.
        lastReticle.clear();
        reticleLoaded = false;
        return true;
    }
    loadReticle(listText, view);
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
    if (!backgroundName.isEmpty() && fileExists(backgroundPath(backgroundName))) {
        if (backgroundName != lastBackground || background.size() != view) {
            lastBackground = backgroundName;
            backgroundHeight = view.height();
            loadBackground(backgroundName, view);
        }
        if (!background.isNull()) return background;
    }
    if (hello.isNull() || helloSize != view) {
        helloSize = view;
        hello = stretched(Raster::loadPicture(helloPath()), view, true);
        if (hello.isNull() && !view.isEmpty()) {
            // No empty-scene picture at all: a plain face, as an empty picture box shows.
            hello = QImage(view, QImage::Format_RGB32);
            hello.fill(QColor(240, 240, 240));
        }
    }
    return hello;
}

void SimPictures::loadBackground(const QString& name, QSize view) {
    QString path = backgroundPath(name);
    MSmallBallStruct::FileExists(path);
    const QImage picture = Raster::loadPicture(path);
    if (picture.isNull()) {
        MSmallBallStruct::HandleError("CSim", "cboBackgroundValidate", 481, "Invalid picture");
        background = QImage();
        return;
    }
    background = stretched(picture, view, true);
}

void SimPictures::loadTarget(const QString& name) {
    QString path = targetFileW;
    MSmallBallStruct::FileExists(path);
    targetW = Raster::loadPicture(path);
    targetName = name;
    if (targetW.isNull()) {
        MSmallBallStruct::HandleError("CSim", "cboTargetValidate", 481, "Invalid picture");
        targetB = QImage();
        return;
    }
    targetB = blackVersion(targetW, targetFileB, "cboTargetValidate");
}

void SimPictures::loadReticle(const QString& name, QSize view) {
    QString path = reticleWhitePath(name);
    MSmallBallStruct::FileExists(path);
    const QImage white = Raster::loadPicture(path);
    if (white.isNull()) {
        MSmallBallStruct::HandleError("CSim", "cboReticleValidate", 481, "Invalid picture");
        reticleLoaded = false;
        return;
    }
    const QImage black = blackVersion(white, reticleBlackPath(name), "cboReticleValidate");
    reticleW = stretched(white, view, false);
    reticleB = stretched(black, view, false);
    reticleLoaded = !reticleW.isNull();
}

QImage SimPictures::blackVersion(const QImage& white, const QString& blackPath,
                                 const char* operation) {
    // A black file of the exact name only: a copy elsewhere belongs to another picture.
    if (QFileInfo::exists(blackPath)) {
        const QImage black = Raster::loadPicture(blackPath);
        if (!black.isNull()) return black;
    }
    const QImage black = Raster::convertWhiteToBlack(white);
    // Saved where the program may write (the user's data folder when the application folder is
    // read-only), and only ever as a plain file of the black folder, whatever the name holds.
    const char* folder = blackPath == targetFileB ? "targetb/" : "sightb/";
    const QString target = MSmallBallStruct::writablePath(
        QString::fromLatin1(folder) + MSmallBallStruct::shortFilename(blackPath));
    if (!Raster::saveBitmap(black, target))
        MSmallBallStruct::HandleError("CSim", operation, 75, "Path/File access error");
    return black;
}
