#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>
#include <QStringList>

#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

namespace cards {

// Turns picture files into card faces on every core: each one is decoded
// upright at the smallest size that still covers the largest card, and encoded
// as a baseline JPEG. The faces are taken in the order of the files.
class PictureConverter
{
public:
    // The largest card the game shows, on a 3840 x 2160 screen.
    static constexpr QSize largestCard{960, 540};
    static constexpr int quality = 90;

    struct Face
    {
        QByteArray jpeg;
        // Why the file gave no face; empty when it did.
        QString error;
    };

    explicit PictureConverter(const QStringList& paths);
    // Waits for the conversions still running; what was not taken is dropped.
    ~PictureConverter();
    PictureConverter(const PictureConverter&) = delete;
    PictureConverter& operator=(const PictureConverter&) = delete;

    // The face of the file at `index`, once it is converted.
    Face take(int index);

    static Face convert(const QString& path, QImage* scratch = nullptr);

private:
    void work();

    const QStringList paths_;
    std::mutex mutex_;
    std::condition_variable converted_;
    std::vector<std::optional<Face>> faces_;
    int next_ = 0;
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

} // namespace cards
