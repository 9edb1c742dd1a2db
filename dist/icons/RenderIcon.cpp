// Paints Tarvelin's icon, the drawing of org.tarvelin.Tarvelin.svg, into PNG files of the
// hicolor sizes, so the package needs no SVG renderer at build time.
//   render_icon OUTDIR SIZE...   writes OUTDIR/SIZExSIZE/apps/org.tarvelin.Tarvelin.png
#include <QColor>
#include <QDir>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <cstdio>

namespace {

// The drawing on the SVG's 256-unit canvas.
void paint(QPainter& p) {
    QLinearGradient tile(0, 16, 0, 240);
    tile.setColorAt(0, QColor(0x3a, 0x5a, 0x9c));
    tile.setColorAt(1, QColor(0x1f, 0x2f, 0x57));
    p.setPen(Qt::NoPen);
    p.setBrush(tile);
    p.drawRoundedRect(QRectF(16, 16, 224, 224), 40, 40);

    const QColor line(0xe8, 0xee, 0xfc);
    const struct {
        double y, width, opacity;
    } rows[] = {{60, 92, 1.0}, {104, 92, 0.75}, {148, 92, 0.5}, {192, 60, 0.3}};
    for (const auto& row : rows) {
        QColor c = line;
        c.setAlphaF(float(row.opacity));
        p.setBrush(c);
        p.drawRoundedRect(QRectF(44, row.y, row.width, 20), 6, 6);
    }

    QPainterPath play;
    play.moveTo(156, 78);
    play.lineTo(220, 128);
    play.lineTo(156, 178);
    play.closeSubpath();
    const QColor orange(0xff, 0xb0, 0x2e);
    p.setBrush(orange);
    p.setPen(QPen(orange, 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(play);
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: render_icon OUTDIR SIZE...\n");
        return 2;
    }
    const QString out = QString::fromLocal8Bit(argv[1]);
    for (int i = 2; i < argc; ++i) {
        const int size = QString::fromLatin1(argv[i]).toInt();
        if (size <= 0)
            return 2;
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.scale(size / 256.0, size / 256.0);
        paint(painter);
        painter.end();
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(out).arg(size);
        if (!QDir().mkpath(folder) ||
            !image.save(folder + QStringLiteral("/org.tarvelin.Tarvelin.png"))) {
            std::fprintf(stderr, "render_icon: cannot write into %s\n", qPrintable(folder));
            return 1;
        }
    }
    return 0;
}
