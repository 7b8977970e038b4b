#include "ProgressiveJpeg.h"

#include <QFile>
#include <QImageIOHandler>
#include <QImageReader>

#include <algorithm>
#include <bit>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

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
// coefficient at zig-zag position k: the lowest size frequencies each way.
// (libjpeg's own IDCTs of 4 and 2 average the pixels of the whole one, and so
// take in a share of some finer frequencies too, as the picture's detail
// finer than the size can show; this reader leaves those out.)
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

// What stands in a block, while a scan decodes, for a coefficient that is not
// kept but is known to be nonzero: a refinement asks no more of it. It stays
// nonzero whatever correction the scan adds.
constexpr JCOEF nonzero = -1;

// One component's coefficients. Where the read shows every coefficient of its
// blocks, libjpeg's own array. Otherwise, of each block only the coefficients
// the read shows, in zig-zag order, and, when some of them are AC, a bit for
// each other one (by its natural position) telling whether it is nonzero; and
// a window of whole blocks for libjpeg to work in, the rows it asked for last,
// unpacked from the store and packed back into it.
struct CompactArray
{
    JDIMENSION blocksPerRow = 0;
    JDIMENSION rows = 0;
    JDIMENSION maxAccess = 0;
    jvirt_barray_ptr whole = nullptr;
    // How many coefficients of a block are kept; the place in a block's entry
    // of each zig-zag position, or -1 for one not kept.
    int kept = 0;
    int slot[DCTSIZE2] = {};
    bool marked = false;
    JCOEF* store = nullptr;
    std::uint64_t* marks = nullptr;
    JBLOCKARRAY window = nullptr;
    JDIMENSION windowCapacity = 0;
    JDIMENSION windowStart = 0;
    JDIMENSION windowRows = 0;
    // The scan the window was unpacked for, and its band, which is packed
    // back into the store; no scan (0) when it was unpacked for the picture
    // to be made from it.
    int scan = 0;
    int ss = 0;
    int se = 0;

    qint64 bytes() const
    {
        const qint64 blocks = qint64(blocksPerRow) * rows;
        return whole ? blocks * qint64(sizeof(JBLOCK))
                     : blocks * (kept * qint64(sizeof(JCOEF)) + (marked ? qint64(sizeof(std::uint64_t)) : 0));
    }
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

    // The read's scale, and its coefficients.
    int denominator = 1;
    CompactArray arrays[MAX_COMPONENTS];
    int arraysMade = 0;
    // libjpeg's own memory manager, for the components kept whole.
    jvirt_barray_ptr (*libjpegRequest)(j_common_ptr, int, boolean, JDIMENSION, JDIMENSION, JDIMENSION) = nullptr;
    void (*libjpegRealize)(j_common_ptr) = nullptr;
    JBLOCKARRAY (*libjpegAccess)(j_common_ptr, jvirt_barray_ptr, JDIMENSION, JDIMENSION, boolean) = nullptr;
    // What the scans read so far brought of each coefficient: -1 nothing,
    // otherwise the low bits it still lacks.
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

// Which of a block's coefficients are nonzero: a bit for each, by its natural
// position.
std::uint64_t nonzeroIn(const JCOEF* block)
{
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128();
    std::uint64_t bits = 0;
    for (int i = 0; i < DCTSIZE2 / 16; ++i) {
        const __m128i low = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i));
        const __m128i high = _mm_loadu_si128(reinterpret_cast<const __m128i*>(block + 16 * i + 8));
        const __m128i zeros = _mm_packs_epi16(_mm_cmpeq_epi16(low, zero), _mm_cmpeq_epi16(high, zero));
        bits |= std::uint64_t(~unsigned(_mm_movemask_epi8(zeros)) & 0xffffu) << (16 * i);
    }
    return bits;
#else
    std::uint64_t bits = 0;
    for (int n = 0; n < DCTSIZE2; ++n)
        bits |= std::uint64_t(block[n] != 0) << n;
    return bits;
#endif
}

// A band of zig-zag positions in a component's blocks: the kept ones, each
// with its natural position and its place in a block's entry, and the others,
// when their bits are kept, by natural position.
struct Band
{
    int keptAt[DCTSIZE2] = {};
    int keptSlot[DCTSIZE2] = {};
    int kept = 0;
    std::uint64_t others = 0;

    Band() = default;
    Band(const CompactArray& array, int ss, int se)
    {
        for (int k = ss; k <= se && k < DCTSIZE2; ++k) {
            if (array.slot[k] >= 0) {
                keptAt[kept] = natural[k];
                keptSlot[kept++] = array.slot[k];
            } else if (array.marked) {
                others |= std::uint64_t(1) << natural[k];
            }
        }
    }
    bool empty() const { return kept == 0 && others == 0; }
};

// Packs what the scan wrote in the window back into the store: the kept
// coefficients of its band, and which of the others in it are nonzero.
void pack(CompactArray& array)
{
    const Band band(array, array.ss, array.se);
    for (JDIMENSION row = 0; row < array.windowRows && !band.empty(); ++row) {
        const std::size_t first = std::size_t(array.windowStart + row) * array.blocksPerRow;
        JBLOCKROW blocks = array.window[row];
        for (JDIMENSION b = 0; b < array.blocksPerRow; ++b) {
            JCOEF* to = array.store + (first + b) * array.kept;
            for (int i = 0; i < band.kept; ++i)
                to[band.keptSlot[i]] = blocks[b][band.keptAt[i]];
            if (band.others != 0)
                array.marks[first + b] =
                    (array.marks[first + b] & ~band.others) | (nonzeroIn(blocks[b]) & band.others);
        }
    }
    array.scan = 0;
}

// Unpacks rows of the store into the window for a scan, or for the picture
// when there is none. A scan reads nothing past its band, and in it only what
// it refines: a first scan finds it clear, a refinement its kept coefficients
// and the nonzero others stood in for. The picture is made from every kept
// coefficient and zeros.
void unpack(CompactArray& array, JDIMENSION start, JDIMENSION rows, const jpeg_decompress_struct* scan)
{
    array.windowStart = start;
    array.windowRows = rows;
    array.scan = scan ? scan->input_scan_number : 0;
    array.ss = scan ? scan->Ss : 0;
    array.se = scan ? scan->Se : DCTSIZE2 - 1;
    Band band = scan && scan->Ah == 0 ? Band() : Band(array, array.ss, array.se);
    if (!scan)
        band.others = 0;
    for (JDIMENSION row = 0; row < rows; ++row) {
        const std::size_t first = std::size_t(start + row) * array.blocksPerRow;
        JBLOCKROW blocks = array.window[row];
        std::memset(blocks, 0, array.blocksPerRow * sizeof(JBLOCK));
        for (JDIMENSION b = 0; b < array.blocksPerRow && !band.empty(); ++b) {
            const JCOEF* from = array.store + (first + b) * array.kept;
            for (int i = 0; i < band.kept; ++i)
                blocks[b][band.keptAt[i]] = from[band.keptSlot[i]];
            if (band.others == 0)
                continue;
            for (std::uint64_t marks = array.marks[first + b] & band.others; marks != 0; marks &= marks - 1)
                blocks[b][std::countr_zero(marks)] = nonzero;
        }
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

// These three stand in for libjpeg's memory manager's own. Only the
// coefficient controller asks for arrays of blocks: one for each component, in
// turn.
static jvirt_barray_ptr requestCompact(j_common_ptr cinfo, int pool, boolean zeroed, JDIMENSION blocksPerRow,
                                       JDIMENSION rows, JDIMENSION maxAccess)
{
    Decoder& d = decoderOf(cinfo);
    if (d.arraysMade >= d.cinfo.num_components)
        ERREXIT(cinfo, JERR_VIRTUAL_BUG);
    const int component = d.arraysMade++;
    CompactArray& array = d.arrays[component];
    array = CompactArray{blocksPerRow, rows, maxAccess};
    // libjpeg-turbo gives a subsampled component a larger IDCT than the full
    // one, so that it needs no upsampling: 4:2:0 colour at 1/8 is 2 x 2.
    const int size = d.cinfo.comp_info[component].DCT_scaled_size;
    if (size >= DCTSIZE) {
        array.whole = d.libjpegRequest(cinfo, pool, zeroed, blocksPerRow, rows, maxAccess);
    } else {
        for (int k = 0; k < DCTSIZE2; ++k)
            array.slot[k] = shows(size, k) ? array.kept++ : -1;
        // A block of DC alone needs no marks: AC scans never refine the DC.
        array.marked = array.kept > 1;
    }
    return reinterpret_cast<jvirt_barray_ptr>(&array);
}

static void realizeCompact(j_common_ptr cinfo)
{
    Decoder& d = decoderOf(cinfo);
    // Refused before anything is taken.
    const qint64 limit = qint64(QImageReader::allocationLimit()) << 20;
    qint64 bytes = 0;
    for (int c = 0; c < d.arraysMade; ++c)
        bytes += d.arrays[c].bytes();
    if (limit > 0 && bytes > limit)
        refuse(d, "too large a picture");
    d.report.memory += bytes;
    d.libjpegRealize(cinfo);
    for (int c = 0; c < d.arraysMade; ++c) {
        CompactArray& array = d.arrays[c];
        if (array.whole)
            continue;
        const std::size_t blocks = std::size_t(array.blocksPerRow) * array.rows;
        const std::size_t storeBytes = blocks * array.kept * sizeof(JCOEF);
        array.store = static_cast<JCOEF*>((*cinfo->mem->alloc_large)(cinfo, JPOOL_IMAGE, storeBytes));
        std::memset(array.store, 0, storeBytes);
        if (array.marked) {
            array.marks = static_cast<std::uint64_t*>(
                (*cinfo->mem->alloc_large)(cinfo, JPOOL_IMAGE, blocks * sizeof(std::uint64_t)));
            std::memset(array.marks, 0, blocks * sizeof(std::uint64_t));
        }
    }
}

static JBLOCKARRAY accessCompact(j_common_ptr cinfo, jvirt_barray_ptr handle, JDIMENSION start, JDIMENSION count,
                                 boolean writable)
{
    Decoder& d = decoderOf(cinfo);
    CompactArray& array = *reinterpret_cast<CompactArray*>(handle);
    if (array.whole)
        return d.libjpegAccess(cinfo, array.whole, start, count, writable);
    const JDIMENSION end = start + count;
    if (!array.store || count > array.maxAccess || end > array.rows || end < start)
        ERREXIT(cinfo, JERR_BAD_VIRTUAL_ACCESS);
    // The window is made as large as libjpeg asks for, at its first access:
    // one row of MCUs, when blocks are not smoothed.
    if (count > array.windowCapacity) {
        if (array.scan != 0)
            pack(array);
        array.window = (*cinfo->mem->alloc_barray)(cinfo, JPOOL_IMAGE, array.blocksPerRow, count);
        array.windowCapacity = count;
        array.windowRows = 0;
        d.report.memory += qint64(array.blocksPerRow) * count * qint64(sizeof(JBLOCK));
    }
    // What each scan writes is packed on its own.
    const int scan = writable ? d.cinfo.input_scan_number : 0;
    if (start < array.windowStart || end > array.windowStart + array.windowRows || array.scan != scan) {
        if (array.scan != 0)
            pack(array);
        unpack(array, start, count, writable ? &d.cinfo : nullptr);
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
    for (int c = 0; c < cinfo.num_components; ++c)
        for (int k = 0; k < DCTSIZE2; ++k)
            d.bits[c][k] = -1;
}

// Counts in the scan just read.
void noteScan(Decoder& d)
{
    const jpeg_decompress_struct& cinfo = d.cinfo;
    for (int i = 0; i < cinfo.comps_in_scan; ++i)
        for (int k = cinfo.Ss; k <= cinfo.Se; ++k)
            d.bits[cinfo.cur_comp_info[i]->component_index][k] = cinfo.Al;
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
    d.libjpegRequest = cinfo->mem->request_virt_barray;
    d.libjpegRealize = cinfo->mem->realize_virt_arrays;
    d.libjpegAccess = cinfo->mem->access_virt_barray;
    cinfo->mem->request_virt_barray = requestCompact;
    cinfo->mem->realize_virt_arrays = realizeCompact;
    cinfo->mem->access_virt_barray = accessCompact;
    jpeg_start_decompress(cinfo);
    const int shown = readScans(d);
    d.report.scans = shown;
    // What an unfinished scan leaves out is shown as it is, not guessed at from
    // the neighbouring blocks.
    cinfo->do_block_smoothing = FALSE;
    jpeg_start_output(cinfo, shown);
    writeRows(d);
    // No jpeg_finish_output: it would read on into the next scan.
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

bool ProgressiveJpeg::read(int denominator, QImage& into)
{
    Decoder& d = *decoder_;
    if (!d.usable || d.readOnce) {
        if (d.report.error.isEmpty())
            d.report.error = QStringLiteral("not a progressive JPEG");
        return false;
    }
    if (denominator != 1 && denominator != 2 && denominator != 4 && denominator != 8) {
        d.report.error = QStringLiteral("no such scale");
        return false;
    }
    d.readOnce = true;
    d.denominator = denominator;
    if (!guarded(d, plan)) {
        d.report.error = QString::fromLatin1(d.error.message);
        return false;
    }
    // Refused before anything is taken: the picture here, the coefficients
    // when libjpeg asks for them.
    const QImage::Format format =
        d.cinfo.out_color_space == JCS_GRAYSCALE ? QImage::Format_Grayscale8 : QImage::Format_RGB32;
    if (qint64(d.cinfo.image_width) * d.cinfo.image_height > maxPixels
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
