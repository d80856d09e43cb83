#pragma once
// The account session's steps on the GUI thread: the sign-in button
// sequence, the sign-in request with its effects on the panel, the status
// line and the browsers' user agent, sign-out, the news panes and their
// hourly reload. The shell runs the start-up steps, the two timers and the
// user menu through the hooks this object installs in the app context.

#include "client/web/text.h"

#include <QObject>
#include <QString>

#include <functional>

namespace ui { struct AppContext; }

namespace account {

class AccountPanel;

class SessionController final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SessionController)
public:
    // Longest wait for a news page before the step that waits goes on.
    static constexpr int kNewsWaitMs = 15000;

    // Installs its hooks and functions in `context`, which must outlive it;
    // they are taken out again when the controller goes.
    SessionController(ui::AppContext& context, AccountPanel* panel);
    ~SessionController() override;

    // The clock the service period is measured against.
    void set_clock(web::LocalClock clock) { m_clock = std::move(clock); }

    // The whole sign-in as 按钮_登录 runs it. It ends with sign_in_finished
    // and `finished` (after the news wait when it succeeded).
    void sign_in(std::function<void(bool ok)> finished = {});
    // The sign-in request with the given texts and, on success, its effects;
    // the Signed-in flag and config.ini stay as they are.
    bool sign_in_request(const QString& user_name, const QString& password, QString* error);
    void sign_out();

    // 超文本浏览框1 to the service site's news page.
    void show_news();
    // 超文本浏览框1 to the account server's news, 超文本浏览框2 to its SEO page.
    void reload_news_hourly();

    // Start-up: point the news pane at the news page, then `loaded` once it
    // has loaded (or kNewsWaitMs passed).
    void show_news_and_wait(std::function<void()> loaded);
    // Start-up with automatic sign-in on: the box ticked, remember-password
    // pinned, the recommendation pictures, the news wait, then the sign-in
    // exactly as 按钮_登录 runs it; `done` when all of it is over.
    void automatic_sign_in(std::function<void()> done);

Q_SIGNALS:
    // End of a sign-in sequence (after its news wait when it succeeded).
    void sign_in_finished(bool ok);
    void signed_out();

private:
    void finish_sign_in(unsigned generation, const std::function<void(bool)>& finished);
    QWidget* find_in_window(const char* name) const;
    void set_window_label(const char* name, const QString& text);

    ui::AppContext& m_context;
    AccountPanel* m_panel;
    web::LocalClock m_clock = web::system_local_time;
    bool m_in_request = false;
    // A new sign-in drops what an earlier one still waits to do.
    unsigned m_generation = 0;
};

}  // namespace account
