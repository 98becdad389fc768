#include "shell/GraphMenus.h"

#include "load/CompareFile.h"
#include "services/MSmallBallStruct.h"
#include "shell/GraphTab.h"
#include "shell/InputTab.h"
#include "shell/dlgChronoVel.h"
#include "shell/dlgPointBlank.h"
#include "shell/ui.h"

#include <QAction>
#include <QBoxLayout>
#include <QComboBox>
#include <QLineEdit>
#include <QTabWidget>
#include <exception>
#include <memory>

namespace GraphMenus {

namespace {

constexpr long unexpected = 51;

QAction* useCompareItem(ui& window) {
    return window.action(QStringLiteral("mnuUseCompare"));
}

void setComparison(ui& window, const QString& path) {
    window.model.form.compareFile = path;
    window.compareFile = path;
    if (!path.isEmpty()) window.compareName = CompareFile::compareName(path);
}

// The list shows on the Graph tab while it is current and on the Input tab otherwise.
void followTab(ui& window, GraphTab* page, int tab) {
    QComboBox* box = window.inputTab->cboCompare;
    if (tab == ui::GraphPage) {
        page->borrowCompareBox(box);
    } else if (tab == ui::InputPage && window.inputTab->compareSlot &&
               window.inputTab->compareSlot->indexOf(box) < 0) {
        window.inputTab->compareSlot->addWidget(box);
        box->setVisible(true);
    }
}

void connectCompareBox(ui& window) {
    QComboBox* box = window.inputTab->cboCompare;
    QObject::connect(box, &QComboBox::textActivated, &window,
                     [&window](const QString& text) { cboCompare_Click(window, text); });
    // Leaving the box after typing a name; merely passing through it changes nothing.
    if (QLineEdit* edit = box->lineEdit()) {
        auto typed = std::make_shared<bool>(false);
        QObject::connect(edit, &QLineEdit::textEdited, &window, [typed] { *typed = true; });
        QObject::connect(edit, &QLineEdit::editingFinished, &window, [&window, box, typed] {
            if (!*typed) return;
            *typed = false;
            cboCompare_Click(window, box->currentText());
        });
        QObject::connect(box, &QComboBox::textActivated, &window, [typed] { *typed = false; });
    }
}

} // namespace

GraphTab* install(ui& window) {
    auto* page = new GraphTab(window.model, window.txt, window.loadDoc.dat);
    window.setPage(ui::GraphPage, page);
    window.hooks.refreshGraph = [&window, page](float angle) {
        page->state.useCompare = useCompareItem(window)->isChecked();
        page->refresh(angle);
    };
    window.setCommand(QStringLiteral("mnuCompare"),
                      [&window, page] { mnuCompare_Click(window, *page); });
    window.setCommand(QStringLiteral("mnuPointBlankRange"),
                      [&window] { mnuPointBlankRange_Click(window); });
    window.setCommand(QStringLiteral("mnuVelocityChronoCorrection"),
                      [&window] { mnuVelocityChronoCorrection_Click(window); });
    connectCompareBox(window);
    QObject::connect(window.sstUI, &QTabWidget::currentChanged, page,
                     [&window, page](int tab) { followTab(window, page, tab); });
    followTab(window, page, window.sstUI->currentIndex());
    return page;
}

void mnuCompare_Click(ui& window, GraphTab& page) {
    CFileData& dat = window.loadDoc.dat;
    const QString current = dat.filename;
    try {
        if (window.loadDoc.dataOpenTable()) {
            const QString chosen = dat.filename;
            dat.filename = current;
            if (window.loadDoc.addToMru) window.loadDoc.addToMru(chosen);
            const QString name = page.state.chooseCompareFile(chosen, window.model, dat);
            setComparison(window, window.model.form.compareFile);
            useCompareItem(window)->setChecked(true);
            window.inputTab->cboCompare->setEditText(name);
            window.showTableOrGraph();
        }
    } catch (const std::exception& e) {
        MSmallBallStruct::HandleError(QStringLiteral("ui"), QStringLiteral("mnuCompare_Click"),
                                      unexpected, QString::fromLocal8Bit(e.what()));
    }
    dat.filename = current;
}

void cboCompare_Click(ui& window, const QString& text) {
    const QString path = GraphModel::compareFileFor(text);
    // A name that is not (or no longer) a file of the folder: the comparison stays off, and the
    // user learns why.
    if (path.isEmpty() && !text.trimmed().isEmpty())
        MSmallBallStruct::reportNotFound(MSmallBallStruct::appPath(text.trimmed()));
    setComparison(window, path);
    window.showTableOrGraph();
}

void mnuPointBlankRange_Click(ui& window) {
    dlgPointBlank dialog(window.model, window.txt, &window);
    dialog.exec();
}

void mnuVelocityChronoCorrection_Click(ui& window) {
    dlgChronoVel dialog(window.model, &window);
    dialog.exec();
}

} // namespace GraphMenus
