// The load data document: New, Open, Save and Save As of the current load data file, and the
// unsaved-changes question, over the LoadModel and the file named by `filename`. No widgets:
// dialogs go through the file chooser and questions through the prompt.
#pragma once

#include "load/Document.h"

#include <QByteArray>
#include <functional>

class LoadModel;

class LoadDocument : public Document {
public:
    static constexpr const char* openFilter =
        "Quorvel Table Files (*.qvt)|*.qvt|All Files (*.*)|*.*";
    static constexpr const char* saveFilter =
        "Quorvel Tables Files (*.qvt)|*.qvt|All Files (*.*)|*.*";
    static constexpr const char* scratchName = "temp.tmp";

    explicit LoadDocument(LoadModel& model);

    QString filename; // the current load data file

    // A file was opened or saved: it belongs in the recent-file list.
    std::function<void(const QString& path)> addToMru;
    // The model's form was replaced as a whole (a load read, or New): show it.
    std::function<void()> formReplaced;
    // A load file was read: caption, simulator and the view follow.
    std::function<void()> loaded;

    void newDocument() override;
    bool open() override;
    bool save() override;
    bool saveAs() override;
    bool queryUnsaved() override; // queryUnsavedTable
    // What queryUnsaved would ask about, found without writing or reporting anything: the load
    // differs from its file (or, unnamed, from the load the window started with).
    bool isModified() const;
    QString fileName() const override { return filename; }

    // Reads `filename` into the window (dataLoad): false when the file does not exist or was
    // refused (reported once; the load on screen stays). A file read only in part is applied as
    // far as it went and reported once, and leaves no current file: Save asks for one.
    bool dataLoad();
    // Opens `path` as the current file: dataLoad, then the recent-file list. When nothing could
    // be read the current file stays current (caption, Save target) and false is returned.
    bool loadFile(const QString& path);
    // Start-up: reads the current file, then runs every field's change handler once. A file's own
    // temperature and pressure stand; without a file the altitude sets them.
    bool startUp();
    // Open dialog for load data files: the chosen path, or empty when none was chosen.
    QString dataOpenTable();
    // True unless the two files hold the same bytes.
    bool isFileChanged(const QString& file1, const QString& file2);

    // "Quorvel Tables -     Load: <cartridge>"
    static QString caption(const QString& cartridge);

private:
    // Writes the form to the current file; the file layer reports a failure.
    bool writeCurrent();

    // Writes the form to the scratch file; its path, or empty when it could not be written.
    QString writeScratch();
    // The form as written to a file, through the scratch file.
    QByteArray formBytes();
    static QByteArray readAll(const QString& path);

    LoadModel& model;
    // The form's bytes while it has no file: at start-up without one, or as read from a damaged
    // file.
    QByteArray baseline;
};
