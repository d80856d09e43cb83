#include "update/ui/seams.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QUrl>
#include <QWidget>

namespace update_ui {

namespace {

MessageBoxHandler& box_handler()
{
    static MessageBoxHandler handler;
    return handler;
}

OpenUrlHandler& url_handler()
{
    static OpenUrlHandler handler;
    return handler;
}

QWidget* first_visible_window()
{
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (widget->isVisible() && widget->isWindow())
            return widget;
    return nullptr;
}

} // namespace

void message_box(const QString& text, const QString& title, QMessageBox::Icon icon, QWidget* owner)
{
    MessageBoxRequest request{text, title, icon, owner ? owner : first_visible_window()};
    if (box_handler()) {
        box_handler()(request);
        return;
    }
    QMessageBox box(request.icon, request.title, request.text, QMessageBox::Ok, request.owner);
    box.setWindowModality(request.owner ? Qt::WindowModal : Qt::ApplicationModal);
    box.exec();
}

void set_message_box_handler(MessageBoxHandler handler)
{
    box_handler() = std::move(handler);
}

bool open_url(const QString& address)
{
    if (url_handler())
        return url_handler()(address);
    // A local path opens as a file; anything with a scheme as it is.
    const QUrl url =
        QDir::isAbsolutePath(address) ? QUrl::fromLocalFile(address) : QUrl::fromUserInput(address);
    return QDesktopServices::openUrl(url);
}

void set_open_url_handler(OpenUrlHandler handler)
{
    url_handler() = std::move(handler);
}

} // namespace update_ui
