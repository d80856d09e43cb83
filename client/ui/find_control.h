#pragma once
// Controls are addressed by name within one window. A modal window owned by
// the main window is its QObject child, and both carry controls of the same
// name (按钮_关闭), so a plain findChild could answer with the wrong one.

#include <QString>
#include <QWidget>

namespace ui {

template <typename T = QWidget>
T* find_control(QWidget* window, const QString& name)
{
    for (T* control : window->findChildren<T*>(name))
        if (control->window() == window)
            return control;
    return nullptr;
}

}  // namespace ui
