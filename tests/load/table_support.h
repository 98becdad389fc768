// Shared by the table writer tests: a load model primed like the window at start-up, and the
// table text taken apart into header, headings and rows.
#pragma once

#include "QuietPrompt.h"
#include "TestAppFolder.h"
#include "load/CTextOutput.h"
#include "load/GraphModel.h"
#include "load/LoadModel.h"
#include "load/TableRefresh.h"

#include <QRegularExpression>
#include <QStringList>
#include <gtest/gtest.h>
#include <vector>

struct ParsedTable {
    QStringList lines;    // split at CR LF
    QStringList headings; // column headings
    std::vector<QStringList> rows;

    int column(const QString& heading) const { return int(headings.indexOf(heading)); }
    QString cell(size_t row, const QString& heading) const {
        const int c = column(heading);
        return c < 0 || row >= rows.size() ? QString() : rows[row].value(c);
    }
    double number(size_t row, const QString& heading) const {
        return cell(row, heading).toDouble();
    }
};

inline QStringList splitCells(const QString& line, bool comma) {
    static const QRegularExpression blanks(QStringLiteral("\\s+"));
    if (!comma) return line.split(blanks, Qt::SkipEmptyParts);
    QStringList cells = line.split(',');
    if (!cells.isEmpty() && cells.back().trimmed().isEmpty()) cells.removeLast();
    for (QString& c : cells)
        c = c.trimmed();
    return cells;
}

inline ParsedTable parseTable(const QString& text, bool comma = false) {
    ParsedTable t;
    t.lines = text.split(QStringLiteral("\r\n"));
    qsizetype at = -1;
    for (qsizetype i = 0; i < t.lines.size() && at < 0; ++i)
        if (t.lines[i].contains("Range") && t.lines[i].contains("Height")) at = i;
    if (at < 0) return t;
    t.headings = splitCells(t.lines[at], comma);
    for (qsizetype i = at + 2; i < t.lines.size(); ++i) {
        if (t.lines[i].trimmed().isEmpty()) continue;
        t.rows.push_back(splitCells(t.lines[i], comma));
    }
    return t;
}

// A zero that came from below must never print with its minus.
inline bool hasNegativeZero(const QString& text) {
    static const QRegularExpression negativeZero(QStringLiteral("(^|[ ,])-0(\\.0*)?(?=[ ,\\r]|$)"));
    return negativeZero.match(text).hasMatch();
}

class TableTest : public ::testing::Test {
protected:
    TestAppFolder folder;
    QuietPrompt prompts;
    LoadModel model;
    CTextOutput txt;
    TableResult last; // the result of the last table() or tableValues()

    void SetUp() override { model.refreshAllFields(); }

    void set(int index, const QString& text) { model.setFieldText(index, text); }
    // The Table tab's refresh: the text it shows, a failure reported as the tab reports it.
    QString table() {
        last = TableRefresh::table(model.snapshot(), txt);
        if (last.problem) Problems::report(*last.problem);
        const QString text = TableRefresh::shownText(last);
        EXPECT_FALSE(hasNegativeZero(text));
        return text;
    }
    ParsedTable parsed() { return parseTable(table(), model.form.optComma1); }

    // The refresh of the table's rows (or the graph's points): heights (or the chosen y-axis)
    // per row.
    std::vector<float> tableValues(bool textTable = true, std::vector<float>* ranges = nullptr) {
        const LoadSnapshot snapshot = model.snapshot();
        last = textTable ? txt.table(snapshot) : txt.graph(snapshot, snapshot.load());
        if (last.problem) Problems::report(*last.problem);
        std::vector<float> drop;
        for (const TableRow& row : last.rows) {
            drop.push_back(GraphModel::plotted(row, model.form.yAxis));
            if (ranges) ranges->push_back(row[TableColumns::Range]);
        }
        return drop;
    }
};
