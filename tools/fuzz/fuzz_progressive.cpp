// Feeds arbitrary bytes to the game's reader of progressive JPEGs at every
// scale, 1/8, 1/4 and 1/2 (of each block only the coefficients that size shows
// kept) and whole, and checks what must hold for any file:
// - reading never crashes, hangs, leaks or reads outside the bytes (the
//   sanitizers and libFuzzer's timeout and leak checks watch that);
// - a picture read has the stored size divided by the scale, each side
//   rounded up, and is grey or RGB32; a read says why it failed, and only then;
// - reading the same bytes again gives the same picture.
#include "imaging/ProgressiveJpeg.h"

#include <QByteArray>
#include <QImage>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

// Larger pictures are read the same way, only slower: the fuzzer's time goes
// further on small ones.
constexpr qint64 largestPicture = 1 << 18;

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "progressive JPEG reader: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // No copy: the reader may read only within these bytes.
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const int denominator : {8, 4, 2, 1}) {
        imaging::ProgressiveJpeg reader(bytes);
        const QSize stored = reader.size();
        if (!reader.canRead() || qint64(stored.width()) * stored.height() > largestPicture)
            return 0;
        QImage picture;
        const bool read = reader.read(denominator, picture);
        require(read == reader.report().error.isEmpty(), "a read says why it failed, and only then");
        if (!read)
            continue;
        require(picture.size()
                    == QSize((stored.width() + denominator - 1) / denominator,
                             (stored.height() + denominator - 1) / denominator),
                "the picture is not the stored size divided by the scale");
        require(picture.format() == QImage::Format_Grayscale8 || picture.format() == QImage::Format_RGB32,
                "the picture is neither grey nor RGB32");
        require(reader.report().scans > 0 && reader.report().scans <= imaging::ProgressiveJpeg::maxScans,
                "more scans read than allowed");
        QImage again;
        require(imaging::ProgressiveJpeg(bytes).read(denominator, again) && again == picture,
                "reading again gives another picture");
    }
    return 0;
}
