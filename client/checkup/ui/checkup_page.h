#pragma once
// Page 0: the website check-up. Its tab control 体验选择夹 carries the
// overview (检测体验) and the scan page (扫描界面); their contents and the
// run itself belong to this page.

#include "client/ui/feature_page.h"

class QLabel;
class QTabWidget;

namespace ui { struct AppContext; }

namespace checkup {

class CheckupPage final : public ui::FeaturePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CheckupPage)
public:
    explicit CheckupPage(ui::AppContext& context, QWidget* parent = nullptr);

    QTabWidget* tabs() const { return m_tabs; }
    QWidget* overview_page() const { return m_overview; }
    QWidget* scan_page() const { return m_scan; }

private:
    ui::AppContext& m_context;
    QTabWidget* m_tabs = nullptr;
    QWidget* m_overview = nullptr;
    QWidget* m_scan = nullptr;
    QLabel* m_computer = nullptr;        // 电脑图
    QLabel* m_computer_state = nullptr;  // 电脑UI, hidden: which computer picture a refresh shows
};

}  // namespace checkup
