#include "sim/widgets/SimulatorTab.h"

#include "sim/SimCaptions.h"

#include "controls/WidgetTags.h"
#include "sim/widgets/HudView.h"
#include "sim/widgets/UserControl1.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>

namespace {

// The sliders with their partner boxes, one row each: large step and tick spacing as a shooter
// steps them (ranges are set when a session is read).
struct SliderRow {
    QSlider* SimulatorTab::*slider;
    QLineEdit* SimulatorTab::*box;
    QLabel* SimulatorTab::*label; // a caption that changes, or none
    const char* sliderName;
    const char* boxName;
    const char* labelName;
    const char* caption;
    int largeStep;
    int tickSpacing;
};

constexpr SliderRow sliderRows[] = {
    {&SimulatorTab::sldRange, &SimulatorTab::txtRange, &SimulatorTab::lblRange, "sldRange",
     "txtRange", "lblRange", "Range (yd)", 50, 100},
    {&SimulatorTab::sldWind, &SimulatorTab::txtWind, &SimulatorTab::lblWind, "sldWind", "txtWind",
     "lblWind", "Crosswind (mph)", 10, 10},
    {&SimulatorTab::sldZoom, &SimulatorTab::txtZoom, nullptr, "sldZoom", "txtZoom", nullptr, "Zoom",
     1, 5},
    {&SimulatorTab::sldSpeed, &SimulatorTab::txtSpeed, &SimulatorTab::lblSpeed, "sldSpeed",
     "txtSpeed", "lblSpeed", "Target Speed (mph)", 1, 5},
    {&SimulatorTab::sldAngle, &SimulatorTab::txtAngle, nullptr, "sldAngle", "txtAngle", nullptr,
     "Target Direction (deg)", 10, 45},
};

struct ScoreLabel {
    QLabel* SimulatorTab::*label;
    const char* name;
    const char* caption;
};

constexpr ScoreLabel scoreLabels[] = {
    {&SimulatorTab::lblHits, "lblHits", "Red Hits: 0"},
    {&SimulatorTab::lblBlueHits, "lblBlueHits", "Blue Hits: 0"},
    {&SimulatorTab::lblMisses, "lblMisses", "Misses: 0"},
    {&SimulatorTab::lblRoundsLeft, "lblRoundsLeft", "Rounds Left: 10"},
    {&SimulatorTab::lblSessionScore, "lblSessionScore", "Session Score: 0"},
    {&SimulatorTab::lblTotalScore, "lblTotalScore", "Total Score: 0"},
};

QPushButton* button(const char* name, const char* caption) {
    auto* b = new QPushButton(QString::fromLatin1(caption));
    b->setObjectName(QString::fromLatin1(name));
    return b;
}

} // namespace

SimulatorTab::SimulatorTab(QWidget* parent) : QWidget(parent) {
    picHUD = new HudView;
    picHUD->setAccessibleName(QStringLiteral("Scope view"));
    auto* panel = new QVBoxLayout;
    panel->addWidget(buildAim());
    CmdFire = button("CmdFire", "Fire");
    CmdFire->setMinimumHeight(44);
    QFont big = CmdFire->font();
    big.setBold(true);
    CmdFire->setFont(big);
    panel->addWidget(CmdFire);
    panel->addWidget(buildScores());
    panel->addWidget(buildButtons());
    panel->addWidget(buildDisplay());
    // What the group should have hit, with the hits made: below the rest of the panel, so that
    // nothing above it moves.
    lblExpectedHits = new QLabel(SimCaptions::expectedHits(0, 0));
    lblExpectedHits->setObjectName(QStringLiteral("lblExpectedHits"));
    lblExpectedHits->setToolTip(
        QStringLiteral("The hits the group should make on the target's rectangle, from the group "
                       "size and the aim, summed over the session's shots."));
    panel->addWidget(lblExpectedHits);
    panel->addStretch(1);

    // On a small screen the controls scroll rather than push the window past the screen's edge
    // (the window cannot be smaller than its pages).
    auto* panelPage = new QWidget;
    panelPage->setLayout(panel);

    auto* page = new QHBoxLayout(this);
    page->setContentsMargins(4, 4, 4, 4);
    page->addWidget(picHUD, 0, Qt::AlignTop | Qt::AlignLeft);
    page->addWidget(WidgetTags::scrollPage(panelPage, "simulatorPanel"), 1);
}

QSize SimulatorTab::viewRoom() const {
    const QMargins m = layout() ? layout()->contentsMargins() : QMargins();
    return {width() - m.left() - m.right(), height() - m.top() - m.bottom()};
}

QWidget* SimulatorTab::buildAim() {
    auto* box = new QGroupBox(QStringLiteral("Aim"));
    auto* grid = new QGridLayout(box);
    int row = 0;
    for (const SliderRow& r : sliderRows) {
        auto* label = new QLabel(QString::fromLatin1(r.caption));
        auto* slider = new QSlider(Qt::Horizontal);
        slider->setObjectName(QString::fromLatin1(r.sliderName));
        slider->setRange(0, 10);
        slider->setPageStep(r.largeStep);
        slider->setTickInterval(r.tickSpacing);
        slider->setTickPosition(QSlider::TicksBelow);
        auto* edit = new QLineEdit;
        edit->setObjectName(QString::fromLatin1(r.boxName));
        edit->setMaximumWidth(70);
        // Read aloud by their own names, not the group's: the slider through its caption, the
        // box as the caption without its unit, which the caption already says.
        label->setBuddy(slider);
        edit->setAccessibleName(QString::fromLatin1(r.caption).section(QStringLiteral(" ("), 0, 0));
        this->*r.slider = slider;
        this->*r.box = edit;
        grid->addWidget(label, row, 0);
        grid->addWidget(slider, row, 1);
        grid->addWidget(edit, row, 2);
        if (r.label) {
            this->*r.label = label;
            label->setObjectName(QString::fromLatin1(r.labelName));
        }
        ++row;
        if (r.slider == &SimulatorTab::sldZoom) {
            lblFovZoom = new QLabel;
            lblFovZoom->setObjectName(QStringLiteral("lblFovZoom"));
            grid->addWidget(lblFovZoom, row++, 1, 1, 2);
        }
    }
    ucAngle = new UserControl1;
    ucAngle->setFixedSize(72, 72);
    grid->addWidget(ucAngle, row, 1, 1, 2, Qt::AlignHCenter);
    grid->setColumnStretch(1, 1);
    return box;
}

QWidget* SimulatorTab::buildScores() {
    auto* box = new QGroupBox(QStringLiteral("Score"));
    auto* grid = new QGridLayout(box);
    int i = 0;
    for (const ScoreLabel& s : scoreLabels) {
        auto* label = new QLabel(QString::fromLatin1(s.caption));
        label->setObjectName(QString::fromLatin1(s.name));
        this->*s.label = label;
        grid->addWidget(label, i % 3, i / 3);
        ++i;
    }
    return box;
}

QWidget* SimulatorTab::buildButtons() {
    auto* holder = new QWidget;
    auto* rows = new QVBoxLayout(holder);
    rows->setContentsMargins(0, 0, 0, 0);
    auto* resets = new QHBoxLayout;
    cmdResetScore = button("cmdResetScore", "Reset Session");
    cmdResetTotal = button("cmdResetTotal", "Reset Total");
    cmdCenterTarget = button("cmdCenterTarget", "Center");
    resets->addWidget(cmdResetScore);
    resets->addWidget(cmdResetTotal);
    resets->addWidget(cmdCenterTarget);
    rows->addLayout(resets);

    auto* next = new QHBoxLayout;
    cmdNext[0] = button("cmdNext_0", "<");
    cmdNext[1] = button("cmdNext_1", ">");
    for (QPushButton* b : cmdNext)
        b->setMaximumWidth(40);
    cmdNext[0]->setAccessibleName(QStringLiteral("Previous session"));
    cmdNext[0]->setToolTip(QStringLiteral("Open the previous session in the folder"));
    cmdNext[1]->setAccessibleName(QStringLiteral("Next session"));
    cmdNext[1]->setToolTip(QStringLiteral("Open the next session in the folder"));
    auto* label = new QLabel(QStringLiteral("Next Session"));
    label->setObjectName(QStringLiteral("lblNextSession"));
    label->setAlignment(Qt::AlignCenter);
    next->addWidget(cmdNext[0]);
    next->addWidget(label, 1);
    next->addWidget(cmdNext[1]);
    rows->addLayout(next);
    return holder;
}

QWidget* SimulatorTab::buildDisplay() {
    auto* box = new QGroupBox(QStringLiteral("Display"));
    auto* col = new QVBoxLayout(box);
    chkShowHits = new QCheckBox(QStringLiteral("Show Hits"));
    chkShowHits->setObjectName(QStringLiteral("chkShowHits"));
    chkGroupCircle = new QCheckBox(QStringLiteral("Show Group Circle"));
    chkGroupCircle->setObjectName(QStringLiteral("chkGroupCircle"));
    chkPOA = new QCheckBox(QStringLiteral("Show Point of Aim"));
    chkPOA->setObjectName(QStringLiteral("chkPOA"));
    col->addWidget(chkShowHits);
    col->addWidget(chkGroupCircle);
    col->addWidget(chkPOA);
    return box;
}
