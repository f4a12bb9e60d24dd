// Draws the program's pictures into a directory. Regenerate the committed ones with
//   make_pictures resources/
// from the top of the checkout; the pictures_up_to_date test fails until you do.
#include "conversion_table.h"
#include "icon.h"
#include "reference_table.h"

#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <exception>

namespace {

bool save(const QImage& image, const QDir& directory, const char* name, const char* format,
          int quality = -1)
{
    const QString path = directory.filePath(name);
    if (image.save(path, format, quality))
        return true;
    std::fprintf(stderr, "make_pictures: cannot write %s\n", qPrintable(path));
    return false;
}

} // namespace

int main(int argc, char* argv[])
{
    // Fonts need a QGuiApplication, but no screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_pictures OUTPUT_DIRECTORY\n");
        return 2;
    }
    const QDir directory(QString::fromLocal8Bit(argv[1]));
    loadTables();
    try {
        const bool saved =
            save(makeIcon(), directory, "window-icon.ico", "ico")
            && save(makeSquareIcon(), directory, "tervalo-icon.png", "png")
            && save(makeReferenceTable(), directory, "reference-table.jpg", "jpg", 92);
        return saved ? 0 : 1;
    } catch (const std::exception& error) { // a pair missing from the table
        std::fprintf(stderr, "make_pictures: %s\n", error.what());
        return 1;
    }
}
