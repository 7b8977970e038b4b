#pragma once

#include "PictureDecode.h"

#include <QDateTime>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace imaging {

// Decodes picture files ahead of the one who will ask for them, on worker
// threads, so that a board build's faces are decoded on every core while the
// event thread walks the board. The files are taken in the order they were
// queued. At most twice as many files as there are workers are decoding or
// decoded and waiting to be taken at any time, which bounds the memory they
// hold and still lets a worker go on while a file queued before its own is
// decoding. Each decode holds memory in proportion to the picture it makes,
// progressive JPEGs too (their reader keeps only what the scale shows), so no
// decode waits for another's memory.
//
// Everything is handed over under one mutex. Whoever asks for a path gets either
// the picture decoded for it or nothing, in which case the caller decodes the
// file itself, in its turn, exactly as it would have without this service.
class PicturePrefetch
{
public:
    // `workers` threads decode at once; without a number, one to a core.
    explicit PicturePrefetch(int workers = 0);
    ~PicturePrefetch();
    PicturePrefetch(const PicturePrefetch&) = delete;
    PicturePrefetch& operator=(const PicturePrefetch&) = delete;

    // Starts decoding the files, in this order, at the bound. Whatever was queued
    // before is dropped first.
    void start(const QStringList& paths, QSize bound);

    // The picture decoded ahead for the path, waiting for its decode when it is
    // still running. Files queued before it are dropped: their turn has passed.
    // Nothing (and the queue left alone) when the path was not queued. Nothing
    // either when it was decoded at another bound, when the file has changed
    // since, or when the decode failed: the caller then decodes in turn, and a
    // file that really cannot be read is reported from there.
    std::optional<QImage> take(const QString& path, QSize bound);

    // Drops everything queued or decoded and not taken, waits for the decodes
    // still running and ends the worker threads.
    void stop();

    // Files decoded by the workers since this object was made.
    int decodedAhead() const;
    // Files decoding now, or decoded and not yet taken.
    int held() const;
    // Worker threads started by the last start.
    int workers() const;

private:
    // What identifies a file's content well enough to tell that it has changed.
    struct Stamp
    {
        bool exists = false;
        qint64 size = 0;
        QDateTime modified;
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const QString& path);

    struct Job
    {
        enum class State { Queued, Decoding, Done };
        QString path;
        QSize bound;
        State state = State::Queued;
        bool dropped = false;
        Stamp stamp;
        QImage image;
    };

    void work();
    // With the mutex held: forgets a job that nobody will take.
    void dropLocked(Job& job);
    std::shared_ptr<Job> nextQueuedLocked() const;

    const int wantedWorkers_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::shared_ptr<Job>> queue_;
    std::vector<std::thread> workers_;
    int held_ = 0;
    int window_ = 0;
    int started_ = 0;
    int decodedAhead_ = 0;
    bool stopping_ = false;
};

} // namespace imaging
