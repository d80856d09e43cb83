#include "shell/ui/shell_fixture.h"

#include "client/shell/feature_table.h"
#include "support/sim_process.h"
#include "client/ui/artwork.h"
#include "client/ui/browser_agent.h"
#include "client/ui/png_control.h"

#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>

namespace {

using shelltest::ShellFixture;

// Counts the times a widget is disabled and enabled again.
class EnableWatch final : public QObject {
public:
    explicit EnableWatch(QWidget* widget) : m_widget(widget) { widget->installEventFilter(this); }
    int disabled = 0;
    int enabled = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == m_widget && event->type() == QEvent::EnabledChange)
            ++(m_widget->isEnabled() ? enabled : disabled);
        return false;
    }

private:
    QWidget* m_widget;
};

class PageSwitchTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        start_window();
    }

    std::vector<QString> visible_highlights() const
    {
        std::vector<QString> visible;
        for (const shell::FeatureEntry& entry : shell::feature_table())
            if (find(entry.highlight)->isVisible())
                visible.push_back(QString::fromUtf8(entry.highlight));
        return visible;
    }

    bool feature_buttons_enabled() const
    {
        for (const shell::FeatureEntry& entry : shell::feature_table())
            if (!find(entry.button)->isEnabled())
                return false;
        return true;
    }

    void click(const char* name) { QTest::mouseClick(find<QPushButton>(name), Qt::LeftButton); }
};

TEST_F(PageSwitchTest, GuardedButtonsBeforeSignInAskToSignInAndChangeNothing)
{
    QTabWidget* pages = find<QTabWidget>("主窗口选择夹");
    for (const shell::FeatureEntry& entry : shell::feature_table()) {
        if (!entry.guarded)
            continue;
        SCOPED_TRACE(entry.button);
        m_boxes.clear();
        click(entry.button);
        ASSERT_EQ(m_boxes.size(), 1u);
        EXPECT_EQ(m_boxes[0].text, QStringLiteral("请先登陆"));
        EXPECT_EQ(m_boxes[0].title, QStringLiteral("提示"));
        EXPECT_EQ(pages->currentIndex(), 0);
        EXPECT_EQ(visible_highlights(), std::vector<QString>{QStringLiteral("主外形_网站体检")});
        EXPECT_TRUE(feature_buttons_enabled());
    }
}

TEST_F(PageSwitchTest, SignedInSwitchShowsThePageAndOnlyItsHighlight)
{
    m_session->set_signed_in(true);
    QTabWidget* pages = find<QTabWidget>("主窗口选择夹");
    EnableWatch watch(find("按钮_网站体检"));

    click("按钮_分站营销");
    EXPECT_TRUE(m_boxes.empty());
    EXPECT_EQ(pages->currentIndex(), 7);
    EXPECT_EQ(visible_highlights(), std::vector<QString>{QStringLiteral("主外形_分站营销")});
    ASSERT_TRUE(ui::wait_until([this] { return feature_buttons_enabled(); }, 10, 20000));
    // Disabled for the page's work, enabled after it, and showing its
    // normal picture again.
    EXPECT_EQ(watch.disabled, 1);
    EXPECT_EQ(watch.enabled, 1);
    EXPECT_EQ(ui::PngControl::draw_state(find("按钮_网站体检")), ui::DrawState::Normal);
    EXPECT_EQ(ui::PngControl::current_picture(find("按钮_网站体检")),
              ui::art::image(ui::art::feature_checkup));

    click("按钮_网站体检");
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(visible_highlights(), std::vector<QString>{QStringLiteral("主外形_网站体检")});
    // The check-up's button neither guards nor disables.
    EXPECT_EQ(watch.disabled, 1);
    EXPECT_TRUE(m_boxes.empty());
}

TEST_F(PageSwitchTest, ClickingTheShownPageRunsTheSwitchWithoutReselecting)
{
    m_session->set_signed_in(true);
    QTabWidget* pages = find<QTabWidget>("主窗口选择夹");
    click("按钮_分站营销");
    ASSERT_TRUE(ui::wait_until([this] { return feature_buttons_enabled(); }, 10, 20000));

    QSignalSpy reselected(pages, &QTabWidget::currentChanged);
    EnableWatch watch(find("按钮_分站营销"));
    auto* computer = find<QLabel>("电脑图");
    computer->setPixmap(ui::art::pixmap(ui::art::computer_safe));
    click("按钮_分站营销");
    ASSERT_TRUE(ui::wait_until([this] { return feature_buttons_enabled(); }, 10, 20000));
    EXPECT_EQ(reselected.count(), 0);
    EXPECT_EQ(pages->currentIndex(), 7);
    EXPECT_EQ(watch.disabled, 1);
    // The refresh puts the computer back to its warning picture.
    EXPECT_EQ(computer->pixmap().toImage(), ui::art::pixmap(ui::art::computer_warning).toImage());
}

TEST_F(PageSwitchTest, SkinnedControlsCarryTheirPicturesAfterRepeatedRefreshes)
{
    m_window->skin_refresh();
    m_window->skin_refresh();
    struct Case {
        const char* name;
        const char* normal;
        const char* hover;
        QPoint at;  // a point of the control no other control covers
    };
    const Case cases[] = {
        {"按钮_关闭", ui::art::close, ui::art::close_hover, {14, 12}},
        {"按钮_换皮肤", ui::art::skin, ui::art::skin_hover, {13, 12}},
        {"主外形_网站体检", ui::art::highlight, ui::art::highlight_hover, {70, 65}},
        {"按钮_网站体检", ui::art::feature_checkup, nullptr, {24, 24}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* control = find(c.name);
        EXPECT_EQ(control->property("PngControl_Type").toInt(), 3);
        EXPECT_EQ(ui::PngControl::current_picture(control), ui::art::image(c.normal));
        QTest::mouseMove(control, c.at);
        EXPECT_EQ(ui::PngControl::draw_state(control), ui::DrawState::Hover);
        EXPECT_EQ(ui::PngControl::current_picture(control), ui::art::image(c.hover ? c.hover : c.normal));
        QTest::mouseMove(m_window.get(), {450, 300});
        EXPECT_EQ(ui::PngControl::draw_state(control), ui::DrawState::Normal);
    }

    // Press and release after three take-overs: one handler, back to hover.
    QWidget* shape = find("主外形_网站体检");
    const QPoint inside(70, 65);  // beside the feature button lying over it
    QTest::mouseMove(shape, inside);
    QTest::mousePress(shape, Qt::LeftButton, {}, inside);
    EXPECT_EQ(ui::PngControl::current_picture(shape), ui::art::image(ui::art::highlight_hover));
    QTest::mouseRelease(shape, Qt::LeftButton, {}, inside);
    EXPECT_EQ(ui::PngControl::draw_state(shape), ui::DrawState::Hover);
}

TEST_F(PageSwitchTest, MainMenuSettingsAnswersNotImplementedAndTheRestDoNothing)
{
    click("按钮_主菜单");
    auto* menu = m_window->findChild<QMenu*>(QStringLiteral("菜单"));
    ASSERT_NE(menu, nullptr);
    EXPECT_TRUE(ui::wait_until([menu] { return menu->isVisible(); }, 10, 5000));
    QStringList items;
    for (QAction* action : menu->actions())
        items << (action->isSeparator() ? QStringLiteral("-") : action->text());
    EXPECT_EQ(items, (QStringList{QStringLiteral("设置"), QStringLiteral("-"), QStringLiteral("在线帮助"),
                                  QStringLiteral("论坛帮助"), QStringLiteral("官方网站"),
                                  QStringLiteral("关于我们")}));
    menu->close();

    for (QAction* action : menu->actions())
        if (!action->isSeparator() && action->text() != QStringLiteral("设置"))
            action->trigger();
    EXPECT_TRUE(m_boxes.empty());

    menu->actions().front()->trigger();
    ASSERT_EQ(m_boxes.size(), 1u);
    EXPECT_EQ(m_boxes[0].text, QStringLiteral("未实现！"));
    EXPECT_EQ(m_boxes[0].title, QStringLiteral("信息："));
}

TEST_F(PageSwitchTest, MinimiseMinimisesWithoutHiding)
{
    click("按钮_最小化");
    EXPECT_TRUE(m_window->isMinimized());
    EXPECT_TRUE(m_window->isVisible());
}

TEST_F(PageSwitchTest, WindowFollowsTheMouseFromAnyPointOfItsSurface)
{
    struct Case {
        const char* name;
        QPoint at;
    };
    // The background, a caption of the title strip, the page area.
    const Case cases[] = {{"图片框_背景", {450, 590}}, {"透明标签_标题", {200, 12}}, {"主窗口选择夹", {300, 400}}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QWidget* surface = find(c.name);
        const QPoint before = m_window->pos();
        const QPoint step(37, -21);
        QTest::mousePress(surface, Qt::LeftButton, {}, c.at);
        QTest::mouseMove(surface, c.at + step);
        QTest::mouseRelease(surface, Qt::LeftButton, {}, c.at + step);
        EXPECT_EQ(m_window->pos(), before + step);
    }
    EXPECT_TRUE(m_boxes.empty());
}

// The back-end pages give the embedded browsers the account's agent before
// anything else, from a real sign-in against the simulator.
class BackEndAgentTest : public ShellFixture {
protected:
    void SetUp() override
    {
        ShellFixture::SetUp();
        ASSERT_TRUE(m_sim.ok()) << m_sim.error();
        m_endpoints = web::load_endpoints(m_sim.run_dir());
        start_window();
    }

    testsupport::SimProcess m_sim;
};

TEST_F(BackEndAgentTest, BackEndPagesSetTheClientAgentOnlyForASignedInAccount)
{
    const QString probe = QStringLiteral("probe agent");
    ui::set_browser_user_agent(probe);
    QTest::mouseClick(find<QPushButton>("按钮_内容管理"), Qt::LeftButton);
    EXPECT_EQ(ui::browser_user_agent(), probe);

    ASSERT_TRUE(m_session->sign_in_request("qinghe", "demo2024").ok);
    m_session->set_signed_in(true);
    const QString expected = QString::fromStdString(m_session->client_user_agent());
    ASSERT_TRUE(expected.contains(QStringLiteral(" Client:")));
    for (const char* button : {"按钮_内容管理", "按钮_订单查询", "按钮_分站营销"}) {
        SCOPED_TRACE(button);
        ui::set_browser_user_agent(probe);
        QTest::mouseClick(find<QPushButton>(button), Qt::LeftButton);
        EXPECT_EQ(ui::browser_user_agent(), expected);
        ASSERT_TRUE(ui::wait_until(
            [this] {
                for (const shell::FeatureEntry& entry : shell::feature_table())
                    if (!find(entry.button)->isEnabled())
                        return false;
                return true;
            },
            10, 30000));
    }
}

}  // namespace
