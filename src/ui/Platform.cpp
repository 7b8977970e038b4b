#include "Platform.h"

#include "QtPlatform.h"

#include <QDir>

namespace ui {

namespace {
Platform* current = nullptr;
}

Platform& platform()
{
    static QtPlatform real;
    return current ? *current : real;
}

void setPlatform(Platform* replacement)
{
    current = replacement;
}

PrefetchScope::PrefetchScope(const QStringList& paths) : platform_(platform())
{
    platform_.prefetchPictures(paths);
}

PrefetchScope::~PrefetchScope()
{
    platform_.stopPrefetch();
}

QString separator()
{
    return QString(QDir::separator());
}

} // namespace ui
