// Renders the program's SVG icon to PNGs of the given sizes, for the menus and the window.
// Usage: water-icons icon.svg outdir size... writes outdir/NxN.png.
//
// Reads only what the icon uses: the viewBox, rectangles (with rounded corners) and paths made
// of M, L, H and V, filled or stroked with a plain colour. Anything else stops it with an
// error, so a richer drawing is noticed here rather than as a wrong picture. It keeps the build
// free of Qt SVG.

#include <QColor>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QRegularExpression>
#include <QXmlStreamReader>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString &what) {
    throw std::runtime_error(what.toStdString());
}

double number(const QXmlStreamAttributes &a, QLatin1String name, double fallback = 0.0) {
    if (!a.hasAttribute(name)) return fallback;
    bool ok = false;
    const double value = a.value(name).toDouble(&ok);
    if (!ok) fail(QStringLiteral("bad number in %1").arg(name));
    return value;
}

QPainterPath pathData(QStringView d) {
    static const QRegularExpression token(QStringLiteral("[A-Za-z]|-?[0-9.]+"));
    QStringList tokens;
    for (const auto &m : token.globalMatch(d))
        tokens << m.captured();
    QPainterPath path;
    QPointF at;
    qsizetype i = 0;
    auto next = [&] {
        if (i >= tokens.size()) fail(QStringLiteral("path ends early: %1").arg(d));
        bool ok = false;
        const double v = tokens[i++].toDouble(&ok);
        if (!ok) fail(QStringLiteral("path: number expected: %1").arg(d));
        return v;
    };
    while (i < tokens.size()) {
        const QString command = tokens[i++];
        if (command == QLatin1String("M") || command == QLatin1String("L")) {
            const double x = next(); // in order: arguments are evaluated in any
            at = QPointF(x, next());
            if (command == QLatin1String("M"))
                path.moveTo(at);
            else
                path.lineTo(at);
        } else if (command == QLatin1String("H")) {
            at.setX(next());
            path.lineTo(at);
        } else if (command == QLatin1String("V")) {
            at.setY(next());
            path.lineTo(at);
        } else {
            fail(QStringLiteral("path command not handled: %1").arg(command));
        }
    }
    return path;
}

QColor colour(const QXmlStreamAttributes &a, QLatin1String name) {
    const QStringView value = a.value(name);
    if (value.isEmpty() || value == QLatin1String("none")) return {};
    const QColor c = QColor::fromString(value);
    if (!c.isValid()) fail(QStringLiteral("bad colour %1").arg(value));
    return c;
}

void paintShape(QPainter &p, const QXmlStreamReader &xml) {
    const QXmlStreamAttributes a = xml.attributes();
    QPainterPath path;
    if (xml.name() == QLatin1String("rect")) {
        const double r = number(a, QLatin1String("rx"));
        path.addRoundedRect(QRectF(number(a, QLatin1String("x")), number(a, QLatin1String("y")),
                                   number(a, QLatin1String("width")),
                                   number(a, QLatin1String("height"))),
                            r, number(a, QLatin1String("ry"), r));
    } else {
        path = pathData(a.value(QLatin1String("d")));
    }
    // SVG fills black by default, strokes not at all.
    const QColor fill = a.hasAttribute(QLatin1String("fill")) ? colour(a, QLatin1String("fill"))
                                                              : QColor(Qt::black);
    if (fill.isValid()) p.fillPath(path, fill);
    const QColor stroke = colour(a, QLatin1String("stroke"));
    if (stroke.isValid()) {
        QPen pen(stroke, number(a, QLatin1String("stroke-width"), 1.0));
        pen.setCapStyle(a.value(QLatin1String("stroke-linecap")) == QLatin1String("round")
                            ? Qt::RoundCap
                            : Qt::FlatCap);
        pen.setJoinStyle(Qt::MiterJoin);
        p.strokePath(path, pen);
    }
}

QImage render(const QByteArray &svg, int size) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    QXmlStreamReader xml(svg);
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        const QStringView name = xml.name();
        if (name == QLatin1String("svg")) {
            const QStringList box = xml.attributes()
                                        .value(QLatin1String("viewBox"))
                                        .toString()
                                        .split(QLatin1Char(' '), Qt::SkipEmptyParts);
            if (box.size() != 4) fail(QStringLiteral("viewBox of four numbers expected"));
            p.scale(size / box[2].toDouble(), size / box[3].toDouble());
            p.translate(-box[0].toDouble(), -box[1].toDouble());
        } else if (name == QLatin1String("rect") || name == QLatin1String("path")) {
            paintShape(p, xml);
        } else if (name == QLatin1String("title")) {
            xml.skipCurrentElement();
        } else {
            fail(QStringLiteral("element not handled: %1").arg(name));
        }
    }
    if (xml.hasError()) fail(xml.errorString());
    p.end();
    return image;
}

} // namespace

int main(int argc, char *argv[]) {
    // Painting into images needs no application object, nor a windowing system.
    if (argc < 4) {
        std::fprintf(stderr, "usage: water-icons icon.svg outdir size...\n");
        return 2;
    }
    QFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "water-icons: cannot read %s\n", argv[1]);
        return 1;
    }
    const QByteArray svg = file.readAll();
    try {
        for (int i = 3; i < argc; ++i) {
            const int size = std::atoi(argv[i]);
            if (size <= 0) fail(QStringLiteral("bad size %1").arg(QString::fromLocal8Bit(argv[i])));
            const QString out =
                QStringLiteral("%1/%2x%2.png").arg(QString::fromLocal8Bit(argv[2])).arg(size);
            if (!render(svg, size).save(out)) fail(QStringLiteral("cannot write %1").arg(out));
        }
    } catch (const std::runtime_error &e) {
        std::fprintf(stderr, "water-icons: %s\n", e.what());
        return 1;
    }
    return 0;
}
