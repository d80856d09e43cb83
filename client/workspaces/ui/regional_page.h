#pragma once
// Page 7 of 主窗口选择夹: regional marketing in the service's back end.

#include "client/ui/feature_page.h"

namespace ui { struct AppContext; }

namespace workspaces {

class RegionalPage final : public ui::FeaturePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(RegionalPage)
public:
    explicit RegionalPage(ui::AppContext& context, QWidget* parent = nullptr);

private:
    ui::AppContext& m_context;
};

}  // namespace workspaces
