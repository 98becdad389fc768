#include "sim/SessionDocument.h"

#include "services/AppFolders.h"
#include "services/FileChooser.h"
#include "services/Prompt.h"
#include "sim/CSim.h"
#include "sim/SessionFile.h"

#include <QFile>

SessionDocument::SessionDocument(CSim& sim) : sim(sim) {}

QString SessionDocument::fileName() const {
    return sim.sessionFile;
}

void SessionDocument::newDocument() {
    // The new values replace the session on screen, so unsaved changes are asked about first,
    // as for the load. The file name, the scores and the shots stay: a following Save writes
    // to the same file.
    if (!queryUnsaved()) return;
    if (newSession) newSession();
}

bool SessionDocument::open() {
    if (!queryUnsaved()) return false;
    const QString chosen = dataOpenSim();
    // A cancelled dialog reads the current session again, which may bring its load back.
    if (mayReplaceLoad && !mayReplaceLoad(chosen.isEmpty() ? sim.sessionFile : chosen))
        return false;
    if (!chosen.isEmpty()) {
        sim.sessionFile = chosen;
        if (addToMru) addToMru(chosen);
    }
    if (restart) restart();
    return !chosen.isEmpty();
}

QString SessionDocument::dataOpenSim() {
    return FileDialogs::chooseOpenPath(QStringLiteral("Open File"),
                                       QString::fromLatin1(openFilter));
}

bool SessionDocument::openRecent(const QString& path) {
    if (!queryUnsaved() || (mayReplaceLoad && !mayReplaceLoad(path))) return false;
    sim.sessionFile = path;
    if (restart) restart();
    return true;
}

bool SessionDocument::save() {
    // With no session file yet, Save asks for one.
    if (sim.sessionFile.isEmpty()) return saveAs();
    if (!writeCurrent()) return false;
    if (addToMru) addToMru(sim.sessionFile);
    return true;
}

bool SessionDocument::saveAs() {
    const QString path = FileDialogs::chooseSavePath(
        QStringLiteral("Save As"), QString::fromLatin1(saveFilter), QStringLiteral("ssn"));
    if (path.isEmpty()) return false;
    const QString previous = sim.sessionFile;
    sim.sessionFile = path;
    if (!writeCurrent()) {
        // Nothing was saved under the new name: the current file stays what it was.
        sim.sessionFile = previous;
        return false;
    }
    if (addToMru) addToMru(path);
    if (renamed) renamed();
    return true;
}

QString SessionDocument::writeScratch() {
    const QString scratch = MSmallBallStruct::writablePath(QString::fromLatin1(scratchName));
    sim.saveTo(scratch);
    return scratch;
}

QStringList SessionDocument::unnamedRecords() const {
    SessionFile::Values values = sim.fileValues();
    values.loadFile.clear();
    return SessionFile::records(values);
}

void SessionDocument::markClean() {
    cleanRecords = unnamedRecords();
    hasClean = true;
}

bool SessionDocument::queryUnsaved() {
    const QString current = sim.sessionFile;
    QString name, folder, extension;
    CFileData::filenameSubstrings(current, name, folder, extension);

    const QString scratch = writeScratch();
    const bool changed = current.isEmpty() ? !hasClean || unnamedRecords() != cleanRecords
                                           : isChanged(current, scratch);
    if (!changed) return true;
    // A document that has no file yet is asked about as "Untitled".
    const QString text = QStringLiteral("Do you want to Save changes to") + ' ' +
                         (name.isEmpty() ? QStringLiteral("Untitled") : name) +
                         QStringLiteral(" ?");
    switch (prompt().ask(text, QString::fromLatin1(questionTitle), PromptButtons::YesNoCancel,
                         PromptIcon::Question)) {
    case PromptAnswer::Yes:
        // A session that was never saved has no file yet: Save As asks for one, and a Cancel
        // there cancels the whole command, as it does for a load. A failed save keeps the
        // window open.
        if (current.isEmpty()) return saveAs();
        return writeCurrent();
    case PromptAnswer::No:
        return true;
    default:
        return false;
    }
}

bool SessionDocument::isModified() const {
    if (sim.sessionFile.isEmpty()) return !hasClean || unnamedRecords() != cleanRecords;
    QFile file(sim.sessionFile);
    if (!file.open(QIODevice::ReadOnly)) return true;
    // As the question compares them: line ends do not count.
    return file.readAll().replace('\r', "") !=
           SessionFile::bytesOf(sim.fileValues()).replace('\r', "");
}

bool SessionDocument::isChanged(const QString& file1, const QString& file2) {
    CFileDiff diff;
    const bool same = diff.isSameText(file1, file2);
    reportProblem(diff.problem);
    return !same;
}

bool SessionDocument::writeCurrent() {
    if (sim.dataSave()) {
        markClean();
        return true;
    }
    // Every failure (a file that cannot be opened, a write that fails half way) has been
    // reported by the file layer, and the previous session file is still whole.
    return false;
}
