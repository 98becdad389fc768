#include "shell/frmOptions.h"

#include "load/LoadForm.h"
#include "load/LoadModel.h"
#include "services/Problem.h"
#include "services/Prompt.h"
#include "shell/Desktop.h"
#include "shell/DialogButtons.h"
#include "shell/ScreenFont.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {
// One frame of the dialog: its option pair, captions, and where option 1 is kept.
struct OptionFrame {
    const char* name; // control array name
    const char* frameName;
    const char* caption;
    const char* option0;
    const char* option1;
    bool LoadForm::*pending;
    bool MainValues::*variable;
};

// In the order of frmOptions::pairs.
constexpr OptionFrame frames[] = {
    {"optRR", "fraRR", "Vertical Angle Calculation", "Cosine Range", "Cosine Drop (best)",
     &LoadForm::optRR1, &MainValues::isCosineDrop},
    {"optComma", "fraComma", "Text Separator", "Space", "Comma", &LoadForm::optComma1,
     &MainValues::isComma},
    {"opt3D", "fra3D", "Graph", "2D", "3D", &LoadForm::opt3D1, &MainValues::is3D},
    {"optMoa", "fraMoa", "Point Of Aim Adjustment", "Mils - Use Mildot to hold off",
     "MOA - 1/4 MOA Scope Adjustment Clicks", &LoadForm::optMoa1, &MainValues::isMoa},
};

QPushButton* makeButton(QWidget* parent, const char* name, const char* caption) {
    auto* button = new QPushButton(QString::fromUtf8(caption), parent);
    button->setObjectName(QString::fromLatin1(name));
    button->setAutoDefault(false);
    return button;
}
} // namespace

frmOptions::frmOptions(LoadForm& form, MainValues& values, ScreenFont& screenFont,
                       QWidget* mainWindow, QWidget* parent)
    : QDialog(parent), form(form), values(values), screenFont(screenFont), mainWindow(mainWindow) {
    setObjectName(QStringLiteral("frmOptions"));
    setWindowTitle(QStringLiteral("Quorvel Options"));
    setModal(true);

    auto* grid = new QGridLayout;
    for (int i = 0; i < 4; ++i) {
        const OptionFrame& f = frames[i];
        auto* frame = new QGroupBox(QString::fromUtf8(f.caption), this);
        frame->setObjectName(QString::fromLatin1(f.frameName));
        auto* column = new QVBoxLayout(frame);
        OptionPair& pair = *pairs[i];
        const char* captions[2] = {f.option0, f.option1};
        for (int k = 0; k < 2; ++k) {
            pair[k] = new QRadioButton(QString::fromUtf8(captions[k]), frame);
            pair[k]->setObjectName(QString::fromLatin1(f.name) + QString::number(k));
            column->addWidget(pair[k]);
        }
        grid->addWidget(frame, i / 2, i % 2);
    }

    cmdFonts = makeButton(this, "cmdFonts", "Screen Font");
    cmdAssociate = makeButton(this, "cmdAssociate", "Associate File Extension");
    // OK, Cancel and Apply in the desktop's order: Enter is OK, Esc is Cancel.
    auto* buttons = new QDialogButtonBox(
        QDialogButtonBox::Ok | QDialogButtonBox::Cancel | QDialogButtonBox::Apply, this);
    buttons->setObjectName(QStringLiteral("buttons"));
    const std::pair<QPushButton**, std::pair<QDialogButtonBox::StandardButton, const char*>>
        named[] = {{&cmdOK, {QDialogButtonBox::Ok, "OK"}},
                   {&cmdCancel, {QDialogButtonBox::Cancel, "Cancel"}},
                   {&cmdApply, {QDialogButtonBox::Apply, "Apply"}}};
    for (const auto& [button, which] : named) {
        *button = buttons->button(which.first);
        (*button)->setText(QString::fromLatin1(which.second));
        (*button)->setObjectName(QStringLiteral("cmd") + QString::fromLatin1(which.second));
        (*button)->setAutoDefault(false);
    }
    cmdOK->setDefault(true);

    auto* tools = new QHBoxLayout;
    tools->addWidget(cmdFonts);
    tools->addWidget(cmdAssociate);
    tools->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(tools);
    layout->addWidget(buttons);
    DialogButtons::followLayout(cmdAssociate, buttons);

    connect(cmdApply, &QPushButton::clicked, this, &frmOptions::cmdApply_Click);
    connect(buttons, &QDialogButtonBox::accepted, this, &frmOptions::cmdOK_Click);
    connect(buttons, &QDialogButtonBox::rejected, this, &frmOptions::cmdCancel_Click);
    connect(cmdFonts, &QPushButton::clicked, this, &frmOptions::cmdFonts_Click);
    connect(cmdAssociate, &QPushButton::clicked, this, &frmOptions::cmdAssociate_Click);

    loadFromVariables();
}

void frmOptions::loadFromVariables() {
    for (int i = 0; i < 4; ++i) {
        const bool chosen = values.*(frames[i].variable);
        (*pairs[i])[1]->setChecked(chosen);
        (*pairs[i])[0]->setChecked(!chosen);
    }
}

void frmOptions::cmdApply_Click() {
    for (int i = 0; i < 4; ++i) {
        const bool chosen = (*pairs[i])[1]->isChecked();
        form.*(frames[i].pending) = chosen;
        values.*(frames[i].variable) = chosen;
    }
}

void frmOptions::cmdOK_Click() {
    cmdApply_Click();
    accept();
}

void frmOptions::cmdCancel_Click() {
    reject();
}

void frmOptions::cmdFonts_Click() {
    screenFont.FormFont(mainWindow);
}

void frmOptions::cmdAssociate_Click() {
    QString error;
    if (Desktop::assocCreate(QStringLiteral(".qvt"), QStringLiteral("Quorvel.Document"),
                             Desktop::associationCommand(), &error))
        prompt().ask(QStringLiteral("The file association has been made!"), QString(),
                     PromptButtons::Ok, PromptIcon::None);
    else
        Problems::report(Problem::failure(QStringLiteral("frmOptions"),
                                          QStringLiteral("cmdAssociate_Click"), 75, error));
}

void frmOptions::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    centreOnScreen();
}

void frmOptions::centreOnScreen() {
    const QScreen* s = screen();
    if (!s) return;
    const QRect area = s->geometry();
    move(area.left() + (area.width() - width()) / 2, area.top() + (area.height() - height()) / 2);
}
