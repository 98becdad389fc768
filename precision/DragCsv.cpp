#include "precision/DragCsv.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <vector>

namespace precision {

namespace {

std::string_view trimmed(std::string_view s) {
    const auto space = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    while (!s.empty() && space(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && space(s.back()))
        s.remove_suffix(1);
    return s;
}

std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    for (std::size_t comma; (comma = line.find(',')) != std::string_view::npos;) {
        fields.push_back(trimmed(line.substr(0, comma)));
        line.remove_prefix(comma + 1);
    }
    fields.push_back(trimmed(line));
    return fields;
}

bool isHeader(const std::vector<std::string_view>& fields) {
    const auto equalsIgnoringCase = [](std::string_view a, std::string_view b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
            return std::tolower(static_cast<unsigned char>(x)) == y;
        });
    };
    return fields.size() == 2 && equalsIgnoringCase(fields[0], "mach") &&
           equalsIgnoringCase(fields[1], "cd");
}

// One number of a row, or the reason it is not one.
struct Number {
    double value = 0;
    std::string problem;
};

Number numberOf(std::string_view field, const char* what) {
    const std::string quoted = std::string(what) + " value \"" + quotedField(field) + "\"";
    if (field.empty()) return {0, std::string("the ") + what + " value is missing"};
    std::string_view digits = field;
    if (digits.front() == '+') digits.remove_prefix(1);
    double value = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    if (ec != std::errc() || end != digits.data() + digits.size())
        return {0, "the " + quoted + " is not a number"};
    if (!std::isfinite(value)) return {0, "the " + quoted + " is not a finite number"};
    return {value, {}};
}

std::string limitText(double limit) {
    return std::to_string(static_cast<int>(limit));
}

DragParse failure(int lineNumber, const std::string& problem) {
    return {std::nullopt, "line " + std::to_string(lineNumber) + ": " + problem};
}

} // namespace

std::string quotedField(std::string_view field) {
    static constexpr char Hex[] = "0123456789ABCDEF";
    std::string quoted;
    std::size_t chars = 0, i = 0;
    for (; i < field.size(); ++i) {
        const auto byte = static_cast<unsigned char>(field[i]);
        // A UTF-8 continuation byte belongs to the character before it.
        const bool continuation = (byte & 0xC0) == 0x80;
        if ((!continuation && chars++ == MostQuotedChars) || i == 4 * MostQuotedChars) break;
        if (byte < 0x20 || byte == 0x7F) {
            quoted += "\\x";
            quoted += Hex[byte >> 4];
            quoted += Hex[byte & 0xF];
        } else {
            quoted += field[i];
        }
    }
    if (i < field.size()) quoted += "...";
    return quoted;
}

DragParse parseDragCsv(std::string_view text) {
    if (text.starts_with("\xEF\xBB\xBF")) text.remove_prefix(3); // byte order mark
    DragCurve curve;
    std::string_view previousMach;
    bool headerSeen = false;
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        const std::string_view line = trimmed(text.substr(0, newline));
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        ++lineNumber;
        if (line.empty() || line.front() == '#') continue;
        const std::vector<std::string_view> fields = fieldsOf(line);
        if (!headerSeen && curve.mach.empty() && isHeader(fields)) {
            headerSeen = true;
            continue;
        }
        if (fields.size() != 2)
            return failure(lineNumber,
                           "expected two numbers, Mach and Cd, separated by a comma, but found " +
                               std::to_string(fields.size()) +
                               (fields.size() == 1 ? " value" : " values"));
        const Number mach = numberOf(fields[0], "Mach");
        if (!mach.problem.empty()) return failure(lineNumber, mach.problem);
        const Number cd = numberOf(fields[1], "Cd");
        if (!cd.problem.empty()) return failure(lineNumber, cd.problem);
        const std::string machText = quotedField(fields[0]), cdText = quotedField(fields[1]);
        if (mach.value < 0) return failure(lineNumber, "Mach " + machText + " is negative");
        if (mach.value > MostDragMach)
            return failure(lineNumber, "Mach " + machText + " is above " + limitText(MostDragMach));
        if (!curve.mach.empty() && mach.value <= curve.mach.back())
            return failure(lineNumber, "Mach " + machText + " is not greater than the previous " +
                                           quotedField(previousMach));
        if (!curve.mach.empty() && mach.value - curve.mach.back() < LeastMachStep)
            return failure(lineNumber, "Mach " + machText + " is too close to the previous " +
                                           quotedField(previousMach));
        if (cd.value <= 0) return failure(lineNumber, "Cd " + cdText + " is not positive");
        if (cd.value > MostDragCd)
            return failure(lineNumber, "Cd " + cdText + " is above " + limitText(MostDragCd));
        curve.mach.push_back(mach.value);
        curve.cd.push_back(cd.value);
        previousMach = fields[0];
    }
    if (curve.mach.size() < 2)
        return {std::nullopt, std::string(curve.mach.empty() ? "the table has no data rows"
                                                             : "the table has only 1 data row") +
                                  "; a drag table needs at least 2"};
    return {std::move(curve), {}};
}

} // namespace precision
