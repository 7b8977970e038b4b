#include "PictureConverter.h"

#include "imaging/PictureDecode.h"

#include <QBuffer>
#include <QImageWriter>
#include <QPainter>
#include <QThread>

#include <algorithm>
#include <system_error>

namespace cards {

PictureConverter::PictureConverter(const QStringList& paths) : paths_(paths), faces_(paths.size())
{
    const int workers = std::min(QThread::idealThreadCount(), int(paths.size()));
    try {
        for (int n = 0; n < workers; ++n)
            workers_.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
        // Whatever no worker converts, take() converts in its turn.
    }
}

PictureConverter::~PictureConverter()
{
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    for (std::thread& worker : workers_)
        worker.join();
}

void PictureConverter::work()
{
    // The middle step of this worker's decodes, used again from one to the next.
    QImage scratch;
    std::unique_lock lock(mutex_);
    while (!stopping_ && next_ < paths_.size()) {
        const int index = next_++;
        lock.unlock();
        Face face = convert(paths_[index], &scratch);
        lock.lock();
        faces_[index] = std::move(face);
        converted_.notify_all();
    }
}

PictureConverter::Face PictureConverter::take(int index)
{
    std::unique_lock lock(mutex_);
    if (workers_.empty() && index >= next_) {
        next_ = index + 1;
        lock.unlock();
        return convert(paths_[index]);
    }
    converted_.wait(lock, [&] { return faces_[index].has_value(); });
    Face face = std::move(*faces_[index]);
    faces_[index].reset();
    return face;
}

PictureConverter::Face PictureConverter::convert(const QString& path, QImage* scratch)
{
    imaging::PictureDecode decode(path, largestCard);
    QImage image = decode.run(scratch);
    if (image.isNull())
        return {{}, QStringLiteral("not a picture that can be read (") + decode.errorString() + u')'};
    // What is see-through shows white on the card, as on paper.
    if (image.hasAlphaChannel()) {
        QImage flat(image.size(), QImage::Format_RGB32);
        flat.fill(Qt::white);
        QPainter(&flat).drawImage(0, 0, image);
        image = flat;
    }
    Face face;
    QBuffer buffer(&face.jpeg);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setQuality(quality);
    writer.setProgressiveScanWrite(false);
    if (!writer.write(image))
        return {{}, QStringLiteral("cannot be made a JPEG (") + writer.errorString() + u')'};
    return face;
}

} // namespace cards
