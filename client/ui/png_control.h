#pragma once
// Image buttons: ordinary buttons that show one of four pictures (normal,
// hover, pressed, disabled) drawn with their alpha over whatever lies behind
// them. One binder object is pointed at each button in turn; everything a
// button needs afterwards lives in its own dynamic properties:
//
//   PngControl_Type          3 for an image button
//   PngControl_WndProc       set once the button's events are taken over
//   PngControl_NormalImage   QImage (null = none)
//   PngControl_OverlImage    hover picture
//   PngControl_DownImage     pressed picture
//   PngControl_DisableImage  disabled picture
//   PngControl_BackType      placement: 0/absent natural size at the top
//                            left, 1 stretched, 2 shrunk to fit and centred
//   PngControl_IsFoucs       1 while the button has the keyboard focus
//   Comet_DrawState          0 normal, 1 hover, 2 pressed, 3 disabled
//
// Qt composes every widget over its parent in a double-buffered backing
// store, so a button only paints its picture: what lies behind shows
// through the transparent pixels without copying the screen, and a state
// change repaints at once without flicker.

#include <QByteArray>
#include <QImage>
#include <QPointer>
#include <QSize>

class QWidget;

namespace ui {

enum class DrawState { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3 };

class PngControl final {
public:
    PngControl() = default;
    PngControl(const PngControl&) = delete;
    PngControl& operator=(const PngControl&) = delete;

    // Binds to `button` and takes it over the first time; a later attach to
    // the same button only rebinds and sets the type. Null leaves the
    // binding as it was.
    void attach(QWidget* button, const QImage& normal = {});
    // Decodes each PNG (empty or undecodable gives no picture) and stores
    // all four on the bound button.
    void set_pictures(const QByteArray& normal, const QByteArray& hover, const QByteArray& pressed,
                      const QByteArray& disabled);
    void set_pictures(const QImage& normal, const QImage& hover, const QImage& pressed,
                      const QImage& disabled);

    QWidget* bound() const { return m_button; }

    static DrawState draw_state(const QWidget* button);
    // The picture the button shows in its current state (null when none).
    static QImage current_picture(const QWidget* button);

private:
    QPointer<QWidget> m_button;
};

// Picture size w0×h0 shrunk into a W×H box keeping its proportions; never enlarged.
QSize shrink_to_fit(QSize picture, QSize box);

}  // namespace ui
