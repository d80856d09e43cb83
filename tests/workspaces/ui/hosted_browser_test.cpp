#include "client/workspaces/ui/hosted_browser.h"

#include "client/ui/seams.h"
#include "client/workspaces/ui/page_load_wait.h"
#include "workspaces/local_site.h"

#include <QApplication>
#include <QMenu>
#include <QTabWidget>
#include <QTest>
#include <QWebEngineContextMenuRequest>
#include <QWebEngineView>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace {

using namespace workspaces;

class HostedBrowser : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_site = std::make_unique<testsupport::LocalSite>();
        s_site->server().Get("/page.html", [](const httplib::Request&, httplib::Response& r) {
            r.set_content("<html><body style='height:2000px'><p>后台页面</p></body></html>",
                          "text/html; charset=utf-8");
        });
        s_site->server().Get("/hang", [](const httplib::Request&, httplib::Response& r) {
            std::this_thread::sleep_for(std::chrono::seconds(3));
            r.set_content("<html>late</html>", "text/html");
        });
        s_site->start();
    }
    static void TearDownTestSuite() { s_site.reset(); }

    static QUrl url(const char* path) { return QUrl(QString::fromStdString(s_site->base() + path)); }

    // Loads `path` into `view` and waits for it to complete.
    static bool load(QWebEngineView* view, const char* path)
    {
        std::optional<bool> completed;
        wait_for_next_load(view->page(), 20000, view, {{}, [&](bool ok) { completed = ok; }});
        view->load(url(path));
        return ui::wait_until([&] { return completed.has_value(); }, 10, 25000) && *completed;
    }

    static bool menu_visible()
    {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (qobject_cast<QMenu*>(widget) && widget->isVisible())
                return true;
        return false;
    }

    static void right_click(QWebEngineView* view)
    {
        QWidget* surface = view->focusProxy() ? view->focusProxy() : view;
        QTest::mouseClick(surface, Qt::RightButton, Qt::NoModifier, QPoint(40, 40));
    }

    static std::unique_ptr<testsupport::LocalSite> s_site;
};

std::unique_ptr<testsupport::LocalSite> HostedBrowser::s_site;

TEST_F(HostedBrowser, RightClickOpensNoMenuWhileAnHtmlViewerKeepsItsOwn)
{
    QWidget window;
    window.resize(600, 400);
    QWebEngineView* hosted = make_hosted_browser(&window, QStringLiteral("互联网浏览器_订单查询"));
    hosted->setGeometry(0, 0, 300, 400);
    QWebEngineView* viewer = make_html_viewer(&window, QStringLiteral("超文本浏览框2"));
    viewer->setGeometry(300, 0, 300, 400);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    ASSERT_TRUE(load(hosted, "/page.html"));
    ASSERT_TRUE(load(viewer, "/page.html"));

    // The viewer shows the engine's menu: the click reaches the page.
    right_click(viewer);
    ASSERT_TRUE(ui::wait_until(menu_visible, 10, 10000));
    for (QWidget* widget : QApplication::topLevelWidgets())
        if (qobject_cast<QMenu*>(widget))
            widget->close();
    ASSERT_TRUE(ui::wait_until([] { return !menu_visible(); }, 10, 5000));

    // The hosted browser is asked for a menu too, and shows none.
    right_click(hosted);
    ASSERT_TRUE(ui::wait_until([&] { return hosted->lastContextMenuRequest() != nullptr; }, 10, 10000));
    QCoreApplication::processEvents();
    EXPECT_FALSE(menu_visible());
    EXPECT_EQ(hosted->objectName(), QStringLiteral("互联网浏览器_订单查询"));
}

TEST_F(HostedBrowser, LoadWaitEndsAtItsLimitWhenThePageHangs)
{
    QWebEngineView view;
    std::optional<bool> completed;
    bool started = false;
    wait_for_next_load(view.page(), 300, &view,
                       {[&] { started = true; }, [&](bool ok) { completed = ok; }});
    view.load(url("/hang"));
    ASSERT_TRUE(ui::wait_until([&] { return completed.has_value(); }, 10, 10000));
    EXPECT_FALSE(*completed);
    EXPECT_TRUE(started);  // whoever waits for the start is released too
}

TEST_F(HostedBrowser, NotLoadingWaitAnswersOnceThePageIsComplete)
{
    QWebEngineView view;
    ASSERT_TRUE(load(&view, "/page.html"));
    std::optional<bool> completed;
    wait_until_not_loading(view.page(), 20, 5000, &view, [&](bool ok) { completed = ok; });
    EXPECT_FALSE(completed.has_value());  // never inside the call
    ASSERT_TRUE(ui::wait_until([&] { return completed.has_value(); }, 10, 10000));
    EXPECT_TRUE(*completed);

    completed.reset();
    view.load(url("/hang"));
    ASSERT_TRUE(ui::wait_until([&] { return view.page()->isLoading(); }, 10, 5000));
    wait_until_not_loading(view.page(), 20, 200, &view, [&](bool ok) { completed = ok; });
    ASSERT_TRUE(ui::wait_until([&] { return completed.has_value(); }, 10, 10000));
    EXPECT_FALSE(*completed);
}

TEST(ShownPage, OnlyTheCurrentPageOfItsTabControl)
{
    QTabWidget tabs;
    auto* first = new QWidget;
    auto* second = new QWidget;
    tabs.addTab(first, QStringLiteral("0"));
    tabs.addTab(second, QStringLiteral("1"));
    EXPECT_TRUE(is_shown_page(first));
    EXPECT_FALSE(is_shown_page(second));
    tabs.setCurrentIndex(1);
    EXPECT_TRUE(is_shown_page(second));
    QWidget loose;
    EXPECT_FALSE(is_shown_page(&loose));
    EXPECT_FALSE(is_shown_page(nullptr));
}

}  // namespace
