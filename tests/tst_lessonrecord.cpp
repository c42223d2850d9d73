// What the lessons keep for a reloaded page: a sound record comes back whole, anything else,
// whatever another page, an old version or a hand put there, is ignored whole.

#include "app/lessonrecord.h"
#include "app/lessons.h"

#include <QTest>

#include <string>

using lessonrecord::Record;

Q_DECLARE_METATYPE(Record)

namespace {

// The second lesson shown after fills at 12 and 1 litres a minute, a fill at 10 stopped at 2
// minutes; the first at 7 minutes with Hint, 表, グラフ and a typed delay; the third at −2 L a
// minute, a minute ago, after minutes −3 to 2, with the lines of −5 and 3 drawn.
Record midLessons() {
    Record r;
    r.shown = LessonId::Inverse;
    r.proportion.progress = 14;
    r.proportion.options = {true, true, true, "2.5"};
    r.inverse.rate = 10;
    r.inverse.minutes = 2;
    r.inverse.recorded = {true, false, false, false, false, false, false, true};
    r.inverse.options = {false, true, true, "0"};
    r.constant.rate = -2;
    r.constant.minute = -1;
    r.constant.from = -3;
    r.constant.to = 2;
    r.constant.lines = {true, false, false, false, false, false, false, true, false, false};
    r.constant.options = {true, false, true, "5"};
    return r;
}

// The text of midLessons() with `from` replaced by `to`.
QByteArray edited(const char *from, const QByteArray &to) {
    QByteArray text = QByteArray::fromStdString(lessonrecord::compose(midLessons()));
    const qsizetype at = text.indexOf(from);
    Q_ASSERT(at >= 0);
    return text.replace(at, qsizetype(qstrlen(from)), to);
}

} // namespace

class LessonRecordTest : public QObject {
    Q_OBJECT

private slots:
    void roundTrip_data();
    void roundTrip();
    void rejected_data();
    void rejected();
    void restored_data();
    void restored();
    void delayThatCannotStandKeptAsItsPace_data();
    void delayThatCannotStandKeptAsItsPace();
};

void LessonRecordTest::roundTrip_data() {
    QTest::addColumn<Record>("record");
    QTest::newRow("initial") << Record{};
    QTest::newRow("both lessons under way") << midLessons();
    Record full = midLessons();
    full.inverse.rate = 12;
    full.inverse.minutes = 5;
    full.proportion.progress = 24;
    QTest::newRow("full containers") << full;
    Record typed = midLessons();
    typed.proportion.options.delay = "";
    typed.inverse.options.delay = "あいう 9";
    QTest::newRow("delays emptied and typed") << typed;
    Record longest = midLessons();
    longest.inverse.options.delay = std::string(lessonrecord::MaxDelayBytes, '9');
    QTest::newRow("the longest delay") << longest;
}

void LessonRecordTest::roundTrip() {
    QFETCH(Record, record);
    const std::optional<Record> back = lessonrecord::parse(lessonrecord::compose(record));
    QVERIFY(back);
    QVERIFY(*back == record);
}

void LessonRecordTest::rejected_data() {
    QTest::addColumn<QByteArray>("text");
    const QByteArray good = QByteArray::fromStdString(lessonrecord::compose(midLessons()));
    QTest::newRow("nothing") << QByteArray();
    QTest::newRow("foreign JSON") << QByteArray(R"({"shown":"inverse","progress":14})");
    QTest::newRow("foreign text") << QByteArray("hello\n");
    QTest::newRow("unknown version") << edited("water-lessons 2", "water-lessons 3");
    QTest::newRow("cut short") << good.left(good.size() - 1);
    QTest::newRow("cut in half") << good.left(good.size() / 2);
    QTest::newRow("a line more") << good + "extra=1\n";
    QTest::newRow("a line missing") << edited("inverse.minutes=2\n", "");
    QTest::newRow("lines swapped")
        << edited("inverse.rate=10\ninverse.minutes=2", "inverse.minutes=2\ninverse.rate=10");
    QTest::newRow("Windows line ends") << QByteArray(good).replace("\n", "\r\n");
    QTest::newRow("no lesson shown") << edited("shown=inverse", "shown=both");
    QTest::newRow("odd progress") << edited("progress=14", "progress=7");
    QTest::newRow("progress past full") << edited("progress=14", "progress=26");
    QTest::newRow("huge progress") << edited("progress=14", "progress=99999999999");
    QTest::newRow("negative progress") << edited("progress=14", "progress=-2");
    QTest::newRow("signed progress") << edited("progress=14", "progress=+4");
    QTest::newRow("progress with a leading zero") << edited("progress=14", "progress=014");
    QTest::newRow("fractional progress") << edited("progress=14", "progress=14.0");
    QTest::newRow("a rate that does not exist") << edited("rate=10", "rate=7");
    QTest::newRow("no rate") << edited("rate=10", "rate=0");
    QTest::newRow("a full-width rate") << edited("rate=10", "rate=１０");
    QTest::newRow("minutes past full") << edited("minutes=2", "minutes=7");
    QTest::newRow("huge minutes") << edited("minutes=2", "minutes=4294967298");
    QTest::newRow("empty minutes") << edited("minutes=2", "minutes=");
    QTest::newRow("full but not in the table") << edited("minutes=2", "minutes=6");
    QTest::newRow("seven rates recorded") << edited("recorded=10000001", "recorded=1000001");
    QTest::newRow("a rate recorded twice") << edited("recorded=10000001", "recorded=10000002");
    QTest::newRow("two options") << edited("proportion.options=1 1 1", "proportion.options=1 1");
    QTest::newRow("an option in words")
        << edited("proportion.options=1 1 1", "proportion.options=true 1 1");
    QTest::newRow("options spaced twice")
        << edited("inverse.options=0 1 1", "inverse.options=0  1 1");
    QTest::newRow("a delay too long")
        << edited("delay=2.5", "delay=" + QByteArray(lessonrecord::MaxDelayBytes + 1, '9'));
    QTest::newRow("a tab in the delay") << edited("delay=2.5", "delay=2\t5");
    QTest::newRow("a delete in the delay") << edited("delay=2.5", "delay=2\x7f");
    QTest::newRow("a C1 control in the delay") << edited("delay=2.5", "delay=2\xc2\x85");
    QTest::newRow("a delay not UTF-8") << edited("delay=2.5", "delay=2\xff");
    QTest::newRow("an overlong slash in the delay") << edited("delay=2.5", "delay=\xc0\xaf");
    QTest::newRow("a delay's character cut short") << edited("delay=0\n", "delay=\xe3\x81\n");
    QTest::newRow("a surrogate in the delay") << edited("delay=2.5", "delay=\xed\xa0\x80");
    QTest::newRow("a NUL in the delay") << edited("delay=2.5", QByteArray("delay=2\0", 8));
    QTest::newRow("a third rate that does not exist")
        << edited("constant.rate=-2", "constant.rate=6");
    QTest::newRow("a third rate of 0") << edited("constant.rate=-2", "constant.rate=0");
    QTest::newRow("minus zero") << edited("constant.minutes=-1", "constant.minutes=-0");
    QTest::newRow("a minute not reached") << edited("minutes=-1 -3 2", "minutes=3 -3 2");
    QTest::newRow("reached minutes without now") << edited("minutes=-1 -3 2", "minutes=1 1 2");
    QTest::newRow("a minute before the first") << edited("minutes=-1 -3 2", "minutes=-1 -7 2");
    QTest::newRow("every minute reached, no line") << edited("minutes=-1 -3 2", "minutes=0 -6 6");
    QTest::newRow("nine lines") << edited("lines=1000000100", "lines=100000010");
}

void LessonRecordTest::rejected() {
    QFETCH(QByteArray, text);
    QVERIFY(!lessonrecord::parse(std::string_view(text.constData(), std::size_t(text.size()))));
}

// Restored, both lessons are at rest in the state kept, with the controls a pupil who got
// there would have; a record that is not sound leaves the initial screen.
void LessonRecordTest::restored_data() {
    QTest::addColumn<QByteArray>("kept");
    QTest::addColumn<Record>("expected");
    const Record mid = midLessons();
    QTest::newRow("both under way") << QByteArray::fromStdString(lessonrecord::compose(mid)) << mid;
    Record ends = midLessons();
    ends.shown = LessonId::Proportion;
    ends.proportion.progress = 24;
    ends.inverse.rate = 1;
    ends.inverse.minutes = 60;
    ends.inverse.recorded = {true, true, true, true, true, true, true, true};
    QTest::newRow("both full") << QByteArray::fromStdString(lessonrecord::compose(ends)) << ends;
    Record emptied = midLessons();
    emptied.inverse.minutes = 0;
    emptied.inverse.rate = 12;
    QTest::newRow("a recorded rate chosen again, empty")
        << QByteArray::fromStdString(lessonrecord::compose(emptied)) << emptied;
    QTest::newRow("a rate that does not exist") << edited("rate=10", "rate=7") << Record{};
    Record third = midLessons();
    third.shown = LessonId::Constant;
    third.constant.rate = 3;
    third.constant.minute = 6;
    third.constant.from = -6;
    third.constant.to = 6;
    QTest::newRow("the third shown, a line just drawn")
        << QByteArray::fromStdString(lessonrecord::compose(third)) << third;
}

void LessonRecordTest::restored() {
    QFETCH(QByteArray, kept);
    QFETCH(Record, expected);
    Lessons lessons({}, kept.toStdString());
    lessons.load();
    QVERIFY(lessons.record() == expected);
    const std::array<rt::Form *, 3> forms = {&lessons.proportion(), &lessons.inverse(),
                                             &lessons.constant()};
    QCOMPARE(&lessons.shown(), forms[std::size_t(expected.shown)]);

    ProportionLesson &p = lessons.proportion();
    const int minutes = expected.proportion.progress / 2;
    QCOMPARE(p.time.Text(), QStringLiteral("%1.00").arg(minutes).toStdString());
    QCOMPARE(p.forward.Enabled(), minutes < 12);
    QCOMPARE(p.back.Enabled(), minutes > 0);
    QVERIFY(p.run.Enabled() && p.initialScreen.Enabled() && p.toInverse.Enabled());
    QVERIFY(!p.stop.Enabled());
    QCOMPARE(p.formula.Visible(), minutes == 12);
    QCOMPARE(p.Height(),
             expected.proportion.options.table ? design::TallHeight : design::ShortHeight);

    InverseLesson &f = lessons.inverse();
    QCOMPARE(f.time.Text(), QStringLiteral("%1.00").arg(expected.inverse.minutes).toStdString());
    QVERIFY(f.pour.Enabled() && f.initialScreen.Enabled() && f.toProportion.Enabled());
    QVERIFY(!f.stop.Enabled() && !f.filling);
    QVERIFY(!f.risingPoint.Visible() && !f.risingLine.Visible());
    for (rt::Integer i = 0; i < design::inverse::RateCount; ++i) {
        QVERIFY(f.rates(i).Enabled());
        QCOMPARE(f.points(i).Visible(), expected.inverse.recorded[std::size_t(i)]);
    }
    QCOMPARE(f.Width(), expected.inverse.options.graph ? design::WideWidth : design::NarrowWidth);
    const std::string water =
        "水は " + std::to_string(expected.inverse.rate * expected.inverse.minutes) + " L";
    QVERIFY2(f.statusText().find(water) != std::string::npos, f.statusText().c_str());

    ConstantLesson &c = lessons.constant();
    QCOMPARE(c.time.Text(), ConstantLesson::timeText(expected.constant.minute * 40));
    QCOMPARE(c.forward.Enabled(), expected.constant.minute < 6);
    QCOMPARE(c.back.Enabled(), expected.constant.minute > -6);
    QVERIFY(c.run.Enabled() == (expected.constant.minute < 6) && c.toProportion.Enabled());
    for (rt::Integer i = 0; i < layout::constant::RateCount; ++i)
        QCOMPARE(c.rateLines(i).Visible(), expected.constant.lines[std::size_t(i)]);
}

void LessonRecordTest::delayThatCannotStandKeptAsItsPace_data() {
    QTest::addColumn<QByteArray>("typed");
    QTest::addColumn<QByteArray>("kept");
    QTest::newRow("a delay as typed") << QByteArray("2.5") << QByteArray("2.5");
    QTest::newRow("no figure, as typed") << QByteArray("abc") << QByteArray("abc");
    QTest::newRow("pasted, too long") << QByteArray(100, '7') << QByteArray("2147483647");
    QTest::newRow("pasted, a tab in it") << QByteArray("5\t0") << QByteArray("50");
}

// Whatever a pupil pastes into the delay box, the lesson is kept: the delay as its pace.
void LessonRecordTest::delayThatCannotStandKeptAsItsPace() {
    QFETCH(QByteArray, typed);
    QFETCH(QByteArray, kept);
    Lessons lessons;
    lessons.load();
    lessons.inverse().delay.setText(typed.toStdString());
    const std::string text = lessonrecord::compose(lessons.record());
    const auto back = lessonrecord::parse(text);
    QVERIFY2(back, text.c_str());
    QCOMPARE(QByteArray::fromStdString(back->inverse.options.delay), kept);
}

QTEST_GUILESS_MAIN(LessonRecordTest)
#include "tst_lessonrecord.moc"
