// The simulator session document: New, Open, Save and Save As of the session file named by the
// simulator's `sessionFile`, and the unsaved-changes question, while a simulator tab shows. No
// widgets: dialogs go through the file chooser and questions through the prompt.
//
// How the window uses it: the File menu dispatches here while tab 3 or 4 shows; closing asks
// queryUnsaved() before the load data's question; a recent ".ssn" file opens with openRecent().
#pragma once

#include "load/Document.h"

#include <QStringList>
#include <functional>

class CSim;

class SessionDocument : public Document {
public:
    static constexpr const char* openFilter = "Simulator Files (*.ssn)|*.ssn|All Files (*.*)|*.*";
    static constexpr const char* saveFilter = "Simulation Files (*.ssn)|*.ssn|All Files (*.*)|*.*";
    static constexpr const char* scratchName = "temp.tmp";
    static constexpr const char* questionTitle = "Unsaved Changes to Simulator Data";

    explicit SessionDocument(CSim& sim);

    // A session file was opened or saved: it belongs in the recent-file list.
    std::function<void(const QString& path)> addToMru;
    // Start the simulator again: it reads the session named by its sessionFile and redraws.
    std::function<void()> restart;
    // Put the new-session values into the controls.
    std::function<void()> newSession;
    // The session file's name changed without a reading (Save As): the caption follows.
    std::function<void()> renamed;
    // Asked before the session at the path replaces the one on screen, after the question about
    // the session: false when the load it names would replace a load with unsaved edits and the
    // user cancelled.
    std::function<bool(const QString& sessionPath)> mayReplaceLoad;

    void newDocument() override;
    // Asks about unsaved changes, offers the open dialog and restarts the simulator, which
    // reads the session file that is current then (the chosen one, or the same as before). The
    // load that session names is asked about (mayReplaceLoad) before anything changes.
    bool open() override;
    bool save() override;
    bool saveAs() override;
    bool queryUnsaved() override; // queryUnsavedSim
    // What queryUnsaved would ask about, found without writing or reporting anything: the
    // session differs from its file (or, unnamed, from its clean state).
    bool isModified() const;
    QString fileName() const override;

    // Open dialog for session files: the chosen path, or empty when none was chosen.
    QString dataOpenSim();
    // A recent session file was chosen, or the Next Session buttons stepped to one: after the
    // questions about the session and the load it names it becomes the session, read at once.
    // False when the user cancelled.
    bool openRecent(const QString& path);
    // While no session file is named, the session as it stands now counts as unchanged (the
    // simulator's start-up values are not worth a question at exit). The load data file the
    // session names does not count then: a session never saved is not about a load.
    void markClean();

private:
    bool writeCurrent();
    // The session as the file would hold it, written to the scratch file; its path.
    QString writeScratch();
    // True unless the two files hold the same text.
    static bool isChanged(const QString& file1, const QString& file2);
    // The records of the session on screen, without the load data file.
    QStringList unnamedRecords() const;

    CSim& sim;
    QStringList cleanRecords;
    bool hasClean = false;
};
