#pragma once
// Drives a check-up page the way a user and its timers would: controls by
// name, clicks, timer ticks, and the run loop turned step by step with every
// step's revealed controls checked against the reveal table.

#include <QColor>
#include <QString>
#include <QWidget>

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace checkup_test {

// The controls each stretch of positions reveals, from its first position.
const std::vector<std::pair<int, std::vector<const char*>>>& reveal_table();
// What a repeated scan hides before it reveals the report again.
const std::vector<const char*>& hidden_on_rerun();
std::set<std::string> expected_visible(int position);
// What stays on screen when a finished report is revealed again.
std::set<std::string> kept_on_rerun();

class PageDriver {
public:
    static constexpr int kWaitMs = 20000;

    void set_page(QWidget* page) { m_page = page; }

    template <typename T = QWidget> T* control(const char* name) const
    {
        return m_page->findChild<T*>(QString::fromUtf8(name));
    }
    QString text(const char* name) const;
    QString caption(const char* name) const;
    bool visible(const char* name) const;
    // Shown and not covered at its centre by another control: a click there
    // lands on it.
    bool reachable(const char* name) const;
    void click(const char* name) const;
    // A tick of a timer, as if its period had run out.
    void tick(const char* name) const;
    int position() const;
    QColor status_colour() const;
    bool shows(const char* name, const char* picture) const;

    // Starts a check-up and waits for the first step after the scraping;
    // from then on the test turns the run loop itself.
    void start_check_up();
    // Turns the run loop until the scan ends, checking every step.
    void reveal_to_end(const std::set<std::string>& already_visible = {});
    const std::set<int>& positions() const { return m_positions; }

private:
    QWidget* m_page = nullptr;
    std::set<int> m_positions;
};

} // namespace checkup_test
