#include "client/workspaces/ui/publishing_page.h"

#include "client/ui/app_context.h"

namespace workspaces {

PublishingPage::PublishingPage(ui::AppContext& context, QWidget* parent) : ui::FeaturePage(parent), m_context(context)
{
    setObjectName(QStringLiteral("PublishingPage"));
}

}  // namespace workspaces
