#include "client/workspaces/ui/order_page.h"

#include "client/ui/app_context.h"

namespace workspaces {

OrderPage::OrderPage(ui::AppContext& context, QWidget* parent) : ui::FeaturePage(parent), m_context(context)
{
    setObjectName(QStringLiteral("OrderPage"));
}

}  // namespace workspaces
