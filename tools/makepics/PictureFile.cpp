#include "PictureFile.h"

#include <QDir>
#include <QFileInfo>
#include <QImageWriter>
#include <QPainter>

#include <cstdio>

namespace {

constexpr int jpegQuality = 90;

} // namespace

bool PictureFile::writeJpeg(const QImage& picture, const QString& path)
{
    QImage flat(picture.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, picture);
    painter.end();
    return write(flat.convertToFormat(QImage::Format_RGB888), path, "jpeg", jpegQuality);
}

bool PictureFile::writePng(const QImage& picture, const QString& path)
{
    return write(picture.convertToFormat(QImage::Format_ARGB32), path, "png", -1);
}

bool PictureFile::write(const QImage& picture, const QString& path, const char* format, int quality)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath())) {
        std::fprintf(stderr, "makepics: cannot make the folder %s\n", qPrintable(info.absolutePath()));
        return false;
    }
    QImageWriter writer(path, format);
    writer.setQuality(quality);
    if (!writer.write(picture)) {
        std::fprintf(stderr, "makepics: cannot write %s: %s\n", qPrintable(path), qPrintable(writer.errorString()));
        return false;
    }
    return true;
}
