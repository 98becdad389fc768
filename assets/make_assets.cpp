// Draws the simulator's pictures into an application folder: the empty scene "hello.bmp",
// backgrounds in back/, targets in targetw/ (on white) and reticles in sightw/ (on white).
// Usage: quorvel_make_assets <folder>
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <cstdio>
#include <map>

namespace {

// --- A small GIF writer: 256-colour palette, LZW stream of literal codes only (a clear code
// every 250 codes keeps the code width at 9 bits), which every reader decodes. -----------------

class BitWriter {
public:
    void put(unsigned code, int width) {
        acc |= code << bits;
        bits += width;
        while (bits >= 8) {
            bytes.append(char(acc & 0xFF));
            acc >>= 8;
            bits -= 8;
        }
    }
    QByteArray finish() {
        if (bits > 0) bytes.append(char(acc & 0xFF));
        return bytes;
    }

private:
    unsigned acc = 0;
    int bits = 0;
    QByteArray bytes;
};

void putWord(QByteArray& out, int v) {
    out.append(char(v & 0xFF));
    out.append(char((v >> 8) & 0xFF));
}

bool writeGif(const QImage& picture, const QString& path) {
    const QImage image = picture.convertToFormat(QImage::Format_RGB32);
    std::map<QRgb, int> palette;
    QList<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = image.pixel(x, y) | 0xFF000000u;
            if (!palette.count(c) && colours.size() < 256) {
                palette[c] = int(colours.size());
                colours.append(c);
            }
        }
    if (palette.size() > 256) return false;

    QByteArray out("GIF89a");
    putWord(out, image.width());
    putWord(out, image.height());
    out.append(char(0xF7)); // global table of 256 entries
    out.append(char(0));
    out.append(char(0));
    for (int i = 0; i < 256; ++i) {
        const QRgb c = i < colours.size() ? colours[i] : 0;
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    out.append(char(0x2C));
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, image.width());
    putWord(out, image.height());
    out.append(char(0));
    out.append(char(8)); // minimum code size

    constexpr unsigned Clear = 256, End = 257;
    BitWriter bits;
    int sinceClear = 0;
    bits.put(Clear, 9);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (sinceClear == 250) {
                bits.put(Clear, 9);
                sinceClear = 0;
            }
            const QRgb c = image.pixel(x, y) | 0xFF000000u;
            const auto it = palette.find(c);
            bits.put(unsigned(it == palette.end() ? 0 : it->second), 9);
            ++sinceClear;
        }
    bits.put(End, 9);
    const QByteArray data = bits.finish();
    for (qsizetype i = 0; i < data.size(); i += 255) {
        const QByteArray block = data.mid(i, 255);
        out.append(char(block.size()));
        out.append(block);
    }
    out.append(char(0));
    out.append(char(0x3B));

    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(out) == out.size();
}

QImage canvas(int w, int h, const QColor& fill) {
    QImage img(w, h, QImage::Format_RGB32);
    img.fill(fill);
    return img;
}

// --- Scenery ---------------------------------------------------------------------------------

void sky(QPainter& p, int w, int h, QColor top, QColor horizon) {
    QLinearGradient g(0, 0, 0, h);
    g.setColorAt(0, top);
    g.setColorAt(1, horizon);
    p.fillRect(0, 0, w, h, g);
}

void hills(QPainter& p, int w, int base, int amplitude, double waves, double phase, QColor c) {
    QPainterPath path;
    path.moveTo(0, base);
    for (int x = 0; x <= w; x += 4)
        path.lineTo(x, base - amplitude * (0.5 + 0.5 * std::sin(x * waves * 2 * M_PI / w + phase)));
    path.lineTo(w, 4 * w);
    path.lineTo(0, 4 * w);
    p.fillPath(path, c);
}

QImage meadow(int s) {
    QImage img = canvas(s, s, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    sky(p, s, s * 55 / 100, QColor(96, 150, 214), QColor(200, 222, 240));
    hills(p, s, s * 50 / 100, s / 12, 1.5, 0.3, QColor(120, 150, 110));
    hills(p, s, s * 58 / 100, s / 16, 2.5, 1.7, QColor(98, 142, 72));
    QLinearGradient grass(0, s * 0.55, 0, s);
    grass.setColorAt(0, QColor(110, 160, 70));
    grass.setColorAt(1, QColor(70, 120, 40));
    p.fillRect(0, s * 60 / 100, s, s, grass);
    return img;
}

QImage desert(int s) {
    QImage img = canvas(s, s, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    sky(p, s, s * 55 / 100, QColor(70, 130, 200), QColor(235, 215, 180));
    hills(p, s, s * 52 / 100, s / 9, 1.0, 2.0, QColor(180, 120, 90)); // far mesas
    QLinearGradient sand(0, s * 0.52, 0, s);
    sand.setColorAt(0, QColor(226, 196, 140));
    sand.setColorAt(1, QColor(196, 160, 100));
    hills(p, s, s * 60 / 100, s / 30, 3.0, 0.5, QColor(214, 184, 128));
    p.fillRect(0, s * 62 / 100, s, s, sand);
    return img;
}

QImage berm(int s) {
    QImage img = canvas(s, s, Qt::white);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    sky(p, s, s * 45 / 100, QColor(150, 170, 190), QColor(215, 220, 225));
    QPainterPath earth;
    earth.moveTo(0, s * 0.45);
    earth.cubicTo(s * 0.2, s * 0.25, s * 0.8, s * 0.25, s, s * 0.45);
    earth.lineTo(s, s);
    earth.lineTo(0, s);
    QLinearGradient soil(0, s * 0.25, 0, s * 0.7);
    soil.setColorAt(0, QColor(140, 110, 80));
    soil.setColorAt(1, QColor(105, 80, 55));
    p.fillPath(earth, soil);
    QLinearGradient ground(0, s * 0.7, 0, s);
    ground.setColorAt(0, QColor(130, 140, 90));
    ground.setColorAt(1, QColor(90, 100, 60));
    p.fillRect(0, s * 70 / 100, s, s, ground);
    return img;
}

QImage hello(int s) {
    QImage img = meadow(s);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    // A warm sun low over the hills: an empty range waiting for a target.
    QRadialGradient sun(s * 0.72, s * 0.3, s * 0.12);
    sun.setColorAt(0, QColor(255, 244, 200));
    sun.setColorAt(0.4, QColor(255, 230, 160, 180));
    sun.setColorAt(1, QColor(255, 230, 160, 0));
    p.fillRect(0, 0, s, s * 55 / 100, sun);
    return img;
}

// --- Targets on white, drawn without smoothing so each zone is one colour ------------------------

QImage redBlue(int s) {
    QImage img = canvas(s, s, Qt::white);
    QPainter p(&img);
    const int band = s / 10;
    p.fillRect(0, 0, s, band, QColor(0, 0, 255)); // blue frame: the penalty zone
    p.fillRect(0, s - band, s, band, QColor(0, 0, 255));
    p.fillRect(0, 0, band, s, QColor(0, 0, 255));
    p.fillRect(s - band, 0, band, s, QColor(0, 0, 255));
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QPoint(s / 2, s / 2), s * 3 / 10, s * 3 / 10);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 0, 0)); // red centre: the scoring zone
    p.drawEllipse(QPoint(s / 2, s / 2), s / 5, s / 5);
    return img;
}

QImage bullseye(int s) {
    QImage img = canvas(s, s, Qt::white);
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    for (int ring = 10; ring >= 1; --ring) {
        const bool inner = ring <= 4;
        p.setBrush(inner ? QColor(20, 20, 20) : QColor(255, 255, 255));
        p.drawEllipse(QPoint(s / 2, s / 2), s * ring / 21, s * ring / 21);
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(inner ? QColor(250, 250, 250) : QColor(20, 20, 20), 1));
        p.drawEllipse(QPoint(s / 2, s / 2), s * ring / 21, s * ring / 21);
        p.setPen(Qt::NoPen);
    }
    p.setBrush(QColor(230, 120, 20));
    p.drawEllipse(QPoint(s / 2, s / 2), s / 60 + 1, s / 60 + 1);
    return img;
}

QImage gong(int s) {
    QImage img = canvas(s, s, Qt::white);
    QPainter p(&img);
    p.setPen(QPen(QColor(60, 60, 60), 3));
    p.drawLine(s / 2 - s / 5, 0, s / 2 - s / 10, s / 4);
    p.drawLine(s / 2 + s / 5, 0, s / 2 + s / 10, s / 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(90, 96, 104));
    p.drawEllipse(QPoint(s / 2, s * 3 / 5), s * 2 / 5, s * 2 / 5);
    p.setBrush(QColor(255, 140, 0));
    p.drawEllipse(QPoint(s / 2, s * 3 / 5), s / 10, s / 10);
    return img;
}

QImage silhouette(int w, int h) {
    QImage img = canvas(w, h, Qt::white);
    QPainter p(&img);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 40, 40));
    QPainterPath body;
    body.addEllipse(QPointF(w / 2.0, h * 0.14), w * 0.16, h * 0.11); // head
    body.addRoundedRect(QRectF(w * 0.1, h * 0.27, w * 0.8, h * 0.73), w * 0.2, w * 0.2);
    p.drawPath(body);
    p.setBrush(QColor(200, 30, 30));
    p.drawRect(QRectF(w * 0.36, h * 0.36, w * 0.28, h * 0.3)); // vital zone
    return img;
}

QImage deer(int w, int h) {
    QImage img = canvas(w, h, Qt::white);
    QPainter p(&img);
    QPainterPath d;
    d.addEllipse(QRectF(w * 0.18, h * 0.35, w * 0.6, h * 0.3)); // body
    d.addRect(QRectF(w * 0.22, h * 0.55, w * 0.05, h * 0.4));   // legs
    d.addRect(QRectF(w * 0.32, h * 0.55, w * 0.05, h * 0.4));
    d.addRect(QRectF(w * 0.62, h * 0.55, w * 0.05, h * 0.4));
    d.addRect(QRectF(w * 0.70, h * 0.55, w * 0.05, h * 0.4));
    QPainterPath neck;
    neck.moveTo(w * 0.66, h * 0.42);
    neck.lineTo(w * 0.80, h * 0.16);
    neck.lineTo(w * 0.88, h * 0.2);
    neck.lineTo(w * 0.78, h * 0.48);
    neck.closeSubpath();
    d.addPath(neck);
    d.addEllipse(QRectF(w * 0.78, h * 0.1, w * 0.16, h * 0.1)); // head
    p.setPen(QPen(QColor(60, 40, 20), 3));
    p.setBrush(QColor(176, 132, 84));
    p.drawPath(d.simplified());
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(230, 30, 30));
    p.drawEllipse(QPointF(w * 0.62, h * 0.5), w * 0.07, w * 0.07); // heart and lungs
    return img;
}

// --- Reticles on white -----------------------------------------------------------------------

QImage duplex(int s) {
    QImage img = canvas(s, s, Qt::white);
    QPainter p(&img);
    const int c = s / 2, thick = s / 60, gap = s / 5;
    p.fillRect(0, c - thick / 2, c - gap, thick, Qt::black);
    p.fillRect(c + gap, c - thick / 2, s - c - gap, thick, Qt::black);
    p.fillRect(c - thick / 2, 0, thick, c - gap, Qt::black);
    p.fillRect(c - thick / 2, c + gap, thick, s - c - gap, Qt::black);
    p.fillRect(c - gap, c, 2 * gap, 1, Qt::black);
    p.fillRect(c, c - gap, 1, 2 * gap, Qt::black);
    return img;
}

QImage german4(int s) {
    QImage img = canvas(s, s, Qt::white);
    QPainter p(&img);
    const int c = s / 2, thick = s / 40, gap = s / 8;
    p.fillRect(0, c - thick / 2, c - gap, thick, Qt::black);
    p.fillRect(c + gap, c - thick / 2, s - c - gap, thick, Qt::black);
    p.fillRect(c - thick / 2, c + gap, thick, s - c - gap, Qt::black); // post from below
    p.fillRect(c - gap, c, 2 * gap, 1, Qt::black);                     // fine cross
    p.fillRect(c, c, 1, gap, Qt::black);
    return img;
}

bool save(const QImage& img, const QString& path, const char* format) {
    const bool ok = QByteArray(format) == "GIF" ? writeGif(img, path) : img.save(path, format, 85);
    if (!ok) std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <application folder>\n", argv[0]);
        return 2;
    }
    const QDir root(QString::fromLocal8Bit(argv[1]));
    for (const char* sub : {"back", "targetw", "targetb", "sightw", "sightb"})
        root.mkpath(QString::fromLatin1(sub));
    bool ok = save(hello(600), root.filePath("hello.bmp"), "BMP");
    ok &= save(meadow(800), root.filePath("back/meadow.jpg"), "JPG");
    ok &= save(desert(800), root.filePath("back/desert.jpg"), "JPG");
    ok &= save(berm(800), root.filePath("back/berm.jpg"), "JPG");
    ok &= save(redBlue(240), root.filePath("targetw/redBlue.gif"), "GIF");
    ok &= save(bullseye(240), root.filePath("targetw/bullseye.gif"), "GIF");
    ok &= save(gong(240), root.filePath("targetw/gong.gif"), "GIF");
    ok &= save(silhouette(160, 300), root.filePath("targetw/silhouette.gif"), "GIF");
    ok &= save(deer(300, 220), root.filePath("targetw/deer.gif"), "GIF");
    ok &= save(duplex(400), root.filePath("sightw/duplex.bmp"), "BMP");
    ok &= save(german4(400), root.filePath("sightw/german4.bmp"), "BMP");
    return ok ? 0 : 1;
}
