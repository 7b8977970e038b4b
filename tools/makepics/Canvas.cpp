#include "Canvas.h"

Canvas::Canvas(QSize size, const QColor& background)
    : m_image(size, QImage::Format_ARGB32_Premultiplied)
    , m_painter()
    , m_ink(m_painter)
{
    m_image.fill(background);
    m_painter.begin(&m_image);
    m_painter.setRenderHint(QPainter::Antialiasing, true);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
}

QImage Canvas::finish()
{
    if (m_painter.isActive())
        m_painter.end();
    return m_image;
}
