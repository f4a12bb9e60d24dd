// Checks the committed pictures: the window icon, its square copy and the reference table.
#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QTest>

#include <cstdlib>

namespace {

QString resource(const QString& name)
{
    return QDir(TERVALO_RESOURCES_DIR).filePath(name);
}

QImage load(const QString& name)
{
    return QImage(resource(name)).convertToFormat(QImage::Format_ARGB32);
}

// A little-endian 16-bit field of the file's bytes.
int field16(const QByteArray& bytes, int offset)
{
    return static_cast<quint8>(bytes[offset]) | static_cast<quint8>(bytes[offset + 1]) << 8;
}

bool closeTo(QRgb actual, const QColor& expected, int tolerance)
{
    return std::abs(qRed(actual) - expected.red()) <= tolerance
           && std::abs(qGreen(actual) - expected.green()) <= tolerance
           && std::abs(qBlue(actual) - expected.blue()) <= tolerance;
}

bool within(QPoint point, QPoint centre, int radius)
{
    const QPoint d = point - centre;
    return d.x() * d.x() + d.y() * d.y() <= radius * radius;
}

// The reference table's layout.
const QColor ground(0, 182, 214);
const QColor slate(23, 55, 70);
const QRect board(8, 7, 260, 213);
const QPoint magnet(board.center().x(), 2);
const QPoint pin(board.left() + 2, board.bottom() - 2);
constexpr int jpegTolerance = 14;

// The two icon pictures and where the 128 x 76 figure starts in each.
const struct {
    const char* what;
    const char* name;
    int top;
} figurePictures[] = {{"icon", "window-icon.ico", 0}, {"square icon", "tervalo-icon.png", 26}};

} // namespace

class PicturesTest : public QObject {
    Q_OBJECT

private slots:
    void iconFileHoldsOne32BitImage()
    {
        QFile file(resource("window-icon.ico"));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QVERIFY(bytes.size() > 62);
        QCOMPARE(field16(bytes, 2), 1); // an icon, not a cursor
        QCOMPARE(field16(bytes, 4), 1); // images in the file
        QCOMPARE(static_cast<quint8>(bytes[6]), 128);
        QCOMPARE(static_cast<quint8>(bytes[7]), 76);
        QCOMPARE(field16(bytes, 12), 32); // bits per pixel, directory entry
        QCOMPARE(field16(bytes, 22 + 14), 32); // bits per pixel, bitmap header

        QImageReader reader(resource("window-icon.ico"), "ico");
        QCOMPARE(reader.imageCount(), 1);
        const QImage icon = reader.read();
        QCOMPARE(icon.size(), QSize(128, 76));
        QVERIFY(icon.hasAlphaChannel());
    }

    void figureIsBlackDrawnByAlpha_data()
    {
        QTest::addColumn<QString>("name");
        for (const auto& picture : figurePictures)
            QTest::newRow(picture.what) << picture.name;
    }

    void figureIsBlackDrawnByAlpha()
    {
        QFETCH(QString, name);
        const QImage image = load(name);
        QVERIFY(!image.isNull());
        bool transparent = false, opaque = false, partial = false;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QRgb pixel = image.pixel(x, y);
                QVERIFY2((pixel & 0xFFFFFF) == 0, qPrintable(QString("(%1, %2)").arg(x).arg(y)));
                transparent |= qAlpha(pixel) == 0;
                opaque |= qAlpha(pixel) == 255;
                partial |= qAlpha(pixel) > 0 && qAlpha(pixel) < 255; // smooth digit edges
            }
        }
        QVERIFY(transparent);
        QVERIFY(opaque);
        QVERIFY(partial);
    }

    void figureShape_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QPoint>("point"); // in the figure's own 128 x 76 frame
        QTest::addColumn<int>("alpha");
        const struct {
            const char* what;
            QPoint point;
            int alpha;
        } points[] = {
            {"outer outline, top", {64, 2}, 255},
            {"outer outline, left", {2, 38}, 255},
            {"outer outline, right", {125, 38}, 255},
            {"outer outline, bottom", {64, 73}, 255},
            {"gap between the outlines", {6, 38}, 0},
            {"inner outline, left", {10, 38}, 255},
            {"inner outline, bottom", {64, 65}, 255},
            {"board, centre top", {64, 15}, 0},
            {"board, right of the sum", {108, 38}, 0},
            {"eraser outline", {19, 58}, 255},
            {"inside the eraser", {28, 58}, 0},
        };
        for (const auto& picture : figurePictures)
            for (const auto& row : points)
                QTest::addRow("%s: %s", picture.what, row.what)
                    << picture.name << row.point + QPoint(0, picture.top) << row.alpha;
    }

    void figureShape()
    {
        QFETCH(QString, name);
        QFETCH(QPoint, point);
        QFETCH(int, alpha);
        QCOMPARE(qAlpha(load(name).pixel(point)), alpha);
    }

    void squareIconIsTheIconCentred()
    {
        const QImage square = load("tervalo-icon.png");
        const QImage icon = load("window-icon.ico");
        QCOMPARE(square.size(), QSize(128, 128));
        QCOMPARE(square.copy(0, 26, 128, 76), icon);
        QImage empty(128, 26, QImage::Format_ARGB32);
        empty.fill(Qt::transparent);
        QCOMPARE(square.copy(0, 0, 128, 26), empty);
        QCOMPARE(square.copy(0, 102, 128, 26), empty);
    }

    void referenceTableSize()
    {
        QImageReader reader(resource("reference-table.jpg"));
        QCOMPARE(reader.format(), QByteArray("jpeg"));
        QCOMPARE(reader.size(), QSize(393, 235));
    }

    void referenceTableColours_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("ground, right edge") << QPoint(390, 117) << ground;
        QTest::newRow("ground, top right") << QPoint(390, 3) << ground;
        QTest::newRow("ground, bottom") << QPoint(200, 231) << ground;
        QTest::newRow("ground, left of the board") << QPoint(3, 100) << ground;
        QTest::newRow("board, below the first column") << QPoint(70, 210) << slate;
        QTest::newRow("board, between the columns") << QPoint(137, 120) << slate;
        QTest::newRow("board, right part") << QPoint(255, 100) << slate;
    }

    void referenceTableColours()
    {
        QFETCH(QPoint, point);
        QFETCH(QColor, colour);
        const QRgb actual = load("reference-table.jpg").pixel(point);
        QVERIFY2(closeTo(actual, colour, jpegTolerance), qPrintable(QColor(actual).name()));
    }

    // Writing that ran over an edge would leave other colours along it.
    void referenceTableEdgesAreClear_data()
    {
        QTest::addColumn<QRect>("ring");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("picture's edge") << QRect(0, 0, 393, 235).adjusted(1, 1, -1, -1) << ground;
        QTest::newRow("board's edge") << board.adjusted(3, 3, -3, -3) << slate;
    }

    void referenceTableEdgesAreClear()
    {
        QFETCH(QRect, ring);
        QFETCH(QColor, colour);
        const QImage table = load("reference-table.jpg");
        for (int x = ring.left(); x <= ring.right(); ++x) {
            for (int y = ring.top(); y <= ring.bottom(); ++y) {
                const QPoint point(x, y);
                const bool onRing = x == ring.left() || x == ring.right() || y == ring.top()
                                    || y == ring.bottom();
                if (!onRing || within(point, magnet, 14) || within(point, pin, 10))
                    continue;
                QVERIFY2(closeTo(table.pixel(point), colour, jpegTolerance),
                         qPrintable(QString("(%1, %2)").arg(x).arg(y)));
            }
        }
    }

    void referenceTableHasWriting_data()
    {
        QTest::addColumn<QRect>("area");
        QTest::addColumn<QColor>("ink");
        QTest::newRow("chalk, first column") << QRect(30, 15, 90, 185) << QColor(Qt::white);
        QTest::newRow("chalk, second column") << QRect(150, 15, 90, 200) << QColor(Qt::white);
        QTest::newRow("print beside the board") << QRect(272, 20, 118, 195) << QColor(Qt::black);
    }

    void referenceTableHasWriting()
    {
        QFETCH(QRect, area);
        QFETCH(QColor, ink);
        const QImage table = load("reference-table.jpg");
        int inked = 0;
        for (int y = area.top(); y <= area.bottom(); ++y)
            for (int x = area.left(); x <= area.right(); ++x)
                inked += closeTo(table.pixel(x, y), ink, 70);
        QVERIFY2(inked > area.width() * area.height() / 100, qPrintable(QString::number(inked)));
    }
};

QTEST_GUILESS_MAIN(PicturesTest)
#include "pictures_test.moc"
