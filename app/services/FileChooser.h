// The open, save and font dialogs behind one small interface, so the documents can ask for a file
// without knowing about widgets and tests can script the user's choices. Filters are given in the
// classic "Description (*.ext)|*.ext|All Files (*.*)|*.*" form.
#pragma once

#include <QString>
#include <QStringList>

// A font is only chosen by the window; the declaration needs no more than the name.
class QFont;

struct FileRequest {
    QString title;
    QString filter; // "Desc|pattern|Desc|pattern"
    QString folder; // initial folder
};

class FileChooser {
public:
    virtual ~FileChooser() = default;

    // The path of an existing file the user picked, or empty on Cancel.
    virtual QString chooseOpen(const FileRequest& request) = 0;
    // The name the user typed or picked in a save dialog, as given (no extension added, no
    // overwrite question: chooseSavePath does both the same way for every implementation).
    virtual QString chooseSave(const FileRequest& request) = 0;
    // A screen font into `chosen`; false (chosen untouched) on Cancel.
    virtual bool chooseFont(const QFont& initial, QFont& chosen) = 0;

    // The folder the next dialog starts in; follows the last file chosen.
    QString folder;
};

// The chooser in use (never null: before anything is installed, one that cancels every request;
// the window installs its dialogs, QtFileChooser).
FileChooser& fileChooser();
// Installs c (not owned) and returns the previous one; nullptr restores the built-in chooser.
FileChooser* installFileChooser(FileChooser* c);

namespace FileDialogs {

// "Desc (*.qvt)|*.qvt|All Files (*.*)|*.*" -> "Desc (*.qvt);;All Files (*)"
QString qtFilter(const QString& barFilter);
// Appends "." + ext when the file-name part has no extension of its own ("test" -> "test.txt").
QString withDefaultExtension(const QString& path, const QString& ext);

// Open dialog: the chosen path when it names an existing file (FileExists), else empty.
QString chooseOpenPath(const QString& title, const QString& filter);
// Save As dialog: default extension applied, and an existing file only after the user agreed to
// replace it (answering No shows the dialog again). Empty on Cancel.
QString chooseSavePath(const QString& title, const QString& filter, const QString& defaultExt);

} // namespace FileDialogs
