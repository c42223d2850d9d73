#include "runtime/core/numeric.h"
#include "runtime/core/runtimeerror.h"

#include <QTest>

#include <cmath>
#include <functional>
#include <limits>
#include <string>

// Text goes in and out as UTF-8 bytes; QByteArray holds them, malformed ones included, and
// prints them when a comparison fails.
static std::string bytes(const QByteArray &text) {
    return text.toStdString();
}

static QByteArray shown(const std::string &text) {
    return QByteArray::fromStdString(text);
}

static QByteArray operator""_utf8(const char *text, std::size_t size) {
    return QByteArray(text, static_cast<qsizetype>(size));
}

class NumericTest : public QObject {
    Q_OBJECT

private slots:
    void val_data();
    void val();
    void str_data();
    void str();
    void format_data();
    void format();
    void formatDecimals_data();
    void formatDecimals();
    void halvesToEven_data();
    void halvesToEven();
    void integerOverflow();
    void clampToLong_data();
    void clampToLong();
    void floatErrors();
    void colours();
};

void NumericTest::val_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("plain") << "20"_utf8 << 20.0;
    QTest::newRow("list entry with blank") << " 5"_utf8 << 5.0;
    QTest::newRow("decimal") << "2.5"_utf8 << 2.5;
    QTest::newRow("time box") << "3.00"_utf8 << 3.0;
    QTest::newRow("no leading zero") << " .05"_utf8 << 0.05;
    QTest::newRow("negative") << "-5"_utf8 << -5.0;
    QTest::newRow("blanks inside") << " 1 2 3"_utf8 << 123.0;
    QTest::newRow("trailing junk") << "20abc"_utf8 << 20.0;
    QTest::newRow("no number") << "abc"_utf8 << 0.0;
    QTest::newRow("empty") << ""_utf8 << 0.0;
    QTest::newRow("lone sign") << "-"_utf8 << 0.0;
    QTest::newRow("lone point") << "."_utf8 << 0.0;
    QTest::newRow("exponent") << "1.5e3"_utf8 << 1500.0;
    QTest::newRow("D exponent") << "2D2"_utf8 << 200.0;
    QTest::newRow("exponent without digits") << "7e"_utf8 << 7.0;
    QTest::newRow("hex") << "&H10"_utf8 << 16.0;
    QTest::newRow("hex sixteen bit") << "&HFFFF"_utf8 << -1.0;
    QTest::newRow("octal") << "&O17"_utf8 << 15.0;
    QTest::newRow("full-width digits are no number") << "２０"_utf8 << 0.0;
    QTest::newRow("eleven digits") << "99999999999"_utf8 << 99999999999.0;
    QTest::newRow("underflow") << "1e-400"_utf8 << 0.0;
    QTest::newRow("multi-byte text after the number") << "20リットル"_utf8 << 20.0;
    QTest::newRow("ideographic space is no blank") << "\u30005"_utf8 << 0.0;
    QTest::newRow("malformed bytes end the number") << "5\xE3\x81"
                                                       "5"_utf8
                                                    << 5.0;
    QTest::newRow("lead byte at the very end") << "7\xF0"_utf8 << 7.0;
    QTest::newRow("stray byte first") << "\xFF"
                                         "3"_utf8
                                      << 0.0;
}

void NumericTest::val() {
    QFETCH(QByteArray, text);
    QFETCH(double, expected);
    QCOMPARE(rt::Val(bytes(text)), expected);
}

void NumericTest::str_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << 0.0 << " 0";
    QTest::newRow("one") << 1.0 << " 1";
    QTest::newRow("fraction") << 0.05 << " .05";
    QTest::newRow("mixed") << 1.35 << " 1.35";
    QTest::newRow("twelve") << 12.0 << " 12";
    QTest::newRow("negative") << -5.0 << "-5";
    QTest::newRow("negative fraction") << -0.5 << "-.5";
    QTest::newRow("large") << 1e20 << " 1E+20";
    QTest::newRow("small") << 1.5e-5 << " 1.5E-05";
    QTest::newRow("halfway at fifteen digits") << 0.9312286376953125 << " .931228637695313";
    QTest::newRow("negative halfway") << -2.253936767578125 << "-2.25393676757813";
    QTest::newRow("not a number") << std::nan("") << " NaN";
    QTest::newRow("infinite") << -std::numeric_limits<double>::infinity() << "-Inf";
}

void NumericTest::str() {
    QFETCH(double, x);
    QFETCH(QString, expected);
    QCOMPARE(QString::fromStdString(rt::Str(x)), expected);
}

void NumericTest::format_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("zero") << " 0"_utf8
                          << "0.00"_utf8;
    QTest::newRow("no leading zero") << " .05"_utf8
                                     << "0.05"_utf8;
    QTest::newRow("two decimals") << " 1.35"_utf8
                                  << "1.35"_utf8;
    QTest::newRow("whole") << " 12"_utf8
                           << "12.00"_utf8;
    QTest::newRow("half rounds up") << "0.125"_utf8
                                    << "0.13"_utf8;
    QTest::newRow("negative") << "-.5"_utf8
                              << "-0.50"_utf8;
    QTest::newRow("not a number") << "abc"_utf8
                                  << "abc"_utf8;
    QTest::newRow("multi-byte text unchanged") << " 水 "_utf8
                                               << " 水 "_utf8;
    QTest::newRow("ideographic spaces trimmed") << "\u30005\u3000"_utf8
                                                << "5.00"_utf8;
    QTest::newRow("minus sign") << "\u22125"_utf8
                                << "-5.00"_utf8;
    QTest::newRow("malformed bytes unchanged") << "5\xE3"_utf8
                                               << "5\xE3"_utf8;
    QTest::newRow("printed NaN") << " NaN"_utf8
                                 << "nan"_utf8;
    QTest::newRow("printed infinity") << "-Inf"_utf8
                                      << "-inf"_utf8;
}

void NumericTest::format() {
    QFETCH(QByteArray, text);
    QFETCH(QByteArray, expected);
    QCOMPARE(shown(rt::Format(bytes(text), "0.00")), expected);
}

void NumericTest::formatDecimals_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("whole") << 1.5 << "0"_utf8
                           << "2"_utf8;
    QTest::newRow("half away from zero") << -0.25 << "0.0"_utf8
                                         << "-0.3"_utf8;
    QTest::newRow("negative zero") << -0.001 << "0.00"_utf8
                                   << "0.00"_utf8;
    // Decimals are counted in UTF-16 units, two for the emoji.
    QTest::newRow("character after the point") << 1.35 << "0.円"_utf8
                                               << "1.4"_utf8;
    QTest::newRow("emoji after the point") << 1.35 << "0.😀"_utf8
                                           << "1.35"_utf8;
    // The nearest double to the rounded value lies halfway between two printed ones.
    QTest::newRow("printed halfway") << 1125899906842624.25 << "0.0"_utf8
                                     << "1125899906842624.3"_utf8;
}

void NumericTest::formatDecimals() {
    QFETCH(double, x);
    QFETCH(QByteArray, format);
    QFETCH(QByteArray, expected);
    QCOMPARE(shown(rt::Format(x, bytes(format))), expected);
}

void NumericTest::halvesToEven_data() {
    QTest::addColumn<double>("x");
    QTest::addColumn<int>("expected");
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("1.5") << 1.5 << 2;
    QTest::newRow("2.5") << 2.5 << 2;
    QTest::newRow("-0.5") << -0.5 << 0;
    QTest::newRow("-1.5") << -1.5 << -2;
    QTest::newRow("-2.5") << -2.5 << -2;
    QTest::newRow("2.4999") << 2.4999 << 2;
    QTest::newRow("2.5001") << 2.5001 << 3;
    QTest::newRow("32767.4") << 32767.4 << 32767;
}

void NumericTest::halvesToEven() {
    QFETCH(double, x);
    QFETCH(int, expected);
    QCOMPARE(int(rt::CInt(x)), expected);
}

static int overflowOf(const std::function<void()> &f) {
    try {
        f();
    } catch (const rt::RuntimeError &e) {
        return e.number();
    }
    return 0;
}

void NumericTest::integerOverflow() {
    const rt::Integer max16 = 32767;
    QCOMPARE(overflowOf([&] { rt::add(max16, rt::Integer(1)); }), 6);
    QCOMPARE(overflowOf([&] { rt::sub(rt::Integer(-32768), rt::Integer(1)); }), 6);
    QCOMPARE(overflowOf([&] { rt::mul(rt::Integer(1639), rt::Integer(20)); }), 6);
    QCOMPARE(overflowOf([] { rt::CInt(32767.5); }), 6);  // rounds to 32768
    QCOMPARE(overflowOf([] { rt::CInt(-32768.5); }), 0); // rounds to -32768
}

void NumericTest::clampToLong_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("ordinary") << "20"_utf8 << 20;
    QTest::newRow("half to even") << "2.5"_utf8 << 2;
    QTest::newRow("below one") << "0.5"_utf8 << 0;
    QTest::newRow("too large") << "99999999999"_utf8 << std::numeric_limits<int>::max();
    QTest::newRow("too small") << "-99999999999"_utf8 << std::numeric_limits<int>::min();
    QTest::newRow("beyond double") << "1e309"_utf8 << std::numeric_limits<int>::max();
    QTest::newRow("no number") << "abc"_utf8 << 0;
}

void NumericTest::clampToLong() {
    QFETCH(QByteArray, text);
    QFETCH(int, expected);
    QCOMPARE(rt::clampToLong(rt::Val(bytes(text))), expected);
}

void NumericTest::floatErrors() {
    QCOMPARE(overflowOf([] { rt::checked(std::numeric_limits<double>::infinity()); }), 6);
    QCOMPARE(overflowOf([] { rt::checked(std::nan("")); }), 16);
}

void NumericTest::colours() {
    QCOMPARE(rt::QBColor(15), rt::Colour(0xFFFFFF));
    QCOMPARE(rt::QBColor(0), rt::Colour(0x000000));
    QCOMPARE(overflowOf([] { rt::QBColor(16); }), 5);
}

QTEST_GUILESS_MAIN(NumericTest)
#include "tst_numeric.moc"
