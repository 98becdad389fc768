// What every command-line job needs: the load as the window would show it, opened from a file
// the way the window's Open does, and the two output streams.
#pragma once

#include "load/LoadModel.h"

#include "units/ShownUnits.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <optional>

namespace CliLoad {

// The model as the window shows it before any file is read: the initial texts with every option
// off, each field's change handler run once (so temperature and pressure follow the altitude).
void startModel(LoadModel& model);

// Opens a load data file into the model as the window's Open does (the file is read into a copy
// of the form, which the model then takes). False when the file is missing, not a regular file,
// unreadable, or not read whole; the reason has gone to standard error, once.
bool openLoad(LoadModel& model, const QString& path);

// "--units imperial|metric" and "--clicks VALUE" taken out of a job's operands: imperial units
// with quarter-MOA clicks when neither is there. None, with the line to print in `error`, when
// a value is not one of the choices.
std::optional<Units::ShownUnits> takeUnits(QStringList& operands, QString& error);

// The exit statuses of every command-line job (the help and the manual page list them).
enum ExitStatus {
    ExitOk = 0,
    ExitFailed = 1,   // no result (the calculation has none), or the output could not be written
    ExitBadInput = 2, // a bad argument, or a load file that cannot be read or computed
};

// Raw bytes to standard output (tables are Latin-1 with CR LF lines), flushed. False when they
// could not all be written (a full disk, a closed pipe): the reason has gone to standard error.
[[nodiscard]] bool writeOut(const QByteArray& bytes);
// writeOut's result as the job's exit status.
int writeOutStatus(const QByteArray& bytes);
// One line to standard error, prefixed with the program's name.
void writeErrorLine(const QString& text);

} // namespace CliLoad
