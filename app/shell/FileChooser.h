// The open, save and font dialogs behind one small interface, so the documents can ask for a file
// without knowing about widgets and tests can script the user's choices. Filters are given in the
// classic "Description (*.ext)|*.ext|All Files (*.*)|*.*" form.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

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
    // A screen font, or nullopt on Cancel.
    virtual std::optional<QFont> chooseFont(const QFont& initial) = 0;

    // The folder the next dialog starts in; follows the last file chosen.
    QString folder;
};

// The chooser in use (never null: before anything is installed, one that cancels every request;
// the program installs a QtFileChooser).
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

// The real dialogs.
class QtFileChooser : public FileChooser {
public:
    explicit QtFileChooser(QWidget* parent = nullptr) : parent(parent) {}
    QString chooseOpen(const FileRequest& request) override;
    QString chooseSave(const FileRequest& request) override;
    std::optional<QFont> chooseFont(const QFont& initial) override;

    QWidget* parent;
};
