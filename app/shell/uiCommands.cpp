// The main window's menu commands: the File menu acts on the document of the tab showing, the
// Options and Help menus open their dialogs.
#include "shell/ui.h"

#include "load/CsvExport.h"
#include "load/InputFields.h"
#include "services/AppFolders.h"
#include "services/FileChooser.h"
#include "services/MNumber.h"
#include "services/Prompt.h"
#include "shell/CGraph.h"
#include "shell/ComparisonList.h"
#include "shell/GraphTab.h"
#include "shell/HelpViewer.h"
#include "shell/InputTab.h"
#include "shell/Printing.h"
#include "shell/TableTab.h"
#include "shell/UnitsDialog.h"
#include "shell/UnitsSettings.h"
#include "shell/dlgChronoVel.h"
#include "shell/dlgHitProbability.h"
#include "shell/dlgPointBlank.h"
#include "shell/dlgTrueDrag.h"
#include "shell/dlgTrueVelocity.h"
#include "shell/frmAbout.h"
#include "shell/frmOptions.h"
#include "sim/widgets/SimController.h"

#include <QAction>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <exception>

void ui::mnuNew_Click() {
    runGuarded("mnuNew_Click", [this] { currentDocument().newDocument(); });
}

void ui::mnuOpen_Click() {
    tellMissingComparison = true;
    runGuarded("mnuOpen_Click", [this] { currentDocument().open(); });
    tellMissingComparison = false;
}

void ui::mnuSave_Click() {
    runGuarded("mnuSave_Click", [this] {
        currentDocument().save();
        // A first save gives the load a folder: the list offers its neighbours.
        if (!isSimTab()) fillCompareList();
    });
}

void ui::mnuSaveAs_Click() {
    runGuarded("mnuSaveAs_Click", [this] {
        currentDocument().saveAs();
        if (!isSimTab()) fillCompareList();
    });
}

void ui::mnuExportTable_Click() {
    runGuarded("mnuExportTable_Click", [this] {
        const LoadSnapshot snapshot = model.snapshot();
        Problems::report(snapshot.fieldProblems);
        CsvExport::exportWithDialog(snapshot);
    });
}

void ui::mnuPrint_Click() {
    runGuarded("mnuPrint_Click", [this] {
        const int tab = sstUI->currentIndex();
        if (!Printing::checkPrintableTab(tab)) return;
        const QImage chart =
            tab == GraphPage && graphTab->graph ? graphTab->graph->grab().toImage() : QImage();
        Printing::printWithDialog(this, tab, tableTab->txtOutput->toPlainText(), chart);
    });
}

void ui::mnuPrintCard_Click() {
    runGuarded("mnuPrintCard_Click", [this] {
        const LoadSnapshot snapshot = model.snapshot();
        Problems::report(snapshot.fieldProblems);
        Printing::printRangeCardWithDialog(this, snapshot);
    });
}

void ui::mnuExit_Click() {
    close();
}

void ui::mnuOptionsTop_Click() {
    frmOptions dialog(model.form, model.values, screenFont, this);
    dialog.exec();
    // The choices take effect at the next refresh; show them now.
    showTableOrGraph();
}

void ui::mnuUnits_Click() {
    UnitsDialog dialog(model.units, this);
    if (dialog.exec() != QDialog::Accepted || dialog.units() == model.units) return;
    applyUnits(dialog.units());
    UnitsSettings::save(model.units);
}

void ui::applyUnits(const Units::ShownUnits& units) {
    model.units = units;
    inputTab->showForm();
    inputTab->applyUnits();
    simulator->setUnits(units);
    showTableOrGraph();
}

void ui::mnuUseCompare_Click() {
    // The menu item toggles its own check mark; the comparison follows it.
    comparisonList->setUseCompare(action(QStringLiteral("mnuUseCompare"))->isChecked());
}

void ui::mnuCompare_Click() {
    runGuarded("mnuCompare_Click", [this] {
        // The open dialog for load files; the current load file stays the current one.
        const QString path = loadDoc.dataOpenTable();
        if (path.isEmpty()) return;
        mru.AddMRUItem(path);
        comparisonList->chooseFile(path);
    });
}

void ui::mnuPointBlankRange_Click() {
    dlgPointBlank dialog(model, txt, this);
    dialog.exec();
}

void ui::mnuVelocityChronoCorrection_Click() {
    dlgChronoVel dialog(model, this);
    dialog.exec();
}

void ui::mnuTrueVelocity_Click() {
    dlgTrueVelocity dialog(model, this);
    if (dialog.exec() != QDialog::Accepted || !dialog.truedVelocity()) return;
    Problems::report(model.setFieldText(InputFields::MuzzleVelocity,
                                        MNumber::shortText(float(*dialog.truedVelocity()))));
    inputTab->showFieldText(InputFields::MuzzleVelocity);
}

void ui::mnuTrueDrag_Click() {
    const QString title = QStringLiteral("True Drag");
    if (!model.form.isPrecision()) {
        showMessage(QStringLiteral("Truing the drag needs the precision model: turn it on for "
                                   "this load first."),
                    title);
        return;
    }
    dlgTrueDrag dialog(model, this);
    if (dialog.exec() != QDialog::Accepted || !dialog.result()) return;
    const TrueDrag::Result& result = *dialog.result();
    const QString loadPath = loadDoc.filename;
    if (result.truth.twoBands && loadPath.isEmpty()) {
        showMessage(QStringLiteral("Save the load first: the trued drag is kept in a file "
                                   "beside it."),
                    title);
        return;
    }
    QList<Problem> fieldProblems;
    const QString problem =
        TrueDrag::apply(result, model, TrueDrag::bandFilePath(loadPath, QString()), fieldProblems);
    Problems::report(fieldProblems);
    if (!problem.isEmpty()) {
        showMessage(problem, title);
        return;
    }
    inputTab->showForm();
}

void ui::mnuHitProbability_Click() {
    dlgHitProbability dialog(model, this);
    // OK has put the inputs in the load: the title shows it changed.
    if (dialog.exec() == QDialog::Accepted) showModified();
}

void ui::mnuContents_Click() {
    HelpViewer::showContents(this);
}

void ui::mnuAbout_Click() {
    frmAbout about(this);
    about.exec();
}

void ui::mnuMRU_Click(int index) {
    runGuarded("mnuMRU_Click", [this, index] {
        const CMru::Choice chosen = mru.choice(index);
        if (chosen.path.isEmpty()) return;
        // A file deleted or moved since it was listed: say so and drop it; whatever is open
        // stays open, and Save still writes to it.
        if (QString found = chosen.path; !MSmallBallStruct::FileExists(found)) {
            MSmallBallStruct::reportNotFound(chosen.path);
            mru.RemoveMRUItem(index);
            return;
        }
        if (chosen.isSession) {
            if (simulator->document.openRecent(chosen.path))
                Problems::report(mru.ReorderMRUList(chosen.path, index));
        } else if (loadDoc.queryUnsaved()) {
            // Like Open: edits of the load on screen are not dropped without asking, and the
            // file read moves to the top of the list.
            tellMissingComparison = true;
            loadDoc.loadFile(chosen.path);
            tellMissingComparison = false;
        }
    });
}
