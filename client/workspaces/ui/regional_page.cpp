#include "client/workspaces/ui/regional_page.h"

#include "client/ui/app_context.h"

namespace workspaces {

RegionalPage::RegionalPage(ui::AppContext& context, QWidget* parent) : ui::FeaturePage(parent), m_context(context)
{
    setObjectName(QStringLiteral("RegionalPage"));
}

}  // namespace workspaces
