// brindlepair_bench: how long a board build and a repaint take, and how much
// memory a build needs, with camera-sized photos as card faces, baseline,
// progressive and a mixed set of large ones (held for this screen, and for a
// 4K one); and how far a build is from its floor, the same pictures decoded at
// the size the build holds them on every core and nothing else (for the mixed
// set, libjpeg's ordinary scaled decode).
//
// Built with -DBRINDLEPAIR_BENCH=ON; run by hand from the build's root:
//   QT_QPA_PLATFORM=offscreen ./brindlepair_bench [--runs N] [--screen WIDTHxHEIGHT]
// Every figure is printed as "name: value unit"; lines starting with '#' say
// what was measured. Builds are repeated and the median is printed.

#include "app/Form1.h"
#include "cards/CardsCommand.h"
#include "cards/Files.h"
#include "game/Board.h"
#include "hiscore/HiscoreTable.h"
#include "imaging/PictureDecode.h"
#include "ui/QtPlatform.h"
#include "ui/Twips.h"
#include "ui/Window.h"
#include "ui/access/SurfaceAccessible.h"

#include "ScanScripts.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QTemporaryDir>
#include <QTextStream>
#include <QThread>

#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

extern "C" {
#include <jpeglib.h>
}

namespace {

constexpr int photoWidth = 4000;
constexpr int photoHeight = 3000;
constexpr int photoFaces = 18;
constexpr qint64 smallestPhoto = 2'000'000;
constexpr qint64 largestPhoto = 5'000'000;
// The board surface of the builds and repaints, whatever the screen.
const QSize surfaceSize(1920, 1080);

// The platform of the benchmark: the real one, with the program's directory
// wherever the pictures of the case at hand are, message boxes written to the
// output instead of waiting for a player, modal windows closed at once, and
// decoding ahead that can be switched off.
class BenchPlatform : public ui::QtPlatform
{
public:
    QString dir;
    bool ahead = true;
    QStringList messages;

    QString programDir() override { return dir; }
    void messageBox(const QString& text) override
    {
        messages << text;
        std::printf("# message box: %s\n", qPrintable(QString(text).replace(QStringLiteral("\r\n"), QStringLiteral(" "))));
    }
    void showModal(ui::Window& window, ui::Window*) override
    {
        window.show();
        if (window.isLoaded())
            window.close();
    }
    void prefetchPictures(const QStringList& paths) override
    {
        if (ahead)
            QtPlatform::prefetchPictures(paths);
    }
};

double median(std::vector<double> values)
{
    if (values.empty())
        return std::nan("");
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

// A field of /proc/self/status in kB, or -1.
long long statusKb(const std::string& field)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(field + ":", 0) == 0)
            return std::stoll(line.substr(field.size() + 1));
    return -1;
}

// Resets the peak resident size to the present one.
bool resetPeak()
{
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
    clear.flush();
    return bool(clear);
}

// The growth of the resident size from when it is made to its highest since,
// in MB; not a number when the peak cannot be reset.
class PeakGrowth
{
public:
    PeakGrowth()
    {
        malloc_trim(0);
        before_ = statusKb("VmRSS");
        reset_ = resetPeak();
    }
    double mb() const
    {
        const long long peak = statusKb("VmHWM");
        return reset_ && before_ >= 0 && peak >= 0 ? (peak - before_) / 1024.0 : std::nan("");
    }

private:
    long long before_ = -1;
    bool reset_ = false;
};

// A photo-like picture: smooth colour gradients under grain, so that it
// compresses like a camera's photo and not like a flat test card.
QImage makePhoto(int seed, QSize size = {photoWidth, photoHeight})
{
    const int width = size.width();
    const int height = size.height();
    QImage image(size, QImage::Format_RGB32);
    std::uint32_t state = 0x9E3779B9u * std::uint32_t(seed + 1);
    const double fx = 1.0 / (300 + 40 * seed);
    const double fy = 1.0 / (500 + 30 * seed);
    std::vector<double> across(width), down(height);
    for (int x = 0; x < width; ++x)
        across[x] = std::sin(x * fx + seed);
    for (int y = 0; y < height; ++y)
        down[y] = std::cos(y * fy + 2 * seed);
    constexpr int grain = 20;
    for (int y = 0; y < height; ++y) {
        QRgb* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        const int green = (255 * y / height + 40 * seed) % 256;
        for (int x = 0; x < width; ++x) {
            state ^= state << 13;
            state ^= state >> 17;
            state ^= state << 5;
            const int noise = int(state % (2 * grain + 1)) - grain;
            const int r = 128 + int(90 * across[x]) + noise;
            const int g = green + noise / 2;
            const int b = 128 + int(80 * down[y] * across[x]) - noise;
            line[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    }
    return image;
}

QString faceFile(const QString& cardName, int n)
{
    return cardName + QString::number(n).rightJustified(2, u'0') + QStringLiteral(".jpg");
}

bool hasSet(const QString& pics, const QString& cardName, int faces, const QString& deckName)
{
    for (int n = 0; n < faces; ++n)
        if (!QFileInfo::exists(pics + u'/' + faceFile(cardName, n)))
            return false;
    return QFileInfo::exists(pics + u'/' + deckName + QStringLiteral(".jpg"));
}

// Reads every file once, so that every build finds them in the page cache alike.
void warmUp(const QString& pics)
{
    for (const QFileInfo& info : QDir(pics).entryInfoList(QDir::Files)) {
        QFile file(info.filePath());
        if (file.open(QIODevice::ReadOnly))
            file.readAll();
    }
}

// Shows the main window with its board surface at the given size in pixels.
void showWithSurface(Form1& form, QSize surface)
{
    form.show();
    QCoreApplication::processEvents();
    const float top = form.Command1.top() + form.Command1.height() + 100;
    form.setClientSize(float(ui::toTwips(surface.width())), float(ui::toTwips(surface.height())) + top);
    QCoreApplication::processEvents();
}

struct Build
{
    double ms = 0;
    double peakMb = 0;
    std::unique_ptr<Form1> form;
};

// "New Game" on a new main window: the board is built (makeSquare) and dealt,
// its pictures held at the bound (an invalid one: at full size; none: the
// screen's). The peak growth is the highest resident size during the build
// less the size before it.
std::optional<Build> measureBuild(BenchPlatform& platform, const QString& dir, int columns, int rows,
                                  std::optional<QSize> surface, bool ahead, std::optional<QSize> bound)
{
    platform.dir = dir;
    platform.ahead = ahead;
    if (bound)
        platform.setPictureBound(*bound);
    else
        platform.resetPictureBound();
    platform.messages.clear();

    Build build;
    build.form = std::make_unique<Form1>();
    Form1& form = *build.form;
    form.squareMaxX = columns;
    form.squareMaxY = rows;
    if (surface)
        showWithSurface(form, *surface);
    else
        form.show();
    QCoreApplication::processEvents();

    const PeakGrowth growth;
    const int decodedBefore = platform.picturesDecoded();
    QElapsedTimer timer;
    timer.start();
    form.Command1_Click();
    build.ms = timer.nsecsElapsed() / 1e6;
    build.peakMb = growth.mb();

    const int expected = (columns * rows + 1) / 2 + 1;
    if (!form.isBoardReady() || !platform.messages.isEmpty() || platform.picturesDecoded() - decodedBefore != expected) {
        std::printf("# the %dx%d build did not go as planned: %d pictures decoded, %d expected\n", columns, rows,
                    platform.picturesDecoded() - decodedBefore, expected);
        return std::nullopt;
    }
    return build;
}

// The pictures of a 6 x 6 set in the order a build asks for them: the faces, then the deck.
QStringList photoSetPaths(const QString& dir)
{
    QStringList paths;
    for (int n = 0; n < photoFaces; ++n)
        paths << dir + QStringLiteral("/pics/") + faceFile(QStringLiteral("cardPussy"), n);
    paths << dir + QStringLiteral("/pics/deckAcorn.jpg");
    return paths;
}

// Writes the 18 faces and the deck, photo-like 4000 x 3000 JPEGs of 2 to 5 MB
// each; progressive ones when asked, as pictures saved from the web often are.
bool makePhotoSet(const QString& dir, bool progressive)
{
    QDir().mkpath(dir + QStringLiteral("/pics"));
    qint64 smallest = largestPhoto * 10;
    qint64 largest = 0;
    const QStringList paths = photoSetPaths(dir);
    for (int n = 0; n < int(paths.size()); ++n) {
        QImageWriter writer(paths[n], "jpeg");
        writer.setQuality(90);
        writer.setProgressiveScanWrite(progressive);
        if (!writer.write(makePhoto(n)))
            return false;
        const qint64 size = QFileInfo(paths[n]).size();
        smallest = std::min(smallest, size);
        largest = std::max(largest, size);
    }
    std::printf("# %s: %d faces and the deck, %dx%d %sJPEG, %.2f to %.2f MB each\n", qPrintable(dir), photoFaces,
                photoWidth, photoHeight, progressive ? "progressive " : "", smallest / 1e6, largest / 1e6);
    if (smallest < smallestPhoto || largest > largestPhoto) {
        std::printf("# the photos are not 2 to 5 MB each: no figures\n");
        return false;
    }
    warmUp(dir + QStringLiteral("/pics"));
    return true;
}

// Writes a mixed set of large photos, as a player's folder of downloads and
// wallpapers may be: 18 faces and the deck from 2560 x 1600 to 5640 x 3172,
// sides not all multiples of 8, a third of the faces progressive in the scan
// scripts of several encoders, the rest baseline.
bool makeMixedSet(const QString& dir)
{
    static const scanscripts::Script encoderScripts[] = {scanscripts::Script::Cjpeg, scanscripts::Script::ImageMagick,
                                                         scanscripts::Script::JpegtranScans,
                                                         scanscripts::Script::Arithmetic};
    static const QSize sizes[] = {{5640, 3172}, {2560, 1600}, {4000, 3000}, {4032, 3024}, {3264, 2448},
                                  {5184, 2916}, {4608, 2592}, {3000, 2000}, {2592, 1944}, {4160, 3120},
                                  {3840, 2160}, {2880, 1800}, {5616, 3159}, {4000, 2250}, {3456, 2304},
                                  {2730, 1536}, {4928, 2772}, {3200, 1800}, {2600, 1625}};
    QDir().mkpath(dir + QStringLiteral("/pics"));
    const QStringList paths = photoSetPaths(dir);
    int progressive = 0;
    for (int n = 0; n < int(paths.size()); ++n) {
        const QImage photo = makePhoto(n, sizes[n]);
        if (n % 3 == 0 && n < photoFaces) {
            const scanscripts::Script script = encoderScripts[progressive++ % std::size(encoderScripts)];
            QFile file(paths[n]);
            const QByteArray jpeg = scanscripts::write(photo, script);
            if (!file.open(QIODevice::WriteOnly) || file.write(jpeg) != jpeg.size())
                return false;
            std::printf("# %s: %dx%d, progressive, %s, %.2f MB\n", qPrintable(QFileInfo(paths[n]).fileName()),
                        photo.width(), photo.height(), scanscripts::nameOf(script), jpeg.size() / 1e6);
        } else {
            QImageWriter writer(paths[n], "jpeg");
            writer.setQuality(90);
            if (!writer.write(photo))
                return false;
        }
    }
    std::printf("# %s: %d faces and the deck, %d of the faces progressive\n", qPrintable(dir), photoFaces,
                progressive);
    warmUp(dir + QStringLiteral("/pics"));
    return true;
}

struct Floor
{
    double ms = 0;
    double peakMb = 0;
    QSize held;
};

// libjpeg's ordinary decode of a JPEG at 1/denominator, as djpeg -scale does
// it: a progressive file's every scan is read into every coefficient first.
// libjpeg ends the program on a fault: these are the benchmark's own files.
QImage decodeConventionally(const QString& path, int denominator)
{
    std::FILE* file = std::fopen(QFile::encodeName(path).constData(), "rb");
    if (!file)
        return {};
    jpeg_decompress_struct cinfo;
    jpeg_error_mgr error;
    cinfo.err = jpeg_std_error(&error);
    jpeg_create_decompress(&cinfo);
    jpeg_stdio_src(&cinfo, file);
    jpeg_read_header(&cinfo, TRUE);
    cinfo.scale_num = 1;
    cinfo.scale_denom = unsigned(denominator);
    cinfo.out_color_space = JCS_EXT_BGRA;
    jpeg_start_decompress(&cinfo);
    QImage image(int(cinfo.output_width), int(cinfo.output_height), QImage::Format_RGB32);
    while (cinfo.output_scanline < cinfo.output_height) {
        JSAMPROW row = image.scanLine(int(cinfo.output_scanline));
        jpeg_read_scanlines(&cinfo, &row, 1);
    }
    jpeg_finish_decompress(&cinfo);
    jpeg_destroy_decompress(&cinfo);
    std::fclose(file);
    return image;
}

// What bounds a build: its pictures decoded at the size the build holds them
// at, spread over every core, and nothing else: no window, no progress, no
// events, no order. The pictures are kept until all are decoded, as a build
// keeps them. The conventional floor decodes each JPEG with libjpeg's ordinary
// decode at the build's scale, and does not smooth it to the size held.
std::optional<Floor> measureFloor(const QStringList& paths, QSize bound, bool conventional)
{
    std::vector<int> denominators;
    for (const QString& path : paths)
        denominators.push_back(conventional ? imaging::PictureDecode(path, bound).denominator() : 1);
    const PeakGrowth growth;
    QElapsedTimer timer;
    timer.start();
    std::vector<QImage> pictures(paths.size());
    std::atomic<int> next = 0;
    std::vector<std::thread> cores;
    for (int n = 0; n < QThread::idealThreadCount(); ++n)
        cores.emplace_back([&] {
            QImage scratch;
            for (int i = next++; i < int(paths.size()); i = next++)
                pictures[i] = conventional ? decodeConventionally(paths[i], denominators[i])
                                           : imaging::decodePicture(paths[i], bound, &scratch);
        });
    for (std::thread& core : cores)
        core.join();
    Floor floor;
    floor.ms = timer.nsecsElapsed() / 1e6;
    floor.peakMb = growth.mb();
    if (std::any_of(pictures.begin(), pictures.end(), [](const QImage& picture) { return picture.isNull(); })) {
        std::printf("# the floor did not decode every picture\n");
        return std::nullopt;
    }
    if (!conventional)
        floor.held = pictures.front().size();
    pictures.clear();
    malloc_trim(0);
    return floor;
}

// Releases a build's window and with it its pictures.
void release(std::optional<Build>& build)
{
    build.reset();
    QCoreApplication::processEvents();
    malloc_trim(0);
}

void print(const char* name, double value, const char* unit)
{
    std::printf("%s: %.*f %s\n", name, value < 10 ? 2 : 1, value, unit);
    std::fflush(stdout);
}

double ratio(double part, double whole)
{
    return whole > 0 ? part / whole : std::nan("");
}

// A 6 x 6 build of a set against its floor, and against the same pictures
// decoded at full size, each in its turn on the event thread (the build as it
// once was). They take turns, the build and its floor in changing order, so
// that whatever else the machine does falls on all of them alike; ratios are
// taken within a run. The first build's board is handed back for repaints.
// Also gives the median build time, for the figures measured against it, and
// the median peak of the full-size decode. The pictures are held at the
// screen's bound, or at the one given, for which the full-size decode is not
// run again: its peak is the one given.
std::optional<Build> compareWithFloor(BenchPlatform& platform, const QString& dir, const std::string& name, int runs,
                                      double& buildMedianMs, double& fullPeakMb, bool conventionalFloor = false,
                                      std::optional<QSize> heldAt = std::nullopt)
{
    const QStringList paths = photoSetPaths(dir);
    std::vector<double> buildMs, buildPeak, floorMs, floorPeak, fullMs, fullPeak, toFloor;
    std::optional<Build> kept;
    QSize bound;
    QSize held;
    for (int run = 0; run < runs; ++run) {
        std::optional<Floor> floor;
        if (run % 2)
            floor = measureFloor(paths, bound, conventionalFloor);
        std::optional<Build> build = measureBuild(platform, dir, 6, 6, surfaceSize, true, heldAt);
        if (!build)
            return std::nullopt;
        bound = platform.pictureBound();
        if (!floor)
            floor = measureFloor(paths, bound, conventionalFloor);
        if (!floor)
            return std::nullopt;
        held = build->form->board().card(0, 0).pic->size();
        if (!conventionalFloor && floor->held != held) {
            std::printf("# the floor held its pictures at %dx%d, the build at %dx%d\n", floor->held.width(),
                        floor->held.height(), held.width(), held.height());
            return std::nullopt;
        }
        buildMs.push_back(build->ms);
        buildPeak.push_back(build->peakMb);
        floorMs.push_back(floor->ms);
        floorPeak.push_back(floor->peakMb);
        toFloor.push_back(ratio(build->ms, floor->ms));
        std::printf("# %s run %d: build %.1f ms, floor %.1f ms, %.2f x; peaks %.1f and %.1f MB\n", name.c_str(),
                    run + 1, build->ms, floor->ms, toFloor.back(), build->peakMb, floor->peakMb);
        if (kept)
            release(build);
        else
            kept = std::move(build);

        if (heldAt)
            continue;
        std::optional<Build> full = measureBuild(platform, dir, 6, 6, surfaceSize, false, QSize());
        if (!full)
            return std::nullopt;
        fullMs.push_back(full->ms);
        fullPeak.push_back(full->peakMb);
        release(full);
    }
    std::printf("# %s: \"New Game\" on a 6x6 board, faces held at %dx%d, decoded ahead\n", name.c_str(),
                held.width(), held.height());
    buildMedianMs = median(buildMs);
    print((name + "_ms").c_str(), buildMedianMs, "ms");
    print((name + "_peak_mb").c_str(), median(buildPeak), "MB");
    if (conventionalFloor)
        std::printf("# %s_floor: the 19 pictures decoded by libjpeg at the build's 1/2, 1/4 or 1/8 on %d threads, "
                    "nothing else\n",
                    name.c_str(), QThread::idealThreadCount());
    else
        std::printf("# %s_floor: the 19 pictures decoded at %dx%d on %d threads, nothing else\n", name.c_str(),
                    held.width(), held.height(), QThread::idealThreadCount());
    print((name + "_floor_ms").c_str(), median(floorMs), "ms");
    print((name + "_floor_peak_mb").c_str(), median(floorPeak), "MB");
    if (!heldAt) {
        std::printf("# %s_fulldecode: the same pictures at full size, each decoded in its turn on the event thread\n",
                    name.c_str());
        print((name + "_fulldecode_ms").c_str(), median(fullMs), "ms");
        fullPeakMb = median(fullPeak);
        print((name + "_fulldecode_peak_mb").c_str(), fullPeakMb, "MB");
    }
    std::printf("# ratios: the median of each run's build time over its floor's; peak memory over the full-size one's "
                "(%.1f MB)\n",
                fullPeakMb);
    print((name + "_to_floor").c_str(), median(toFloor), "x");
    print((name + "_peak_to_fulldecode").c_str(), ratio(median(buildPeak), fullPeakMb), "x");
    return kept;
}

void click(Form1& form, int x, int y)
{
    const MemoCard& card = form.board().card(x, y);
    form.Picture1_MouseUp(1, 0, (card.x1 + card.x2) / 2.0f, (card.y1 + card.y2) / 2.0f);
}

// Plays every pair, as a player would, so that every card lies face up.
void findEveryPair(Form1& form)
{
    const Board& board = form.board();
    board.forEachCell([&](int x, int y) {
        if (board.card(x, y).isFound)
            return;
        board.forEachCell([&](int i, int j) {
            if ((i != x || j != y) && !board.card(x, y).isFound && board.card(i, j).fName == board.card(x, y).fName) {
                click(form, x, y);
                click(form, i, j);
            }
        });
    });
}

QString cpuName()
{
    std::ifstream cpuinfo("/proc/cpuinfo");
    std::string line;
    while (std::getline(cpuinfo, line))
        if (line.rfind("model name", 0) == 0)
            return QString::fromStdString(line.substr(line.find(':') + 2));
    return QStringLiteral("unknown");
}

// brindlepair-cards making a set of the photos' 18 faces in a new pics folder:
// the milliseconds it takes, or nothing when it fails.
std::optional<double> measureCards(const QString& photos, const QString& pics)
{
    QStringList arguments{QStringLiteral("brindlepair-cards"), QStringLiteral("--pics"), pics,
                          QStringLiteral("Photos")};
    for (int n = 0; n < photoFaces; ++n)
        arguments << photos + QStringLiteral("/pics/") + faceFile(QStringLiteral("cardPussy"), n);
    cards::Files files;
    QString said;
    QTextStream out(&said);
    QElapsedTimer timer;
    timer.start();
    const int status = cards::CardsCommand(files, {pics, {}}, out, out).run(arguments);
    const double ms = timer.nsecsElapsed() / 1e6;
    if (status != cards::CardsCommand::Done) {
        out.flush();
        std::printf("# brindlepair-cards failed: %s\n", qPrintable(said));
        return std::nullopt;
    }
    return ms;
}

// The offscreen platform says so whenever a window is raised; nothing else from
// Qt is silenced.
void quietRaise(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (message.contains(QStringLiteral("does not support raise()")))
        return;
    std::fprintf(stderr, "%s\n", qPrintable(qFormatLogMessage(type, context, message)));
}

} // namespace

int main(int argc, char** argv)
{
    int runs = 3;
    QSize screenSize(1920, 1080);
    for (int n = 1; n + 1 < argc; ++n) {
        if (std::string(argv[n]) == "--runs")
            runs = std::max(1, std::atoi(argv[n + 1]));
        if (std::string(argv[n]) == "--screen") {
            const QStringList sides = QString::fromLocal8Bit(argv[n + 1]).split(u'x');
            if (sides.size() == 2 && sides[0].toInt() > 0 && sides[1].toInt() > 0)
                screenSize = QSize(sides[0].toInt(), sides[1].toInt());
        }
    }

    QTemporaryDir work;
    if (!work.isValid()) {
        std::fprintf(stderr, "no temporary folder\n");
        return 1;
    }
    // Under the offscreen platform the screen is made a 1920 x 1080 one (or the
    // size asked for), so that pictures are held at what such a screen needs.
    const QByteArray qpa = qgetenv("QT_QPA_PLATFORM");
    if (qpa.isEmpty() || qpa == "offscreen") {
        const QString config = work.filePath(QStringLiteral("screen.json"));
        QFile file(config);
        if (!file.open(QIODevice::WriteOnly))
            return 1;
        file.write(QStringLiteral("{\"screens\": [{\"name\": \"bench\", \"x\": 0, \"y\": 0, \"width\": %1, "
                                  "\"height\": %2, \"logicalDpi\": 96, \"logicalBaseDpi\": 96, \"dpr\": 1}]}")
                       .arg(screenSize.width())
                       .arg(screenSize.height())
                       .toUtf8());
        file.close();
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + config.toLocal8Bit());
    }
    // glibc keeps large blocks that worker threads let go of for their next use,
    // so a later build would find its memory already resident and seem to need
    // none. Large blocks are given back at once here: every build's peak is then
    // what it needs, as the first build in a fresh game.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
    qInstallMessageHandler(quietRaise);
    QApplication app(argc, argv);
    // The board's cells for a screen reader, as the game has them.
    ui::SurfaceAccessible::installFactory();
    BenchPlatform platform;
    ui::setPlatform(&platform);

    std::printf("# cpu: %s, %d cores; screen %dx%d device pixels; median of %d runs\n", qPrintable(cpuName()),
                QThread::idealThreadCount(), platform.pictureBound().width(), platform.pictureBound().height(), runs);

    if (!resetPeak())
        std::printf("# /proc/self/clear_refs cannot reset the peak: peak figures are not measured\n");

    // The 6 x 6 builds, with photos as faces and then with progressive photos.
    const QString photos = work.filePath(QStringLiteral("photos"));
    if (!makePhotoSet(photos, false))
        return 1;
    double photosBuildMs = 0;
    double buildMs = 0;
    double fullPeakMb = 0;
    std::optional<Build> kept = compareWithFloor(platform, photos, "build_6x6_photos", runs, photosBuildMs, fullPeakMb);
    if (!kept)
        return 1;
    const QString progressive = work.filePath(QStringLiteral("progressive"));
    if (!makePhotoSet(progressive, true)
        || !compareWithFloor(platform, progressive, "build_6x6_progressive", runs, buildMs, fullPeakMb))
        return 1;
    // A mixed set of large photos, against libjpeg's ordinary decode of them;
    // then held at what a 3840 x 2160 screen's largest card needs, a quarter
    // of it each way, so that most of the set is read at 1/4 or 1/2.
    const QString mixed = work.filePath(QStringLiteral("mixed"));
    if (!makeMixedSet(mixed) || !compareWithFloor(platform, mixed, "build_6x6_mixed", runs, buildMs, fullPeakMb, true)
        || !compareWithFloor(platform, mixed, "build_6x6_mixed_4k", runs, buildMs, fullPeakMb, true,
                             QSize(3840 / 4, 2160 / 4)))
        return 1;

    // Repaints of the first bounded board, every pair found and so face up.
    Form1& form = *kept->form;
    findEveryPair(form);
    int faceUp = 0;
    form.board().forEachCell([&](int x, int y) { faceUp += form.board().card(x, y).isFound ? 1 : 0; });
    const MemoCard& first = form.board().card(0, 0);
    std::printf("# repaint: surface %dx%d, %d of 36 cards face up, cards of %.0fx%.0f pixels\n",
                form.Picture1.canvas().width(), form.Picture1.canvas().height(), faceUp,
                ui::toPixels(first.x2 - first.x1), ui::toPixels(first.y2 - first.y1));
    for (int n = 0; n < 5; ++n)
        form.drawSquare();
    std::vector<double> repaints;
    for (int n = 0; n < 201; ++n) {
        QElapsedTimer timer;
        timer.start();
        form.drawSquare();
        repaints.push_back(timer.nsecsElapsed() / 1e6);
    }
    print("repaint_6x6_1080p_ms", median(repaints), "ms");
    std::vector<double> draws;
    for (int round = 0; round < 10; ++round) {
        form.board().forEachCell([&](int x, int y) {
            QElapsedTimer timer;
            timer.start();
            form.drawPic(x, y);
            draws.push_back(timer.nsecsElapsed() / 1e6);
        });
    }
    print("drawpic_ms", median(draws), "ms");
    release(kept);

    // The bundled default set, from the game's own pics folder beside this program.
    QString bundled = QCoreApplication::applicationDirPath();
    if (hasSet(bundled + QStringLiteral("/pics"), QStringLiteral("cardPussy"), 8, QStringLiteral("deckAcorn"))) {
        std::printf("# build_4x4_bundled: the bundled cardPussy set and deckAcorn from %s/pics\n", qPrintable(bundled));
    } else {
        bundled = work.filePath(QStringLiteral("standin"));
        QDir().mkpath(bundled + QStringLiteral("/pics"));
        for (int n = 0; n <= 8; ++n) {
            QImage face(320, 240, QImage::Format_RGB32);
            face.fill(QColor::fromHsv(n * 40, 200, 220));
            face.save(bundled + QStringLiteral("/pics/") + (n < 8 ? faceFile(QStringLiteral("cardPussy"), n)
                                                                  : QStringLiteral("deckAcorn.jpg")),
                      "JPG", 90);
        }
        std::printf("# build_4x4_bundled: no bundled cardPussy set in %s/pics; 8 generated 320x240 stand-in "
                    "faces and deck were used\n",
                    qPrintable(QCoreApplication::applicationDirPath()));
    }
    warmUp(bundled + QStringLiteral("/pics"));
    std::vector<double> small;
    for (int run = 0; run < std::max(runs, 5); ++run) {
        std::optional<Build> build = measureBuild(platform, bundled, 4, 4, std::nullopt, true, std::nullopt);
        if (!build)
            return 1;
        small.push_back(build->ms);
        release(build);
    }
    print("build_4x4_bundled_ms", median(small), "ms");

    // A card set made of the same photos, against the 6 x 6 build of them.
    std::vector<double> cardsMs;
    for (int run = 0; run < runs; ++run) {
        const std::optional<double> ms = measureCards(photos, work.filePath(QStringLiteral("cards%1").arg(run)));
        if (!ms)
            return 1;
        cardsMs.push_back(*ms);
    }
    std::printf("# cards_18_photos: brindlepair-cards making a set of the 18 photos, each held to cover 960x540\n");
    print("cards_18_photos_ms", median(cardsMs), "ms");
    std::printf("# cards_18_photos_ms is %.2f times build_6x6_photos_ms (at most 1.5)\n",
                median(cardsMs) / photosBuildMs);

    // The end of a game with a huge hiscore.dat: its table, then 64 MB more.
    const QString scores = work.filePath(QStringLiteral("scores"));
    hiscore::HsTable table;
    hiscore::makeDefaultTable(table);
    QDir().mkpath(scores);
    QFile huge(scores + QStringLiteral("/hiscore.dat"));
    if (!huge.open(QIODevice::WriteOnly) || huge.write(hiscore::writeTable(table).value()) < 0)
        return 1;
    const QByteArray block(1 << 20, 'x');
    for (int n = 0; n < 64; ++n)
        if (huge.write(block) != block.size())
            return 1;
    huge.close();
    platform.dir = scores;
    std::vector<double> scoresPeak;
    for (int run = 0; run < runs; ++run) {
        const PeakGrowth growth;
        hiscore::HsTable loaded;
        hiscore::loadHS(loaded);
        scoresPeak.push_back(growth.mb());
    }
    std::printf("# hiscore_64mb: loading a hiscore.dat of the table and 64 MB after it\n");
    print("hiscore_64mb_peak_mb", median(scoresPeak), "MB");

    ui::setPlatform(nullptr);
    return 0;
}
