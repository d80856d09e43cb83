#include "client/ui/png_control.h"

#include <QAbstractButton>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QVariant>
#include <QWidget>

namespace ui {
namespace {

constexpr int kImageButton = 3;
constexpr const char* kType = "PngControl_Type";
constexpr const char* kTakenOver = "PngControl_WndProc";
constexpr const char* kNormal = "PngControl_NormalImage";
constexpr const char* kHover = "PngControl_OverlImage";
constexpr const char* kDown = "PngControl_DownImage";
constexpr const char* kDisabled = "PngControl_DisableImage";
constexpr const char* kBackType = "PngControl_BackType";
constexpr const char* kFocus = "PngControl_IsFoucs";
constexpr const char* kState = "Comet_DrawState";

int state_of(const QObject* button)
{
    return button->property(kState).toInt();
}

QImage image_of(const QObject* button, const char* name)
{
    return button->property(name).value<QImage>();
}

// Stores the state and repaints at once, even when it did not change.
void set_state(QWidget* button, int state)
{
    button->setProperty(kState, state);
    button->repaint();
}

void draw(QWidget* button)
{
    const QImage picture = PngControl::current_picture(button);
    if (picture.isNull())
        return;
    QPainter painter(button);
    const QSize box = button->size();
    switch (button->property(kBackType).toInt()) {
    case 1:
        painter.drawImage(QRect(QPoint(0, 0), box), picture);
        break;
    case 2: {
        const QSize fitted = shrink_to_fit(picture.size(), box);
        const QPoint at((box.width() - fitted.width()) / 2, (box.height() - fitted.height()) / 2);
        painter.drawImage(QRect(at, fitted), picture);
        break;
    }
    default:
        painter.drawImage(QPoint(0, 0), picture);
        break;
    }
}

// The taken-over event handling of one button; a child of the button, so
// it lives exactly as long as the button does.
class ButtonSkin final : public QObject {
public:
    explicit ButtonSkin(QWidget* button) : QObject(button), m_button(button)
    {
        if (auto* push = qobject_cast<QAbstractButton*>(button)) {
            connect(push, &QAbstractButton::pressed, this, [this] { on_set_state(true); });
            connect(push, &QAbstractButton::released, this, [this] { on_set_state(false); });
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched != m_button)
            return false;
        switch (event->type()) {
        case QEvent::Paint:
            draw(m_button);
            return true;
        case QEvent::FocusIn:
            m_button->setProperty(kFocus, 1);
            if (state_of(m_button) == 2)
                set_state(m_button, 1);
            return false;
        case QEvent::FocusOut:
            m_button->setProperty(kFocus, 0);
            if (state_of(m_button) == 1)
                set_state(m_button, 0);
            return false;
        case QEvent::EnabledChange:
            set_state(m_button, m_button->isEnabled() ? 0 : 3);
            return false;
        case QEvent::Enter:
        case QEvent::MouseMove:
            return after_default(event, [this] {
                const int state = state_of(m_button);
                if (state != 1 && state != 2)
                    set_state(m_button, 1);
            });
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
                return false;
            return after_default(event, [this] { set_state(m_button, 2); });
        case QEvent::MouseButtonRelease: {
            if (static_cast<QMouseEvent*>(event)->button() != Qt::LeftButton)
                return false;
            // Judged by the state before the button's own handling, which
            // may already have moved it on.
            const int before = state_of(m_button);
            return after_default(event, [this, before] { set_state(m_button, before == 2 ? 1 : 0); });
        }
        case QEvent::Leave:
            return after_default(event, [this] { set_state(m_button, 0); });
        default:
            return false;
        }
    }

private:
    // Lets the button handle the event first (a click may run a whole
    // handler, even close the window), then applies `then` if the button
    // still exists.
    template <typename Then>
    bool after_default(QEvent* event, Then then)
    {
        QPointer<QWidget> alive(m_button);
        if (m_in_default)
            return false;
        m_in_default = true;
        static_cast<QObject*>(m_button)->event(event);
        if (!alive)
            return true;
        m_in_default = false;
        then();
        return true;
    }

    // The button's own pushed/released highlight.
    void on_set_state(bool pushed)
    {
        const int state = pushed ? 2 : (m_button->property(kFocus).toInt() == 1 ? 1 : 0);
        if (state != state_of(m_button))
            m_button->setProperty(kState, state);
        m_button->repaint();
    }

    QWidget* m_button;
    bool m_in_default = false;
};

QImage decode(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return {};
    return QImage::fromData(bytes);
}

}  // namespace

void PngControl::attach(QWidget* button, const QImage& normal)
{
    if (!button)
        return;
    m_button = button;
    button->setAttribute(Qt::WA_NoSystemBackground);
    button->setAttribute(Qt::WA_TranslucentBackground);
    button->setMouseTracking(true);
    button->setProperty(kType, kImageButton);
    if (!normal.isNull())
        button->setProperty(kNormal, QVariant::fromValue(normal));
    if (!button->property(kTakenOver).isValid()) {
        button->installEventFilter(new ButtonSkin(button));
        button->setProperty(kTakenOver, 1);
    }
    button->update();
}

void PngControl::set_pictures(const QByteArray& normal, const QByteArray& hover,
                              const QByteArray& pressed, const QByteArray& disabled)
{
    set_pictures(decode(normal), decode(hover), decode(pressed), decode(disabled));
}

void PngControl::set_pictures(const QImage& normal, const QImage& hover, const QImage& pressed,
                              const QImage& disabled)
{
    if (!m_button)
        return;
    m_button->setProperty(kNormal, QVariant::fromValue(normal));
    m_button->setProperty(kHover, QVariant::fromValue(hover));
    m_button->setProperty(kDown, QVariant::fromValue(pressed));
    m_button->setProperty(kDisabled, QVariant::fromValue(disabled));
    m_button->update();
}

DrawState PngControl::draw_state(const QWidget* button)
{
    const int state = button ? state_of(button) : 0;
    return state >= 0 && state <= 3 ? static_cast<DrawState>(state) : DrawState::Normal;
}

QImage PngControl::current_picture(const QWidget* button)
{
    if (!button)
        return {};
    QImage picture;
    switch (state_of(button)) {
    case 1: picture = image_of(button, kHover); break;
    case 2: picture = image_of(button, kDown); break;
    case 3: picture = image_of(button, kDisabled); break;
    default: break;
    }
    return picture.isNull() ? image_of(button, kNormal) : picture;
}

QSize shrink_to_fit(QSize picture, QSize box)
{
    int w = picture.width();
    int h = picture.height();
    if (w > box.width()) {
        h = w > 0 ? static_cast<int>(static_cast<qint64>(h) * box.width() / w) : h;
        w = box.width();
    }
    if (h > box.height()) {
        w = h > 0 ? static_cast<int>(static_cast<qint64>(w) * box.height() / h) : w;
        h = box.height();
    }
    return {w, h};
}

}  // namespace ui
