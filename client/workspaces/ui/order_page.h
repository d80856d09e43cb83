#pragma once
// Page 4 of 主窗口选择夹: order query in the service's back end.

#include "client/ui/feature_page.h"

namespace ui { struct AppContext; }

namespace workspaces {

class OrderPage final : public ui::FeaturePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OrderPage)
public:
    explicit OrderPage(ui::AppContext& context, QWidget* parent = nullptr);

private:
    ui::AppContext& m_context;
};

}  // namespace workspaces
