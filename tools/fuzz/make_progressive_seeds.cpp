// Writes the seed files of the fuzz run of the progressive JPEG reader into
// the folder given as the only argument: small progressive JPEGs in every
// scan script the benchmark and the tests use, and grey, CMYK and turned ones.
#include "ScanScripts.h"
#include "SeedFolder.h"

#include <QImage>

int main(int argc, char** argv)
{
    const std::optional<QDir> folder = seedFolder(argc, argv);
    if (!folder)
        return 2;

    // Colours that change every way, at sides that are not multiples of 8.
    QImage picture(61, 45, QImage::Format_RGB32);
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            picture.setPixel(x, y, qRgb(x * 4, y * 5, (x * y) % 256));

    using scanscripts::Colours;
    bool ok = true;
    int n = 0;
    for (const scanscripts::Script script : scanscripts::allScripts)
        ok = ok && putSeed(*folder, QStringLiteral("script%1.jpg").arg(n++), scanscripts::write(picture, script));
    ok = ok
        && putSeed(*folder, QStringLiteral("grey.jpg"),
                   scanscripts::write(picture.convertToFormat(QImage::Format_Grayscale8), scanscripts::Script::Cjpeg))
        && putSeed(*folder, QStringLiteral("cmyk.jpg"),
                   scanscripts::write(picture, scanscripts::Script::Arithmetic, Colours::Cmyk))
        && putSeed(*folder, QStringLiteral("turned.jpg"),
                   scanscripts::write(picture, scanscripts::Script::JpegtranScans, Colours::AsPicture, 6));
    return ok ? 0 : 1;
}
