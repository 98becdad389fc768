#include "precision/DragDrg.h"

#include <charconv>
#include <cmath>
#include <string>
#include <vector>

namespace precision {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\f' || c == '\v';
}

std::vector<std::string_view> wordsOf(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && isBlank(line[i]))
            ++i;
        const std::size_t start = i;
        while (i < line.size() && !isBlank(line[i]))
            ++i;
        if (i > start) words.push_back(line.substr(start, i - start));
    }
    return words;
}

bool numberOf(std::string_view word, double& value) {
    if (!word.empty() && word.front() == '+') word.remove_prefix(1);
    const auto [end, ec] = std::from_chars(word.data(), word.data() + word.size(), value);
    return ec == std::errc() && end == word.data() + word.size() && std::isfinite(value);
}

DragParse failure(int lineNumber, const std::string& problem) {
    return {std::nullopt, "line " + std::to_string(lineNumber) + ": " + problem};
}

struct Row {
    int lineNumber;
    double first, second;
};

// The first row (index) at which `column` does not rise, or rows.size() when it rises all along.
std::size_t firstNotRising(const std::vector<Row>& rows, double Row::*column) {
    for (std::size_t i = 1; i < rows.size(); ++i)
        if (rows[i].*column <= rows[i - 1].*column) return i;
    return rows.size();
}

} // namespace

DragParse parseDragDrg(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3); // byte order mark
    std::vector<Row> rows;
    bool headerSeen = false;
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        const std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        ++lineNumber;
        const std::vector<std::string_view> words = wordsOf(line);
        if (words.empty()) continue;
        if (!headerSeen) {
            headerSeen = true;
            continue;
        }
        if (line.find(',') != std::string_view::npos)
            return failure(lineNumber,
                           "\"" + quotedField(line.substr(0, line.find_last_not_of(" \t\r") + 1)) +
                               "\" has a comma; a .drg file takes \".\" as the "
                               "decimal point");
        if (words.size() != 2)
            return failure(lineNumber, "expected two numbers, Cd and Mach, but found " +
                                           std::to_string(words.size()) +
                                           (words.size() == 1 ? " value" : " values"));
        Row row{lineNumber, 0, 0};
        for (int i = 0; i < 2; ++i)
            if (!numberOf(words[size_t(i)], i == 0 ? row.first : row.second))
                return failure(lineNumber,
                               "\"" + quotedField(words[size_t(i)]) + "\" is not a number");
        if (rows.size() == std::size_t(mostDrgRows))
            return failure(lineNumber,
                           "a drag table has at most " + std::to_string(mostDrgRows) + " rows");
        rows.push_back(row);
    }
    if (rows.size() < 2)
        return {std::nullopt, std::string(rows.empty() ? "the table has no data rows"
                                                       : "the table has only 1 data row") +
                                  "; a drag table needs at least 2"};

    // Cd then Mach, as the format writes it, unless only the first column rises.
    const std::size_t secondStops = firstNotRising(rows, &Row::second);
    const bool machFirst =
        secondStops < rows.size() && firstNotRising(rows, &Row::first) == rows.size();
    if (!machFirst && secondStops < rows.size())
        return failure(rows[secondStops].lineNumber,
                       "the Mach numbers do not rise (neither column is in ascending order)");
    DragCurve curve;
    for (const Row& row : rows) {
        const double mach = machFirst ? row.first : row.second;
        const double cd = machFirst ? row.second : row.first;
        if (mach < 0) return failure(row.lineNumber, "Mach is negative");
        if (cd <= 0) return failure(row.lineNumber, "Cd is not positive");
        // Beyond these no bullet flies: the flight would accelerate or overflow.
        if (mach > MostDragMach) return failure(row.lineNumber, "Mach is above 10");
        if (cd > MostDragCd) return failure(row.lineNumber, "Cd is above 5");
        curve.mach.push_back(mach);
        curve.cd.push_back(cd);
    }
    return {std::move(curve), {}};
}

} // namespace precision
