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

QString separator()
{
    return QString(QDir::separator());
}

} // namespace ui
