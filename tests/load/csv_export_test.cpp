// The table as CSV: the same rows as the Table tab, every value the shortest text of its float,
// the columns named by the options, and nothing of the user's locale in the numbers.
#include "table_support.h"

#include "load/CsvExport.h"
#include "load/InputFields.h"
#include "load/MPrint.h"
#include "services/MNumber.h"

#include <QLocale>
#include <cstdlib>

using namespace InputFields;

namespace {

struct Csv {
    QStringList header;
    std::vector<QStringList> rows;
};

Csv parseCsv(const QByteArray& bytes) {
    Csv csv;
    QList<QByteArray> lines = bytes.split('\n');
    EXPECT_TRUE(lines.last().isEmpty()) << "the text ends with a line end";
    lines.removeLast();
    if (lines.isEmpty()) return csv;
    csv.header = QString::fromUtf8(lines.takeFirst()).split(',');
    for (const QByteArray& line : lines)
        csv.rows.push_back(QString::fromLatin1(line).split(','));
    return csv;
}

class CsvTest : public TableTest {
protected:
    Csv csv() {
        QString problem;
        QList<Problem> failures;
        const QByteArray bytes = CsvExport::tableCsv(model.snapshot(), txt, problem, failures);
        EXPECT_TRUE(problem.isEmpty()) << problem.toStdString();
        EXPECT_TRUE(failures.isEmpty());
        EXPECT_FALSE(bytes.contains('\r'));
        return parseCsv(bytes);
    }
};

TEST_F(CsvTest, ColumnsFollowTheOptions) {
    EXPECT_EQ(csv().header,
              QStringList({"range_yd", "height_in", "height_mil", "wind_in", "wind_mil",
                           "velocity_fps", "energy_ftlbf", "tof_s", "lead_in", "lead_mil"}));
    model.form.optMoa1 = true;
    model.form.optMetric1 = true;
    model.form.chkMilrange = 1;
    EXPECT_EQ(csv().header, QStringList({"range_m", "milrange", "height_in", "height_clicks",
                                         "wind_in", "wind_clicks", "velocity_fps", "energy_ftlbf",
                                         "tof_s", "lead_in", "lead_clicks"}));
}

// Each value is the shortest text of a float, and rounds to what the Table tab shows.
TEST_F(CsvTest, ValuesAreTheTablesUnroundedInEveryOption) {
    for (const bool moa : {false, true}) {
        model.form.optMoa1 = moa;
        model.form.chkMilrange = moa ? 1 : 0;
        model.form.chkAdvanced = 1;
        set(TargetSpeed, "7");
        const Csv c = csv();
        const ParsedTable t = parsed();
        ASSERT_EQ(c.rows.size(), t.rows.size());
        const auto formats = CTextOutput::columns(model.snapshot());
        ASSERT_EQ(int(formats.size()), c.header.size());
        for (size_t i = 0; i < c.rows.size(); ++i) {
            ASSERT_EQ(c.rows[i].size(), c.header.size());
            for (int k = 0; k < c.header.size(); ++k) {
                const QString& text = c.rows[i][k];
                const float value = std::strtof(text.toLatin1().constData(), nullptr);
                EXPECT_EQ(MNumber::shortText(value), text) << "not the shortest text: " << i;
                const QString shown = TableColumns::cellText(formats[size_t(k)], value).trimmed();
                EXPECT_EQ(shown, t.rows[i].value(k))
                    << c.header[k].toStdString() << " row " << i << " csv " << text.toStdString();
            }
        }
    }
}

TEST_F(CsvTest, ANumberIsWrittenTheSameInEveryLocale) {
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    const Csv c = csv();
    QLocale::setDefault(previous);
    for (const QStringList& row : c.rows)
        for (const QString& cell : row)
            EXPECT_FALSE(cell.contains(' ') || cell.isEmpty()) << cell.toStdString();
    EXPECT_TRUE(c.rows[1][1].contains('.')); // a height has decimals, written with a point
}

TEST_F(CsvTest, ALoadWithoutATrajectoryGivesItsFieldsMessageAndNoFile) {
    set(Bc, "0");
    QString problem;
    QList<Problem> failures;
    EXPECT_TRUE(CsvExport::tableCsv(model.snapshot(), txt, problem, failures).isEmpty());
    EXPECT_TRUE(failures.isEmpty());
    EXPECT_EQ(problem, QStringLiteral("BC: Ballistic Coefficient must be between 0.001 and 1.0."));
}

} // namespace
