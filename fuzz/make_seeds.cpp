// Makes the seeds that are not kept in the source tree: the shipped pictures as the build draws
// them, with cut and header-damaged copies of each; sessions naming those pictures, together with
// them (whole and damaged); and files whose fields are far longer than any real one (a 1 MB note,
// a 100 KB path, a path at the longest single-line field the readers take).
//   fuzz_make_seeds BIN_DIR CORPUS_DIR OUT_DIR
// BIN_DIR holds the pictures (hello.bmp, back/, targetw/, sightw/), CORPUS_DIR the kept seeds
// (fuzz/corpus) the long files are made from; OUT_DIR/<target>/ receives the seeds.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QString>
#include <QtEndian>
#include <cstdio>
#include <functional>

namespace {

bool failed = false;

QByteArray readFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "fuzz_make_seeds: cannot read %s\n", qPrintable(path));
        failed = true;
        return {};
    }
    return f.readAll();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "fuzz_make_seeds: cannot write %s\n", qPrintable(path));
        failed = true;
    }
}

// --- Pictures --------------------------------------------------------------------------------

// Where a picture's header keeps its width and height, as (offset, bytes, big-endian) fields.
struct SizeField {
    qsizetype at = -1;
    int bytes = 0;
    bool bigEndian = false;
};
struct SizeFields {
    QList<SizeField> width, height;
};

qsizetype jpegFrameHeader(const QByteArray& b) {
    for (qsizetype i = 2; i + 9 < b.size(); ++i) {
        const auto code = uint8_t(b[i + 1]);
        if (uint8_t(b[i]) == 0xFF && code >= 0xC0 && code <= 0xC3) return i;
    }
    return -1;
}

qsizetype gifFirstFrame(const QByteArray& b) {
    if (b.size() < 13) return -1;
    const auto packed = uint8_t(b[10]);
    qsizetype at = 13 + (packed & 0x80 ? 3 << ((packed & 7) + 1) : 0);
    while (at < b.size()) {
        if (uint8_t(b[at]) == 0x2C) return at;
        if (uint8_t(b[at]) != 0x21 || at + 2 >= b.size()) return -1;
        at += 2; // introducer and label, then sub-blocks up to the empty one
        while (at < b.size() && uint8_t(b[at]) != 0)
            at += 1 + uint8_t(b[at]);
        ++at;
    }
    return -1;
}

SizeFields sizeFields(const QByteArray& b) {
    SizeFields f;
    if (b.startsWith("BM")) {
        f.width = {{18, 4, false}};
        f.height = {{22, 4, false}};
    } else if (b.startsWith("GIF")) {
        f.width = {{6, 2, false}};
        f.height = {{8, 2, false}};
        if (const qsizetype frame = gifFirstFrame(b); frame > 0) {
            f.width.append({frame + 5, 2, false});
            f.height.append({frame + 7, 2, false});
        }
    } else if (const qsizetype sof = jpegFrameHeader(b); sof > 0) {
        f.height = {{sof + 5, 2, true}};
        f.width = {{sof + 7, 2, true}};
    }
    return f;
}

// The picture with every field doubled: a header that promises more than the data holds.
QByteArray doubled(QByteArray b, const QList<SizeField>& fields) {
    for (const SizeField& f : fields) {
        char* p = b.data() + f.at;
        if (f.bytes == 4) {
            qToLittleEndian(qFromLittleEndian<qint32>(p) * 2, p);
        } else if (f.bigEndian) {
            qToBigEndian<quint16>(quint16(qFromBigEndian<quint16>(p) * 2), p);
        } else {
            qToLittleEndian<quint16>(quint16(qFromLittleEndian<quint16>(p) * 2), p);
        }
    }
    return b;
}

// Each picture whole, cut in three places, and with its header's width or height doubled.
void pictureSeeds(const QString& name, const QByteArray& b, const QString& out) {
    const QString base =
        out + '/' + QFileInfo(name).completeBaseName() + '-' + QFileInfo(name).suffix() + '-';
    writeFile(base + "whole", b);
    writeFile(base + "cut-header", b.left(40));
    writeFile(base + "cut-half", b.left(b.size() / 2));
    writeFile(base + "cut-last-byte", b.left(b.size() - 1));
    const SizeFields fields = sizeFields(b);
    if (fields.width.isEmpty()) {
        std::fprintf(stderr, "fuzz_make_seeds: no size fields in %s\n", qPrintable(name));
        failed = true;
        return;
    }
    writeFile(base + "wider", doubled(b, fields.width));
    writeFile(base + "taller", doubled(b, fields.height));
}

// --- Text files ------------------------------------------------------------------------------

QList<QByteArray> linesOf(const QByteArray& file) {
    QList<QByteArray> lines = file.split('\n');
    for (QByteArray& line : lines)
        if (line.endsWith('\r')) line.chop(1);
    if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
    return lines;
}

QByteArray joined(const QList<QByteArray>& lines) {
    QByteArray file;
    for (const QByteArray& line : lines)
        file += line + "\r\n";
    return file;
}

// The file with line `number` (1 first) replaced.
QByteArray withLine(const QByteArray& file, int number, const QByteArray& text) {
    QList<QByteArray> lines = linesOf(file);
    while (lines.size() < number)
        lines.append(QByteArray());
    lines[number - 1] = text;
    return joined(lines);
}

// About `bytes` of note text, lines joined by the multi-line field's escape.
QByteArray longNote(qsizetype bytes) {
    const QByteArray line = "Five shots at 100 yd|~ 0.6 in|~ wind 5 mph from the left|@|{";
    QByteArray note;
    note.reserve(bytes + line.size());
    while (note.size() < bytes)
        note += line;
    return note;
}

// A path of exactly `bytes` characters.
QByteArray longPath(qsizetype bytes) {
    QByteArray path = "/home/shooter/";
    while (path.size() < bytes)
        path += "loads/";
    path.truncate(bytes - 9);
    return path + "/load.qvt";
}

constexpr qsizetype Megabyte = 1024 * 1024;
constexpr qsizetype PathBytes = 100 * 1024;
constexpr qsizetype LongestField = 32767; // CFileData::MaxLineField

void longSeeds(const QString& corpus, const QString& out) {
    const QByteArray load = readFile(corpus + "/loadfile/308win.qvt");
    for (const char* target : {"loadfile", "compare"}) {
        const QString dir = out + '/' + target;
        writeFile(dir + "/long-note.qvt", withLine(load, 32, longNote(Megabyte)));
        writeFile(dir + "/long-path.qvt", withLine(load, 18, longPath(PathBytes)));
        writeFile(dir + "/longest-path.qvt", withLine(load, 18, longPath(LongestField)));
        writeFile(dir + "/long-name.qvt", withLine(load, 1, longPath(PathBytes)));
    }
    const QByteArray session = readFile(corpus + "/session/metric.ssn");
    writeFile(out + "/session/long-note.ssn", withLine(session, 25, longNote(Megabyte)));
    writeFile(out + "/session/long-load-path.ssn", withLine(session, 24, longPath(PathBytes)));
    writeFile(out + "/session/longest-load-path.ssn",
              withLine(session, 24, longPath(LongestField)));
    writeFile(out + "/session/long-picture-name.ssn", withLine(session, 2, longPath(PathBytes)));

    const QByteArray last = readFile(corpus + "/lastfile/lastfile.dat");
    writeFile(out + "/lastfile/long-path.dat", withLine(last, 1, longPath(PathBytes)));
    writeFile(out + "/lastfile/longest-path.dat", withLine(last, 2, longPath(LongestField)));

    writeFile(out + "/filedata/long-note.txt",
              joined({"short", longNote(Megabyte), longPath(PathBytes), longNote(Megabyte)}));
}

// --- Sessions with their pictures --------------------------------------------------------------

// A session naming the three pictures, with the reticle picture on and the target see-through.
QByteArray sessionNaming(const QByteArray& session, const QByteArray& target,
                         const QByteArray& reticle, const QByteArray& background) {
    QByteArray s = withLine(session, 2, target);
    s = withLine(s, 7, reticle);
    s = withLine(s, 18, background);
    s = withLine(s, 20, "1");
    return withLine(s, 27, "1");
}

QByteArray sceneInput(const QByteArray& session, const QList<QByteArray>& pictures) {
    QByteArray input = session;
    for (const QByteArray& picture : pictures)
        input += "\n--picture--\n" + picture; // SceneInput::Separator
    return input;
}

void sceneSeeds(const QString& bin, const QString& corpus, const QString& out) {
    const QByteArray session = readFile(corpus + "/session/metric.ssn");
    const QByteArray back = readFile(bin + "/back/berm.jpg");
    const QByteArray target = readFile(bin + "/targetw/redBlue.gif");
    const QByteArray silhouette = readFile(bin + "/targetw/silhouette.gif");
    const QByteArray reticle = readFile(bin + "/sightw/duplex.bmp");
    const QByteArray named = sessionNaming(session, "redBlue.gif", "duplex.bmp", "berm.jpg");
    const QString dir = out + "/scene/";
    writeFile(dir + "whole", sceneInput(named, {back, target, reticle}));
    writeFile(dir + "no-pictures", sceneInput(named, {}));
    writeFile(dir + "target-cut",
              sceneInput(named, {back, target.left(target.size() / 2), reticle}));
    writeFile(dir + "reticle-taller",
              sceneInput(named, {back, target, doubled(reticle, sizeFields(reticle).height)}));
    writeFile(dir + "background-cut",
              sceneInput(named, {back.left(back.size() - 1), target, reticle}));
    writeFile(dir + "empty-pictures", sceneInput(named, {"", "", "", ""}));
    writeFile(dir + "session-cut",
              sceneInput(named.left(named.size() / 2), {back, target, reticle}));
    const QByteArray other = sessionNaming(session, "silhouette.gif", "duplex.bmp", "");
    writeFile(dir + "silhouette-wider",
              sceneInput(other, {QByteArray(), doubled(silhouette, sizeFields(silhouette).width),
                                 reticle}));
    writeFile(dir + "long-note",
              sceneInput(withLine(named, 25, longNote(Megabyte)), {back, target, reticle}));
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: fuzz_make_seeds BIN_DIR CORPUS_DIR OUT_DIR\n");
        return 2;
    }
    const QString bin = QString::fromLocal8Bit(argv[1]);
    const QString corpus = QString::fromLocal8Bit(argv[2]);
    const QString out = QString::fromLocal8Bit(argv[3]);
    QDir(out).removeRecursively();

    const QStringList pictures{
        "hello.bmp",         "back/meadow.jpg",        "back/desert.jpg",
        "back/berm.jpg",     "targetw/redBlue.gif",    "targetw/bullseye.gif",
        "targetw/gong.gif",  "targetw/silhouette.gif", "targetw/deer.gif",
        "sightw/duplex.bmp", "sightw/german4.bmp"};
    for (const QString& name : pictures)
        pictureSeeds(name, readFile(bin + '/' + name), out + "/picture");
    longSeeds(corpus, out);
    sceneSeeds(bin, corpus, out);
    return failed ? 1 : 0;
}
