#include "client/shell/window_drag.h"

#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace shell {

WindowDrag::WindowDrag(QWidget* window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event)
{
    if (watched != m_window)
        return false;
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        // The window manager moves the window best where it can; otherwise
        // follow the mouse ourselves.
        if (QWindow* handle = m_window->windowHandle(); handle && handle->startSystemMove())
            return true;
        m_grab = mouse->globalPosition().toPoint() - m_window->frameGeometry().topLeft();
        m_dragging = true;
        return true;
    }
    case QEvent::MouseMove: {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (!m_dragging || !(mouse->buttons() & Qt::LeftButton))
            return false;
        m_window->move(mouse->globalPosition().toPoint() - m_grab);
        return true;
    }
    case QEvent::MouseButtonRelease:
        m_dragging = false;
        return false;
    default:
        return false;
    }
}

}  // namespace shell
