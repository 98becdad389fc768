// The application's folders and the files in them: where the program and its data live, where
// it writes, and the file-name helpers the file dialogs and lists use.
#pragma once

#include <QChar>
#include <QString>
#include <QStringList>

namespace MSmallBallStruct {

// The application folder: where the program, the solver libraries, the pictures, the help file,
// "lastfile.dat" and "temp.tmp" live. Defaults to the executable's folder; the command line or
// QUORVEL_APPDIR can point it elsewhere (tests use a temporary folder).
QString appFolder();
void setAppFolder(const QString& folder);
// appFolder() + separator + name
QString appPath(const QString& name);

// The files the program itself writes beside it ("temp.tmp", "lastfile.dat", the masks made in
// "targetb/" and "sightb/") go to the per-user data folder ($XDG_DATA_HOME/quorvel) when the
// application folder cannot be written, or holds `installedMarker` (put there by the install
// step: an installation shared by every user). The rule lives in these two functions
// (AppDataFolder.cpp); `name` is relative ("targetb/x.bmp").
inline constexpr const char* installedMarker = "installed.txt";
QString userFolder();
// Where to write `name`: the application folder's path when a file can be created in its folder
// there and the folder is no installed copy, else the user folder's (with its folders made).
QString writablePath(const QString& name);
// Where to read `name`: the copy in the folder writablePath picks, else the copy in the other
// folder (files installed with the program); with neither, writablePath's path.
QString dataPath(const QString& name);
// The folder of the user's own load files, where the comparison list looks: The application folder,
// or the user folder (made when missing) when the program writes nothing into its own folder, as in
// an installed copy.
QString documentFolder();
// Where an Open or Save dialog starts before the shooter has chosen a file this run: the current
// document's folder, else his documents folder, else his home; never the program's own folder,
// which an installed copy cannot write.
QString dialogFolder(const QString& currentDocument);

// Why `path` cannot be opened as a data file: "is a directory", "is not a regular file" (a pipe,
// a device) or "no such file"; empty when it can (FileExists rule).
QString whyNotAFile(const QString& path);

// Tells the user that a file the program was asked to open is not there (one message, titled
// "File Not Found", naming the path).
void reportNotFound(const QString& path);

// True when the file exists; otherwise, when a file of the same name lies in the application
// folder, true and `path` becomes that copy's path. Empty paths and folder paths are false.
bool FileExists(QString& path);

// Appends to `list` (never cleared) the names of the files in `folder` matching `pattern`
// ("*.qvt", or several patterns joined by ";"), sorted by name; matching ignores letter case.
void fillComboBox(QStringList& list, const QString& pattern, const QString& folder);

// The part after the last path separator ("\" or "/"), or the whole text.
QString shortFilename(const QString& path);

// True for "\" and "/": paths from files written on other desktops still split correctly.
inline bool isPathSeparator(QChar c) {
    return c == '\\' || c == '/';
}

} // namespace MSmallBallStruct
