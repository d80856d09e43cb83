#pragma once
// A guided run of the client for the demo: signs in to the simulator, walks
// through the pages and the skin center, and saves a picture of each.

#include <QObject>
#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace shell {

class Application;

class Tour final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(Tour)
public:
    Tour(Application& application, QString out_dir, QString user, QString password);

    // Starts once the main window has started; ends the event loop with 0
    // when every picture is saved, 1 when a step could not be done.
    void begin();

private:
    using Step = std::function<void()>;
    // Runs `step` after `delay_ms`, or once `ready` holds (polled, bounded).
    void after(int delay_ms, Step step);
    void when(std::function<bool()> ready, int limit_ms, const QString& what, Step step);
    void next();
    void fail(const QString& why);
    bool save(QWidget* window, const QString& name);
    void click(const char* name);

    Application& m_application;
    QString m_out_dir;
    QString m_user;
    QString m_password;
    std::vector<Step> m_steps;
    std::size_t m_next = 0;
};

}  // namespace shell
