#pragma once
// Lets a frameless window be dragged by any point of its surface: presses
// that no control takes reach the window and move it.

#include <QObject>
#include <QPoint>

class QWidget;

namespace shell {

class WindowDrag final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WindowDrag)
public:
    // Installs itself on `window` and is owned by it.
    explicit WindowDrag(QWidget* window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* m_window;
    QPoint m_grab;  // press position relative to the window's top-left
    bool m_dragging = false;
};

}  // namespace shell
