#pragma once
// The common steps of a feature button before its page does its own work:
// the back-end user agent, the signed-in guard, the skin refresh, the one
// visible highlight, the buttons disabled while the page works.

#include <QObject>

#include <array>
#include <memory>

class QPushButton;

namespace shell {

class MainWindow;

class PageSwitch final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PageSwitch)
public:
    explicit PageSwitch(MainWindow& window);

    // What a click on the feature button of `page` does.
    void switch_to(int page);

private:
    void switch_to_checkup();
    void show_highlight(int page);
    void set_buttons_enabled(bool enabled);
    void select(int page);

    MainWindow& m_window;
    std::array<QPushButton*, 9> m_buttons{};
    std::array<QWidget*, 9> m_highlights{};
    // Bumped by each guarded switch: a page's late `done` from an earlier
    // switch must not re-enable the buttons during a later page's work.
    std::shared_ptr<int> m_generation = std::make_shared<int>(0);
};

}  // namespace shell
