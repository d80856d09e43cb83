#pragma once
// Page 6 of 主窗口选择夹: information publishing. The service site's SEO page
// beside the platform list from the account server; 发布 marks the ticked
// platforms published one after another on a worker.

#include "client/ui/feature_page.h"
#include "client/web/background_job.h"
#include "client/workspaces/platform_list.h"
#include "client/workspaces/tick_board.h"

#include <memory>

class QCheckBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class QWebEngineView;

namespace ui { struct AppContext; }

namespace workspaces {

class PublishingPage final : public ui::FeaturePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PublishingPage)
public:
    explicit PublishingPage(ui::AppContext& context, QWidget* parent = nullptr);

    void run_page_work(std::function<void()> done) override;

    // Set once a platform list has been delivered; never cleared.
    bool platform_list_ready() const { return m_list_ready; }

private:
    enum class Status { Idle, Busy };

    void start_list_load();
    void show_platforms(int generation, const std::vector<Platform>& platforms);
    void try_finish(int generation);
    void on_item_changed(QTreeWidgetItem* item, int column);
    void on_select_all(bool ticked);
    void on_refresh();
    void on_publish();
    void start_publishing();
    void stop_publishing();
    void end_publishing();
    void set_status(Status status);

    ui::AppContext& m_context;
    QWebEngineView* m_viewer = nullptr;
    QLabel* m_loading_caption = nullptr;
    QLabel* m_loading_picture = nullptr;
    QTreeWidget* m_list = nullptr;
    QCheckBox* m_select_all = nullptr;
    QPushButton* m_publish = nullptr;
    QPushButton* m_refresh = nullptr;
    QLabel* m_done_caption = nullptr;
    QLabel* m_result_caption = nullptr;
    QLabel* m_status_picture = nullptr;

    // 1: the list must be (re)loaded; 2: loading has been started.
    int m_list_state = 1;
    bool m_list_ready = false;
    bool m_list_pending = false;
    bool m_viewer_pending = false;
    int m_work_generation = 0;
    int m_list_generation = 0;
    int m_publish_generation = 0;
    std::function<void()> m_done;
    std::shared_ptr<TickBoard> m_ticks = std::make_shared<TickBoard>();
    web::BackgroundJob m_list_job;
    web::BackgroundJob m_publish_job;
};

}  // namespace workspaces
