// The simulator's controls as plain data. The window keeps one of these in step with the controls
// of the two simulator tabs (CSim::settings); the session file, the trajectory and the scene read
// it, and a session read (SessionFile::read) gives a whole new one, which the simulator then puts
// in force at once (CSim::applySession).
//
// Members are the controls' values: texts for text boxes and lists, integers for sliders, 0/1 for
// check boxes. Slider values always lie within their slider's range.
#pragma once

#include <QString>
#include <array>

// The range of one slider.
struct SliderRange {
    int minimum = 0;
    int maximum = 10;

    int clamp(int value) const;
    // Declared here, not after SimSettings, so that its defaulted comparison can use it.
    bool operator==(const SliderRange&) const = default;
};

struct SimSettings {
    // Session records, in file order (the record number is given for each).
    QString txtGroupSize = QStringLiteral("3"); // 1: inches at 100 yd
    // The group sizes the box accepts (its message names 30; groups up to 40 in. are taken).
    static constexpr float GroupSizeMin = 0.001f;
    static constexpr float GroupSizeMax = 40.0f;
    QString cboTarget;                                     // 2: picture in targetw/
    int sldZoom = 1;                                       // 3: magnification
    int sldWind = 0;                                       // 4: crosswind, mph
    QString txtWidth = QStringLiteral("12");               // 5: the target's vertical extent
    QString txtHeight = QStringLiteral("12");              // 6: its horizontal extent
    QString cboReticle = QStringLiteral("Select Reticle"); // 7: picture in sightw/
    int sldRange = 50;                                     // 8: range, yd or m
    //                                                           9: SimSession::sight
    QString txtFov = QStringLiteral("30"); // 10: feet at 100 yd, zoom 1
    int sldAngle = 0;                      // 11: target movement, degrees
    //                                                           12: chkTransparent out; read
    //                                                               back it is not used
    QString txtRedScore = QStringLiteral("1");        // 13
    QString txtBlueScore = QStringLiteral("-2");      // 14
    QString txtMissScore = QStringLiteral("0");       // 15
    QString txtNumberOfRounds = QStringLiteral("10"); // 16
    int flyerIndex = 0;                               // 17: optFlyer 0 "10%", 1 "5%", 2 "1%"
    QString cboBackground = QStringLiteral("Select Background"); // 18: picture in back/
    int sldSpeed = 0;                                            // 19: target speed, mph
    int chkUserGraphic = 0;                                      // 20: draw the reticle picture
    int chkGroupCircle = 0;                                      // 21
    int chkPOA = 0;                                              // 22
    bool optSimMetric1 = false;                                  // 23: metres rather than yards
    //                                                           24: the load data file's path
    QString txtSimNotes;                             // 25: may hold CR LF line breaks
    QString txtSimMaxRange = QStringLiteral("1000"); // 26
    int chkTransparent = 0;                          // 27
    //                                                           28, 29: SimSession::viewOffsetX/Y
    int chkShowHits = 0; // 30

    // The partner text boxes of the sliders.
    QString txtRange = QStringLiteral("50");
    QString txtZoom = QStringLiteral("1");
    QString txtAngle = QStringLiteral("0");
    QString txtSpeed = QStringLiteral("0");
    QString txtWind = QStringLiteral("0");

    double ucAngle = 90;   // the angle dial, degrees
    QString lblRoundsLeft; // "Shots Left = 10" after a session is read

    // Slider ranges; before the first session is read they are the controls' design-time 0..10.
    SliderRange rangeZoom, rangeWind, rangeRange, rangeAngle, rangeSpeed;

    bool isSimMetric() const { return optSimMetric1; }
    // Flyer probability in percent of the selected option: 10, 5 or 1.
    float flyerProbability() const;

    // The slider ranges a session is read with (wind -40..40, speed -30..30, zoom 1..50,
    // angle 0..359, range 2..2000); values are clamped into them.
    void propertiesPreLoad();
    // After a session: the range slider's maximum from txtSimMaxRange and the slider text boxes
    // from their sliders.
    void propertiesPostLoad();
    // "New" on a simulator tab: the controls a new session starts from (the file name, the
    // scores, the shots, the sight, the angle slider and the display switches stay).
    void newSession();

    bool operator==(const SimSettings&) const = default;
};
