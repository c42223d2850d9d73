#include "runtime/numeric.h"
#include "runtime/runtimeerror.h"

#include <QTest>

#include <cmath>
#include <limits>

class NumericTest : public QObject {
    Q_OBJECT

private slots:
    void val_data();
    void val();
    void str_data();
    void str();
    void format_data();
    void format();
    void halvesToEven_data();
    void halvesToEven();
    void integerOverflow();
    void clampToLong_data();
    void clampToLong();
    void floatErrors();
    void colours();
};

void NumericTest::val_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("plain") << "20" << 20.0;
    QTest::newRow("list entry with blank") << " 5" << 5.0;
    QTest::newRow("decimal") << "2.5" << 2.5;
    QTest::newRow("time box") << "3.00" << 3.0;
    QTest::newRow("no leading zero") << " .05" << 0.05;
    QTest::newRow("negative") << "-5" << -5.0;
    QTest::newRow("blanks inside") << " 1 2 3" << 123.0;
    QTest::newRow("trailing junk") << "20abc" << 20.0;
    QTest::newRow("no number") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("lone sign") << "-" << 0.0;
    QTest::newRow("lone point") << "." << 0.0;
    QTest::newRow("exponent") << "1.5e3" << 1500.0;
    QTest::newRow("D exponent") << "2D2" << 200.0;
    QTest::newRow("exponent without digits") << "7e" << 7.0;
    QTest::newRow("hex") << "&H10" << 16.0;
    QTest::newRow("hex sixteen bit") << "&HFFFF" << -1.0;
    QTest::newRow("octal") << "&O17" << 15.0;
    QTest::newRow("full-width digits are no number") << "２０" << 0.0;
    QTest::newRow("eleven digits") << "99999999999" << 99999999999.0;
    QTest::newRow("underflow") << "1e-400" << 0.0;
}

void NumericTest::val() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(rt::Val(text), expected);
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
}

void NumericTest::str() {
    QFETCH(double, x);
    QFETCH(QString, expected);
    QCOMPARE(rt::Str(x), expected);
}

void NumericTest::format_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("expected");
    QTest::newRow("zero") << " 0"
                          << "0.00";
    QTest::newRow("no leading zero") << " .05"
                                     << "0.05";
    QTest::newRow("two decimals") << " 1.35"
                                  << "1.35";
    QTest::newRow("whole") << " 12"
                           << "12.00";
    QTest::newRow("half rounds up") << "0.125"
                                    << "0.13";
    QTest::newRow("negative") << "-.5"
                              << "-0.50";
    QTest::newRow("not a number") << "abc"
                                  << "abc";
}

void NumericTest::format() {
    QFETCH(QString, text);
    QFETCH(QString, expected);
    QCOMPARE(rt::Format(text, u"0.00"), expected);
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
    QCOMPARE(int(rt::CLng(x)), expected);
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
    const rt::Long max32 = std::numeric_limits<rt::Long>::max();
    QCOMPARE(overflowOf([&] { rt::add(max16, rt::Integer(1)); }), 6);
    QCOMPARE(overflowOf([&] { rt::sub(rt::Integer(-32768), rt::Integer(1)); }), 6);
    QCOMPARE(overflowOf([&] { rt::mul(rt::Integer(1639), rt::Integer(20)); }), 6);
    QCOMPARE(overflowOf([&] { rt::add(max32, rt::Long(1)); }), 6);
    QCOMPARE(overflowOf([&] { rt::mul(rt::Long(65536), rt::Long(32768)); }), 6);
    QCOMPARE(overflowOf([] { rt::CInt(32767.5); }), 6);  // rounds to 32768
    QCOMPARE(overflowOf([] { rt::CInt(-32768.5); }), 0); // rounds to -32768
    QCOMPARE(overflowOf([] { rt::CLng(2147483647.5); }), 6);
    QCOMPARE(overflowOf([] { rt::CLng(std::nan("")); }), 6);
}

void NumericTest::clampToLong_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("expected");
    QTest::newRow("ordinary") << "20" << 20;
    QTest::newRow("half to even") << "2.5" << 2;
    QTest::newRow("below one") << "0.5" << 0;
    QTest::newRow("too large") << "99999999999" << std::numeric_limits<int>::max();
    QTest::newRow("too small") << "-99999999999" << std::numeric_limits<int>::min();
    QTest::newRow("beyond double") << "1e309" << std::numeric_limits<int>::max();
    QTest::newRow("no number") << "abc" << 0;
}

void NumericTest::clampToLong() {
    QFETCH(QString, text);
    QFETCH(int, expected);
    QCOMPARE(rt::clampToLong(rt::Val(text)), expected);
}

void NumericTest::floatErrors() {
    QCOMPARE(overflowOf([] { rt::divide(1, 0); }), 11);
    QCOMPARE(overflowOf([] { rt::checked(std::numeric_limits<double>::infinity()); }), 6);
    QCOMPARE(overflowOf([] { rt::checked(std::nan("")); }), 16);
    QCOMPARE(rt::divide(15, 20), 0.75);
}

void NumericTest::colours() {
    QCOMPARE(rt::RGB(0, 135, 135), rt::Colour(0x878700));
    QCOMPARE(rt::RGB(0, 255, 255), rt::Colour(0xFFFF00));
    QCOMPARE(rt::RGB(255, 0, 0), rt::Colour(0x0000FF));
    QCOMPARE(rt::QBColor(15), rt::Colour(0xFFFFFF));
    QCOMPARE(rt::QBColor(0), rt::Colour(0x000000));
    QCOMPARE(overflowOf([] { rt::RGB(256, 0, 0); }), 5);
    QCOMPARE(overflowOf([] { rt::QBColor(16); }), 5);
}

QTEST_GUILESS_MAIN(NumericTest)
#include "tst_numeric.moc"
