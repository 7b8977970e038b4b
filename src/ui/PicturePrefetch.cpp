#include "PicturePrefetch.h"

#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QThread>

#include <algorithm>
#include <system_error>
#include <utility>

namespace ui {

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

QImage decodePicture(const QString& path, QSize bound, QImage* scratch)
{
    QImageReader reader(path);
    // A picture stored on its side (a phone's photo) is shown upright, as its
    // orientation tag says; Qt's reader leaves it on its side unless told.
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!bound.isValid() || !size.isValid())
        return reader.read();
    // The reader scales before it turns an upright-marked picture, so a picture
    // stored on its side is fitted into the bound turned with it.
    const bool turned =
        reader.autoTransform() && (reader.transformation() & QImageIOHandler::TransformationRotate90);
    const QSize held = boundedSize(size, turned ? bound.transposed() : bound);
    if (held == size)
        return reader.read();
    if (!reader.supportsOption(QImageIOHandler::ScaledSize)) {
        reader.setScaledSize(held);
        return reader.read();
    }
    // The smallest of the sizes the decoder reaches directly that is no smaller
    // than the size held; only what is left is smoothed away.
    QSize decoded = size;
    for (const int denominator : {8, 4, 2}) {
        const QSize reached((size.width() + denominator - 1) / denominator,
                            (size.height() + denominator - 1) / denominator);
        if (reached.width() >= held.width() && reached.height() >= held.height()) {
            decoded = reached;
            break;
        }
    }
    reader.setScaledSize(decoded);
    QImage own;
    QImage& into = scratch ? *scratch : own;
    if (!reader.read(&into))
        return {};
    const QSize shown = turned ? held.transposed() : held;
    if (into.size() == shown)
        return std::exchange(into, QImage());
    return into.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

qint64 progressiveDecodeMemory(const QString& path)
{
    QFile file(path);
    uchar bytes[4];
    if (!file.open(QIODevice::ReadOnly) || file.read(reinterpret_cast<char*>(bytes), 2) != 2 || bytes[0] != 0xFF
        || bytes[1] != 0xD8)
        return 0;
    // The segments before the frame header, each a marker and its length.
    for (;;) {
        if (file.read(reinterpret_cast<char*>(bytes), 4) != 4 || bytes[0] != 0xFF)
            return 0;
        const uchar marker = bytes[1];
        const int length = bytes[2] << 8 | bytes[3];
        const bool frame = marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
        if (marker == 0xDA || marker == 0xD9 || length < 2)
            return 0;
        if (!frame) {
            if (!file.seek(file.pos() + length - 2))
                return 0;
            continue;
        }
        const bool progressive = marker == 0xC2 || marker == 0xC6 || marker == 0xCA || marker == 0xCE;
        if (!progressive)
            return 0;
        // Precision, height, width, the number of components, then each
        // component's number, sampling factors and table.
        const QByteArray header = file.read(length - 2);
        const auto at = [&](int n) { return n < header.size() ? int(uchar(header[n])) : 0; };
        const int height = at(1) << 8 | at(2);
        const int width = at(3) << 8 | at(4);
        const int components = at(5);
        int widest = 1;
        int tallest = 1;
        for (int c = 0; c < components; ++c) {
            widest = std::max(widest, at(7 + 3 * c) >> 4);
            tallest = std::max(tallest, at(7 + 3 * c) & 15);
        }
        qint64 blocks = 0;
        for (int c = 0; c < components; ++c) {
            const qint64 across = (qint64(width) * (at(7 + 3 * c) >> 4) + 8 * widest - 1) / (8 * widest);
            const qint64 down = (qint64(height) * (at(7 + 3 * c) & 15) + 8 * tallest - 1) / (8 * tallest);
            blocks += across * down;
        }
        return blocks * 64 * 2;
    }
}

PicturePrefetch::PicturePrefetch(int workers, qint64 progressiveBudget)
    : wantedWorkers_(workers), progressiveBudget_(progressiveBudget)
{
}

PicturePrefetch::~PicturePrefetch()
{
    stop();
}

PicturePrefetch::Stamp PicturePrefetch::stampOf(const QString& path)
{
    const QFileInfo info(path);
    Stamp stamp;
    stamp.exists = info.exists();
    if (stamp.exists) {
        stamp.size = info.size();
        stamp.modified = info.lastModified();
    }
    return stamp;
}

void PicturePrefetch::start(const QStringList& paths, QSize bound)
{
    stop();
    if (paths.isEmpty())
        return;
    std::lock_guard lock(mutex_);
    for (const QString& path : paths) {
        auto job = std::make_shared<Job>();
        job->path = path;
        job->bound = bound;
        queue_.push_back(std::move(job));
    }
    const int cores = wantedWorkers_ > 0 ? wantedWorkers_ : QThread::idealThreadCount();
    const int workers = std::clamp<int>(cores, 1, int(paths.size()));
    try {
        for (int n = 0; n < workers; ++n)
            workers_.emplace_back([this] { work(); });
    } catch (const std::system_error&) {
        // No thread to be had: whatever is not decoded ahead is decoded in turn.
        if (workers_.empty())
            queue_.clear();
    }
    started_ = int(workers_.size());
    window_ = 2 * started_;
}

std::shared_ptr<PicturePrefetch::Job> PicturePrefetch::nextQueuedLocked() const
{
    for (const auto& job : queue_)
        if (job->state == Job::State::Queued)
            return job;
    return nullptr;
}

void PicturePrefetch::work()
{
    // The middle step of this worker's decodes, used again from one to the next.
    QImage scratch;
    std::unique_lock lock(mutex_);
    for (;;) {
        std::shared_ptr<Job> job;
        changed_.wait(lock, [&] {
            if (stopping_)
                return true;
            if (held_ >= window_)
                return false;
            job = nextQueuedLocked();
            return job != nullptr;
        });
        if (stopping_)
            return;
        job->state = Job::State::Decoding;
        ++held_;
        const QString path = job->path;
        const QSize bound = job->bound;
        lock.unlock();

        // The stamp is taken before the file is read, so a file replaced while
        // it decodes is seen as changed when it is taken.
        const Stamp stamp = stampOf(path);
        const qint64 memory = stamp.exists ? progressiveDecodeMemory(path) : 0;
        lock.lock();
        changed_.wait(lock, [&] {
            return stopping_ || job->dropped || memory == 0 || progressiveMemory_ == 0
                || progressiveMemory_ + memory <= progressiveBudget_;
        });
        // A file dropped or stopped while it waited is not decoded at all.
        const bool skipped = stopping_ || job->dropped;
        const bool decode = stamp.exists && !skipped;
        if (decode) {
            progressiveMemory_ += memory;
            largestProgressiveMemory_ = std::max(largestProgressiveMemory_, progressiveMemory_);
        }
        lock.unlock();
        QImage image = decode ? decodePicture(path, bound, &scratch) : QImage();

        lock.lock();
        if (decode)
            progressiveMemory_ -= memory;
        // With nothing left to decode, the middle step's memory goes at once.
        if (!nextQueuedLocked())
            scratch = QImage();
        if (!skipped)
            ++decodedAhead_;
        job->state = Job::State::Done;
        if (job->dropped) {
            --held_;
        } else {
            job->stamp = stamp;
            job->image = std::move(image);
        }
        changed_.notify_all();
    }
}

void PicturePrefetch::dropLocked(Job& job)
{
    switch (job.state) {
    case Job::State::Queued:
        break;
    case Job::State::Decoding:
        // Its worker lets go of it when the decode is over.
        job.dropped = true;
        break;
    case Job::State::Done:
        job.image = QImage();
        --held_;
        break;
    }
}

std::optional<QImage> PicturePrefetch::take(const QString& path, QSize bound)
{
    std::shared_ptr<Job> job;
    {
        std::unique_lock lock(mutex_);
        const auto found =
            std::find_if(queue_.begin(), queue_.end(), [&](const auto& queued) { return queued->path == path; });
        if (found == queue_.end())
            return std::nullopt;
        for (auto passed = queue_.begin(); passed != found; ++passed)
            dropLocked(**passed);
        queue_.erase(queue_.begin(), found);
        job = queue_.front();
        // Dropping may have made room for a worker; the job asked for is now the
        // first in the queue, so it is the next one a worker starts.
        changed_.notify_all();
        changed_.wait(lock, [&] { return job->state == Job::State::Done; });
        queue_.pop_front();
        --held_;
        changed_.notify_all();
    }
    if (job->bound != bound || job->image.isNull() || stampOf(path) != job->stamp)
        return std::nullopt;
    return std::move(job->image);
}

void PicturePrefetch::stop()
{
    std::vector<std::thread> workers;
    {
        std::lock_guard lock(mutex_);
        for (const auto& job : queue_)
            dropLocked(*job);
        queue_.clear();
        stopping_ = true;
        workers.swap(workers_);
    }
    changed_.notify_all();
    for (std::thread& worker : workers)
        worker.join();
    std::lock_guard lock(mutex_);
    stopping_ = false;
    held_ = 0;
}

int PicturePrefetch::decodedAhead() const
{
    std::lock_guard lock(mutex_);
    return decodedAhead_;
}

int PicturePrefetch::held() const
{
    std::lock_guard lock(mutex_);
    return held_;
}

int PicturePrefetch::workers() const
{
    std::lock_guard lock(mutex_);
    return started_;
}

qint64 PicturePrefetch::largestProgressiveMemory() const
{
    std::lock_guard lock(mutex_);
    return largestProgressiveMemory_;
}

} // namespace ui
