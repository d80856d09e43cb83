#include "client/workspaces/ui/mobile_page.h"

#include "client/ui/app_context.h"

namespace workspaces {

MobilePage::MobilePage(ui::AppContext& context, QWidget* parent) : ui::FeaturePage(parent), m_context(context)
{
    setObjectName(QStringLiteral("MobilePage"));
}

void MobilePage::run_page_work(std::function<void()> done)
{
    Q_EMIT select_requested();
    done();
}

}  // namespace workspaces
