// The drag curves of the precision model: a standard table by name from the program's "drag"
// folder, or the shooter's own CSV file by path. Curves are read once and kept until their file
// changes.
#pragma once

#include "precision/DragCurve.h"

#include <QString>
#include <memory>

namespace DragTables {

struct Loaded {
    std::shared_ptr<const precision::DragCurve> curve; // set when the table can be used
    QString problem; // otherwise what is wrong, naming the file and, for its text, the line
};

// The file a drag table is read from: "<application folder>/drag/<NAME>.csv" for a standard
// table, the path itself for a file of one's own.
QString pathOf(const QString& nameOrPath);

// The curve for a standard table's name or a drag file's path.
Loaded load(const QString& nameOrPath);

// Why a drag file at `path` cannot be chosen for a load: the load file holds its path in Latin-1,
// and a character outside it would be saved as "?" and the file lost. Empty when it can.
QString unsavablePath(const QString& path);

// A drag file is a short table; anything larger is no drag file.
constexpr qint64 MaxFileBytes = 1024 * 1024;

} // namespace DragTables
