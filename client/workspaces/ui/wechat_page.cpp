#include "client/workspaces/ui/wechat_page.h"

#include "client/ui/app_context.h"

namespace workspaces {

WechatPage::WechatPage(ui::AppContext& context, QWidget* parent) : ui::FeaturePage(parent), m_context(context)
{
    setObjectName(QStringLiteral("WechatPage"));
}

}  // namespace workspaces
