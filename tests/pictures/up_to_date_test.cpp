// Fails when the committed pictures differ from what make_pictures draws now;
// regenerate them with `make_pictures resources/`.
#include <QDir>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdlib>

namespace {

// The largest difference of any channel of any pixel; -1 when the sizes differ.
int largestDifference(const QImage& first, const QImage& second)
{
    if (first.size() != second.size())
        return -1;
    const QImage a = first.convertToFormat(QImage::Format_ARGB32);
    const QImage b = second.convertToFormat(QImage::Format_ARGB32);
    int largest = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            largest = std::max({largest, std::abs(qRed(p) - qRed(q)),
                                std::abs(qGreen(p) - qGreen(q)), std::abs(qBlue(p) - qBlue(q)),
                                std::abs(qAlpha(p) - qAlpha(q))});
        }
    }
    return largest;
}

} // namespace

class PicturesUpToDate : public QObject {
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(generated.isValid());
        QProcess generator;
        generator.start(MAKE_PICTURES, {generated.path()});
        QVERIFY(generator.waitForFinished(60000));
        QCOMPARE(generator.exitStatus(), QProcess::NormalExit);
        QCOMPARE(generator.exitCode(), 0);
    }

    void sameAsCommitted_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("tolerance");
        QTest::newRow("icon") << "window-icon.ico" << 0;
        QTest::newRow("square icon") << "tervalo-icon.png" << 0;
        // Decoders of lossy JPEG may round differently.
        QTest::newRow("reference table") << "reference-table.jpg" << 3;
    }

    void sameAsCommitted()
    {
        QFETCH(QString, name);
        QFETCH(int, tolerance);
        const QImage committed(QDir(TERVALO_RESOURCES_DIR).filePath(name));
        const QImage fresh(QDir(generated.path()).filePath(name));
        QVERIFY(!committed.isNull());
        QVERIFY(!fresh.isNull());
        const int difference = largestDifference(committed, fresh);
        QVERIFY2(difference >= 0 && difference <= tolerance,
                 qPrintable(name + " is out of date: run make_pictures resources/"));
    }

private:
    QTemporaryDir generated;
};

QTEST_GUILESS_MAIN(PicturesUpToDate)
#include "up_to_date_test.moc"
