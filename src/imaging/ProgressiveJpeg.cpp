#include "ProgressiveJpeg.h"

#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>

#include <algorithm>
#include <csetjmp>
#include <cstdio>
#include <cstring>

extern "C" {
#include <jpeglib.h>

#include <jerror.h>
}

namespace imaging {

namespace {

// The zig-zag order in which scans and libjpeg's progress count a block's
// coefficients: the natural position (row * 8 + column) of each.
constexpr int natural[DCTSIZE2] = {
    0,  1,  8,  16, 9,  2,  3,  10, 17, 24, 32, 25, 18, 11, 4,  5,  12, 19, 26, 33, 40, 48,
    41, 34, 27, 20, 13, 6,  7,  14, 21, 28, 35, 42, 49, 56, 57, 50, 43, 36, 29, 22, 15, 23,
    30, 37, 44, 51, 58, 59, 52, 45, 38, 31, 39, 46, 53, 60, 61, 54, 47, 55, 62, 63};

// Whether a component decoded with an IDCT of size x size shows the
// coefficient at zig-zag position k: it shows the lowest size frequencies
// each way.
bool shows(int size, int k)
{
    return natural[k] / DCTSIZE < size && natural[k] % DCTSIZE < size;
}

struct ErrorManager
{
    // First, so that libjpeg's pointer to it is a pointer to this.
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
    int warnings;
};

// Whether a scan that brings zig-zag positions ss to se, refining them when
// ah is above zero, is lost on a component of which only the first `keep` are
// kept. A refinement decodes against the values of its band already there:
// one whose band starts among the kept coefficients and reaches past them
// decodes wrongly, and what it did to them is undone. (One that lies wholly
// past them changes nothing that is kept.)
bool lostOn(int keep, int ss, int se, int ah)
{
    return ah > 0 && ss > 0 && ss < keep && se >= keep;
}

// One component's coefficients in a read at 1/8: of each block only the first
// `keep` in zig-zag order, and a window of whole blocks for libjpeg to work in,
// the rows it asked for last, unpacked from the store and packed back into it.
// Every position past the kept ones is zero whenever rows are unpacked.
struct CompactArray
{
    JDIMENSION blocksPerRow = 0;
    JDIMENSION rows = 0;
    JDIMENSION maxAccess = 0;
    int keep = 0;
    JCOEF* store = nullptr;
    JBLOCKARRAY window = nullptr;
    JDIMENSION windowStart = 0;
    JDIMENSION windowRows = 0;
    // The scan that wrote in the window since it was unpacked, and its band;
    // no scan (0) while the window was only read.
    int writer = 0;
    int ss = 0;
    int se = 0;
    int ah = 0;
};

} // namespace

struct ProgressiveJpeg::Decoder
{
    jpeg_decompress_struct cinfo{};
    ErrorManager error{};
    std::FILE* file = nullptr;
    QByteArray bytes;
    // The header was read, is one this reader reads, and nothing failed since.
    bool usable = false;
    bool readOnce = false;
    Report report;

    // The read's plan: its scale, how many coefficients of each component's
    // blocks in zig-zag order the scale shows, and whether only those are kept.
    int denominator = 1;
    int keep[MAX_COMPONENTS] = {};
    bool compact = false;
    CompactArray arrays[MAX_COMPONENTS];
    int arraysMade = 0;
    void (*libjpegRealize)(j_common_ptr) = nullptr;
    // What the scans read so far brought of each coefficient: -1 nothing,
    // otherwise the low bits it still lacks; libjpeg's own count but for the
    // refinements a compact read loses.
    int bits[MAX_COMPONENTS][DCTSIZE2] = {};

    // Where the picture's rows go.
    uchar* pixels = nullptr;
    qsizetype stride = 0;
};

namespace {

using Decoder = ProgressiveJpeg::Decoder;

Decoder& decoderOf(j_common_ptr cinfo)
{
    return *static_cast<Decoder*>(cinfo->client_data);
}

[[noreturn]] void refuse(Decoder& d, const char* why)
{
    std::snprintf(d.error.message, sizeof d.error.message, "%s", why);
    std::longjmp(d.error.jump, 1);
}

// Packs what the scan wrote in the window back into the store, but for what a
// lost refinement did. A scan that wrote past the kept coefficients leaves its
// rows cleared; the window is unpacked afresh before it is used again.
void pack(CompactArray& array)
{
    const int keptEnd = lostOn(array.keep, array.ss, array.se, array.ah) ? array.ss
                                                                         : std::min(array.se + 1, array.keep);
    for (JDIMENSION row = 0; row < array.windowRows; ++row) {
        JBLOCKROW blocks = array.window[row];
        JCOEF* to = array.store + (std::size_t(array.windowStart + row) * array.blocksPerRow) * array.keep;
        for (JDIMENSION b = 0; b < array.blocksPerRow; ++b, to += array.keep)
            for (int k = array.ss; k < keptEnd; ++k)
                to[k] = blocks[b][natural[k]];
        if (array.se >= array.keep)
            std::memset(blocks, 0, array.blocksPerRow * sizeof(JBLOCK));
    }
    array.writer = 0;
    array.windowRows = 0;
}

void unpack(CompactArray& array, JDIMENSION start, JDIMENSION rows)
{
    array.windowStart = start;
    array.windowRows = rows;
    for (JDIMENSION row = 0; row < rows; ++row) {
        JBLOCKROW blocks = array.window[row];
        const JCOEF* from = array.store + (std::size_t(start + row) * array.blocksPerRow) * array.keep;
        for (JDIMENSION b = 0; b < array.blocksPerRow; ++b, from += array.keep)
            for (int k = 0; k < array.keep; ++k)
                blocks[b][natural[k]] = from[k];
    }
}

extern "C" {

static void failed(j_common_ptr cinfo)
{
    auto* error = reinterpret_cast<ErrorManager*>(cinfo->err);
    (*cinfo->err->format_message)(cinfo, error->message);
    std::longjmp(error->jump, 1);
}

static void warned(j_common_ptr cinfo, int level)
{
    // Below zero a warning (corrupt data, decoded past); above, a trace.
    if (level < 0)
        ++reinterpret_cast<ErrorManager*>(cinfo->err)->warnings;
}

// In a compact read, these three stand in for libjpeg's memory manager's own.
// Only the coefficient controller asks for arrays of blocks: one for each
// component, in turn.
static jvirt_barray_ptr requestCompact(j_common_ptr cinfo, int, boolean, JDIMENSION blocksPerRow, JDIMENSION rows,
                                       JDIMENSION maxAccess)
{
    Decoder& d = decoderOf(cinfo);
    if (d.arraysMade >= d.cinfo.num_components)
        ERREXIT(cinfo, JERR_VIRTUAL_BUG);
    const int component = d.arraysMade++;
    d.arrays[component] = CompactArray{blocksPerRow, rows, maxAccess, d.keep[component]};
    return reinterpret_cast<jvirt_barray_ptr>(&d.arrays[component]);
}

static void realizeCompact(j_common_ptr cinfo)
{
    Decoder& d = decoderOf(cinfo);
    d.libjpegRealize(cinfo);
    for (int c = 0; c < d.arraysMade; ++c) {
        CompactArray& array = d.arrays[c];
        const std::size_t bytes = std::size_t(array.blocksPerRow) * array.rows * array.keep * sizeof(JCOEF);
        array.store = static_cast<JCOEF*>((*cinfo->mem->alloc_large)(cinfo, JPOOL_IMAGE, bytes));
        std::memset(array.store, 0, bytes);
        array.window = (*cinfo->mem->alloc_barray)(cinfo, JPOOL_IMAGE, array.blocksPerRow, array.maxAccess);
        for (JDIMENSION row = 0; row < array.maxAccess; ++row)
            std::memset(array.window[row], 0, array.blocksPerRow * sizeof(JBLOCK));
    }
}

static JBLOCKARRAY accessCompact(j_common_ptr cinfo, jvirt_barray_ptr handle, JDIMENSION start, JDIMENSION count,
                                 boolean writable)
{
    CompactArray& array = *reinterpret_cast<CompactArray*>(handle);
    const jpeg_decompress_struct& scan = *reinterpret_cast<j_decompress_ptr>(cinfo);
    const JDIMENSION end = start + count;
    if (!array.store || count > array.maxAccess || end > array.rows || end < start)
        ERREXIT(cinfo, JERR_BAD_VIRTUAL_ACCESS);
    // What each scan writes is packed on its own.
    const bool otherWriter = writable && array.writer != 0 && array.writer != scan.input_scan_number;
    if (start < array.windowStart || end > array.windowStart + array.windowRows || otherWriter) {
        if (array.writer != 0)
            pack(array);
        unpack(array, start, count);
    }
    if (writable) {
        array.writer = scan.input_scan_number;
        array.ss = scan.Ss;
        array.se = scan.Se;
        array.ah = scan.Ah;
    }
    return array.window + (start - array.windowStart);
}

} // extern "C"

// The one place that catches libjpeg's failures. libjpeg leaves a failing call
// by longjmp, straight back here past every frame in between, so neither this
// function nor any step it runs holds an object with a destructor; all that
// libjpeg allocates lives in its pools, which jpeg_destroy_decompress frees.
bool guarded(Decoder& d, void (*step)(Decoder&))
{
    if (setjmp(d.error.jump))
        return false;
    step(d);
    return true;
}

void readHeader(Decoder& d)
{
    jpeg_create_decompress(&d.cinfo);
    if (d.file)
        jpeg_stdio_src(&d.cinfo, d.file);
    else
        jpeg_mem_src(&d.cinfo, reinterpret_cast<const unsigned char*>(d.bytes.constData()),
                     static_cast<unsigned long>(d.bytes.size()));
    jpeg_read_header(&d.cinfo, TRUE);
}

void plan(Decoder& d)
{
    jpeg_decompress_struct& cinfo = d.cinfo;
    switch (cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
        cinfo.out_color_space = JCS_GRAYSCALE;
        break;
    case JCS_CMYK:
    case JCS_YCCK:
        cinfo.out_color_space = JCS_CMYK;
        break;
    default:
        // Straight into the bytes of Format_RGB32, with an opaque alpha.
        cinfo.out_color_space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;
    }
    cinfo.scale_num = 1;
    cinfo.scale_denom = unsigned(d.denominator);
    jpeg_calc_output_dimensions(&cinfo);
    // libjpeg-turbo gives a subsampled component a larger IDCT than the full
    // one, so that it needs no upsampling: 4:2:0 colour at 1/8 is 2 x 2.
    for (int c = 0; c < cinfo.num_components; ++c) {
        d.keep[c] = 0;
        for (int k = 0; k < DCTSIZE2; ++k) {
            d.bits[c][k] = -1;
            if (shows(cinfo.comp_info[c].DCT_scaled_size, k))
                d.keep[c] = k + 1;
        }
    }
    d.compact = d.denominator == 8;
}

// Counts in the scan just read.
void noteScan(Decoder& d)
{
    const jpeg_decompress_struct& cinfo = d.cinfo;
    for (int i = 0; i < cinfo.comps_in_scan; ++i) {
        const int c = cinfo.cur_comp_info[i]->component_index;
        if (d.compact && lostOn(d.keep[c], cinfo.Ss, cinfo.Se, cinfo.Ah))
            continue;
        for (int k = cinfo.Ss; k <= cinfo.Se; ++k)
            d.bits[c][k] = cinfo.Al;
    }
}

// Whether every coefficient the scale shows is in, lacking at most its lowest
// bit at a reduced size and nothing at full size.
bool enoughRead(const Decoder& d)
{
    for (int c = 0; c < d.cinfo.num_components; ++c) {
        const int size = d.cinfo.comp_info[c].DCT_scaled_size;
        const int lacking = size < DCTSIZE ? 1 : 0;
        for (int k = 0; k < DCTSIZE2; ++k)
            if (shows(size, k) && (d.bits[c][k] < 0 || d.bits[c][k] > lacking))
                return false;
    }
    return true;
}

// Reads scans until what the scale shows is in, and gives the number of the
// last scan read.
int readScans(Decoder& d)
{
    j_decompress_ptr cinfo = &d.cinfo;
    for (;;) {
        switch (jpeg_consume_input(cinfo)) {
        case JPEG_REACHED_EOI:
            return cinfo->input_scan_number;
        case JPEG_REACHED_SOS:
            if (cinfo->input_scan_number > ProgressiveJpeg::maxScans)
                refuse(d, "too many scans");
            break;
        case JPEG_SCAN_COMPLETED:
            noteScan(d);
            if (enoughRead(d))
                return cinfo->input_scan_number;
            break;
        case JPEG_SUSPENDED:
            // A file or bytes in memory never run dry: the source makes up an end.
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        }
    }
}

void writeRows(Decoder& d)
{
    j_decompress_ptr cinfo = &d.cinfo;
    JSAMPARRAY cmyk = nullptr;
    if (cinfo->out_color_space == JCS_CMYK)
        cmyk = (*cinfo->mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(cinfo), JPOOL_IMAGE,
                                           cinfo->output_width * 4, 1);
    while (cinfo->output_scanline < cinfo->output_height) {
        uchar* to = d.pixels + d.stride * cinfo->output_scanline;
        JSAMPROW row = to;
        if (jpeg_read_scanlines(cinfo, cmyk ? cmyk : &row, 1) != 1)
            ERREXIT(cinfo, JERR_INPUT_EMPTY);
        if (!cmyk)
            continue;
        // As Qt's reader takes CMYK: Adobe's inverted values, C, M and Y each
        // times K.
        QRgb* pixel = reinterpret_cast<QRgb*>(to);
        for (const JSAMPLE* in = cmyk[0]; in < cmyk[0] + cinfo->output_width * 4; in += 4)
            *pixel++ = qRgb(in[3] * in[0] / 255, in[3] * in[1] / 255, in[3] * in[2] / 255);
    }
}

void decode(Decoder& d)
{
    j_decompress_ptr cinfo = &d.cinfo;
    cinfo->buffered_image = TRUE;
    if (d.compact) {
        d.libjpegRealize = cinfo->mem->realize_virt_arrays;
        cinfo->mem->request_virt_barray = requestCompact;
        cinfo->mem->realize_virt_arrays = realizeCompact;
        cinfo->mem->access_virt_barray = accessCompact;
    }
    jpeg_start_decompress(cinfo);
    const int shown = readScans(d);
    d.report.scans = shown;
    // The kept coefficients alone go into the picture.
    for (int c = 0; c < d.arraysMade; ++c)
        if (d.arrays[c].writer != 0)
            pack(d.arrays[c]);
    // What an unfinished scan leaves out is shown as it is, not guessed at from
    // the neighbouring blocks.
    cinfo->do_block_smoothing = FALSE;
    jpeg_start_output(cinfo, shown);
    writeRows(d);
    // No jpeg_finish_output: it would read on into the next scan.
}

// What a read keeps of the coefficients: the first keep[c] of each block of
// component c, or all of them when not compact. The coefficient controller
// holds whole MCUs each way.
qint64 keptBytes(const jpeg_decompress_struct& cinfo, const int* keep)
{
    qint64 bytes = 0;
    for (int c = 0; c < cinfo.num_components; ++c) {
        const jpeg_component_info& component = cinfo.comp_info[c];
        const qint64 across = (component.width_in_blocks + component.h_samp_factor - 1) / component.h_samp_factor;
        const qint64 down = (component.height_in_blocks + component.v_samp_factor - 1) / component.v_samp_factor;
        bytes += across * component.h_samp_factor * down * component.v_samp_factor * (keep ? keep[c] : DCTSIZE2)
            * qint64(sizeof(JCOEF));
    }
    return bytes;
}

} // namespace

ProgressiveJpeg::ProgressiveJpeg(const QString& path) : decoder_(std::make_unique<Decoder>())
{
    decoder_->file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (decoder_->file)
        start();
}

ProgressiveJpeg::ProgressiveJpeg(const QByteArray& bytes) : decoder_(std::make_unique<Decoder>())
{
    decoder_->bytes = bytes;
    start();
}

ProgressiveJpeg::~ProgressiveJpeg()
{
    // Frees every pool libjpeg allocated, after any failure too; nothing on a
    // decompressor that was never made.
    jpeg_destroy_decompress(&decoder_->cinfo);
    if (decoder_->file)
        std::fclose(decoder_->file);
}

void ProgressiveJpeg::start()
{
    Decoder& d = *decoder_;
    d.cinfo.err = jpeg_std_error(&d.error.pub);
    d.error.pub.error_exit = failed;
    d.error.pub.emit_message = warned;
    d.cinfo.client_data = &d;
    if (!guarded(d, readHeader)) {
        d.report.error = QString::fromLatin1(d.error.message);
        return;
    }
    switch (d.cinfo.jpeg_color_space) {
    case JCS_GRAYSCALE:
    case JCS_YCbCr:
    case JCS_RGB:
    case JCS_CMYK:
    case JCS_YCCK:
        d.usable = d.cinfo.progressive_mode;
        break;
    default:
        break;
    }
}

bool ProgressiveJpeg::canRead() const
{
    return decoder_->usable;
}

QSize ProgressiveJpeg::size() const
{
    return canRead() ? QSize(int(decoder_->cinfo.image_width), int(decoder_->cinfo.image_height)) : QSize();
}

qint64 ProgressiveJpeg::memory(int denominator)
{
    return planned(denominator) ? keptBytes(decoder_->cinfo, decoder_->compact ? decoder_->keep : nullptr) : 0;
}

bool ProgressiveJpeg::planned(int denominator)
{
    Decoder& d = *decoder_;
    if (!d.usable || d.readOnce)
        return false;
    if (denominator != 1 && denominator != 2 && denominator != 4 && denominator != 8) {
        d.report.error = QStringLiteral("no such scale");
        return false;
    }
    d.denominator = denominator;
    if (guarded(d, plan))
        return true;
    d.usable = false;
    d.report.error = QString::fromLatin1(d.error.message);
    return false;
}

bool ProgressiveJpeg::read(int denominator, QImage& into)
{
    Decoder& d = *decoder_;
    if (!planned(denominator)) {
        if (d.report.error.isEmpty())
            d.report.error = QStringLiteral("not a progressive JPEG");
        return false;
    }
    d.readOnce = true;
    // Refused before anything is taken: the coefficients, then the picture.
    const qint64 limit = qint64(QImageReader::allocationLimit()) << 20;
    const QImage::Format format =
        d.cinfo.out_color_space == JCS_GRAYSCALE ? QImage::Format_Grayscale8 : QImage::Format_RGB32;
    if (qint64(d.cinfo.image_width) * d.cinfo.image_height > maxPixels
        || (limit > 0 && keptBytes(d.cinfo, d.compact ? d.keep : nullptr) > limit)
        || !QImageIOHandler::allocateImage(QSize(int(d.cinfo.output_width), int(d.cinfo.output_height)), format,
                                           &into)) {
        d.report.error = QStringLiteral("too large a picture");
        return false;
    }
    d.pixels = into.bits();
    d.stride = into.bytesPerLine();
    const bool done = guarded(d, decode);
    d.report.warnings = d.error.warnings;
    if (!done)
        d.report.error = QString::fromLatin1(d.error.message);
    return done;
}

const ProgressiveJpeg::Report& ProgressiveJpeg::report() const
{
    return decoder_->report;
}

} // namespace imaging
