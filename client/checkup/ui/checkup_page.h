#pragma once
// Page 0: the website check-up. Its tab control 体验选择夹 carries the
// overview (检测体验) and the scan page (扫描界面). A check-up scrapes the
// site's metrics once per run of the client, then reveals the report step
// by step while the progress picture crosses its frame.

#include "client/checkup/checkup_record.h"
#include "client/ui/feature_page.h"

#include <functional>

class QTabWidget;
class QTimer;

namespace ui { struct AppContext; }

namespace checkup {

class MetricsFetch;
class OverviewTab;
class ScanTab;

class CheckupPage final : public ui::FeaturePage {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CheckupPage)
public:
    explicit CheckupPage(ui::AppContext& context, QWidget* parent = nullptr);
    ~CheckupPage() override;

    QTabWidget* tabs() const { return m_tabs; }
    QWidget* overview_page() const;
    QWidget* scan_page() const;
    // The last check-up's values, kept for the life of the page (the process).
    const CheckupRecord& record() const { return m_record; }

private:
    void start_run();                                // 按钮_立即体检
    void scan(std::function<void(bool go_on)> then);  // 按钮_体检
    void poll();                                     // one turn of the run loop
    bool step();                                     // false: no longer signed in
    void end_of_scan();
    void cancel_clicked();                           // 按钮_取消
    void done_clicked();                             // 按钮_完成
    void show_signed_out_error();
    bool signed_in() const;

    ui::AppContext& m_context;
    CheckupRecord m_record;
    QTabWidget* m_tabs = nullptr;
    OverviewTab* m_overview = nullptr;
    ScanTab* m_scan = nullptr;
    MetricsFetch* m_fetch = nullptr;
    QTimer* m_scan_clock = nullptr;  // 时钟3: runs while the report is revealed
    QTimer* m_run_loop = nullptr;    // the run loop's 200 ms turns
    quint64 m_scan_generation = 0;   // a newer scan drops an older one's continuation
};

}  // namespace checkup
