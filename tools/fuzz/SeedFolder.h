#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstdio>
#include <optional>

// The folder a seed maker writes its seeds into: the only argument, made when
// it is not there yet. Nothing (and a word on how to call it) otherwise.
inline std::optional<QDir> seedFolder(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s SEED-FOLDER\n", argv[0]);
        return std::nullopt;
    }
    QDir dir(QString::fromLocal8Bit(argv[1]));
    if (!dir.mkpath(QStringLiteral(".")))
        return std::nullopt;
    return dir;
}

// Writes one seed; false when it cannot.
inline bool putSeed(const QDir& dir, const QString& name, const QByteArray& bytes)
{
    QFile file(dir.filePath(name));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}
