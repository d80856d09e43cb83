#include "client/workspaces/ui/statistics_page.h"

#include "client/ui/app_context.h"

namespace workspaces {

StatisticsPage::StatisticsPage(ui::AppContext& context, QWidget* parent) : ui::FeaturePage(parent), m_context(context)
{
    setObjectName(QStringLiteral("StatisticsPage"));
}

}  // namespace workspaces
