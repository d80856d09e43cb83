#include "client/shell/tour/tour.h"

#include "client/account/account_session.h"
#include "client/shell/application.h"
#include "client/shell/feature_table.h"
#include "client/shell/main_window.h"
#include "client/shell/skin_center.h"
#include "client/ui/find_control.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPixmap>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <cstdio>

namespace shell {
namespace {

constexpr int kSettleMs = 2500;   // pages and panes finish drawing
constexpr int kPageLimitMs = 30000;

bool blank(const QImage& image)
{
    if (image.isNull())
        return true;
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            if (image.pixel(x, y) != first)
                return false;
    return true;
}

// Presses on a control that reacts to the press itself (the skin tiles).
void press(QWidget* control)
{
    const QPointF at(control->width() / 2.0, control->height() / 2.0);
    QMouseEvent down(QEvent::MouseButtonPress, at, control->mapToGlobal(at), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, at, control->mapToGlobal(at), Qt::LeftButton,
                   Qt::NoButton, Qt::NoModifier);
    QCoreApplication::sendEvent(control, &up);
}

}  // namespace

Tour::Tour(Application& application, QString out_dir, QString user, QString password)
    : m_application(application), m_out_dir(std::move(out_dir)), m_user(std::move(user)),
      m_password(std::move(password))
{
}

void Tour::begin()
{
    QDir().mkpath(m_out_dir);
    MainWindow& window = m_application.window();
    account::AccountSession* session = m_application.context().session;

    m_steps.push_back([this] { after(kSettleMs, [this] { next(); }); });
    m_steps.push_back([this, &window] {
        if (auto* user = ui::find_control<QLineEdit>(&window, QStringLiteral("编辑框_用户名")))
            user->setText(m_user);
        if (auto* password = ui::find_control<QLineEdit>(&window, QStringLiteral("编辑框_密码")))
            password->setText(m_password);
        click("按钮_登录");
        next();
    });
    m_steps.push_back([this, session] {
        when([session] { return session && session->signed_in(); }, kPageLimitMs,
             QStringLiteral("sign-in"), [this] { after(kSettleMs, [this] { next(); }); });
    });
    m_steps.push_back([this, &window] {
        if (save(&window, QStringLiteral("main_window.png")))
            next();
    });

    // The skin center with the first skin chosen, so one tile shows its mark.
    m_steps.push_back([this, &window] {
        click("按钮_换皮肤");
        when([&window] { return window.skin_center() && window.skin_center()->isVisible(); }, 5000,
             QStringLiteral("skin center"), [this, &window] {
                 press(ui::find_control(window.skin_center(), QStringLiteral("透明标签3")));
                 after(800, [this, &window] {
                     if (save(window.skin_center(), QStringLiteral("skin_center.png"))) {
                         window.skin_center()->close();
                         after(500, [this] { next(); });
                     }
                 });
             });
    });

    // A check-up run, part way through its reveal.
    m_steps.push_back([this] {
        click("按钮_立即体检");
        after(9000, [this] {
            if (save(&m_application.window(), QStringLiteral("checkup_scan.png")))
                next();
        });
    });

    for (const FeatureEntry& entry : feature_table()) {
        if (entry.page == 0)
            continue;
        m_steps.push_back([this, &window, entry] {
            click(entry.button);
            const auto buttons_back = [&window] {
                for (const FeatureEntry& e : feature_table()) {
                    auto* button = ui::find_control(&window, QString::fromUtf8(e.button));
                    if (!button || !button->isEnabled())
                        return false;
                }
                return true;
            };
            when(buttons_back, kPageLimitMs, QString::fromUtf8(entry.caption), [this, &window, entry] {
                after(kSettleMs, [this, &window, entry] {
                    if (save(&window, QStringLiteral("page_%1.png").arg(entry.page)))
                        next();
                });
            });
        });
    }
    m_steps.push_back([] { QCoreApplication::exit(0); });
    next();
}

void Tour::after(int delay_ms, Step step)
{
    QTimer::singleShot(delay_ms, this, std::move(step));
}

void Tour::when(std::function<bool()> ready, int limit_ms, const QString& what, Step step)
{
    auto clock = std::make_shared<QElapsedTimer>();
    clock->start();
    auto poll = std::make_shared<std::function<void()>>();
    *poll = [this, ready = std::move(ready), limit_ms, what, step = std::move(step), clock, poll]() {
        if (ready()) {
            step();
            *poll = nullptr;  // breaks the cycle through the capture
            return;
        }
        if (clock->elapsed() > limit_ms) {
            fail(QStringLiteral("gave up waiting for ") + what);
            *poll = nullptr;
            return;
        }
        QTimer::singleShot(100, this, [poll] {
            if (*poll)
                (*poll)();
        });
    };
    (*poll)();
}

void Tour::next()
{
    if (m_next < m_steps.size())
        m_steps[m_next++]();
}

void Tour::fail(const QString& why)
{
    std::fprintf(stderr, "tour: %s\n", why.toLocal8Bit().constData());
    QCoreApplication::exit(1);
}

bool Tour::save(QWidget* window, const QString& name)
{
    if (!window) {
        fail(QStringLiteral("no window for ") + name);
        return false;
    }
    // The screen holds what the browsers drew; an off-screen platform has
    // no screen contents, and the widgets are drawn again instead.
    QPixmap picture;
    if (QScreen* screen = window->screen())
        picture = screen->grabWindow(window->winId());
    if (blank(picture.toImage()))
        picture = window->grab();
    const QString path = m_out_dir + QLatin1Char('/') + name;
    if (!picture.save(path, "PNG")) {
        fail(QStringLiteral("cannot write ") + path);
        return false;
    }
    std::printf("tour: %s\n", path.toLocal8Bit().constData());
    std::fflush(stdout);
    return true;
}

void Tour::click(const char* name)
{
    if (auto* button = ui::find_control<QAbstractButton>(&m_application.window(), QString::fromUtf8(name)))
        button->click();
}

}  // namespace shell
