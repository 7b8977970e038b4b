#include "Files.h"

#include <QFile>
#include <QFileInfo>

#include <filesystem>
#include <system_error>

namespace cards {

namespace {

std::filesystem::path nativePath(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

QString reason(const std::error_code& error)
{
    return QString::fromLocal8Bit(error.message());
}

} // namespace

QString Files::makeFolder(const QString& path)
{
    std::error_code error;
    if (std::filesystem::create_directory(nativePath(path), error))
        return {};
    return error ? reason(error) : QStringLiteral("it exists already");
}

QString Files::makeFolders(const QString& path)
{
    std::error_code error;
    std::filesystem::create_directories(nativePath(path), error);
    return error ? reason(error) : QString();
}

QString Files::writeFile(const QString& path, const QByteArray& contents)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        return file.errorString();
    const bool written = file.write(contents) == contents.size() && file.flush();
    file.close();
    if (written && file.error() == QFileDevice::NoError)
        return {};
    const QString why = file.errorString();
    file.remove();
    return why;
}

QString Files::rename(const QString& from, const QString& to)
{
    QFile file(from);
    return file.rename(to) ? QString() : file.errorString();
}

QString Files::remove(const QString& path)
{
    QFile file(path);
    return file.remove() ? QString() : file.errorString();
}

QString Files::removeFolder(const QString& path)
{
    std::error_code error;
    if (std::filesystem::remove(nativePath(path), error))
        return {};
    return error ? reason(error) : QStringLiteral("it does not exist");
}

bool Files::folderTakesNewFiles(const QString& path)
{
    QFileInfo folder(path);
    while (!folder.exists() && !folder.isRoot())
        folder.setFile(folder.absolutePath());
    return folder.isDir() && folder.isWritable();
}

} // namespace cards
