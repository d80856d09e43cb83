#pragma once
// Page 1 of 主窗口选择夹: content management, the service's back end in an
// embedded browser, one back-end page per tab of 高级选择夹1.

#include "client/ui/feature_page.h"

#include <vector>

class QLabel;
class QTabWidget;
class QWebEngineView;

namespace ui { struct AppContext; }

namespace workspaces {

class ContentPage final : public ui::FeaturePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ContentPage)
public:
    explicit ContentPage(ui::AppContext& context, QWidget* parent = nullptr);

    // The page is selected from inside its own work, not by the switch.
    bool selects_itself() const override { return true; }
    void run_page_work(std::function<void()> done) override;

private:
    void on_tab_changed(int tab);
    void load_tab(int tab);
    void finish_load(int generation);

    ui::AppContext& m_context;
    QTabWidget* m_tabs = nullptr;
    QWebEngineView* m_browser = nullptr;
    QLabel* m_loading_caption = nullptr;
    QLabel* m_loading_picture = nullptr;
    // Set from a tab change until the browser has taken the navigation.
    bool m_page_load_flag = false;
    int m_load_generation = 0;
    // Page work waiting for the current load to end.
    std::vector<std::function<void()>> m_waiting;
};

}  // namespace workspaces
