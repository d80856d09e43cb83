#include "client/ui/seams.h"

#include <QDesktopServices>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <QUrl>

#include <algorithm>
#include <random>

namespace ui {
namespace {

MessageBoxHandler& message_box_handler()
{
    static MessageBoxHandler handler;
    return handler;
}

OpenUrlHandler& open_url_handler()
{
    static OpenUrlHandler handler;
    return handler;
}

SaveFileHandler& save_file_handler()
{
    static SaveFileHandler handler;
    return handler;
}

RandomHandler& random_handler()
{
    static RandomHandler handler;
    return handler;
}

QMessageBox::Icon to_qt(Icon icon)
{
    switch (icon) {
    case Icon::Information: return QMessageBox::Information;
    case Icon::Warning: return QMessageBox::Warning;
    case Icon::Question: return QMessageBox::Question;
    // The desktop's exclamation sign is the warning triangle.
    case Icon::Exclamation: return QMessageBox::Warning;
    case Icon::None: break;
    }
    return QMessageBox::NoIcon;
}

Answer show_real_box(const MessageBoxRequest& request, QWidget* parent)
{
    QMessageBox box(to_qt(request.icon), request.title, request.text, QMessageBox::NoButton, parent);
    if (request.buttons == Buttons::YesNo) {
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        box.setDefaultButton(QMessageBox::Yes);
        box.setEscapeButton(QMessageBox::No);
    } else {
        box.setStandardButtons(QMessageBox::Ok);
    }
    // Without an owner the box still blocks every window of the program.
    box.setWindowModality(parent ? Qt::WindowModal : Qt::ApplicationModal);
    const int result = box.exec();
    if (request.buttons == Buttons::YesNo)
        return result == QMessageBox::Yes ? Answer::Yes : Answer::No;
    return Answer::Ok;
}

}  // namespace

Answer message_box(const QString& text, const QString& title, Buttons buttons, Icon icon,
                   QWidget* parent)
{
    const MessageBoxRequest request{text, title.isEmpty() ? QStringLiteral("信息：") : title, buttons,
                                    icon};
    if (const auto& handler = message_box_handler())
        return handler(request);
    return show_real_box(request, parent);
}

void set_message_box_handler(MessageBoxHandler handler)
{
    message_box_handler() = std::move(handler);
}

bool open_url(const QString& url_or_path)
{
    if (const auto& handler = open_url_handler())
        return handler(url_or_path);
    const QUrl url = QUrl::fromUserInput(url_or_path);
    return url.isValid() && QDesktopServices::openUrl(url);
}

void set_open_url_handler(OpenUrlHandler handler)
{
    open_url_handler() = std::move(handler);
}

QString save_file_name(QWidget* parent, const QString& caption, const QString& suggested,
                       const QString& filter)
{
    if (const auto& handler = save_file_handler())
        return handler(caption, suggested, filter);
    return QFileDialog::getSaveFileName(parent, caption, suggested, filter);
}

void set_save_file_handler(SaveFileHandler handler)
{
    save_file_handler() = std::move(handler);
}

int random_int(int low, int high)
{
    if (high < low)
        std::swap(low, high);
    if (const auto& handler = random_handler())
        return handler(low, high);
    static thread_local std::mt19937 engine{std::random_device{}()};
    return std::uniform_int_distribution<int>(low, high)(engine);
}

void set_random_handler(RandomHandler handler)
{
    random_handler() = std::move(handler);
}

bool wait_until(const std::function<bool()>& predicate, int poll_ms, int limit_ms)
{
    QElapsedTimer clock;
    clock.start();
    const qint64 poll = std::max(poll_ms, 1);
    while (!predicate()) {
        const qint64 left = limit_ms - clock.elapsed();
        if (left <= 0)
            return false;
        // A timed local loop rather than a sleep: events keep flowing while waiting.
        QEventLoop loop;
        QTimer::singleShot(static_cast<int>(std::min(poll, left)), &loop, &QEventLoop::quit);
        loop.exec();
    }
    return true;
}

}  // namespace ui
