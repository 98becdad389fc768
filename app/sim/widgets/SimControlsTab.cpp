#include "sim/widgets/SimControlsTab.h"

#include "controls/WidgetTags.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

QLineEdit* edit(const char* name) {
    auto* e = new QLineEdit;
    e->setObjectName(QString::fromLatin1(name));
    e->setMaximumWidth(90);
    return e;
}

QComboBox* list(const char* name) {
    auto* c = new QComboBox;
    c->setObjectName(QString::fromLatin1(name));
    // The list's text may name a picture that is not (or no longer) in its folder.
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->setMinimumContentsLength(18);
    return c;
}

QCheckBox* check(const char* name, const char* caption) {
    auto* c = new QCheckBox(QString::fromLatin1(caption));
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

// An option group: the buttons named name_0, name_1, ... in one exclusive group.
template <size_t N>
QGroupBox* options(const char* title, const char* name, const std::array<const char*, N>& captions,
                   std::array<QRadioButton*, N>& buttons, bool across) {
    auto* box = new QGroupBox(QString::fromLatin1(title));
    QBoxLayout* layout = across ? static_cast<QBoxLayout*>(new QHBoxLayout(box))
                                : static_cast<QBoxLayout*>(new QVBoxLayout(box));
    auto* group = new QButtonGroup(box);
    for (size_t i = 0; i < N; ++i) {
        auto* b = new QRadioButton(QString::fromLatin1(captions[i]));
        b->setObjectName(QString::fromLatin1(name) + '_' + QString::number(i));
        group->addButton(b, static_cast<int>(i));
        layout->addWidget(b);
        buttons[i] = b;
    }
    return box;
}

} // namespace

SimControlsTab::SimControlsTab(QWidget* parent) : QWidget(parent) {
    auto* left = new QVBoxLayout;
    left->addWidget(buildPictures());
    left->addWidget(buildScope());
    left->addWidget(buildScoring());
    left->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addWidget(buildShooting());
    right->addWidget(buildNotes(), 1);
    auto* columns = new QWidget;
    auto* both = new QHBoxLayout(columns);
    both->addLayout(left, 1);
    both->addLayout(right, 1);
    auto* page = new QVBoxLayout(this);
    page->setContentsMargins(0, 0, 0, 0);
    page->addWidget(WidgetTags::scrollPage(columns, "controlsPage"));
}

QWidget* SimControlsTab::buildPictures() {
    auto* box = new QGroupBox(QStringLiteral("Pictures"));
    auto* form = new QFormLayout(box);
    cboBackground = list("cboBackground");
    cboTarget = list("cboTarget");
    cboReticle = list("cboReticle");
    chkTransparent = check("chkTransparent", "Transparent");
    chkUserGraphic = check("chkUserGraphic", "User Graphic");
    txtWidth = edit("txtWidth");
    txtHeight = edit("txtHeight");
    form->addRow(QStringLiteral("Background"), cboBackground);
    form->addRow(QStringLiteral("Target"), cboTarget);
    form->addRow(QString(), chkTransparent);
    lblWidth = new QLabel(QStringLiteral("Width (in)"));
    lblWidth->setObjectName(QStringLiteral("lblWidth"));
    lblHeight = new QLabel(QStringLiteral("Height (in)"));
    lblHeight->setObjectName(QStringLiteral("lblHeight"));
    lblWidth->setBuddy(txtWidth);
    lblHeight->setBuddy(txtHeight);
    form->addRow(lblWidth, txtWidth);
    form->addRow(lblHeight, txtHeight);
    form->addRow(QStringLiteral("Reticle"), cboReticle);
    form->addRow(QString(), chkUserGraphic);
    return box;
}

QWidget* SimControlsTab::buildScope() {
    auto* holder = new QWidget;
    auto* col = new QVBoxLayout(holder);
    col->setContentsMargins(0, 0, 0, 0);
    col->addWidget(options<5>("Sights", "optSights",
                              {"MOA Crosshair", "Mildot", "Red Dot", "Ghost Ring", "None"},
                              optSights, false));
    return holder;
}

QWidget* SimControlsTab::buildShooting() {
    auto* box = new QGroupBox(QStringLiteral("Rifle and Range"));
    auto* grid = new QGridLayout(box);
    txtGroupSize = edit("txtGroupSize");
    txtFov = edit("txtFov");
    txtSimMaxRange = edit("txtSimMaxRange");
    lblMaxrange = new QLabel(QStringLiteral("Maximum Range (yd)"));
    lblMaxrange->setObjectName(QStringLiteral("lblMaxrange"));
    auto* groupLabel = lblGroupSize = new QLabel(QStringLiteral("Group Size (in @ 100 yd)"));
    lblGroupSize->setObjectName(QStringLiteral("lblGroupSize"));
    auto* fovLabel = lblFov = new QLabel(QStringLiteral("Field of View (ft @ 100 yd)"));
    lblFov->setObjectName(QStringLiteral("lblFov"));
    // Buddies, so that a screen reader names each box by its caption, not by the group.
    groupLabel->setBuddy(txtGroupSize);
    fovLabel->setBuddy(txtFov);
    lblMaxrange->setBuddy(txtSimMaxRange);
    grid->addWidget(groupLabel, 0, 0);
    grid->addWidget(txtGroupSize, 0, 1);
    grid->addWidget(fovLabel, 1, 0);
    grid->addWidget(txtFov, 1, 1);
    grid->addWidget(lblMaxrange, 2, 0);
    grid->addWidget(txtSimMaxRange, 2, 1);
    grid->addWidget(options<3>("Flyers", "optFlyer", {"10%", "5%", "1%"}, optFlyer, true), 3, 0, 1,
                    2);
    grid->addWidget(options<2>("Range Unit", "optSimMetric", {"Yard", "Meter"}, optSimMetric, true),
                    4, 0, 1, 2);
    return box;
}

QWidget* SimControlsTab::buildScoring() {
    auto* box = new QGroupBox(QStringLiteral("Scoring"));
    auto* form = new QFormLayout(box);
    txtRedScore = edit("txtRedScore");
    txtBlueScore = edit("txtBlueScore");
    txtMissScore = edit("txtMissScore");
    txtNumberOfRounds = edit("txtNumberOfRounds");
    form->addRow(QStringLiteral("Red Hit Points"), txtRedScore);
    form->addRow(QStringLiteral("Blue Hit Points"), txtBlueScore);
    form->addRow(QStringLiteral("Miss Points"), txtMissScore);
    form->addRow(QStringLiteral("Rounds per Session"), txtNumberOfRounds);
    return box;
}

QWidget* SimControlsTab::buildNotes() {
    auto* box = new QGroupBox(QStringLiteral("Session Notes"));
    auto* col = new QVBoxLayout(box);
    txtSimNotes = new QPlainTextEdit;
    txtSimNotes->setObjectName(QStringLiteral("txtSimNotes"));
    // Tab moves on, as in the load's notes: the notes are a field of the form, not a document.
    txtSimNotes->setTabChangesFocus(true);
    col->addWidget(txtSimNotes);
    return box;
}
