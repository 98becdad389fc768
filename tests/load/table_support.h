// Shared by the table writer tests: a load model primed like the window at start-up, and the
// table text taken apart into header, headings and rows.
#pragma once

#include "PromptRecorder.h"
#include "TestAppFolder.h"
#include "load/CTextOutput.h"
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
    PromptRecorder prompts;
    LoadModel model;
    CTextOutput txt;

    void SetUp() override { model.refreshAllFields(); }

    void set(int index, const QString& text) { model.setFieldText(index, text); }
    QString table() {
        const QString text = TableRefresh::tableText(model, txt);
        EXPECT_FALSE(hasNegativeZero(text));
        return text;
    }
    ParsedTable parsed() { return parseTable(table(), model.form.optComma1); }

    // The refresh, keeping the arrays: heights (or the chosen y-axis) per row.
    std::vector<float> tableValues(bool textTable = true, std::vector<float>* ranges = nullptr) {
        std::vector<float> drop;
        std::vector<float> range;
        const float angle = TableRefresh::prepareRefresh(model, txt);
        txt.printTextTable(model.values.in1, textTable, drop, range, angle, model);
        if (ranges) *ranges = range;
        return drop;
    }
};
