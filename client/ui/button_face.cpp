#include "client/ui/button_face.h"

#include <QAbstractButton>

namespace ui {

void set_button_face(QAbstractButton* button, const QPixmap& face)
{
    if (!button)
        return;
    button->setIcon(QIcon(face));
    button->setIconSize(face.size());
    button->setText({});
    button->setStyleSheet(QStringLiteral("border: none; background: transparent; padding: 0;"));
    button->setCursor(Qt::PointingHandCursor);
}

}  // namespace ui
