#include "checkup/support/page_driver.h"

#include "client/ui/artwork.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace checkup_test {

const std::vector<std::pair<int, std::vector<const char*>>>& reveal_table()
{
    static const std::vector<std::pair<int, std::vector<const char*>>> table = {
        {0, {"标签_百度权重", "标签_百度权重1"}},
        {10,
         {"故障1", "分割1", "对勾2", "标签_站内链", "标签_站内链1", "标签_反链", "标签_反链1",
          "标签_出站链接", "标签_出站链接1"}},
        {100, {"分割2", "对勾3", "标签_收录情况", "标签_收录情况1"}},
        {200,
         {"标签_域名信息", "标签_域名IP", "标签_域名IP1", "标签_域名年龄", "标签_域名年龄1",
          "标签_备案信息", "标签_备案信息1", "对勾4", "分割3"}},
        {300,
         {"分割4", "标签_创建时间", "标签_创建时间1", "标签_到期时间", "标签_到期时间1", "对勾5"}},
    };
    return table;
}

const std::vector<const char*>& hidden_on_rerun()
{
    static const std::vector<const char*> names = {"标签_百度权重", "标签_域名信息", "分割1",
                                                   "分割3",         "标签_域名IP",   "故障1",
                                                   "对勾2",         "对勾4",         "对勾1"};
    return names;
}

std::set<std::string> expected_visible(int position)
{
    std::set<std::string> names;
    for (const auto& [from, controls] : reveal_table()) {
        if (position >= from)
            names.insert(controls.begin(), controls.end());
    }
    return names;
}

std::set<std::string> kept_on_rerun()
{
    std::set<std::string> kept = expected_visible(400);
    for (const char* name : hidden_on_rerun())
        kept.erase(name);
    return kept;
}

QString PageDriver::text(const char* name) const
{
    const auto* label = control<QLabel>(name);
    EXPECT_NE(label, nullptr) << name;
    return label ? label->text() : QString();
}

QString PageDriver::caption(const char* name) const
{
    const auto* button = control<QPushButton>(name);
    EXPECT_NE(button, nullptr) << name;
    return button ? button->text() : QString();
}

bool PageDriver::visible(const char* name) const
{
    const QWidget* widget = control(name);
    EXPECT_NE(widget, nullptr) << name;
    return widget && widget->isVisibleTo(m_page);
}

bool PageDriver::reachable(const char* name) const
{
    const QWidget* widget = control(name);
    EXPECT_NE(widget, nullptr) << name;
    if (!widget || !widget->isVisibleTo(m_page))
        return false;
    const QWidget* parent = widget->parentWidget();
    return parent->childAt(widget->geometry().center()) == widget;
}

void PageDriver::click(const char* name) const
{
    auto* button = control<QPushButton>(name);
    ASSERT_NE(button, nullptr) << name;
    button->click();
}

void PageDriver::tick(const char* name) const
{
    auto* timer = control<QTimer>(name);
    ASSERT_NE(timer, nullptr) << name;
    QMetaObject::invokeMethod(timer, "timeout");
}

int PageDriver::position() const
{
    return control("图片框_进度条")->x();
}

QColor PageDriver::status_colour() const
{
    return control<QLabel>("体验主提示")->palette().color(QPalette::WindowText);
}

bool PageDriver::shows(const char* name, const char* picture) const
{
    const auto* label = control<QLabel>(name);
    return label && label->pixmap().cacheKey() == ui::art::pixmap(picture).cacheKey();
}

void PageDriver::start_check_up()
{
    click("按钮_立即体检");
    ASSERT_TRUE(QTest::qWaitFor([this] { return position() > 0; }, kWaitMs));
    control<QTimer>("体验轮询")->stop();
}

void PageDriver::reveal_to_end(const std::set<std::string>& already_visible)
{
    for (int turns = 0; position() < 400; ++turns) {
        ASSERT_LT(turns, 500);
        tick("体验轮询");
        const int p = position();
        SCOPED_TRACE(p);
        const std::set<std::string> expected = expected_visible(p);
        for (const auto& [from, controls] : reveal_table()) {
            for (const char* name : controls) {
                const bool shown = expected.count(name) > 0 || already_visible.count(name) > 0;
                ASSERT_EQ(visible(name), shown) << name;
            }
        }
        ASSERT_FALSE(visible("对勾1"));
        m_positions.insert(p);
        if (p < 400) {
            EXPECT_EQ(text("进度百分比").toStdString(), std::to_string(p / 4) + "%");
        }
    }
}

} // namespace checkup_test
