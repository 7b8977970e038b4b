#pragma once

#include "ProgressiveJpeg.h"

#include <QImage>
#include <QImageReader>
#include <QSize>
#include <QString>

#include <memory>

namespace imaging {

// The size a picture of `size` is held at under `bound`, the largest card it
// can be painted into: scaled down, its aspect kept, to the smallest size that
// still covers the bound both ways when it is larger; as it is otherwise. An
// invalid bound keeps every picture at full size.
QSize boundedSize(QSize size, QSize bound);

// One picture file decoded at no more than a bound, in two steps: making it
// reads the header, so that the scale of the decode is known before it runs.
//
// A picture is held at boundedSize. A larger JPEG is decoded straight at 1/8,
// 1/4 or 1/2 of its size, the smallest of them that still covers the size
// held, and only what is left is smoothed away; a progressive one by the
// game's own reader, which reads only the scans that size shows, any other by
// Qt's. A picture stored on its side (a phone's photo) is turned upright, as
// its orientation tag says.
class PictureDecode
{
public:
    PictureDecode(const QString& path, QSize bound);
    ~PictureDecode();
    PictureDecode(const PictureDecode&) = delete;
    PictureDecode& operator=(const PictureDecode&) = delete;

    // The picture is decoded at 1/denominator of its size before it is
    // smoothed to the size held: 1, 2, 4 or 8.
    int denominator() const { return denominator_; }
    // The picture held; a null image when the file cannot be read or is no
    // picture. A scratch image, when given, is decoded into and kept for the
    // next decode, so that one who decodes many pictures in turn uses the
    // memory of that middle step again. Once.
    QImage run(QImage* scratch = nullptr);
    // Why run gave no picture.
    QString errorString() const;
    // What the game's own reader did; nothing read when Qt's reader decoded
    // the file.
    ProgressiveJpeg::Report progressiveReport() const;

private:
    QImageReader reader_;
    // The size held, in the file's own orientation: the readers scale before
    // they turn.
    QSize held_;
    bool turned_ = false;
    int denominator_ = 1;
    // For a progressive JPEG.
    std::unique_ptr<ProgressiveJpeg> progressive_;
};

// A picture file at no more than the bound (see PictureDecode).
QImage decodePicture(const QString& path, QSize bound, QImage* scratch = nullptr);

} // namespace imaging
