#include "load/GraphModel.h"

#include "load/CompareFile.h"
#include "services/AppFolders.h"
#include "services/UnitText.h"

#include <QDir>
#include <QFileInfo>
#include <array>
#include <utility>

namespace GraphText {

QString yAxisTitle(int yAxis) {
    static const std::array<const char*, 4> titles = {
        "Drop / Inches", "Velocity / fps", "Energy / Foot Pounds", "Wind Drift / Inches"};
    // The plotted value for any other choice is the drift, as the table writer computes it.
    if (yAxis < 0 || yAxis >= static_cast<int>(titles.size())) yAxis = 3;
    return QString::fromLatin1(titles[static_cast<size_t>(yAxis)]);
}

namespace {
// The choice's 10 mph in the wind unit, to three figures ("16.1 km/h", "4.47 m/s").
QString driftWindText(const Units::ShownUnits& units) {
    const double wind = units.shown(Units::Quantity::WindSpeed, DriftWindMph);
    return UnitText::decimalText(wind, wind >= 10 ? 1 : 2) + ' ' +
           UnitText::symbol(units, Units::Quantity::WindSpeed);
}
} // namespace

QString windDriftChoice(const Units::ShownUnits& units) {
    if (units.isStored(Units::Quantity::WindSpeed)) return QStringLiteral("Wind Drift 10mph");
    return QStringLiteral("Wind Drift ") + driftWindText(units);
}

QString yAxisTitle(int yAxis, const Units::ShownUnits& units) {
    static const std::array<std::pair<const char*, Units::Quantity>, 4> quantities = {{
        {"Drop", Units::Quantity::Length},
        {"Velocity", Units::Quantity::Velocity},
        {"Energy", Units::Quantity::Energy},
        {"Wind Drift", Units::Quantity::Length},
    }};
    if (yAxis < 0 || yAxis >= static_cast<int>(quantities.size())) yAxis = 3;
    const auto& [name, quantity] = quantities[static_cast<size_t>(yAxis)];
    // The drift names its wind once the wind is not in mph, as the choice does.
    const bool namesWind = yAxis == 3 && !units.isStored(Units::Quantity::WindSpeed);
    if (units.isStored(quantity) && !namesWind) return yAxisTitle(yAxis);
    const QString title = namesWind ? windDriftChoice(units) : QString::fromLatin1(name);
    if (units.isStored(quantity)) return title + QStringLiteral(" / Inches");
    return title + QStringLiteral(" / ") + UnitText::symbol(units, quantity);
}

QString xAxisTitle(bool metric) {
    return metric ? QStringLiteral("Range / Meters") : QStringLiteral("Range / Yards");
}

int16_t chartType(bool is3D) {
    return is3D ? 2 : 3;
}

QString notComparing() {
    return QStringLiteral("Not comparing");
}
QString noComparison() {
    return QStringLiteral("No Comparison");
}

} // namespace GraphText

float GraphModel::plotted(const TableRow& row, int yAxis) {
    using namespace TableColumns;
    switch (yAxis) {
    case 0:
        return row[Height];
    case 1:
        return row[Velocity];
    case 2:
        return row[Energy];
    default:
        return row[Wind];
    }
}

namespace {
// The graph's arrays of a result: range along x, the y-axis choice up.
void split(const TableResult& result, const TableColumns::Options& options, int yAxis,
           std::vector<float>& x, std::vector<float>& y) {
    for (const TableRow& row : TableColumns::shownRows(result.rows, options)) {
        x.push_back(row[TableColumns::Range]);
        y.push_back(GraphModel::plotted(row, yAxis));
    }
}
} // namespace

GraphData GraphModel::refresh(const LoadSnapshot& snapshot, Comparison& comparison,
                              CTextOutput& txt) {
    std::vector<float> drop1, range1, drop2, range2;
    QString problem, compareProblem;
    // The failures in the order the user has always seen them: those that arose on the way
    // (the solver binding's, the comparison file's), then the graphs' own.
    QList<Problem> failures;
    std::vector<Problem> graphFailures;
    std::optional<float> subsonicRange;
    float handedBc = 0;
    const int yAxis = snapshot.form.yAxis;
    const TableResult own = txt.graph(snapshot, snapshot.values.in1);
    failures += own.solverFailures;
    if (own.ok()) {
        handedBc = own.handedBc;
        split(own, CTextOutput::tableOptions(snapshot), yAxis, range1, drop1);
        for (const TableRow& row : own.rows)
            if (row[TableColumns::SoundBarrier] == TableColumns::SubsonicMark)
                subsonicRange = row[TableColumns::Range];
    } else {
        problem = own.reason;
        if (own.problem) graphFailures.push_back(*own.problem);
    }

    bool comparing = false;
    bool read = false;
    const bool itself = isSameFile(comparison.file, loadFile);
    // A comparison named but not drawn says why under the chart, rather than leave its name in
    // the list with no curve.
    if (comparison.on && itself)
        compareProblem = QStringLiteral("The comparison file is this load itself: it is not "
                                        "compared with itself.");
    else if (comparison.on && !comparison.file.isEmpty() &&
             existingCompareFile(comparison.file).isEmpty())
        compareProblem =
            QStringLiteral("The comparison file \"%1\" is not there.").arg(comparison.file);
    if (comparison.on && !itself && MSmallBallStruct::FileExists(comparison.file)) {
        // Every input the file does not supply (drag model, angle, the air) is the screen's.
        compareInput = snapshot.values.in1;
        read = CompareFile::dataLoadCompare(compareInput, comparison.file, failures);
        if (read && !CompareFile::isLoadFile(comparison.file, failures)) {
            read = false;
            compareProblem =
                QStringLiteral("The comparison file \"%1\" is not a Quorvel load file.")
                    .arg(comparison.file);
        }
        if (read) comparePrecision = CompareFile::precisionOf(comparison.file, failures);
    }
    // A comparison load no trajectory exists for (a coefficient or velocity of 0) is not drawn
    // rather than drawn from overflows.
    if (read && compareInput.imvel >= 300 && compareInput.bcoef > 0.0f) {
        // Drawn with its own model: the precision model when it was saved with it on.
        const TableResult other = txt.graph(snapshot, compareInput, &comparePrecision);
        comparing = other.ok();
        if (comparing) split(other, CTextOutput::tableOptions(snapshot), yAxis, range2, drop2);
        failures += other.solverFailures;
        if (other.problem) graphFailures.push_back(*other.problem);
        // That model can fail on the comparison alone (its drag table gone or damaged, its zero
        // out of reach); the chart then says why the second curve is missing.
        if (!other.reason.isEmpty())
            compareProblem = QStringLiteral("The comparison load is not drawn: ") + other.reason;
    }
    if (!comparing || drop2.empty() || range2.size() != drop2.size()) {
        drop2.assign(1, 0.0f);
        range2.assign(1, 0.0f);
    }
    GraphData d = compose(std::move(range1), std::move(drop1), std::move(range2), std::move(drop2),
                          snapshot, comparing);
    d.problem = problem;
    d.subsonicRange = subsonicRange;
    d.compareProblem = compareProblem;
    d.handedBc = handedBc;
    for (const Problem& failure : graphFailures)
        failures.append(failure);
    d.failures = std::move(failures);
    return d;
}

GraphData GraphModel::compose(std::vector<float> range1, std::vector<float> drop1,
                              std::vector<float> range2, std::vector<float> drop2,
                              const LoadSnapshot& model, bool comparing) const {
    GraphData d;
    // A pair of arrays of unequal length plots only the points both hold.
    const size_t n1 = std::min(range1.size(), drop1.size());
    range1.resize(n1);
    drop1.resize(n1);
    const size_t n2 = std::min(range2.size(), drop2.size());
    range2.resize(n2);
    drop2.resize(n2);

    d.series1.x = std::move(range1);
    d.series1.y = std::move(drop1);
    d.series1.legend = model.form.fields[InputFields::Cartridge];
    d.series2.x = std::move(range2);
    d.series2.y = std::move(drop2);
    // No stale name for a comparison that is not drawn.
    d.series2.legend = comparing ? compareInput.cart : QString();
    d.comparing = comparing;
    d.xTitle = GraphText::xAxisTitle(model.units.rangeInMetres(model.form.isMetric()));
    d.yTitle = GraphText::yAxisTitle(model.form.yAxis, model.units);
    d.chartType = GraphText::chartType(model.values.is3D);
    return d;
}

QList<Problem> GraphModel::chooseCompareFile(const QString& path, Comparison& comparison) {
    comparison.setFile(path);
    QList<Problem> problems;
    CompareFile::dataLoadCompare(compareInput, comparison.file, problems);
    comparison.on = true;
    return problems;
}

namespace {
// The folders the comparison list shows, first the load's own; each once.
QStringList compareFolders(const QString& loadFile) {
    QStringList folders;
    if (!loadFile.isEmpty()) folders << QFileInfo(loadFile).absolutePath();
    folders << MSmallBallStruct::documentFolder() << MSmallBallStruct::userFolder();
    QStringList unique;
    for (const QString& folder : folders) {
        const QString clean = QDir::cleanPath(folder);
        if (!unique.contains(clean)) unique << clean;
    }
    return unique;
}
} // namespace

QList<CompareChoice> GraphModel::compareChoices(const QString& loadFile) {
    QList<CompareChoice> choices;
    QStringList names;
    for (const QString& folder : compareFolders(loadFile)) {
        QStringList found;
        MSmallBallStruct::fillComboBox(found, QStringLiteral("*.qvt"), folder);
        for (const QString& name : found) {
            const QString path = folder + '/' + name;
            if (names.contains(name, Qt::CaseInsensitive) || isSameFile(path, loadFile)) continue;
            names << name;
            choices.append({name, path});
        }
    }
    return choices;
}

QString GraphModel::compareFileFor(const QString& listText, const QString& loadFile) {
    const QString name = listText.trimmed();
    if (name.isEmpty()) return QString();
    for (const QString& folder : compareFolders(loadFile)) {
        QString path = folder + '/' + name;
        if (MSmallBallStruct::FileExists(path)) return path;
    }
    return QString();
}

bool GraphModel::isSameFile(const QString& compareFile, const QString& loadFile) {
    if (compareFile.isEmpty() || loadFile.isEmpty()) return false;
    const QString a = QFileInfo(compareFile).canonicalFilePath();
    return !a.isEmpty() && a == QFileInfo(loadFile).canonicalFilePath();
}

QString GraphModel::existingCompareFile(const QString& compareFile) {
    QString path = compareFile;
    return MSmallBallStruct::FileExists(path) ? path : QString();
}
