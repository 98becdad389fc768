#include "load/CsvExport.h"

#include "load/CTextOutput.h"
#include "load/LoadModel.h"
#include "load/TableRefresh.h"
#include "services/ErrorNumbers.h"
#include "services/FileChooser.h"
#include "services/MNumber.h"
#include "services/MSmallBallStruct.h"
#include "services/Prompt.h"
#include "services/WholeFile.h"

namespace CsvExport {

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

QByteArray tableCsv(LoadModel& model, CTextOutput& txt, QString& problem) {
    const float angle = TableRefresh::prepareRefresh(model, txt);
    problem = TableRefresh::loadProblem(model);
    if (!problem.isEmpty()) return {};
    // The Table tab's rows, without its text.
    try {
        if (!txt.computeRows(model.values.in1, model.values.in1, true, angle, model)) {
            problem = txt.problem();
            return {};
        }
    } catch (const ErrorNumbers::Failure& f) {
        MSmallBallStruct::HandleError(QStringLiteral("CTextOutput"),
                                      QStringLiteral("printTextTable"), f.number, f.what());
        return {};
    }
    QByteArray csv = text(txt.rows(), txt.columns(model));
    // A table the bullet ends early says so in a last comment line, as the Table tab does.
    if (txt.cutShort()) {
        const QString unit =
            model.form.isMetric() ? QStringLiteral(" meters") : QStringLiteral(" yards");
        csv +=
            ("# The bullet does not reach " + MNumber::shortText(float(model.values.in1.imaxyds)) +
             unit + "; the table ends at " +
             MNumber::shortText(txt.rows().back()[TableColumns::Range]) + unit + ".\n")
                .toUtf8();
    }
    return csv;
}

bool exportWithDialog(LoadModel& model) {
    CTextOutput txt;
    QString problem;
    const QByteArray csv = tableCsv(model, txt, problem);
    if (csv.isEmpty()) {
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
    MSmallBallStruct::HandleError(QStringLiteral("ui"), QStringLiteral("mnuExportTable_Click"),
                                  ErrorNumbers::PathAccess,
                                  QStringLiteral("Path/File access error: %1 (%2)").arg(path, why));
    return false;
}

} // namespace CsvExport
