#include "PicturePrefetch.h"

#include <QFileInfo>
#include <QThread>

#include <algorithm>
#include <system_error>
#include <utility>

namespace imaging {

PicturePrefetch::PicturePrefetch(int workers) : wantedWorkers_(workers) {}

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
        // The decode, and the file it read, are let go of as soon as it is over.
        QImage image = stamp.exists ? PictureDecode(path, bound).run(&scratch) : QImage();

        lock.lock();
        // With nothing left to decode, the middle step's memory goes at once.
        if (!nextQueuedLocked())
            scratch = QImage();
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

} // namespace imaging
