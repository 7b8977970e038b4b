#include "TestPlatform.h"

#include "ui/Window.h"

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QSaveFile>

TestPlatform::TestPlatform()
{
    ui::setPlatform(this);
}

TestPlatform::~TestPlatform()
{
    ui::setPlatform(nullptr);
}

void TestPlatform::sleep(float seconds)
{
    ++clockSleeps;
    now += seconds;
    if (onSleep)
        onSleep(seconds);
}

float TestPlatform::rnd()
{
    ++rndCalls;
    if (randoms.empty())
        return randomFallback;
    const float value = randoms.front();
    randoms.pop_front();
    return value;
}

void TestPlatform::messageBox(const QString& text)
{
    messages.append(text);
    if (onMessage)
        onMessage(text);
}

void TestPlatform::showModal(ui::Window& window, ui::Window*)
{
    modalCaptions.append(window.windowTitle());
    window.show();
    if (!modalAnswers.empty()) {
        auto answer = std::move(modalAnswers.front());
        modalAnswers.pop_front();
        answer(window);
    }
    if (window.isLoaded())
        window.close();
}

void TestPlatform::processEvents()
{
    ++processEventsCalls;
    if (onProcessEvents)
        onProcessEvents();
    QCoreApplication::processEvents();
}

bool TestPlatform::listFiles(const QString& pattern, QStringList& names)
{
    if (unlistable.contains(pattern))
        return false;
    return QtPlatform::listFiles(pattern, names);
}

ui::Picture TestPlatform::loadPicture(const QString& path)
{
    loadedPaths.append(path);
    return QtPlatform::loadPicture(path);
}

QString TestPlatform::picsDir()
{
    QDir(dir.path()).mkpath(QStringLiteral("pics"));
    return dir.path() + QStringLiteral("/pics");
}

void TestPlatform::writePicture(const QString& fileName, QColor color, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(color);
    image.save(picsDir() + u'/' + fileName, "JPG", 95);
}

bool TestPlatform::writeFileWhole(const QString& path, const QByteArray& contents)
{
    writtenFiles.append(path);
    if (failWritingAfter < 0)
        return QtPlatform::writeFileWhole(path, contents);
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly))
        file.write(contents.left(failWritingAfter));
    file.cancelWriting();
    return false;
}
