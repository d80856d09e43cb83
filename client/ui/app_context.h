#pragma once
// What every page and the shell share: folders, endpoints, config.ini, the
// account session and the session's events. Built once by the application
// object; injectable so that a test runs a whole main window in a temporary
// folder against the simulator.

#include "client/ui/shell_hooks.h"
#include "client/web/endpoints.h"

#include <QObject>
#include <QString>

#include <functional>

namespace settings { class ConfigFile; }
namespace account { class AccountSession; }

namespace ui {

// Session-wide notifications between the account panel, the shell and pages.
class SessionEvents final : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
Q_SIGNALS:
    void signed_in();
    void signed_out();
};

struct AppContext {
    QString run_dir;      // folder of config.ini, 皮肤资源, update
    QString config_dir;   // per-user folder (single-instance name, key store)
    web::Endpoints endpoints;
    settings::ConfigFile* config = nullptr;
    account::AccountSession* session = nullptr;
    SessionEvents* events = nullptr;

    // The sign-in request again with the given (untrimmed) texts, with its
    // effects on the account panel, status line and user agent; neither the
    // Signed-in flag nor config.ini change. Provided by the account panel.
    std::function<bool(const QString& user_name, const QString& password, QString* error)>
        sign_in_request;
    // Current texts of 编辑框_用户名 and 编辑框_密码 (untrimmed).
    std::function<QString()> user_name_text;
    std::function<QString()> password_text;

    // Start-up steps, timers and the user menu the shell runs.
    ShellHooks hooks;
};

}  // namespace ui
