#pragma once
// Page 6 of 主窗口选择夹: information publishing to the platform list.

#include "client/ui/feature_page.h"

namespace ui { struct AppContext; }

namespace workspaces {

class PublishingPage final : public ui::FeaturePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PublishingPage)
public:
    explicit PublishingPage(ui::AppContext& context, QWidget* parent = nullptr);

private:
    ui::AppContext& m_context;
};

}  // namespace workspaces
