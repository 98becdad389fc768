// The simulator's pictures: the background stretched to the view, the target in its white and
// black versions, the reticle pair stretched to the view, and the empty-scene picture. Each is
// loaded when its name or the view's size changes, never at every redraw. Black versions missing
// from "targetb/" and "sightb/" are made from the white ones and saved there for later runs.
#pragma once

#include <QImage>
#include <QSize>
#include <QString>

class SimPictures {
public:
    // Files of the application folder.
    static QString backgroundPath(const QString& name);
    static QString targetWhitePath(const QString& name);
    static QString targetBlackPath(const QString& name);
    static QString reticleWhitePath(const QString& name);
    static QString reticleBlackPath(const QString& name);
    static QString helloPath();
    // The built-in scoring target whose zone colours are sampled when it is chosen.
    static constexpr const char* RedBlueTarget = "redBlue.gif";

    // The list validations: load the picture named by the list's text for a view of `view`
    // pixels. A name without a file empties `listText`. Nothing happens for an empty text or
    // when the same name is already loaded for a view of the same height. `operation` names the
    // caller for error reports. True when something was (re)loaded or cleared.
    bool validateBackground(QString& listText, QSize view);
    bool validateTarget(QString& listText, QSize view);
    bool validateReticle(QString& listText, QSize view);

    // The same loads for drawing straight from a set of texts (a test, a print): the pictures
    // follow the names, the texts are not touched.
    void follow(const QString& background, const QString& target, const QString& reticle,
                QSize view);

    // The background for a view: the chosen picture when its file exists, else the empty-scene
    // picture, both at the view's size.
    const QImage& sceneBackground(const QString& backgroundName, QSize view);

    QImage background; // picBackground, at the view's size once stretched
    QImage targetW;    // picTargetW, the picture's own size
    QImage targetB;    // picTargetB
    QImage reticleW;   // picReticleW, at the view's size
    QImage reticleB;   // picReticleB, at the view's size
    bool reticleLoaded = false;
    QString targetFileW, targetFileB;
    QString targetName; // the name targetW holds, empty when none

private:
    void loadBackground(const QString& name, QSize view);
    void loadTarget(const QString& name);
    void loadReticle(const QString& name, QSize view);
    // The black version from its file, or made from the white one and saved there.
    QImage blackVersion(const QImage& white, const QString& blackPath, const char* operation);

    QString lastBackground, lastTarget, lastReticle;
    int backgroundHeight = -1, targetHeight = -1, reticleHeight = -1;
    QImage hello;
    QSize helloSize;
};
