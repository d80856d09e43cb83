#include "update/ui/link_label.h"

#include "update/ui/seams.h"

#include <QMouseEvent>

namespace update_ui {

LinkLabel::LinkLabel(QWidget* parent) : QLabel(parent)
{
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, QColor(0, 0, 255));
    setPalette(colours);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()) &&
        !m_address.isEmpty())
        open_url(m_address);
    QLabel::mouseReleaseEvent(event);
}

} // namespace update_ui
