#pragma once
// Page 2 of 主窗口选择夹: the mobile preview of the site with its QR code.

#include "client/ui/feature_page.h"

namespace ui { struct AppContext; }

namespace workspaces {

class MobilePage final : public ui::FeaturePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MobilePage)
public:
    explicit MobilePage(ui::AppContext& context, QWidget* parent = nullptr);

    // The page is selected from inside its own work, not by the switch.
    bool selects_itself() const override { return true; }
    void run_page_work(std::function<void()> done) override;

private:
    ui::AppContext& m_context;
};

}  // namespace workspaces
