#pragma once
// The two checks that open start-up and every sign-in: the service status
// (which may set the Service base address) and the update check (which may
// hand over to the updater and end the client).

#include <functional>

namespace ui { struct AppContext; }

namespace account {

// How the client ends after starting the updater. The default flushes the
// standard streams and ends the process at once with the code; tests
// install their own.
using ExitHandler = std::function<void(int code)>;
void set_exit_handler(ExitHandler handler);

// Status check, then update check, as the sign-in runs them. False when the
// client is handing over to the updater (only seen when an exit handler
// lets the call return).
bool run_service_checks(ui::AppContext& context);

// The update check alone: a failure says "检查自动更新失败，请检查网络"
// (title "提示") and returns; another version than ours starts
// <run dir>/update with the encoded fields as its one argument (no shell)
// and ends the client with code 0, whether or not the start succeeded.
// Returns false in that case, true when the client goes on.
bool run_update_check(ui::AppContext& context);

}  // namespace account
