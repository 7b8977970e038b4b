// makepics: draws every picture Brindlepair ships and writes it to disk.
//
//   makepics [--pics <folder>] [--fallback <file.png>] [--icon <file.png>]
//            [--icons <folder> --icon-sizes <n,n,...>]
//
// The pics folder receives the card sets (cardPussy00.jpg ... cardBirds17.jpg)
// and the decks (deckAcorn.jpg, deckWaves.jpg); the fallback picture and the
// window icon are built into the program, so they go wherever the build wants
// them; the icons folder receives the icon at each size asked for, the sizes
// the desktop's menus use (16x16.png, 24x24.png, ...), for installing.
#include "BirdFaces.h"
#include "CardBacks.h"
#include "CatFaces.h"
#include "Keepsakes.h"
#include "PictureFile.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>
#include <functional>

namespace {

QString facePath(const QString& folder, const QString& set, int index)
{
    return QDir(folder).filePath(QStringLiteral("%1%2.jpg").arg(set).arg(index, 2, 10, QLatin1Char('0')));
}

bool writeSet(const QString& folder, const QString& set, int count, const std::function<QImage(int)>& draw)
{
    for (int i = 0; i < count; ++i) {
        if (!PictureFile::writeJpeg(draw(i), facePath(folder, set, i)))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char* argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("makepics"));

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Draws the pictures Brindlepair ships."));
    parser.addHelpOption();
    const QCommandLineOption pics(QStringLiteral("pics"), QStringLiteral("Folder for the card sets and decks."),
                                  QStringLiteral("folder"));
    const QCommandLineOption fallback(QStringLiteral("fallback"), QStringLiteral("The picture-missing PNG."),
                                      QStringLiteral("file"));
    const QCommandLineOption icon(QStringLiteral("icon"), QStringLiteral("The window icon PNG."),
                                  QStringLiteral("file"));
    const QCommandLineOption icons(QStringLiteral("icons"), QStringLiteral("Folder for the desktop's icons."),
                                   QStringLiteral("folder"));
    const QCommandLineOption iconSizes(QStringLiteral("icon-sizes"),
                                       QStringLiteral("The sizes of the desktop's icons, in pixels, comma-separated."),
                                       QStringLiteral("sizes"));
    parser.addOptions({pics, fallback, icon, icons, iconSizes});
    parser.process(app);

    if (!parser.isSet(pics) && !parser.isSet(fallback) && !parser.isSet(icon) && !parser.isSet(icons)) {
        std::fputs("makepics: nothing to do; give --pics, --fallback, --icon or --icons\n", stderr);
        return 2;
    }

    bool ok = true;
    if (parser.isSet(pics)) {
        const QString folder = parser.value(pics);
        ok = ok && writeSet(folder, QStringLiteral("cardPussy"), CatFaces::count, &CatFaces::face);
        ok = ok && writeSet(folder, QStringLiteral("cardBirds"), BirdFaces::count, &BirdFaces::face);
        ok = ok && PictureFile::writeJpeg(CardBacks::acorn(), QDir(folder).filePath(QStringLiteral("deckAcorn.jpg")));
        ok = ok && PictureFile::writeJpeg(CardBacks::waves(), QDir(folder).filePath(QStringLiteral("deckWaves.jpg")));
    }
    // Both are read when the first window opens: as PNGs, Qt reads them without
    // an image-format plugin.
    if (ok && parser.isSet(fallback))
        ok = PictureFile::writePng(Keepsakes::fallback(), parser.value(fallback));
    if (ok && parser.isSet(icon))
        ok = PictureFile::writePng(Keepsakes::icon(Keepsakes::windowIconSize), parser.value(icon));
    if (ok && parser.isSet(icons)) {
        for (const QString& text : parser.value(iconSizes).split(u',', Qt::SkipEmptyParts)) {
            const int size = text.toInt();
            if (size < 1 || size > Keepsakes::drawnIconSize / 2) {
                std::fprintf(stderr, "makepics: no icon of %s pixels\n", qPrintable(text));
                return 2;
            }
            ok = ok && PictureFile::writePng(Keepsakes::icon(size),
                                             QDir(parser.value(icons)).filePath(QStringLiteral("%1x%1.png").arg(size)));
        }
    }
    return ok ? 0 : 1;
}
