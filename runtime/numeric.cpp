#include "runtime/numeric.h"

#include "runtime/runtimeerror.h"

#include <QtNumeric>

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace rt {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') ||
           c == QLatin1Char('\r');
}

bool isAsciiDigit(char16_t c) {
    return c >= u'0' && c <= u'9';
}

// "&H1F" and "&O17": whole numbers in hex or octal, read as 16-bit when they fit four
// (hex) or six (octal) digits, else as 32-bit, as the literal syntax does.
double radixValue(const std::u16string &chars, std::size_t pos) {
    const char16_t tag = chars[pos];
    const int radix = (tag == u'H' || tag == u'h') ? 16 : 8;
    quint64 value = 0;
    int digits = 0;
    for (std::size_t i = pos + 1; i < chars.size(); ++i) {
        const char16_t c = chars[i];
        int d = -1;
        if (isAsciiDigit(c))
            d = c - u'0';
        else if (radix == 16 && c >= u'a' && c <= u'f')
            d = c - u'a' + 10;
        else if (radix == 16 && c >= u'A' && c <= u'F')
            d = c - u'A' + 10;
        if (d < 0 || d >= radix) break;
        value = (value * radix + d) & 0xFFFFFFFFu;
        ++digits;
    }
    const bool shortForm = radix == 16 ? digits <= 4 : value <= 0xFFFF;
    if (shortForm) return static_cast<qint16>(static_cast<quint16>(value));
    return static_cast<qint32>(static_cast<quint32>(value));
}

} // namespace

double Val(QStringView s) {
    std::u16string chars;
    chars.reserve(static_cast<std::size_t>(s.size()));
    for (QChar c : s) {
        if (!isBlank(c)) chars.push_back(c.unicode());
    }
    if (chars.size() >= 2 && chars[0] == u'&' &&
        (chars[1] == u'H' || chars[1] == u'h' || chars[1] == u'O' || chars[1] == u'o'))
        return radixValue(chars, 1);

    // Longest prefix of the form [sign] digits [. digits] [(E|D) [sign] digits].
    std::string number;
    std::size_t i = 0;
    if (i < chars.size() && (chars[i] == u'+' || chars[i] == u'-')) {
        if (chars[i] == u'-') number.push_back('-');
        ++i;
    }
    bool mantissa = false;
    while (i < chars.size() && isAsciiDigit(chars[i])) {
        number.push_back(static_cast<char>(chars[i++]));
        mantissa = true;
    }
    if (i < chars.size() && chars[i] == u'.') {
        number.push_back('.');
        ++i;
        while (i < chars.size() && isAsciiDigit(chars[i])) {
            number.push_back(static_cast<char>(chars[i++]));
            mantissa = true;
        }
    }
    if (!mantissa) return 0.0;
    if (i < chars.size() &&
        (chars[i] == u'E' || chars[i] == u'e' || chars[i] == u'D' || chars[i] == u'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < chars.size() && (chars[j] == u'+' || chars[j] == u'-'))
            exponent.push_back(static_cast<char>(chars[j++]));
        bool expDigits = false;
        while (j < chars.size() && isAsciiDigit(chars[j])) {
            exponent.push_back(static_cast<char>(chars[j++]));
            expDigits = true;
        }
        if (expDigits) number += exponent;
    }

    double value = 0.0;
    const char *first = number.data();
    const char *last = first + number.size();
    const auto [ptr, ec] = std::from_chars(first, last, value);
    if (ec == std::errc::result_out_of_range) {
        // from_chars leaves the value alone: decide between overflow and underflow.
        const bool negative = number.front() == '-';
        const auto e = number.find('e');
        const bool tiny = e != std::string::npos && number[e + 1] == '-';
        if (tiny) return negative ? -0.0 : 0.0;
        return negative ? -std::numeric_limits<double>::infinity()
                        : std::numeric_limits<double>::infinity();
    }
    Q_UNUSED(ptr);
    return value;
}

QString Str(double x) {
    if (std::isnan(x)) return QStringLiteral(" NaN");
    if (std::isinf(x)) return x > 0 ? QStringLiteral(" Inf") : QStringLiteral("-Inf");
    if (x == 0.0) return QStringLiteral(" 0");
    QString text = QString::asprintf("%.15G", x);
    if (text.startsWith(QLatin1String("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QLatin1String("-0.")))
        text.remove(1, 1);
    return x < 0 ? text : QLatin1Char(' ') + text;
}

QString Format(double x, QStringView format) {
    const qsizetype point = format.indexOf(QLatin1Char('.'));
    const int decimals = point < 0 ? 0 : static_cast<int>(format.size() - point - 1);
    // Halves round away from zero on the decimal value, as a reader expects.
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(x * scale) / scale;
    return QString::number(rounded == 0.0 ? 0.0 : rounded, 'f', decimals);
}

QString Format(const QString &s, QStringView format) {
    const QString trimmed = s.trimmed();
    bool ok = false;
    const double x = trimmed.toDouble(&ok);
    // A number written without its leading zero (" .05") is numeric too.
    if (!ok && trimmed.startsWith(QLatin1Char('.')))
        return Format(QString(QLatin1Char('0') + trimmed), format);
    if (!ok && trimmed.startsWith(QLatin1String("-.")))
        return Format(QString(QLatin1String("-0") + trimmed.mid(1)), format);
    return ok ? Format(x, format) : s;
}

double roundHalfEven(double x) {
    const double r = std::round(x); // halves away from zero
    if (std::fabs(x - std::trunc(x)) == 0.5) return 2.0 * std::round(x / 2.0);
    return r;
}

Integer CInt(double x) {
    const double r = roundHalfEven(x);
    if (!(r >= -32768.0 && r <= 32767.0)) raise(ErrorCode::Overflow);
    return static_cast<Integer>(r);
}

Long CLng(double x) {
    const double r = roundHalfEven(x);
    if (!(r >= -2147483648.0 && r <= 2147483647.0)) raise(ErrorCode::Overflow);
    return static_cast<Long>(r);
}

Long clampToLong(double x) {
    if (std::isnan(x)) return 0;
    const double r = roundHalfEven(x);
    if (r <= -2147483648.0) return std::numeric_limits<Long>::min();
    if (r >= 2147483647.0) return std::numeric_limits<Long>::max();
    return static_cast<Long>(r);
}

namespace {

// Qt's helpers use the compiler's overflow builtins where there are some and portable code
// elsewhere (MSVC).
template <typename T> T overflowChecked(bool (*op)(T, T, T *), T a, T b) {
    T result = 0;
    if (op(a, b, &result)) raise(ErrorCode::Overflow);
    return result;
}

} // namespace

Integer add(Integer a, Integer b) {
    return overflowChecked<Integer>(qAddOverflow<Integer>, a, b);
}

Integer sub(Integer a, Integer b) {
    return overflowChecked<Integer>(qSubOverflow<Integer>, a, b);
}

Integer mul(Integer a, Integer b) {
    return overflowChecked<Integer>(qMulOverflow<Integer>, a, b);
}

Long add(Long a, Long b) {
    return overflowChecked<Long>(qAddOverflow<Long>, a, b);
}

Long sub(Long a, Long b) {
    return overflowChecked<Long>(qSubOverflow<Long>, a, b);
}

Long mul(Long a, Long b) {
    return overflowChecked<Long>(qMulOverflow<Long>, a, b);
}

double checked(double x) {
    if (std::isnan(x)) raise(ErrorCode::InvalidFloat);
    if (std::isinf(x)) raise(ErrorCode::Overflow);
    return x;
}

double divide(double a, double b) {
    if (b == 0.0) raise(ErrorCode::DivisionByZero);
    return checked(a / b);
}

Colour RGB(int red, int green, int blue) {
    auto part = [](int v) {
        if (v < 0 || v > 255) raise(ErrorCode::InvalidCall);
        return static_cast<Colour>(v);
    };
    return part(red) | (part(green) << 8) | (part(blue) << 16);
}

Colour QBColor(int index) {
    static constexpr std::array<Colour, 16> palette = {
        0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0xC0C0C0,
        0x808080, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
    };
    if (index < 0 || index > 15) raise(ErrorCode::InvalidCall);
    return palette[static_cast<std::size_t>(index)];
}

} // namespace rt
