#include "client/account/ui/service_checks.h"

#include "client/account/account_session.h"
#include "client/account/service_status.h"
#include "client/account/update_check.h"
#include "client/ui/app_context.h"
#include "client/ui/seams.h"
#include "platform/platform.h"

#include <cstdio>
#include <cstdlib>

namespace account {
namespace {

ExitHandler& exit_handler()
{
    static ExitHandler handler;
    return handler;
}

void end_client(int code)
{
    if (const ExitHandler& handler = exit_handler()) {
        handler(code);
        return;
    }
    // Nothing is saved and nothing may run after the hand-off: the updater
    // is about to replace this program's files.
    std::fflush(nullptr);
    std::_Exit(code);
}

}  // namespace

void set_exit_handler(ExitHandler handler)
{
    exit_handler() = std::move(handler);
}

bool run_service_checks(ui::AppContext& context)
{
    if (!context.session)
        return true;
    status_check(*context.session);
    return run_update_check(context);
}

bool run_update_check(ui::AppContext& context)
{
    if (!context.session)
        return true;
    const UpdateCheckResult check = check_for_update(context.session->service_base());
    switch (check.outcome) {
    case UpdateOutcome::UpToDate:
        return true;
    case UpdateOutcome::Failed:
        ui::message_box(QString::fromUtf8(kUpdateFailedText.data(),
                                          static_cast<int>(kUpdateFailedText.size())),
                        QStringLiteral("提示"));
        return true;
    case UpdateOutcome::UpdaterNeeded: {
        const UpdaterLaunch launch =
            updater_launch(context.run_dir.toStdString(), check.manifest.softurl);
        // A failed start changes nothing: the client ends all the same and
        // the user can fetch the package from the site.
        platform::start_detached(launch.program, {launch.argument});
        end_client(0);
        return false;
    }
    }
    return true;
}

}  // namespace account
