#pragma once
// The overview page (检测体验) of 体验选择夹 and its reminders: before a
// check-up it says how long the site has gone unchecked; after one it
// counts minutes, then hours, since the last one and writes the running
// count into config.ini (section 体验时间).

#include <QWidget>

class QLabel;
class QPushButton;
class QTimer;

namespace settings { class ConfigFile; }

namespace checkup {

class OverviewTab final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(OverviewTab)
public:
    // `config` may be null (nothing is written then).
    explicit OverviewTab(settings::ConfigFile* config, QWidget* parent = nullptr);

    QPushButton* check_now_button() const { return m_check_now; }  // 按钮_立即体检

    // Back from a finished scan: the overview says the site is in good
    // shape, once; later calls change nothing.
    void show_checked_up();
    // The end of a scan: the count starts again at one minute.
    void start_count();

private:
    void minute_tick();  // 时钟8
    void hour_tick();    // 时钟9
    void show_safe_computer();
    void write_count(const char* key, int value);
    QLabel* add_label(const char* name, const QString& caption, QRect geometry, int pixels);
    void place_in_gap(QLabel* number, const QLabel* line, const QString& before, const QString& gap);

    settings::ConfigFile* m_config;
    QLabel* m_computer = nullptr;        // 电脑图
    QLabel* m_computer_state = nullptr;  // 电脑UI, hidden: which computer picture a refresh shows
    QLabel* m_state = nullptr;           // 体验标签
    QLabel* m_headline = nullptr;        // 体验标语
    QLabel* m_days = nullptr;            // 透明标签3
    QLabel* m_hint = nullptr;            // 体验提示
    QLabel* m_count = nullptr;           // 体验时间差
    QLabel* m_minutes = nullptr;         // 分钟标签, hidden
    QPushButton* m_check_now = nullptr;
    QTimer* m_minute_clock = nullptr;    // 时钟8
    QTimer* m_hour_clock = nullptr;      // 时钟9
};

}  // namespace checkup
