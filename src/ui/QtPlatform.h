#pragma once

#include "Platform.h"
#include "imaging/PicturePrefetch.h"

#include <QSize>

#include <optional>

namespace ui {

// The real platform: Qt's clock, windows, message boxes and image readers.
class QtPlatform : public Platform
{
public:
    QtPlatform();

    float clock() override;
    void sleep(float seconds) override;
    float timeOfDay() override;
    void randomize() override;
    float rnd() override;
    void messageBox(const QString& text) override;
    void showModal(Window& window, Window* owner) override;
    void processEvents() override;
    void quit() override;
    void tellScreenReader(QAccessibleEvent& event) override;
    QString programDir() override;
    QString playerDataDir() override;
    bool folderTakesNewFiles(const QString& folder) override;
    bool fileTakesWrites(const QString& path) override;
    bool makeFolder(const QString& path) override;
    bool listFiles(const QString& pattern, QStringList& names) override;
    bool findFile(const QString& path, bool& found) override;
    imaging::Picture loadPicture(const QString& path) override;
    void prefetchPictures(const QStringList& paths) override;
    void stopPrefetch() override;
    bool readFile(const QString& path, qint64 maxBytes, QByteArray& contents) override;
    bool writeFileWhole(const QString& path, const QByteArray& contents) override;

    void limitPicturesToCards(int columns, int rows) override;
    // The largest card a loaded picture is painted into: a larger picture is
    // decoded scaled down to the smallest size that still covers it, keeping its
    // aspect, and a smaller one is kept as it is. Unless set, the largest screen
    // in device pixels divided by the fewest columns and rows a board has; an
    // invalid size holds every picture at full size.
    QSize pictureBound() const;
    void setPictureBound(QSize bound);
    void resetPictureBound();

    // Pictures decoded so far, and how many of them were decoded ahead.
    int picturesDecoded() const { return decodedInTurn_ + prefetch_.decodedAhead(); }
    int picturesDecodedAhead() const { return prefetch_.decodedAhead(); }
    // Pictures decoding ahead now, or decoded and not yet taken.
    int picturesHeldAhead() const { return prefetch_.held(); }

private:
    std::optional<QSize> bound_;
    int fewestColumns_ = 1;
    int fewestRows_ = 1;
    int decodedInTurn_ = 0;
    imaging::PicturePrefetch prefetch_;
    unsigned long long state_ = 0x9E3779B97F4A7C15ull;
};

} // namespace ui
