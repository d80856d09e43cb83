#pragma once
// Picture buttons (图形按钮_*): a plain button whose whole face is one
// picture, swapped by the page (idle and busy looks) rather than by the
// mouse.

#include <QPixmap>

class QAbstractButton;

namespace ui {

void set_button_face(QAbstractButton* button, const QPixmap& face);

}  // namespace ui
