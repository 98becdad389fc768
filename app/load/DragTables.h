// The drag curves of the precision model: a standard table by name from the program's "drag"
// folder, or the shooter's own file (Mach,Cd CSV or a radar .drg file) by path. A relative path
// is looked up beside the load first, then in the drag folder, so a folder of loads and their
// drag files can be moved or copied elsewhere. Curves are read once and kept until their file
// changes.
#pragma once

#include "load/PrecisionForm.h"
#include "precision/DragCurve.h"

#include <QString>
#include <memory>

namespace DragTables {

struct Loaded {
    std::shared_ptr<const precision::DragCurve> curve; // set when the table can be used
    QString problem; // otherwise what is wrong, naming the file and, for its text, the line
};

// The file a drag table is read from: "<application folder>/drag/<NAME>.csv" for a standard
// table; for a file of one's own its path, a relative one taken beside the load (in
// `loadFolder`) when there is such a file, else in the drag folder; an absolute path that no
// longer exists is looked for beside the load by its file name.
QString pathOf(const QString& nameOrPath, const QString& loadFolder = {});

// The curve for a standard table's name or a drag file's path.
Loaded load(const QString& nameOrPath, const QString& loadFolder = {});
// The curve of a load's precision model.
inline Loaded load(const PrecisionForm& form) {
    return load(form.dragTable, form.loadFolder);
}

// How a load in `loadFolder` names a drag file picked at `path`: relative to the load's folder
// when the file is in it or below it, else the absolute path.
QString storedPath(const QString& path, const QString& loadFolder);

// The load is saved into `newFolder`: a relative drag path is rewritten to name the same file
// from there (relative again when it is in or below the new folder).
void moveLoad(PrecisionForm& form, const QString& newFolder);

// Why a drag file at `path` cannot be chosen for a load: the load file holds its path in Latin-1,
// and a character outside it would be saved as "?" and the file lost. Empty when it can.
QString unsavablePath(const QString& path);

// A drag file is a short table; anything larger is no drag file.
constexpr qint64 MaxFileBytes = 1024 * 1024;

} // namespace DragTables
