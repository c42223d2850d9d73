// The program's arguments, as a teacher gives them on the command line or in a bookmark.

#include "runtime/core/arguments.h"

#include <QTest>

#include <string>
#include <vector>

namespace {

std::string s(const QString &q) {
    return q.toStdString();
}

} // namespace

class ArgumentsTest : public QObject {
    Q_OBJECT

private slots:
    void commandLine_data();
    void commandLine();
    void query_data();
    void query();
    void settingKeepsTheRestOfTheQuery_data();
    void settingKeepsTheRestOfTheQuery();
};

void ArgumentsTest::commandLine_data() {
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("lesson");
    const QString program = QStringLiteral("water-proportion");
    QTest::newRow("given") << QStringList{program, "--lesson=inverse"} << "inverse";
    QTest::newRow("absent") << QStringList{program} << "";
    QTest::newRow("among others") << QStringList{program, "file", "--x=1", "--lesson=inverse", "-v"}
                                  << "inverse";
    QTest::newRow("no value") << QStringList{program, "--lesson"} << "";
    QTest::newRow("empty value") << QStringList{program, "--lesson="} << "";
    QTest::newRow("emptied later") << QStringList{program, "--lesson=inverse", "--lesson="} << "";
    QTest::newRow("single dash") << QStringList{program, "-lesson=inverse"} << "";
    QTest::newRow("no dash") << QStringList{program, "lesson=inverse"} << "";
    QTest::newRow("other case") << QStringList{program, "--Lesson=inverse"} << "";
    QTest::newRow("last wins") << QStringList{program, "--lesson=direct", "--lesson=inverse"}
                               << "inverse";
    QTest::newRow("equals in value") << QStringList{program, "--lesson=a=b"} << "a=b";
    QTest::newRow("Japanese") << QStringList{program, "--lesson=反比例"} << "反比例";
    QTest::newRow("program's name") << QStringList{"--lesson=inverse"} << "";
}

void ArgumentsTest::commandLine() {
    QFETCH(QStringList, args);
    QFETCH(QString, lesson);
    std::vector<std::string> owned;
    for (const QString &a : args)
        owned.push_back(s(a));
    const std::vector<std::string_view> views(owned.begin(), owned.end());
    rt::setCommandLine(views);
    QCOMPARE(QString::fromStdString(rt::argument("lesson")), lesson);
    QVERIFY(rt::argument("").empty());
}

void ArgumentsTest::query_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("lesson");
    QTest::newRow("given") << "?lesson=inverse"
                           << "inverse";
    QTest::newRow("without ?") << "lesson=inverse"
                               << "inverse";
    QTest::newRow("after another") << "?scale=1&lesson=inverse"
                                   << "inverse";
    QTest::newRow("none") << ""
                          << "";
    QTest::newRow("other only") << "?scale=1"
                                << "";
    QTest::newRow("no value") << "?lesson"
                              << "";
    QTest::newRow("empty parts") << "?&&lesson=inverse&"
                                 << "inverse";
    QTest::newRow("escaped") << "?lesson=a%20b%2Bc"
                             << "a b+c";
    QTest::newRow("plus") << "?lesson=a+b"
                          << "a b";
    QTest::newRow("broken escape") << "?lesson=%zz%4"
                                   << "%zz%4";
    QTest::newRow("Japanese") << "?lesson=%E5%8F%8D"
                              << "反";
    QTest::newRow("first wins") << "?lesson=inverse&lesson=direct"
                                << "inverse";
}

void ArgumentsTest::query() {
    QFETCH(QString, query);
    QFETCH(QString, lesson);
    rt::setQuery(s(query));
    QCOMPARE(QString::fromStdString(rt::argument("lesson")), lesson);
}

void ArgumentsTest::settingKeepsTheRestOfTheQuery_data() {
    QTest::addColumn<QString>("query");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("after");
    QTest::addColumn<bool>("told");
    QTest::newRow("added") << "?scale=1"
                           << "inverse"
                           << "?scale=1&lesson=inverse" << true;
    QTest::newRow("to none") << ""
                             << "inverse"
                             << "?lesson=inverse" << true;
    QTest::newRow("replaced in its place") << "?scale=1&lesson=direct&x=%7e+y"
                                           << "inverse"
                                           << "?scale=1&lesson=inverse&x=%7e+y" << true;
    QTest::newRow("removed") << "?scale=1&lesson=inverse"
                             << ""
                             << "?scale=1" << true;
    QTest::newRow("last removed") << "?lesson=inverse"
                                  << ""
                                  << "" << true;
    QTest::newRow("unchanged") << "?lesson=inverse&scale=1"
                               << "inverse"
                               << "?lesson=inverse&scale=1" << false;
    QTest::newRow("nothing to remove") << "?scale=1"
                                       << ""
                                       << "?scale=1" << false;
    QTest::newRow("escaped") << ""
                             << "a b&c=反"
                             << "?lesson=a%20b%26c%3D%E5%8F%8D" << true;
}

void ArgumentsTest::settingKeepsTheRestOfTheQuery() {
    QFETCH(QString, query);
    QFETCH(QString, value);
    QFETCH(QString, after);
    QFETCH(bool, told);
    rt::setQuery(s(query));
    QStringList heard;
    rt::setQueryWatcher([&heard](const std::string &q) { heard << QString::fromStdString(q); });
    rt::setArgument("lesson", s(value));
    rt::setQueryWatcher(nullptr);
    QCOMPARE(QString::fromStdString(rt::query()), after);
    QCOMPARE(QString::fromStdString(rt::argument("lesson")), value);
    QCOMPARE(heard, told ? QStringList{after} : QStringList{});
    // What the address then holds reads back the same.
    rt::setQuery(s(after));
    QCOMPARE(QString::fromStdString(rt::argument("lesson")), value);
}

QTEST_APPLESS_MAIN(ArgumentsTest)
#include "tst_arguments.moc"
