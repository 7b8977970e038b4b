#include "ScanScripts.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

namespace scanscripts {

namespace {

// Each scan: its components, its band of zig-zag positions, the low bits the
// scan before it held back (0 for a first scan) and the low bits it holds back.
const std::vector<jpeg_scan_info> jpegtranScans = {
    {1, {0}, 0, 0, 0, 0},     {2, {1, 2}, 0, 0, 0, 0},  {1, {0}, 1, 8, 0, 2},   {1, {1}, 1, 8, 0, 0},
    {1, {2}, 1, 8, 0, 0},     {1, {0}, 9, 63, 0, 2},    {1, {1}, 9, 63, 0, 0},  {1, {2}, 9, 63, 0, 0},
    {1, {0}, 1, 63, 2, 1},    {1, {0}, 1, 63, 1, 0},
};

const std::vector<jpeg_scan_info> dcLateScans = {
    {3, {0, 1, 2}, 0, 0, 0, 2}, {1, {0}, 1, 5, 0, 2},  {1, {2}, 1, 63, 0, 1}, {1, {1}, 1, 63, 0, 1},
    {1, {0}, 6, 63, 0, 2},      {1, {0}, 1, 63, 2, 1}, {1, {2}, 1, 63, 1, 0}, {1, {1}, 1, 63, 1, 0},
    {1, {0}, 1, 63, 1, 0},      {3, {0, 1, 2}, 0, 0, 2, 1}, {3, {0, 1, 2}, 0, 0, 1, 0},
};

const std::vector<jpeg_scan_info> acRefinedTwiceScans = {
    {3, {0, 1, 2}, 0, 0, 0, 0}, {1, {0}, 1, 63, 0, 2}, {1, {1}, 1, 63, 0, 2}, {1, {2}, 1, 63, 0, 2},
    {1, {0}, 1, 63, 2, 1},      {1, {1}, 1, 63, 2, 1}, {1, {2}, 1, 63, 2, 1}, {1, {1}, 1, 63, 1, 0},
    {1, {2}, 1, 63, 1, 0},      {1, {0}, 1, 63, 1, 0},
};

const std::vector<jpeg_scan_info> acRefinedOnceScans = {
    {3, {0, 1, 2}, 0, 0, 0, 0}, {1, {0}, 1, 63, 0, 1}, {1, {1}, 1, 63, 0, 1}, {1, {2}, 1, 63, 0, 1},
    {1, {1}, 1, 63, 1, 0},      {1, {2}, 1, 63, 1, 0}, {1, {0}, 1, 63, 1, 0},
};

// An Exif segment with one field, the orientation.
std::vector<JOCTET> exifOrientation(int orientation)
{
    return {'E', 'x', 'i', 'f', 0, 0,           'M', 'M', 0, 42, 0, 0, 0, 8, 0, 1,
            0x01, 0x12, 0, 3, 0, 0, 0, 1, 0, JOCTET(orientation), 0, 0, 0, 0, 0, 0};
}

} // namespace

const char* nameOf(Script script)
{
    switch (script) {
    case Script::Cjpeg:
        return "cjpeg -progressive";
    case Script::ImageMagick:
        return "ImageMagick";
    case Script::JpegtranScans:
        return "jpegtran -scans";
    case Script::Arithmetic:
        return "arithmetic-coded";
    case Script::DcLate:
        return "DC refined last";
    case Script::AcRefinedTwice:
        return "AC refined twice";
    case Script::AcRefinedOnce:
        return "AC refined once";
    }
    return "?";
}

QByteArray write(const QImage& picture, Script script, Colours colours, int orientation)
{
    const bool grey = picture.format() == QImage::Format_Grayscale8 && colours == Colours::AsPicture;
    const QImage rows = grey ? picture : picture.convertToFormat(QImage::Format_RGB888);

    jpeg_compress_struct cinfo;
    jpeg_error_mgr error;
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_compress(&cinfo);
    unsigned char* bytes = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &bytes, &size);
    cinfo.image_width = JDIMENSION(picture.width());
    cinfo.image_height = JDIMENSION(picture.height());
    cinfo.input_components = grey ? 1 : colours == Colours::Cmyk ? 4 : 3;
    cinfo.in_color_space = grey ? JCS_GRAYSCALE : colours == Colours::Cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    jpeg_set_quality(&cinfo, script == Script::Cjpeg ? 75 : script == Script::ImageMagick ? 92 : 85, TRUE);
    if (script == Script::ImageMagick)
        cinfo.comp_info[0].h_samp_factor = cinfo.comp_info[0].v_samp_factor = 1;
    cinfo.arith_code =
        script == Script::Arithmetic || script == Script::AcRefinedTwice || script == Script::AcRefinedOnce;
    jpeg_simple_progression(&cinfo);
    const std::vector<jpeg_scan_info>* scans = script == Script::JpegtranScans ? &jpegtranScans
        : script == Script::DcLate                                              ? &dcLateScans
        : script == Script::AcRefinedTwice                                      ? &acRefinedTwiceScans
        : script == Script::AcRefinedOnce                                       ? &acRefinedOnceScans
                                                                                : nullptr;
    if (scans && cinfo.num_components == 3) {
        cinfo.scan_info = scans->data();
        cinfo.num_scans = int(scans->size());
    }
    jpeg_start_compress(&cinfo, TRUE);
    if (orientation != 1) {
        const std::vector<JOCTET> exif = exifOrientation(orientation);
        jpeg_write_marker(&cinfo, JPEG_APP0 + 1, exif.data(), unsigned(exif.size()));
    }
    std::vector<JSAMPLE> line(std::size_t(picture.width()) * cinfo.input_components);
    while (cinfo.next_scanline < cinfo.image_height) {
        const uchar* from = rows.constScanLine(int(cinfo.next_scanline));
        if (colours == Colours::Cmyk) {
            // Adobe's inverted CMYK, the black drawn out of the colours as a
            // print separation does: K holds the lightest of R, G and B, and
            // C, M and Y what each is beside it.
            for (int x = 0; x < picture.width(); ++x) {
                const int k = std::max({from[3 * x], from[3 * x + 1], from[3 * x + 2]});
                for (int c = 0; c < 3; ++c)
                    line[4 * x + c] = JSAMPLE(k > 0 ? from[3 * x + c] * 255 / k : 255);
                line[4 * x + 3] = JSAMPLE(k);
            }
        } else {
            std::copy(from, from + line.size(), line.begin());
        }
        JSAMPROW row = line.data();
        jpeg_write_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    const QByteArray jpeg(reinterpret_cast<const char*>(bytes), qsizetype(size));
    std::free(bytes);
    return jpeg;
}

} // namespace scanscripts
