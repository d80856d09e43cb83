#pragma once
// The updater's replaceable edges: its message box and the desktop's "open".
// Production code calls these; tests install handlers and answer in-process.

#include <QMessageBox>
#include <QString>

#include <functional>

class QWidget;

namespace update_ui {

struct MessageBoxRequest {
    QString text;
    QString title;
    QMessageBox::Icon icon = QMessageBox::Information;
    QWidget* owner = nullptr;
};

// A modal box with a single OK button. Without an owner it belongs to the
// first visible top-level window of this process, when there is one.
void message_box(const QString& text, const QString& title = QStringLiteral("友情提醒"),
                 QMessageBox::Icon icon = QMessageBox::Information, QWidget* owner = nullptr);
using MessageBoxHandler = std::function<void(const MessageBoxRequest&)>;
// An empty handler restores the real box.
void set_message_box_handler(MessageBoxHandler handler);

// Opens an address or a local path with the desktop's default application.
bool open_url(const QString& address);
using OpenUrlHandler = std::function<bool(const QString&)>;
void set_open_url_handler(OpenUrlHandler handler);

} // namespace update_ui
