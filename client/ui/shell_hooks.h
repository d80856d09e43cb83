#pragma once
// Work of the account session that the shell runs at fixed points of
// start-up and from the main window's timers and menus. The account panel
// installs them; each one left empty is skipped.

#include <functional>

namespace ui {

struct ShellHooks {
    // Start-up, before the single-instance guard (and again at each sign-in).
    std::function<void()> check_service_status;
    // False when the client is handing over to the updater and must end now.
    std::function<bool()> check_for_update;
    // Remember-password restore: point the news pane at the news page and
    // call `loaded` once it has loaded (or a time limit passed).
    std::function<void(std::function<void()> loaded)> show_news_and_wait;
    // Automatic sign-in: recommendation pictures, the news wait, then the
    // sign-in exactly as 按钮_登录 does; `done` when it is over.
    std::function<void(std::function<void()> done)> automatic_sign_in;
    // 时钟_定时登录, every 24 hours: the sign-in again.
    std::function<void()> timed_sign_in;
    // 时钟1, every hour: reload the news panes.
    std::function<void()> reload_news;
    // The user menu's "注销".
    std::function<void()> sign_out;
};

}  // namespace ui
