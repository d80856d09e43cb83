#include "client/ui/picture_box.h"

#include <QPainter>

namespace ui {

PictureBox::PictureBox(QWidget* parent) : QWidget(parent)
{
    // Mouse presses fall through to the window, which drags by its surface.
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void PictureBox::set_picture(const QPixmap& picture)
{
    m_picture = picture;
    update();
}

void PictureBox::set_mode(Mode mode)
{
    m_mode = mode;
    update();
}

void PictureBox::paintEvent(QPaintEvent*)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    switch (m_mode) {
    case Mode::Natural:
        painter.drawPixmap(0, 0, m_picture);
        break;
    case Mode::Scaled:
        painter.drawPixmap(rect(), m_picture);
        break;
    case Mode::Cover: {
        const QSize covered = m_picture.size().scaled(size(), Qt::KeepAspectRatioByExpanding);
        const QRect target(QPoint((width() - covered.width()) / 2, (height() - covered.height()) / 2),
                           covered);
        painter.drawPixmap(target, m_picture);
        break;
    }
    }
}

}  // namespace ui
