// What the lesson reports as changed is all that changed: a front end that repaints only the
// reported pixels, merged as the front ends merge them, onto what it showed before, shows
// exactly what a drawing from scratch shows. On the core alone, at common device scales.

#include "lessons/proportion/proportionlesson.h"
#include "runtime/core/events.h"
#include "testclock.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPainter>
#include <QTest>

#include <cmath>
#include <cstring>

namespace {

QColor toColour(rt::Colour c) {
    if (c & 0x80000000u) return Qt::lightGray; // a system colour: none is on the board
    return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

QFont toFont(const rt::FontSpec &given) {
    QFont font(QString::fromStdString(given.family));
    font.setPixelSize(std::max(1, given.pixelSize()));
    font.setBold(given.bold);
    return font;
}

QString text(std::string_view s) {
    return QString::fromUtf8(s.data(), qsizetype(s.size()));
}

QRect toQRect(const rt::Rect &r) {
    return QRect(r.x, r.y, r.width, r.height);
}

// Draws the form's calls into an image of device pixels, touching nothing outside `area`, as
// a window system clips a repaint.
class RasterPainter final : public rt::Painter {
public:
    RasterPainter(QImage &image, double scale, const rt::Rect &area)
        : painter_(&image), scale_(scale) {
        painter_.setClipRect(toQRect(area));
    }

    void fill(const rt::Rect &pixels, rt::Colour colour) override {
        painter_.fillRect(toQRect(pixels), toColour(colour));
    }

    void text(std::string_view s, const rt::FontSpec &font, rt::PointF baseline, rt::Colour colour,
              const rt::Rect &clip) override {
        painter_.save();
        if (!clip.isEmpty()) painter_.setClipRect(toQRect(clip), Qt::IntersectClip);
        painter_.scale(scale_, scale_);
        painter_.setFont(toFont(font));
        painter_.setPen(toColour(colour));
        painter_.drawText(QPointF(baseline.x, baseline.y), ::text(s));
        painter_.restore();
    }

private:
    QPainter painter_;
    double scale_;
};

// A view that shows nothing but keeps the picture a front end would show: it collects what
// the form reports as damaged and repaints just that when asked.
class RecordingView final : public rt::FormView {
public:
    RecordingView(rt::Form &form, double scale) : form_(form), scale_(scale) {
        shown_ = blank(pixelSize());
        form.setView(this);
    }
    ~RecordingView() override { form_.setView(nullptr); }
    RecordingView(const RecordingView &) = delete;
    RecordingView &operator=(const RecordingView &) = delete;

    double deviceScale() const override { return scale_; }
    void invalidate(const rt::Region &pixels) override {
        damage_.insert(damage_.end(), pixels.begin(), pixels.end());
    }
    void invalidateAll() override { all_ = true; }
    void sizeChanged() override {
        // Growing uncovers pixels never painted, which any window system asks to paint.
        const QImage old = shown_;
        shown_ = blank(pixelSize());
        QPainter(&shown_).drawImage(0, 0, old);
        const rt::Region uncovered =
            rt::subtracted(bounds(), rt::Rect{0, 0, old.width(), old.height()});
        damage_.insert(damage_.end(), uncovered.begin(), uncovered.end());
    }
    void controlChanged(rt::Control &) override {}
    void focusChanged() override {}
    void statusChanged() override {}
    void showNote(std::string_view, std::span<const rt::NoteRow>) override {}
    rt::TextMetrics measure(const rt::FontSpec &font, std::string_view s) const override {
        const QFontMetricsF m(toFont(font));
        return {m.horizontalAdvance(text(s)), m.ascent(), m.height()};
    }

    /// Repaints the damage onto what was shown; returns where the result differs from a fresh
    /// drawing, in device pixels: empty where they agree.
    QRect present() {
        const rt::Region areas = all_ ? rt::Region{bounds()} : rt::mergedAreas(damage_, bounds());
        damage_.clear();
        all_ = false;
        for (const rt::Rect &area : areas) {
            RasterPainter painter(shown_, scale_, area);
            form_.paint(painter, scale_, area);
        }
        QImage fresh = blank(shown_.size());
        RasterPainter painter(fresh, scale_, bounds());
        form_.paint(painter, scale_, bounds());
        return differences(shown_, fresh);
    }

private:
    QSize pixelSize() const {
        const rt::SizeF client = form_.clientSize();
        return QSize(int(std::lround(client.width * scale_)),
                     int(std::lround(client.height * scale_)));
    }
    rt::Rect bounds() const { return {0, 0, shown_.width(), shown_.height()}; }
    // Magenta: no board colour, so a pixel left unpainted shows.
    static QImage blank(QSize size) {
        QImage image(size, QImage::Format_RGB32);
        image.fill(Qt::magenta);
        return image;
    }
    static QRect differences(const QImage &a, const QImage &b) {
        QRect differs;
        for (int y = 0; y < a.height(); ++y) {
            const auto *p = reinterpret_cast<const QRgb *>(a.constScanLine(y));
            const auto *q = reinterpret_cast<const QRgb *>(b.constScanLine(y));
            if (std::memcmp(p, q, std::size_t(a.width()) * sizeof(QRgb)) == 0) continue;
            for (int x = 0; x < a.width(); ++x)
                if (p[x] != q[x]) differs |= QRect(x, y, 1, 1);
        }
        return differs;
    }

    rt::Form &form_;
    double scale_;
    QImage shown_;
    rt::Region damage_;
    bool all_ = false;
};

// The lesson started and shown at `scale`; every check notes the first picture that is wrong.
class Shown {
public:
    explicit Shown(double scale) : view_(form, scale) {
        rt::setErrorReporter([this](const rt::RuntimeError &e) {
            if (fault.isEmpty()) fault = QStringLiteral("run-time error: ") + e.what();
        });
        rt::dispatch([this] { form.load(); });
        check(QStringLiteral("start"));
    }
    ~Shown() { rt::setErrorReporter(nullptr); }
    Shown(const Shown &) = delete;
    Shown &operator=(const Shown &) = delete;

    void click(rt::Control &control) {
        form.input(rt::Input(rt::Input::Type::Click, control.handle()));
    }
    void check(const QString &when) {
        const QRect r = view_.present();
        if (!r.isEmpty() && fault.isEmpty())
            fault = QStringLiteral("%1: pixels changed but not repainted in %2,%3 %4x%5")
                        .arg(when)
                        .arg(r.x())
                        .arg(r.y())
                        .arg(r.width())
                        .arg(r.height());
    }
    // Steps without pauses to minute `minutes`, then goes back to the usual pause.
    void stepTo(int minutes) {
        form.delay.setText("0");
        while (form.progress < 2 * minutes)
            click(form.forward);
        form.delay.setText("20");
        check(QStringLiteral("minute %1").arg(minutes));
    }

    TestClock clock;
    ProportionLesson form;
    QString fault;

private:
    RecordingView view_;
};

} // namespace

class DamageTest : public QObject {
    Q_OBJECT

private slots:
    void stepFrames_data();
    void stepFrames();
    void displayOptions_data();
    void displayOptions();
};

void DamageTest::stepFrames_data() {
    QTest::addColumn<double>("scale");
    QTest::addColumn<int>("minute");  // where the step starts
    QTest::addColumn<int>("command"); // 0 進む, 1 戻る
    QTest::addColumn<bool>("hint");
    QTest::addColumn<int>("waits");
    for (const double scale : {1.0, 1.5, 2.0}) {
        // The first layer, point and columns; the last, two-digit columns and the formula.
        QTest::addRow("first minute forward at %g", scale) << scale << 0 << 0 << false << 40;
        QTest::addRow("last minute forward, Hint, at %g", scale) << scale << 11 << 0 << true << 40;
        // The column erased before the first frame, the layer emptied after the last.
        QTest::addRow("first minute back at %g", scale) << scale << 1 << 1 << false << 41;
        QTest::addRow("last minute back, Hint, at %g", scale) << scale << 12 << 1 << true << 41;
    }
}

void DamageTest::stepFrames() {
    QFETCH(double, scale);
    QFETCH(int, minute);
    QFETCH(int, command);
    QFETCH(bool, hint);
    QFETCH(int, waits);
    Shown shown(scale);
    ProportionLesson &f = shown.form;
    // Everything in view: the table and the graph.
    shown.click(f.table);
    shown.click(f.graph);
    if (hint) shown.click(f.hint);
    shown.check(QStringLiteral("options"));
    shown.stepTo(minute);
    int frame = 0;
    shown.clock.onWait([&] { shown.check(QStringLiteral("before wait %1").arg(++frame)); });
    shown.click(command == 0 ? f.forward : f.back);
    shown.check(QStringLiteral("at rest"));
    QCOMPARE(frame, waits);
    QCOMPARE(f.progress, rt::Integer(2 * (command == 0 ? minute + 1 : minute - 1)));
    QVERIFY2(shown.fault.isEmpty(), qPrintable(shown.fault));
}

void DamageTest::displayOptions_data() {
    QTest::addColumn<double>("scale");
    QTest::addColumn<QString>("option");
    for (const double scale : {1.0, 1.5, 2.0})
        for (const char *option : {"hint", "table", "graph"})
            QTest::addRow("%s at %g", option, scale) << scale << QString::fromLatin1(option);
}

// Hint, 表 and グラフ clicked during the last minute's filling, then again at rest.
void DamageTest::displayOptions() {
    QFETCH(double, scale);
    QFETCH(QString, option);
    Shown shown(scale);
    ProportionLesson &f = shown.form;
    auto &box = f.control<rt::CheckBox>(option.toStdString());
    // The other options on, so that all this one changes is in view.
    for (rt::CheckBox *other : {&f.hint, &f.table, &f.graph})
        if (other != &box) shown.click(*other);
    shown.stepTo(11);
    int frame = 0;
    shown.clock.onWait([&] { shown.check(QStringLiteral("before wait %1").arg(++frame)); });
    const quint32 start = shown.clock.now();
    for (const quint32 at : {210u, 430u})
        shown.clock.at(start + at, [&] {
            shown.click(box);
            shown.check(QStringLiteral("clicked in wait %1").arg(frame));
        });
    shown.click(f.forward);
    QCOMPARE(box.Value(), 0);
    for (int i = 1; i <= 2; ++i) {
        shown.click(box);
        shown.check(QStringLiteral("clicked at rest"));
    }
    QCOMPARE(frame, 42); // each click ends a wait early, and the wait goes on
    QVERIFY2(shown.fault.isEmpty(), qPrintable(shown.fault));
}

QTEST_MAIN(DamageTest)
#include "tst_damage.moc"
