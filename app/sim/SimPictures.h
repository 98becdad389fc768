// The simulator's pictures: the background stretched to the view, the target in its white and
// black versions, the reticle pair stretched to the view, and the empty-scene picture. Each is
// loaded when its name, its file or the view's size changes, never at every redraw. A picture
// that is not whole is refused with one message per choice: redraws, tab switches and resizing
// do not load it again. Black versions in "targetb/" and "sightb/" are made from the white ones
// when missing, damaged, of another size or older than the white file, and saved for later runs.
#pragma once

#include "services/Problem.h"

#include <QDateTime>
#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// What a list last loaded: the name, the file as it was then, the view it was sized for, and
// whether it was refused. The same name and an unchanged file mean nothing new to load or
// report; a new view matters only to a picture that was loaded.
struct PictureChoice {
    QString name;
    QDateTime modified;
    qint64 bytes = -1;
    QSize view;
    bool refused = false;

    bool isCurrent(const QString& chosen, const QString& path, QSize forView) const;
    void remember(const QString& chosen, const QString& path, QSize forView, bool wasRefused);
};

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
    // pixels. A name without a file empties `listText`. Nothing happens for an empty text, when
    // the same name and file are already loaded for a view of the same size, or when they
    // were refused (whatever the view). True when something was (re)loaded or cleared.
    bool validateBackground(QString& listText, QSize view);
    bool validateTarget(QString& listText, QSize view);
    bool validateReticle(QString& listText, QSize view);

    // The same loads for drawing straight from a set of texts (a test, a print): the pictures
    // follow the names, the texts are not touched.
    void follow(const QString& background, const QString& target, const QString& reticle,
                QSize view);

    // The background for a view: the chosen picture when its file exists and is whole, else the
    // empty-scene picture, both at the view's size.
    const QImage& sceneBackground(const QString& backgroundName, QSize view);

    QImage background; // picBackground, at the view's size once stretched
    QImage targetW;    // picTargetW, the picture's own size
    QImage targetB;    // picTargetB
    QImage reticleW;   // picReticleW, at the view's size
    QImage reticleB;   // picReticleB, at the view's size
    bool reticleLoaded = false;
    QString targetFileW, targetFileB;
    QString targetName; // the name targetW holds, empty when none

    // The failures since the last take, in the order they arose ("CSim <operation>: 481 -
    // Invalid picture", a black version that could not be saved), for the entry point to report.
    // The scene adds its own drawing failures to the same list.
    QList<Problem> takeProblems();
    void fail(const char* operation, long number, const QString& text);

private:
    void loadBackground(const QString& name, const QString& path, QSize view);
    void loadTarget(const QString& name, const QString& path, QSize view);
    void loadReticle(const QString& name, const QString& path, QSize view);
    // The black version from its file, or made from the white one and saved in `folder`.
    QImage blackVersion(const QImage& white, const QString& whitePath, const QString& blackPath,
                        const char* folder, const char* operation);
    // "hello.bmp" at the view's size; a plain face when it is missing or refused.
    const QImage& emptyScene(QSize view);
    void refuse(const char* operation); // the picture is not whole

    QList<Problem> problems;

    PictureChoice backgroundChoice, targetChoice, reticleChoice, helloChoice;
    QImage helloPicture; // as loaded
    QImage hello;        // at the view's size
};
