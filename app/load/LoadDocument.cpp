#include "load/LoadDocument.h"

#include "load/DragTables.h"
#include "load/LoadFile.h"
#include "load/LoadModel.h"
#include "services/AppFolders.h"
#include "services/CFileData.h"
#include "services/FileChooser.h"
#include "services/Prompt.h"

#include <QFile>
#include <QFileInfo>

LoadDocument::LoadDocument(LoadModel& model) : model(model) {}

QString LoadDocument::caption(const QString& cartridge) {
    return QStringLiteral("Quorvel Tables -     Load: ") + cartridge;
}

void LoadDocument::newDocument() {
    // The new texts replace the load on screen, so unsaved changes are asked about first, as
    // for Open. The file name stays: a following Save writes to the file that was current.
    if (!queryUnsaved()) return;
    Problems::report(model.newLoad());
    if (formReplaced) formReplaced();
}

bool LoadDocument::open() {
    if (!queryUnsaved()) return false;
    const QString chosen = dataOpenTable();
    if (chosen.isEmpty()) return false;
    return loadFile(chosen);
}

bool LoadDocument::loadFile(const QString& path) {
    const QString current = filename;
    filename = path;
    if (!dataLoad()) {
        // Nothing was read: the file on screen stays the one Save writes to.
        filename = current;
        return false;
    }
    // A file read only in part is no document to come back to.
    if (addToMru && !filename.isEmpty()) addToMru(filename);
    return true;
}

bool LoadDocument::save() {
    if (filename.isEmpty()) return saveAs();
    if (!writeCurrent()) return false;
    if (addToMru) addToMru(filename);
    return true;
}

bool LoadDocument::saveAs() {
    const QString path = FileDialogs::chooseSavePath(
        QStringLiteral("Save As"), QString::fromLatin1(saveFilter), QStringLiteral("qvt"));
    if (path.isEmpty()) return false;
    const QString previous = filename;
    filename = path;
    if (writeCurrent()) {
        if (addToMru) addToMru(filename);
        return true;
    }
    // Nothing was saved under the new name: the current file stays what it was.
    filename = previous;
    return false;
}

bool LoadDocument::queryUnsaved() {
    const QString current = filename;
    QString name, folder, extension;
    CFileData::filenameSubstrings(current, name, folder, extension);

    // A scratch file that cannot be written leaves nothing to compare: ask.
    const QString scratch = writeScratch();
    // A load that has no file yet counts as changed once it differs from what the window
    // started with: closing a program in which nothing was typed asks nothing.
    const bool changed =
        scratch.isEmpty() || (current.isEmpty() ? baseline.isEmpty() || readAll(scratch) != baseline
                                                : isFileChanged(current, scratch));
    if (!changed) return true;
    // A document that has no file yet is asked about as "Untitled".
    const QString text = QStringLiteral("Do you want to Save changes to") + ' ' +
                         (name.isEmpty() ? QStringLiteral("Untitled") : name) +
                         QStringLiteral(" ?");
    switch (prompt().ask(text, QStringLiteral("Unsaved Changes to Load Data"),
                         PromptButtons::YesNoCancel, PromptIcon::Question)) {
    case PromptAnswer::Yes:
        // A load that was never saved has no file yet: Save asks for one, and a Cancel there
        // cancels the whole command.
        return save();
    case PromptAnswer::No:
        return true;
    default:
        return false;
    }
}

bool LoadDocument::dataLoad() {
    LoadForm next = model.form;
    const LoadFile::ReadReport report = LoadFile::read(filename, next);
    filename = report.path; // the application folder's copy, when only that exists
    if (report.opened && report.refused) {
        // The file layer has named a field too long for any; bytes that are no load are named
        // here. Either way the load on screen stays, once.
        if (report.notALoad)
            showMessage(LoadFile::damageMessage(filename, report, next),
                        QStringLiteral("Not a Load File"));
        // A file that was not taken is not the document: nothing may offer to save over it.
        filename.clear();
        return false;
    }
    if (!report.opened) return false;
    Problems::report(model.applyForm(next));
    if (!report.whole()) {
        showMessage(LoadFile::damageMessage(filename, report, next),
                    QStringLiteral("Damaged Load File"));
        // What is on screen is part of the file and part of the load before it: saving it over
        // the damaged file would lose what the reading could not take. It is a load without a
        // file, unchanged until the shooter edits it.
        filename.clear();
        baseline = formBytes();
    }
    if (formReplaced) formReplaced();
    if (loaded) loaded();
    return true;
}

bool LoadDocument::startUp() {
    const bool read = dataLoad();
    if (!read) {
        Problems::report(model.refreshAllFields());
        // A first start has no file: the list starts on G1, the model manufacturers quote.
        if (model.form.dragIndex < 0) model.form.dragIndex = 0;
        baseline = formBytes();
    } else {
        // Every handler runs once, but the altitude's refresh must not replace the temperature
        // and pressure the file was saved with.
        const QString temperature = model.form.fields[InputFields::Temperature];
        const QString pressure = model.form.fields[InputFields::Pressure];
        QList<Problem> problems = model.refreshAllFields();
        problems += model.setFieldText(InputFields::Temperature, temperature);
        problems += model.setFieldText(InputFields::Pressure, pressure);
        Problems::report(problems);
        // A damaged last file left no document: what shows now is what counts as unchanged.
        if (filename.isEmpty()) baseline = formBytes();
    }
    if (formReplaced) formReplaced();
    return read;
}

QByteArray LoadDocument::readAll(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return {};
    return file.readAll();
}

QString LoadDocument::writeScratch() {
    const QString scratch = MSmallBallStruct::writablePath(QString::fromLatin1(scratchName));
    return LoadFile::dataSaveTable(scratch, model.form) ? scratch : QString();
}

QByteArray LoadDocument::formBytes() {
    const QString scratch = writeScratch();
    return scratch.isEmpty() ? QByteArray() : readAll(scratch);
}

QString LoadDocument::dataOpenTable() {
    return FileDialogs::chooseOpenPath(QStringLiteral("Open File"),
                                       QString::fromLatin1(openFilter));
}

bool LoadDocument::isModified() const {
    const QByteArray now = LoadFile::bytesOf(model.form);
    if (filename.isEmpty()) return baseline.isEmpty() || now != baseline;
    // As the question compares them: line ends do not count.
    return readAll(filename).replace('\r', "") != QByteArray(now).replace('\r', "");
}

bool LoadDocument::isFileChanged(const QString& file1, const QString& file2) {
    // A file saved by an editor with LF line ends holds the same load.
    CFileDiff diff;
    const bool same = diff.isSameText(file1, file2);
    reportProblem(diff.problem);
    return !same;
}

bool LoadDocument::writeCurrent() {
    // A drag file named relative to the load keeps naming the same file from the new folder.
    DragTables::moveLoad(model.form.precision, QFileInfo(filename).absolutePath());
    // Every failure (a file that cannot be opened, a write that fails half way) has been
    // reported by the file layer, and the previous file is still whole.
    return LoadFile::dataSaveTable(filename, model.form);
}
