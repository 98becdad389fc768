#include "load/CsvExport.h"

#include "load/CTextOutput.h"
#include "load/HitTable.h"
#include "load/LoadSnapshot.h"
#include "services/ErrorNumbers.h"
#include "services/FileChooser.h"
#include "services/MNumber.h"
#include "services/Prompt.h"
#include "services/WholeFile.h"

namespace CsvExport {

namespace {

// The hit probability's columns after the table's, for a load with hit inputs: a row the
// error flights do not reach leaves them empty.
QByteArray withHitColumns(const QByteArray& csv, const LoadSnapshot& snapshot) {
    const HitTable::Result hits = HitTable::compute(snapshot, *snapshot.form.hit);
    // The sigmas in the shooter's length unit, named as the table's columns are.
    const Units::ShownUnits& units = snapshot.units;
    const Units::Quantity length = Units::Quantity::Length;
    const QByteArray tag = units.info(length).tag;
    QList<QByteArray> lines = csv.split('\n');
    QByteArray out;
    out.reserve(csv.size() + lines.size() * 24);
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (i + 1 == lines.size() && lines[i].isEmpty()) break; // after the last line end
        out += lines[i];
        if (i == 0) {
            out += ",hit_pct,sigma_v_" + tag + ",sigma_h_" + tag;
        } else if (size_t(i - 1) < hits.rows.size()) {
            const HitTable::Row& row = hits.rows[size_t(i - 1)];
            for (double value :
                 {row.hitPct, units.shown(length, row.sigmaVIn), units.shown(length, row.sigmaHIn)})
                out += ',' + MNumber::shortText(float(value)).toLatin1();
        } else {
            out += ",,,";
        }
        out += '\n';
    }
    return out;
}

} // namespace

QByteArray text(const std::vector<TableRow>& rows,
                const std::vector<TableColumns::Format>& columns) {
    QByteArray out;
    out.reserve(qsizetype(rows.size() + 1) * qsizetype(columns.size()) * 10);
    for (size_t i = 0; i < columns.size(); ++i) {
        if (i) out += ',';
        out += columns[i].csvName.toUtf8();
    }
    out += '\n';
    for (const TableRow& row : rows) {
        for (size_t i = 0; i < columns.size(); ++i) {
            if (i) out += ',';
            out += MNumber::shortText(row[columns[i].column]).toLatin1();
        }
        out += '\n';
    }
    return out;
}

QByteArray fromResult(const LoadSnapshot& snapshot, const TableResult& result) {
    const CInput& load = snapshot.values.in1;
    const std::vector<TableRow> shown =
        TableColumns::shownRows(result.rows, CTextOutput::tableOptions(snapshot));
    QByteArray csv = text(shown, result.columns);
    if (snapshot.form.hit) csv = withHitColumns(csv, snapshot);
    // A table the bullet ends early says so in a last comment line, as the Table tab does.
    if (result.cutShort) {
        const bool metres = snapshot.units.rangeInMetres(snapshot.form.isMetric());
        const double scale = snapshot.units.rangeScale(snapshot.form.isMetric());
        const QString unit = metres ? QStringLiteral(" meters") : QStringLiteral(" yards");
        csv += ("# The bullet does not reach " + MNumber::shortText(float(load.imaxyds * scale)) +
                unit + "; the table ends at " +
                MNumber::shortText(shown.back()[TableColumns::Range]) + unit + ".\n")
                   .toUtf8();
    }
    return csv;
}

QByteArray tableCsv(const LoadSnapshot& snapshot, CTextOutput& txt, QString& problem,
                    QList<Problem>& failures) {
    problem = snapshot.loadProblem();
    failures.clear();
    if (!problem.isEmpty()) return {};
    // The Table tab's rows, without its text.
    try {
        const CInput& load = snapshot.values.in1;
        const TableResult result = txt.rows(snapshot, load, load);
        if (!result.ok()) {
            problem = result.reason;
            failures = result.problems();
            return {};
        }
        return fromResult(snapshot, result);
    } catch (const ErrorNumbers::Failure& f) {
        failures.append(Problem::failure(QStringLiteral("CTextOutput"),
                                         QStringLiteral("printTextTable"), f.number,
                                         QString::fromLocal8Bit(f.what())));
        return {};
    }
}

bool exportWithDialog(const LoadSnapshot& snapshot) {
    CTextOutput txt;
    QString problem;
    QList<Problem> failures;
    const QByteArray csv = tableCsv(snapshot, txt, problem, failures);
    if (csv.isEmpty()) {
        Problems::report(failures);
        if (!problem.isEmpty()) showMessage(problem, QStringLiteral("Number out of Range"));
        return false;
    }
    const QString path = FileDialogs::chooseSavePath(
        QStringLiteral("Export Table"),
        QStringLiteral("Comma Separated Values (*.csv)|*.csv|All Files (*.*)|*.*"),
        QStringLiteral("csv"));
    if (path.isEmpty()) return false;
    // Replaced whole or not at all, like every file the program writes.
    const QString why = WholeFile::write(path, csv);
    if (why.isEmpty()) return true;
    Problems::report(Problem::failure(
        QStringLiteral("ui"), QStringLiteral("mnuExportTable_Click"), ErrorNumbers::PathAccess,
        QStringLiteral("Path/File access error: %1 (%2)").arg(path, why)));
    return false;
}

} // namespace CsvExport
