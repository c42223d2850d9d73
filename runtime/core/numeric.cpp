#include "runtime/core/numeric.h"

#include "runtime/core/runtimeerror.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <vector>

namespace rt {

namespace {

constexpr char32_t Replacement = 0xFFFD;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

bool isAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

// The code points of UTF-8 text. Each byte that starts no valid sequence becomes one U+FFFD,
// as Qt decodes it, so character counts stay those of the text a Qt caller passed in.
std::vector<char32_t> decodeUtf8(std::string_view text) {
    std::vector<char32_t> out;
    out.reserve(text.size());
    auto byte = [&](std::size_t at) {
        return at < text.size() ? static_cast<unsigned char>(text[at]) : 0u;
    };
    std::size_t i = 0;
    while (i < text.size()) {
        const unsigned lead = byte(i);
        std::size_t length = 1;
        char32_t cp = Replacement;
        unsigned low = 0x80, high = 0xBF; // allowed range of the second byte
        if (lead < 0x80) {
            cp = lead;
        } else if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            if (lead == 0xE0) low = 0xA0;  // overlong
            if (lead == 0xED) high = 0x9F; // surrogates
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            if (lead == 0xF0) low = 0x90;  // overlong
            if (lead == 0xF4) high = 0x8F; // beyond U+10FFFF
        }
        if (length > 1) {
            cp = lead & (0x7Fu >> length);
            for (std::size_t k = 1; k < length && cp != Replacement; ++k) {
                const unsigned b = byte(i + k);
                if (b < (k == 1 ? low : 0x80u) || b > (k == 1 ? high : 0xBFu))
                    cp = Replacement;
                else
                    cp = (cp << 6) | (b & 0x3Fu);
            }
            if (cp == Replacement) length = 1; // what follows the lead is read on its own
        }
        out.push_back(cp);
        i += length;
    }
    return out;
}

// White space as Unicode defines it: what a number read from text may be padded with.
bool isSpace(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

// "&H1F" and "&O17": whole numbers in hex or octal, read as 16-bit when they fit four
// (hex) or six (octal) digits, else as 32-bit, as the literal syntax does.
double radixValue(const std::string &chars, std::size_t pos) {
    const char tag = chars[pos];
    const int radix = (tag == 'H' || tag == 'h') ? 16 : 8;
    std::uint64_t value = 0;
    int digits = 0;
    for (std::size_t i = pos + 1; i < chars.size(); ++i) {
        const char c = chars[i];
        int d = -1;
        if (isAsciiDigit(c))
            d = c - '0';
        else if (radix == 16 && c >= 'a' && c <= 'f')
            d = c - 'a' + 10;
        else if (radix == 16 && c >= 'A' && c <= 'F')
            d = c - 'A' + 10;
        if (d < 0 || d >= radix) break;
        value = (value * static_cast<unsigned>(radix) + static_cast<unsigned>(d)) & 0xFFFFFFFFu;
        ++digits;
    }
    const bool shortForm = radix == 16 ? digits <= 4 : value <= 0xFFFF;
    if (shortForm) return static_cast<std::int16_t>(static_cast<std::uint16_t>(value));
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(value));
}

// Conversions between doubles and their decimal text, never in the C library's locale: it
// could turn the point into a comma. Emscripten's libc++ has no floating-point charconv yet;
// the C library stands in there, rounding the same way, with the locale's point put right.
// (Streams would do too, but they pull the whole locale library into the page.) Defining
// RT_NUMERIC_VIA_LIBC takes the same path on the desktop, for its test.
enum class Notation { General, Scientific, Fixed };

#if !defined(__cpp_lib_to_chars) || defined(RT_NUMERIC_VIA_LIBC)
char localPoint() {
    const char *point = std::localeconv()->decimal_point;
    return point && point[0] && !point[1] ? point[0] : '.';
}
#endif

std::string printed(double x, Notation notation, int precision) {
#if defined(__cpp_lib_to_chars) && !defined(RT_NUMERIC_VIA_LIBC)
    const auto format = notation == Notation::Fixed        ? std::chars_format::fixed
                        : notation == Notation::Scientific ? std::chars_format::scientific
                                                           : std::chars_format::general;
    // Room for the 309 whole digits of the largest double, its sign, point and decimals.
    std::string text(static_cast<std::size_t>(precision) + 320, '\0');
    const auto result = std::to_chars(text.data(), text.data() + text.size(), x, format, precision);
    text.resize(static_cast<std::size_t>(result.ptr - text.data()));
    return text;
#else
    const char *format = notation == Notation::Fixed        ? "%.*f"
                         : notation == Notation::Scientific ? "%.*e"
                                                            : "%.*g";
    std::string text(static_cast<std::size_t>(precision) + 320, '\0');
    const int length = std::snprintf(text.data(), text.size(), format, precision, x);
    text.resize(static_cast<std::size_t>(std::max(0, length)));
    std::replace(text.begin(), text.end(), localPoint(), '.');
    return text;
#endif
}

// Reads a plain decimal number, [-] digits [. digits] [e [sign] digits], checked beforehand.
// False when it lies beyond the double range or so close to zero that nothing is left.
bool parsed(const std::string &text, double &value) {
#if defined(__cpp_lib_to_chars) && !defined(RT_NUMERIC_VIA_LIBC)
    return std::from_chars(text.data(), text.data() + text.size(), value).ec !=
           std::errc::result_out_of_range;
#else
    std::string local = text;
    std::replace(local.begin(), local.end(), '.', localPoint());
    errno = 0;
    const double result = std::strtod(local.c_str(), nullptr);
    // A subnormal result only lost precision, as from_chars allows.
    if (errno == ERANGE && (std::isinf(result) || result == 0.0)) return false;
    value = result;
    return true;
#endif
}

// A whole string read as one number in the C locale: signs, one point, an exponent, "nan" and
// "inf" in any case, the minus sign U+2212; nothing else. Fails on an overflow and on a
// non-zero number that underflows to zero.
bool readWholeNumber(const std::vector<char32_t> &chars, std::size_t first, std::size_t last,
                     double &value) {
    std::string text;
    for (std::size_t i = first; i < last; ++i) {
        const char32_t c = chars[i];
        if (c == 0x2212)
            text.push_back('-');
        else if (c >= 'A' && c <= 'Z')
            text.push_back(static_cast<char>(c - 'A' + 'a'));
        else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '+' || c == '-' ||
                 c == '.')
            text.push_back(static_cast<char>(c));
        else
            return false;
    }
    if (text == "nan") {
        value = std::numeric_limits<double>::quiet_NaN();
        return true;
    }
    if (text == "inf" || text == "+inf" || text == "-inf") {
        value = text[0] == '-' ? -std::numeric_limits<double>::infinity()
                               : std::numeric_limits<double>::infinity();
        return true;
    }

    // [sign] (digits [. digits] | . digits) [e [sign] digits], and nothing after.
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
    const std::size_t start = i;
    std::size_t mantissaDigits = 0;
    bool nonZero = false;
    auto digitsFrom = [&](std::size_t &at, bool mantissa) {
        std::size_t n = 0;
        for (; at < text.size() && isAsciiDigit(text[at]); ++at, ++n)
            if (mantissa && text[at] != '0') nonZero = true;
        return n;
    };
    mantissaDigits += digitsFrom(i, true);
    if (i < text.size() && text[i] == '.') {
        ++i;
        mantissaDigits += digitsFrom(i, true);
    }
    if (mantissaDigits == 0) return false;
    if (i < text.size() && text[i] == 'e') {
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) ++i;
        if (digitsFrom(i, false) == 0) return false;
    }
    if (i != text.size()) return false;

    const bool negative = text[0] == '-';
    double magnitude = 0.0;
    // Too large, or so small that only zero is left: neither is the number written.
    if (!parsed(text.substr(start), magnitude)) return false;
    if (magnitude == 0.0 && nonZero) return false;
    value = negative ? -magnitude : magnitude;
    return true;
}

// Whether x lies exactly halfway between two neighbouring multiples of 10^-places. Such a
// value rounds away from zero, as Qt's number printing did; printed() would round it to even.
bool isHalfway(double x, int places) {
    if (x == 0.0 || !std::isfinite(x)) return false;
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(x), &exponent);
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    exponent -= 53;
    while (mantissa % 2 == 0) {
        mantissa /= 2;
        ++exponent;
    }
    // |x| * 2 * 10^places = mantissa * 5^places * 2^(exponent + 1 + places), an odd whole number
    // only when the power of two vanishes and, for negative places, 5^-places divides it.
    if (exponent + 1 + places != 0) return false;
    std::uint64_t power = 1;
    for (int i = places; i < 0; ++i) {
        if (power > mantissa / 5) return false;
        power *= 5;
    }
    return mantissa % power == 0;
}

// Written with one digit more than wanted, a halfway value ends in an exact 5: drops it and
// rounds the rest up, carrying as far as needed ("-9.95" gives "-10.0").
void dropFiveRoundingUp(std::string &text) {
    text.pop_back();
    if (text.ends_with('.')) text.pop_back();
    std::size_t i = text.size();
    while (i > 0) {
        char &c = text[--i];
        if (c == '.') continue;
        if (c == '-') break;
        if (c != '9') {
            ++c;
            return;
        }
        c = '0';
    }
    text.insert(text.starts_with('-') ? 1 : 0, 1, '1');
}

// Bytes of a code point in UTF-8.
std::size_t utf8Length(char32_t c) {
    return c < 0x80 ? 1 : c < 0x800 ? 2 : c < 0x10000 ? 3 : 4;
}

// Counts UTF-16 code units: decimals are counted as they were when text was UTF-16.
std::size_t utf16Length(std::string_view text) {
    std::size_t n = 0;
    for (const char32_t c : decodeUtf8(text))
        n += c > 0xFFFF ? 2 : 1;
    return n;
}

} // namespace

double Val(std::string_view s) {
    // Byte by byte: every byte of a multi-byte character, and every stray byte, is >= 0x80, so
    // none is taken for a blank, a digit, a sign or a letter; it simply ends the number.
    std::string chars;
    chars.reserve(s.size());
    for (const char c : s) {
        if (!isBlank(c)) chars.push_back(c);
    }
    if (chars.size() >= 2 && chars[0] == '&' &&
        (chars[1] == 'H' || chars[1] == 'h' || chars[1] == 'O' || chars[1] == 'o'))
        return radixValue(chars, 1);

    // Longest prefix of the form [sign] digits [. digits] [(E|D) [sign] digits].
    std::string number;
    std::size_t i = 0;
    if (i < chars.size() && (chars[i] == '+' || chars[i] == '-')) {
        if (chars[i] == '-') number.push_back('-');
        ++i;
    }
    bool mantissa = false;
    while (i < chars.size() && isAsciiDigit(chars[i])) {
        number.push_back(chars[i++]);
        mantissa = true;
    }
    if (i < chars.size() && chars[i] == '.') {
        number.push_back('.');
        ++i;
        while (i < chars.size() && isAsciiDigit(chars[i])) {
            number.push_back(chars[i++]);
            mantissa = true;
        }
    }
    if (!mantissa) return 0.0;
    if (i < chars.size() &&
        (chars[i] == 'E' || chars[i] == 'e' || chars[i] == 'D' || chars[i] == 'd')) {
        std::size_t j = i + 1;
        std::string exponent = "e";
        if (j < chars.size() && (chars[j] == '+' || chars[j] == '-'))
            exponent.push_back(chars[j++]);
        bool expDigits = false;
        while (j < chars.size() && isAsciiDigit(chars[j])) {
            exponent.push_back(chars[j++]);
            expDigits = true;
        }
        if (expDigits) number += exponent;
    }

    double value = 0.0;
    if (!parsed(number, value)) {
        // Out of range: decide between overflow and underflow.
        const bool negative = number.front() == '-';
        const auto e = number.find('e');
        const bool tiny = e != std::string::npos && number[e + 1] == '-';
        if (tiny) return negative ? -0.0 : 0.0;
        return negative ? -std::numeric_limits<double>::infinity()
                        : std::numeric_limits<double>::infinity();
    }
    return value;
}

std::string Str(double x) {
    if (std::isnan(x)) return " NaN";
    if (std::isinf(x)) return x > 0 ? " Inf" : "-Inf";
    if (x == 0.0) return " 0";
    std::string text = printed(x, Notation::Scientific, 14);
    if (isHalfway(x, 14 - std::atoi(text.c_str() + text.find('e') + 1))) {
        // Fifteen digits rounded up by hand, read back (they survive the trip) and shown.
        text = printed(x, Notation::Scientific, 15);
        const std::size_t e = text.find('e');
        std::string digits = text.substr(0, e);
        dropFiveRoundingUp(digits);
        parsed(digits + text.substr(e), x);
    }
    text = printed(x, Notation::General, 15);
    for (char &c : text)
        if (c == 'e') c = 'E';
    if (text.starts_with("0."))
        text.erase(0, 1);
    else if (text.starts_with("-0."))
        text.erase(1, 1);
    return x < 0 ? text : ' ' + text;
}

std::string Format(double x, std::string_view format) {
    const std::size_t point = format.find('.');
    const int decimals = point == std::string_view::npos
                             ? 0
                             : static_cast<int>(utf16Length(format.substr(point + 1)));
    // Halves round away from zero on the decimal value, as a reader expects.
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(x * scale) / scale;
    if (std::isnan(rounded)) return "nan";
    if (std::isinf(rounded)) return rounded > 0 ? "inf" : "-inf";
    const bool halfway = isHalfway(rounded, decimals);
    std::string text =
        printed(rounded == 0.0 ? 0.0 : rounded, Notation::Fixed, decimals + (halfway ? 1 : 0));
    if (halfway) dropFiveRoundingUp(text);
    return text;
}

std::string Format(const std::string &s, std::string_view format) {
    const std::vector<char32_t> chars = decodeUtf8(s);
    std::size_t first = 0;
    std::size_t last = chars.size();
    std::size_t lead = 0; // bytes of the blanks trimmed at either end
    std::size_t trail = 0;
    for (; first < last && isSpace(chars[first]); ++first)
        lead += utf8Length(chars[first]);
    for (; last > first && isSpace(chars[last - 1]); --last)
        trail += utf8Length(chars[last - 1]);
    double x = 0.0;
    if (readWholeNumber(chars, first, last, x)) return Format(x, format);
    // Text that starts with a point is tried once more with a zero put in front.
    const std::string trimmed = s.substr(lead, s.size() - lead - trail);
    if (trimmed.starts_with('.')) return Format('0' + trimmed, format);
    if (trimmed.starts_with("-.")) return Format("-0" + trimmed.substr(1), format);
    return s;
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

Long clampToLong(double x) {
    if (std::isnan(x)) return 0;
    const double r = roundHalfEven(x);
    if (r <= -2147483648.0) return std::numeric_limits<Long>::min();
    if (r >= 2147483647.0) return std::numeric_limits<Long>::max();
    return static_cast<Long>(r);
}

namespace {

// The exact result in a type twice as wide, narrowed only when it fits: portable to every
// compiler, with no overflow ever happening in the arithmetic itself.
template <typename T, typename Wide> T narrowed(Wide exact) {
    if (exact < std::numeric_limits<T>::min() || exact > std::numeric_limits<T>::max())
        raise(ErrorCode::Overflow);
    return static_cast<T>(exact);
}

} // namespace

Integer add(Integer a, Integer b) {
    return narrowed<Integer>(std::int32_t{a} + std::int32_t{b});
}

Integer sub(Integer a, Integer b) {
    return narrowed<Integer>(std::int32_t{a} - std::int32_t{b});
}

Integer mul(Integer a, Integer b) {
    return narrowed<Integer>(std::int32_t{a} * std::int32_t{b});
}

std::string asciiFigures(std::string_view s) {
    // U+FF0E and U+FF10 to U+FF19 are EF BC 8E and EF BC 90 to EF BC 99 in UTF-8.
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        const auto b = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
        if (i + 2 < s.size() && b(i) == 0xEF && b(i + 1) == 0xBC &&
            (b(i + 2) == 0x8E || (b(i + 2) >= 0x90 && b(i + 2) <= 0x99))) {
            out += b(i + 2) == 0x8E ? '.' : static_cast<char>('0' + (b(i + 2) - 0x90));
            i += 2;
        } else {
            out += s[i];
        }
    }
    return out;
}

double checked(double x) {
    if (std::isnan(x)) raise(ErrorCode::InvalidFloat);
    if (std::isinf(x)) raise(ErrorCode::Overflow);
    return x;
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
