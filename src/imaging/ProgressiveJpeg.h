#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include <memory>

namespace imaging {

// The game's own reader of progressive JPEGs, for pictures read at a fraction
// of their size. A progressive file is a series of scans, each bringing some
// coefficients of some components' blocks, or one more bit of them; a picture
// read at 1/2, 1/4 or 1/8 of its size shows only the lowest frequencies of each
// block, which come in the first scans. Qt's reader (libjpeg's ordinary decode)
// reads every scan of the file into every coefficient of the whole picture
// before it makes one pixel.
//
// This one stops at the end of the scan after which every coefficient the size
// shows lacks at most its lowest bit (at full size: none), whatever order the
// scans come in; a file that sends what is needed last is read to its end. At
// a reduced size it keeps of each block only the coefficients that size shows
// (the DC alone at 1/8, the 2 x 2 lowest at 1/4, the 4 x 4 at 1/2; twice as
// many each way of colours stored at half resolution), so that such a read
// holds memory in proportion to the pixels it makes, not to the picture's
// size. Where a block keeps some AC coefficients and not all, it also
// keeps which of the others are nonzero, one bit each: a refinement scan whose
// band reaches past the kept ones decodes against just that, and so is decoded
// exactly as a read that keeps everything decodes it.
//
// It reads what Qt's reader would for the game: grey pictures come out grey,
// CMYK ones turned into RGB as Qt turns them, and corrupt data or a file cut
// short are decoded as far as they go. It refuses a picture whose coefficients
// or pixels would need more than the allocation limit of Qt's image readers,
// before taking that memory; and, since every scan costs a pass over the whole
// picture whatever it brings, a picture of more than `maxPixels` pixels or a
// file of more than `maxScans` scans. The orientation tag is left to the
// caller.
class ProgressiveJpeg
{
public:
    // Encoders send about ten scans, the most elaborate scripts some thirty.
    static constexpr int maxScans = 100;
    // 16384 x 16384, more than cameras make.
    static constexpr qint64 maxPixels = qint64(1) << 28;

    // What a read did.
    struct Report
    {
        // The scans read into the picture.
        int scans = 0;
        // Corrupt data met and decoded past.
        int warnings = 0;
        // What the read held of the picture's coefficients, beside the picture
        // it made: what it keeps of each block, two bytes a coefficient and
        // eight for the bits of the others, and the rows of whole blocks
        // libjpeg works in.
        qint64 memory = 0;
        // Why the read failed; empty when it did not.
        QString error;
    };

    // Opens the file, or reads the bytes (which must outlive the reader), and
    // reads the header.
    explicit ProgressiveJpeg(const QString& path);
    explicit ProgressiveJpeg(const QByteArray& bytes);
    ~ProgressiveJpeg();
    ProgressiveJpeg(const ProgressiveJpeg&) = delete;
    ProgressiveJpeg& operator=(const ProgressiveJpeg&) = delete;

    // Whether the header was read and is that of a progressive JPEG of grey,
    // YCbCr, RGB, CMYK or YCCK colours: anything else is no business of this
    // reader.
    bool canRead() const;
    // The picture's size as stored.
    QSize size() const;
    // Reads the picture at 1/denominator (1, 2, 4 or 8) of its size, each side
    // rounded up, into `into`, whose memory is used again when it has that size
    // and format already: Format_Grayscale8 for a grey picture, Format_RGB32 for
    // any other. False when the picture cannot be read. One read per reader.
    bool read(int denominator, QImage& into);
    const Report& report() const;

    // libjpeg's state, known only to the reader's own file.
    struct Decoder;

private:
    void start();

    std::unique_ptr<Decoder> decoder_;
};

} // namespace imaging
