#pragma once
// The replaceable edges of the GUI: message boxes, the desktop's "open",
// the save-file dialog, the random source, and the one bounded nested wait.
// Production code calls these; tests install handlers.

#include <QString>

#include <functional>

class QWidget;

namespace ui {

enum class Buttons { Ok, YesNo };
enum class Icon { None, Information, Warning, Question, Exclamation };
enum class Answer { Ok, Yes, No };

struct MessageBoxRequest {
    QString text;
    QString title;
    Buttons buttons = Buttons::Ok;
    Icon icon = Icon::Information;
};

// Shows a modal box (owned by `parent` when given) and returns the answer.
Answer message_box(const QString& text, const QString& title = {}, Buttons buttons = Buttons::Ok,
                   Icon icon = Icon::Information, QWidget* parent = nullptr);
using MessageBoxHandler = std::function<Answer(const MessageBoxRequest&)>;
// Empty handler restores the real QMessageBox.
void set_message_box_handler(MessageBoxHandler handler);

// Opens a URL or path with the desktop's default application.
bool open_url(const QString& url_or_path);
using OpenUrlHandler = std::function<bool(const QString&)>;
void set_open_url_handler(OpenUrlHandler handler);

// Asks for a file name to save to; empty when cancelled.
QString save_file_name(QWidget* parent, const QString& caption, const QString& suggested,
                       const QString& filter);
using SaveFileHandler = std::function<QString(const QString& caption, const QString& suggested,
                                              const QString& filter)>;
void set_save_file_handler(SaveFileHandler handler);

// Uniform integer in [low, high].
int random_int(int low, int high);
using RandomHandler = std::function<int(int low, int high)>;
void set_random_handler(RandomHandler handler);

// Processes events until `predicate` holds or `limit_ms` passes; true when
// it holds. Use only where a continuation would change the order of effects.
bool wait_until(const std::function<bool()>& predicate, int poll_ms, int limit_ms);

}  // namespace ui
