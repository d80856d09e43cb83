#pragma once
// What every page and the shell share: folders, endpoints, config.ini and
// the account session. Built once by the application object; injectable so
// that a test runs a whole main window in a temporary folder against the
// simulator.

#include "client/web/endpoints.h"

#include <QString>

namespace settings { class ConfigFile; }
namespace account { class AccountSession; }

namespace ui {

struct AppContext {
    QString run_dir;      // folder of config.ini, 皮肤资源, update
    QString config_dir;   // per-user folder (single-instance name, key store)
    web::Endpoints endpoints;
    settings::ConfigFile* config = nullptr;
    account::AccountSession* session = nullptr;
};

}  // namespace ui
