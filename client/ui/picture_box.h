#pragma once
// A picture box: shows one picture in a display mode and keeps the picture
// it was given, so another box can copy it.

#include <QPixmap>
#include <QWidget>

namespace ui {

class PictureBox final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PictureBox)
public:
    enum class Mode {
        Natural,  // own size at the top-left corner
        Scaled,   // stretched to the box
        Cover,    // scaled keeping proportions until the box is covered, centred
    };

    explicit PictureBox(QWidget* parent = nullptr);

    void set_picture(const QPixmap& picture);
    const QPixmap& picture() const { return m_picture; }
    void set_mode(Mode mode);
    Mode mode() const { return m_mode; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    Mode m_mode = Mode::Natural;
};

}  // namespace ui
