#pragma once
// Page 2 of 主窗口选择夹: the site as a phone shows it, beside its QR code.

#include "client/ui/feature_page.h"
#include "client/web/background_job.h"

#include <string>

class QLabel;
class QWebEngineView;

namespace ui {
struct AppContext;
class PictureBox;
}  // namespace ui

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
    void show_qr_code(int generation, const std::string& reply);
    void finish(int generation);

    ui::AppContext& m_context;
    ui::PictureBox* m_backdrop = nullptr;
    ui::PictureBox* m_qr_code = nullptr;
    QWebEngineView* m_viewer = nullptr;
    QWebEngineView* m_phone_browser = nullptr;
    QLabel* m_loading_picture = nullptr;
    web::BackgroundJob m_qr_job;
    int m_generation = 0;
    bool m_qr_done = false;
    bool m_viewer_done = false;
    std::function<void()> m_done;
};

}  // namespace workspaces
