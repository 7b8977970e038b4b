// Writes the seed files of the fuzz run of the progressive JPEG reader into
// the folder given as the only argument: small progressive JPEGs in every
// scan script the benchmark and the tests use, and grey, CMYK and turned ones.
#include "ScanScripts.h"

#include <QDir>
#include <QFile>
#include <QImage>

#include <cstdio>

namespace {

bool put(const QDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SEED-FOLDER\n", argv[0]);
        return 2;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral(".")))
        return 1;

    // Colours that change every way, at sides that are not multiples of 8.
    QImage picture(61, 45, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 4, y * 5, (x * y) % 256));

    using scanscripts::Colours;
    bool ok = true;
    int n = 0;
    for (const scanscripts::Script script : scanscripts::allScripts)
        ok = ok && put(dir, QStringLiteral("script%1.jpg").arg(n++), scanscripts::write(picture, script));
    ok = ok
        && put(dir, QStringLiteral("grey.jpg"),
               scanscripts::write(picture.convertToFormat(QImage::Format_Grayscale8), scanscripts::Script::Cjpeg))
        && put(dir, QStringLiteral("cmyk.jpg"),
               scanscripts::write(picture, scanscripts::Script::Arithmetic, Colours::Cmyk))
        && put(dir, QStringLiteral("turned.jpg"),
               scanscripts::write(picture, scanscripts::Script::JpegtranScans, Colours::AsPicture, 6));
    return ok ? 0 : 1;
}
