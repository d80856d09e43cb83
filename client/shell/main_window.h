#pragma once
// The main window: title strip, feature row, the page area 主窗口选择夹 with
// the nine pages, the status line and the connection corner. It builds the
// frame and owns no page's logic.

#include "client/ui/png_control.h"

#include <QPointer>
#include <QWidget>

#include <array>

class QLabel;
class QMenu;
class QPushButton;
class QTabWidget;
class QTimer;

namespace ui {
struct AppContext;
class FeaturePage;
class PictureBox;
}  // namespace ui

namespace shell {

class PageSwitch;
class SingleInstance;
class SkinCenter;
class Startup;

class MainWindow final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(MainWindow)
public:
    static constexpr int kWidth = 900;
    static constexpr int kDesignHeight = 624;
    static constexpr int kHeight = 600;

    explicit MainWindow(ui::AppContext& context, QWidget* parent = nullptr);
    ~MainWindow() override;

    ui::AppContext& context() const { return m_context; }
    ui::PngControl& binder() { return m_binder; }
    ui::PictureBox* background() const { return m_background; }
    QLabel* skin_label() const { return m_skin_label; }
    QTabWidget* page_area() const { return m_pages; }
    ui::FeaturePage* page(int index) const;
    SingleInstance& single_instance() const { return *m_single_instance; }
    // The open skin center, if any.
    SkinCenter* skin_center() const;

    // The start-up sequence; ends with started() or, when this client must
    // not run (another one runs, or the updater takes over), exit_requested(0).
    void start();
    // Re-applies every skinned picture and the two status pictures.
    void skin_refresh();
    // The id the running client publishes under "ridoraza".
    quint32 window_id();
    // Starts the sign-in and news timers (once start-up is over).
    void start_timers();

Q_SIGNALS:
    void started();
    void exit_requested(int code);

protected:
    // Closing from the desktop asks the same question as 按钮_关闭.
    void closeEvent(QCloseEvent* event) override;

private:
    void build_title_strip();
    void build_feature_row();
    void build_page_area();
    void build_status_line();
    void build_menus();
    void ask_exit();
    void open_skin_center();
    void on_show_requested(quint32 id);

    ui::AppContext& m_context;
    ui::PngControl m_binder;
    ui::PictureBox* m_background = nullptr;
    QLabel* m_title = nullptr;
    QLabel* m_skin_label = nullptr;
    QTabWidget* m_pages = nullptr;
    std::array<ui::FeaturePage*, 9> m_page_list{};
    QMenu* m_main_menu = nullptr;
    QTimer* m_sign_in_timer = nullptr;
    QTimer* m_news_timer = nullptr;
    SingleInstance* m_single_instance = nullptr;
    PageSwitch* m_page_switch = nullptr;
    Startup* m_startup = nullptr;
    QPointer<SkinCenter> m_skin_center;
};

}  // namespace shell
