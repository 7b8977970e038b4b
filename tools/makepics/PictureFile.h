#pragma once

#include <QImage>
#include <QString>

// Writes a finished picture to disk, reporting on stderr what went wrong.
class PictureFile
{
public:
    // A JPEG at the quality every bundled picture is saved at. Transparent
    // parts come out white.
    static bool writeJpeg(const QImage& picture, const QString& path);
    static bool writePng(const QImage& picture, const QString& path);

private:
    static bool write(const QImage& picture, const QString& path, const char* format, int quality);
};
