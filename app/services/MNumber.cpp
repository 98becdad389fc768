#include "services/MNumber.h"

#include <QLocale>
#include <QRegularExpression>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace MNumber {

namespace {

std::optional<double> parseIn(const QLocale& locale, const QString& text) {
    bool ok = false;
    const double v = locale.toDouble(text, &ok);
    if (!ok || !std::isfinite(v)) return std::nullopt;
    return v;
}

// Digits and exponent of a float's shortest round-trip form: value = 0.d1d2d3 x 10^exp.
struct Decimal {
    bool negative = false;
    std::string digits;    // no leading or trailing zeros, empty for zero
    int exponent = 0;      // position of the decimal point relative to the first digit
    std::string undefined; // "Inf", "-Inf" or "NaN" for a value that is not finite
};

Decimal decompose(float value) {
    Decimal d;
    if (value == 0.0f) return d;
    // No digits and no exponent: a value out of any field's range (the standard temperature of
    // an altitude of 1e25 ft) must still have a text.
    if (std::isnan(value)) {
        d.undefined = "NaN";
        return d;
    }
    if (std::isinf(value)) {
        d.undefined = value < 0 ? "-Inf" : "Inf";
        return d;
    }
    char buf[64];
    auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific);
    std::string s(buf, res.ptr);
    if (s[0] == '-') {
        d.negative = true;
        s.erase(0, 1);
    }
    const auto e = s.find('e');
    const int exp10 = std::atoi(s.c_str() + e + 1);
    std::string mant = s.substr(0, e);
    mant.erase(std::remove(mant.begin(), mant.end(), '.'), mant.end());
    while (mant.size() > 1 && mant.back() == '0')
        mant.pop_back();
    d.digits = mant;
    d.exponent = exp10 + 1;
    return d;
}

// Renders digits in plain notation when the exponent is moderate, else as d.dddE+xx.
std::string render(const Decimal& d, bool leadingZero) {
    if (!d.undefined.empty()) return d.undefined;
    if (d.digits.empty()) return "0";
    std::string out = d.negative ? "-" : "";
    const int n = static_cast<int>(d.digits.size());
    if (d.exponent > 15 || d.exponent < -14) {
        out += d.digits.front();
        if (n > 1) out.append(".").append(d.digits, 1);
        const int e = d.exponent - 1;
        out += e < 0 ? "E-" : "E+";
        const int a = std::abs(e);
        if (a < 10) out += "0";
        out += std::to_string(a);
        return out;
    }
    if (d.exponent <= 0) {
        out += leadingZero ? "0." : ".";
        out += std::string(-d.exponent, '0') + d.digits;
    } else if (d.exponent >= n) {
        out += d.digits + std::string(d.exponent - n, '0');
    } else {
        out += d.digits.substr(0, d.exponent) + "." + d.digits.substr(d.exponent);
    }
    return out;
}

} // namespace

std::optional<double> parse(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty()) return std::nullopt;
    QLocale system = QLocale::system();
    system.setNumberOptions(QLocale::RejectGroupSeparator);
    if (auto v = parseIn(system, t)) return v;
    QLocale c = QLocale::c();
    c.setNumberOptions(QLocale::RejectGroupSeparator);
    return parseIn(c, t);
}

bool isNumeric(const QString& text) {
    return parse(text).has_value();
}

bool isPartialNumber(const QString& text) {
    if (isNumeric(text)) return false;
    // A sign, digits with a decimal point (either separator), or a mantissa waiting for its
    // exponent's digits.
    static const QRegularExpression prefix(
        QStringLiteral("^\\s*[+-]?(\\d*[.,]?\\d*|\\d+[.,]?\\d*[eE][+-]?)$"));
    return prefix.match(text).hasMatch();
}

double roundHalfEven(double value) {
    // nearbyint rounds in the current mode, which is round-to-nearest-even.
    return std::nearbyint(value);
}

float roundDecimals(float value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    const double scaled = static_cast<double>(value) * scale;
    return static_cast<float>(std::nearbyint(scaled) / scale);
}

std::optional<int16_t> toInt16(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double r = roundHalfEven(value);
    if (r < std::numeric_limits<int16_t>::min() || r > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return static_cast<int16_t>(r);
}

std::optional<int32_t> toInt32(double value) {
    if (!std::isfinite(value)) return std::nullopt;
    const double r = roundHalfEven(value);
    if (r < std::numeric_limits<int32_t>::min() || r > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(r);
}

std::optional<float> toSingle(double value) {
    // Everything that rounds to a finite float fits: the shortest text of the largest float
    // ("3.4028235E+38") reads as a double a little above it and must come back as that float.
    // Half a unit in the last place above the largest float already rounds to infinity.
    constexpr double largest = std::numeric_limits<float>::max();
    constexpr double overflow = largest + 0x1p103; // 2^128 - 2^103
    if (!std::isfinite(value) || std::fabs(value) >= overflow) return std::nullopt;
    if (std::fabs(value) > largest)
        return value < 0 ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max();
    return static_cast<float>(value);
}

QString shortText(float value, bool localized) {
    QString s = QString::fromStdString(render(decompose(value), true));
    if (localized) {
        const QString dp = QLocale::system().decimalPoint();
        if (dp != ".") s.replace('.', dp);
    }
    return s;
}

namespace {
// The digits of `value` with at most 7 significant ones: the shortest form when it is that
// short, else the value rounded to 7 digits (trailing zeros dropped).
Decimal sevenDigits(float value) {
    Decimal d = decompose(value);
    if (d.digits.size() <= 7) return d;
    char buf[64];
    auto res =
        std::to_chars(buf, buf + sizeof buf, double(value), std::chars_format::scientific, 6);
    const std::string s(buf, res.ptr);
    const auto e = s.find('e');
    std::string mant = s.substr(s[0] == '-' ? 1 : 0, e - (s[0] == '-' ? 1 : 0));
    mant.erase(std::remove(mant.begin(), mant.end(), '.'), mant.end());
    while (mant.size() > 1 && mant.back() == '0')
        mant.pop_back();
    d.digits = mant;
    d.exponent = std::atoi(s.c_str() + e + 1) + 1;
    return d;
}
} // namespace

QString fieldText(float value, bool localized) {
    QString s = QString::fromStdString(render(sevenDigits(value), true));
    if (localized) {
        const QString dp = QLocale::system().decimalPoint();
        if (dp != ".") s.replace('.', dp);
    }
    return s;
}

QString plainText(float value) {
    // The classic form keeps at most 7 significant digits.
    Decimal d = decompose(value);
    if (d.digits.size() > 7) {
        char buf[64];
        auto res = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 6);
        const float rounded = std::strtof(std::string(buf, res.ptr).c_str(), nullptr);
        d = decompose(rounded);
    }
    std::string s = render(d, false);
    if (!d.negative && d.undefined.empty()) s = " " + s;
    return QString::fromStdString(s);
}

QString boolText(bool value) {
    return value ? QStringLiteral("True") : QStringLiteral("False");
}

std::optional<bool> parseBool(const QString& text) {
    const QString t = text.trimmed();
    if (t.compare("True", Qt::CaseInsensitive) == 0) return true;
    if (t.compare("False", Qt::CaseInsensitive) == 0) return false;
    if (auto v = parse(t)) return *v != 0.0;
    return std::nullopt;
}

} // namespace MNumber
