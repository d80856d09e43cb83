#pragma once
// One client per user: the first one listens on a local socket whose name
// comes from the per-user config folder; a later one finds it there and asks
// it to show its window.

#include <QObject>
#include <QString>

class QLocalServer;

namespace shell {

class SingleInstance final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SingleInstance)
public:
    explicit SingleInstance(const QString& config_dir, QObject* parent = nullptr);

    static QString server_name(const QString& config_dir);

    // True when another client of this user is running.
    bool another_is_running() const;
    // Asks the running client to show the window `window_id` normally.
    bool ask_to_show(quint32 window_id) const;
    // Becomes the running client; false when the name is taken.
    bool listen();

Q_SIGNALS:
    void show_requested(quint32 window_id);

private:
    void on_connection();

    QString m_name;
    QLocalServer* m_server = nullptr;
};

}  // namespace shell
