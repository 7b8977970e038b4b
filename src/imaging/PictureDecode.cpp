#include "PictureDecode.h"

#include <QTransform>

#include <utility>

namespace imaging {

namespace {

// The largest of 8, 4 and 2 at which a picture of `size` decoded at
// 1/denominator still covers `held`; 1 when none does. Qt's JPEG reader decodes
// at the smallest number of eighths that gives it at least the size asked for,
// each side rounded up, so it is asked for each side divided and rounded down:
// asked for 397 of a side of 3172 (396.5 eighths), it would decode at 2/8.
int reducedScale(QSize size, QSize held)
{
    for (const int denominator : {8, 4, 2})
        if (size.width() / denominator >= held.width() && size.height() / denominator >= held.height())
            return denominator;
    return 1;
}

// A picture as it was stored, turned as Qt's reader turns it for its
// orientation tag.
QImage upright(QImage image, QImageIOHandler::Transformations transformation)
{
    if (transformation & (QImageIOHandler::TransformationMirror | QImageIOHandler::TransformationFlip))
        image = image.mirrored(transformation & QImageIOHandler::TransformationMirror,
                               transformation & QImageIOHandler::TransformationFlip);
    if (transformation & QImageIOHandler::TransformationRotate90)
        image = image.transformed(QTransform().rotate(90));
    return image;
}

} // namespace

QSize boundedSize(QSize size, QSize bound)
{
    if (!bound.isValid() || bound.isEmpty() || !size.isValid())
        return size;
    if (size.width() <= bound.width() && size.height() <= bound.height())
        return size;
    // A picture is stretched to its card each way on its own, so it keeps
    // enough pixels to fill the bound both ways; it is never enlarged.
    const QSize covering = size.scaled(bound, Qt::KeepAspectRatioByExpanding).expandedTo(QSize(1, 1));
    return covering.width() >= size.width() ? size : covering;
}

PictureDecode::PictureDecode(const QString& path, QSize bound) : reader_(path)
{
    // Qt's reader leaves a picture on its side unless told to turn it.
    reader_.setAutoTransform(true);
    const QSize size = reader_.size();
    if (!size.isValid())
        return;
    turned_ = reader_.transformation() & QImageIOHandler::TransformationRotate90;
    held_ = boundedSize(size, turned_ ? bound.transposed() : bound);
    if (!reader_.supportsOption(QImageIOHandler::ScaledSize))
        return;
    denominator_ = reducedScale(size, held_);
    if (reader_.format() != "jpeg")
        return;
    auto progressive = std::make_unique<ProgressiveJpeg>(path);
    if (progressive->canRead() && progressive->size() == size)
        progressive_ = std::move(progressive);
}

PictureDecode::~PictureDecode() = default;

QImage PictureDecode::run(QImage* scratch)
{
    QImage own;
    QImage& into = scratch ? *scratch : own;
    const QSize shown = turned_ ? held_.transposed() : held_;
    if (progressive_) {
        if (!progressive_->read(denominator_, into))
            return {};
        QImage held = into.size() == held_ ? std::exchange(into, QImage())
                                           : into.scaled(held_, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        return upright(std::move(held), reader_.transformation());
    }
    if (!held_.isValid() || held_ == reader_.size())
        return reader_.read();
    if (!reader_.supportsOption(QImageIOHandler::ScaledSize)) {
        reader_.setScaledSize(held_);
        return reader_.read();
    }
    const QSize size = reader_.size();
    reader_.setScaledSize(QSize(size.width() / denominator_, size.height() / denominator_));
    if (!reader_.read(&into))
        return {};
    if (into.size() == shown)
        return std::exchange(into, QImage());
    return into.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QString PictureDecode::errorString() const
{
    return progressive_ ? progressive_->report().error : reader_.errorString();
}

ProgressiveJpeg::Report PictureDecode::progressiveReport() const
{
    return progressive_ ? progressive_->report() : ProgressiveJpeg::Report();
}

QImage decodePicture(const QString& path, QSize bound, QImage* scratch)
{
    return PictureDecode(path, bound).run(scratch);
}

} // namespace imaging
