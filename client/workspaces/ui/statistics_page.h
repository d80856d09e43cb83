#pragma once
// Page 3 of 主窗口选择夹: query statistics, the account's statistics page signed in.

#include "client/ui/feature_page.h"

namespace ui { struct AppContext; }

namespace workspaces {

class StatisticsPage final : public ui::FeaturePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(StatisticsPage)
public:
    explicit StatisticsPage(ui::AppContext& context, QWidget* parent = nullptr);

private:
    ui::AppContext& m_context;
};

}  // namespace workspaces
