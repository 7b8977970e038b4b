#pragma once

#include <QByteArray>
#include <QImage>

// Progressive JPEGs in the scan scripts of several encoders, written with
// libjpeg: the benchmark's photos, the tests' pictures and the fuzz run's
// seeds. A picture is a series of scans, each bringing some coefficients of
// some components, or one more bit of them; encoders differ in what they send
// first.
namespace scanscripts {

enum class Script {
    // cjpeg -progressive: libjpeg's own script (the DC first, one bit held
    // back), 4:2:0 colour, quality 75. Qt writes the same.
    Cjpeg,
    // ImageMagick's: the same script at quality 92, with the colour at full
    // resolution (4:4:4), as ImageMagick does from quality 90 on.
    ImageMagick,
    // A jpegtran -scans script of the kind size-minded tools choose: each
    // component's DC exact and on its own, the AC in bands, luma's held back
    // two bits and refined last.
    JpegtranScans,
    // libjpeg's own script, arithmetic-coded.
    Arithmetic,
    // The DC sent with two bits held back and refined only after every AC
    // band: what a reduced size needs comes late.
    DcLate,
    // The DC exact; every component's AC in one band, two bits held back and
    // refined one bit at a time, the last bit of luma last; arithmetic-coded,
    // whose refinements also look for the last nonzero coefficient of a band.
    AcRefinedTwice,
    // The same with one bit held back: after its first refinements
    // AcRefinedTwice has brought each coefficient to what this script's first
    // scans bring.
    AcRefinedOnce,
};

inline constexpr Script allScripts[] = {Script::Cjpeg,      Script::ImageMagick,    Script::JpegtranScans,
                                        Script::Arithmetic, Script::DcLate,         Script::AcRefinedTwice,
                                        Script::AcRefinedOnce};

const char* nameOf(Script script);

// How the picture's colours are stored: as the picture has them (a
// Format_Grayscale8 picture grey, any other YCbCr), or as CMYK (Adobe's
// inverted values, the black drawn out of the colours), which Qt reads back as
// the same colours.
enum class Colours { AsPicture, Cmyk };

// The picture as a progressive JPEG in the script, with an orientation tag
// when `orientation` is not 1 (6: turn a quarter clockwise to see it upright).
// A grey or CMYK picture is written in libjpeg's own script whatever the
// script asked for, at that script's quality and coding. libjpeg ends the
// program when it cannot write one.
QByteArray write(const QImage& picture, Script script, Colours colours = Colours::AsPicture, int orientation = 1);

} // namespace scanscripts
