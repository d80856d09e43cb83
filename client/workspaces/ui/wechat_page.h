#pragma once
// Page 8 of 主窗口选择夹: WeChat marketing.

#include "client/ui/feature_page.h"

namespace ui { struct AppContext; }

namespace workspaces {

class WechatPage final : public ui::FeaturePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(WechatPage)
public:
    explicit WechatPage(ui::AppContext& context, QWidget* parent = nullptr);

private:
    ui::AppContext& m_context;
};

}  // namespace workspaces
