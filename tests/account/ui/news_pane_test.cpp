#include "client/account/ui/news_pane.h"
#include "client/ui/seams.h"

#include "account/local_server.h"

#include <QSignalSpy>
#include <QWebEngineView>
#include <gtest/gtest.h>

#include <chrono>
#include <thread>

namespace {

using account::NewsPane;

class NewsPaneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string items;
        for (int i = 1; i <= 60; ++i)
            items += "<li>服务动态 " + std::to_string(i) + "：一条很长很长的新闻标题</li>";
        m_server.reply("/long", "<html><body><ul>" + items + "</ul></body></html>");
        m_server.route("/slow", [](const httplib::Request&, httplib::Response&) {
            std::this_thread::sleep_for(std::chrono::milliseconds(2500));
            return std::string("<html><body>late</body></html>");
        });
    }

    QString url(const char* path) const
    {
        return QString::fromStdString("http://" + m_server.host() + path);
    }

    // [overflow of html, content taller than the view, width the scroll bar takes]
    QVariantList layout(QWebEngineView& view)
    {
        QVariant result;
        bool answered = false;
        view.page()->runJavaScript(
            QStringLiteral("[getComputedStyle(document.documentElement).overflow,"
                           " document.documentElement.scrollHeight > window.innerHeight,"
                           " window.innerWidth - document.documentElement.clientWidth]"),
            [&](const QVariant& v) {
                result = v;
                answered = true;
            });
        ui::wait_until([&] { return answered; }, 20, 10000);
        return result.toList();
    }

    accounttest::LocalServer m_server;
};

TEST_F(NewsPaneTest, LongPageShowsNoScrollBar)
{
    // The same page in a plain view scrolls, so the pane's result is its own doing.
    QWebEngineView plain;
    plain.resize(264, 248);
    plain.show();
    QSignalSpy plain_loaded(&plain, &QWebEngineView::loadFinished);
    plain.setUrl(QUrl(url("/long")));
    ASSERT_TRUE(plain_loaded.wait(20000));
    const QVariantList before = layout(plain);
    ASSERT_EQ(before.size(), 3);
    ASSERT_TRUE(before[1].toBool());
    EXPECT_NE(before[0].toString(), QStringLiteral("hidden"));
    EXPECT_GT(before[2].toInt(), 0);

    NewsPane pane;
    pane.resize(264, 248);
    pane.show();
    QSignalSpy loaded(&pane, &NewsPane::page_loaded);
    pane.show_page(url("/long"));
    EXPECT_TRUE(pane.is_loading());
    ASSERT_TRUE(loaded.wait(20000));
    EXPECT_FALSE(pane.is_loading());
    QVariantList after;
    // The rule is added by a script run after the load: give it its turn.
    ASSERT_TRUE(ui::wait_until(
        [&] {
            after = layout(pane);
            return after.size() == 3 && after[0].toString() == QStringLiteral("hidden");
        },
        50, 10000));
    EXPECT_TRUE(after[1].toBool());
    EXPECT_EQ(after[2].toInt(), 0);
    EXPECT_EQ(pane.objectName(), QStringLiteral("超文本浏览框1"));
}

TEST_F(NewsPaneTest, ContinuesOnceLoadedOrAtTheLimit)
{
    NewsPane pane;
    QObject context;
    int runs = 0;

    // Nothing loading: at once, but from the event loop.
    pane.when_loaded(&context, [&] { ++runs; }, 5000);
    EXPECT_EQ(runs, 0);
    ASSERT_TRUE(ui::wait_until([&] { return runs == 1; }, 10, 2000));

    // Loading: after the load.
    pane.show_page(url("/long"));
    pane.when_loaded(&context, [&] { ++runs; }, 20000);
    ASSERT_TRUE(ui::wait_until([&] { return runs == 2; }, 10, 20000));
    EXPECT_FALSE(pane.is_loading());

    // A page that takes longer than the limit: once, at the limit.
    pane.show_page(url("/slow"));
    pane.when_loaded(&context, [&] { ++runs; }, 300);
    ASSERT_TRUE(ui::wait_until([&] { return runs == 3; }, 10, 2000));
    EXPECT_TRUE(pane.is_loading());
    ASSERT_TRUE(ui::wait_until([&] { return !pane.is_loading(); }, 20, 20000));
    ui::wait_until([] { return false; }, 20, 200);
    EXPECT_EQ(runs, 3);
}

TEST_F(NewsPaneTest, DropsTheContinuationOfAGoneContext)
{
    NewsPane pane;
    int runs = 0;
    {
        QObject context;
        pane.show_page(url("/long"));
        pane.when_loaded(&context, [&] { ++runs; }, 300);
    }
    ASSERT_TRUE(ui::wait_until([&] { return !pane.is_loading(); }, 20, 20000));
    ui::wait_until([] { return false; }, 20, 500);
    EXPECT_EQ(runs, 0);
}

}  // namespace
