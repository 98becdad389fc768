// A load file read and computed, in both models: the table text, its CSV and every row come
// from the values read. Whatever the file holds, a table has no "Inf" or "NaN" and no overflow
// reaches the user as an internal line: a load that cannot be flown gets one message naming
// its input. After the line "@@drag@@" the input is a drag file of the load's own, which a
// precision load uses when it names one.
#include "FuzzSupport.h"

#include "load/CTextOutput.h"
#include "load/CsvExport.h"
#include "load/LoadFile.h"
#include "load/LoadModel.h"
#include "load/PrecisionFields.h"
#include "load/TableRefresh.h"

#include <QRegularExpression>
#include <cmath>

namespace {

void checkText(const QString& text, const char* what) {
    static const QRegularExpression undefined(QStringLiteral("\\b(Inf|NaN|inf|nan)\\b"));
    if (text.contains(undefined)) fuzz::fail(what);
}

void checkSaid(const fuzz::SilentPrompt& prompt, long before) {
    if (prompt.messages != before && prompt.lastText.contains(QLatin1String("Overflow")))
        fuzz::fail("an overflow reached the user as an internal line");
}

// A failure handed back for its entry point to report must not be an internal overflow line.
void checkFailure(const std::optional<Problem>& failure) {
    if (failure && failure->messageText().contains(QLatin1String("Overflow")))
        fuzz::fail("an overflow reached the user as an internal line");
}
void checkFailures(const QList<Problem>& failures) {
    for (const Problem& failure : failures)
        checkFailure(failure);
}

// One model's table, text and CSV, of the load in `form`.
void compute(const LoadForm& form) {
    auto& env = fuzz::environment();
    LoadModel model;
    model.form = LoadForm::initial();
    model.refreshAllFields();
    model.applyForm(form);
    const LoadSnapshot snapshot = model.snapshot();
    if (!snapshot.loadProblem().isEmpty()) return;

    const long before = env.prompt.messages;
    CTextOutput txt;
    const TableResult result = TableRefresh::table(snapshot, txt);
    checkSaid(env.prompt, before);
    checkFailure(result.problem);
    checkFailures(result.solverFailures);
    checkText(TableRefresh::shownText(result), "a table shows an undefined value");
    for (const TableRow& row : result.rows)
        for (const float value : row.value)
            if (!std::isfinite(value)) fuzz::fail("a table row holds a value that is not finite");

    // The CSV of the same rows: flying them again, as File > Export does, would be the same
    // flight at twice the cost.
    if (!result.ok()) {
        if (result.reason.isEmpty() && result.problems().isEmpty() && env.prompt.messages == before)
            fuzz::fail("a table was not made and nothing said why");
        return;
    }
    const QByteArray csv = CsvExport::fromResult(snapshot, result);
    checkText(QString::fromUtf8(csv), "a CSV holds an undefined value");
    if (csv.isEmpty()) fuzz::fail("a CSV of computed rows is empty");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    auto& env = fuzz::environment();
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    static const QByteArray marker("@@drag@@\n");
    const qsizetype split = bytes.indexOf(marker);
    const QByteArray load = split < 0 ? bytes : bytes.left(split);
    const QByteArray drag = split < 0 ? QByteArray() : bytes.mid(split + marker.size());

    const QString loadPath =
        env.write(QStringLiteral("input.qvt"), reinterpret_cast<const uint8_t*>(load.constData()),
                  size_t(load.size()));
    const QString dragPath =
        env.write(QStringLiteral("own-drag.csv"),
                  reinterpret_cast<const uint8_t*>(drag.constData()), size_t(drag.size()));
    LoadForm form = LoadForm::initial();
    if (!LoadFile::read(loadPath, form).opened) return 0;
    // A file of one's own named in the load is the one after the marker: the fuzzer cannot
    // guess a path that exists.
    if (!PrecisionFields::isStandardDragTable(form.precision.dragTable))
        form.precision.dragTable = dragPath;

    compute(form);
    form.precision.setOn(!form.precision.on);
    compute(form);
    return 0;
}
