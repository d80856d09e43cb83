#include "client/web/ui/browser_document.h"
#include "client/ui/seams.h"

#include <QFrame>
#include <QSignalSpy>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <gtest/gtest.h>

namespace {

// A pane as the pages build it: a frame, a frame inside it, the web view
// inside that.
class BrowserDocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_outer.resize(264, 248);
        auto* inner = new QFrame(&m_outer);
        inner->setGeometry(0, 0, 264, 248);
        m_view = new QWebEngineView(inner);
        m_view->setGeometry(0, 0, 264, 248);
        m_outer.show();
    }

    bool load_long_page()
    {
        QString items;
        for (int i = 1; i <= 80; ++i)
            items += QStringLiteral("<p>第%1条服务动态</p>").arg(i);
        QSignalSpy loaded(m_view, &QWebEngineView::loadFinished);
        m_view->setHtml(QStringLiteral("<html><body>") + items + QStringLiteral("</body></html>"));
        return ui::wait_until([&] { return !loaded.isEmpty(); }, 20, 20000) &&
               loaded.first().first().toBool();
    }

    // [overflow of html, width the vertical scroll bar takes]
    QVariantList layout(QWebEnginePage* page)
    {
        QVariant result;
        bool answered = false;
        page->runJavaScript(QStringLiteral("[getComputedStyle(document.documentElement).overflow,"
                                           " window.innerWidth - document.documentElement.clientWidth]"),
                            [&](const QVariant& v) {
                                result = v;
                                answered = true;
                            });
        ui::wait_until([&] { return answered; }, 20, 10000);
        return result.toList();
    }

    QFrame m_outer;
    QWebEngineView* m_view = nullptr;
};

TEST_F(BrowserDocumentTest, DocumentIsThePageOfTheViewInsideThePane)
{
    ASSERT_TRUE(load_long_page());
    // From any widget above the view, and from the view itself.
    EXPECT_EQ(web::html_document_of_window(&m_outer), m_view->page());
    EXPECT_EQ(web::html_document_of_window(m_view->parentWidget()), m_view->page());
    EXPECT_EQ(web::html_document_of_window(m_view), m_view->page());
    EXPECT_EQ(web::find_server_window(&m_outer), m_view);

    // The view itself is taken as it is, not a view below it.
    new QWebEngineView(m_view);
    EXPECT_EQ(web::find_server_window(m_view), m_view);

    QFrame empty;
    new QFrame(&empty);
    EXPECT_EQ(web::html_document_of_window(&empty), nullptr);
    EXPECT_EQ(web::html_document_of_window(nullptr), nullptr);
}

TEST_F(BrowserDocumentTest, HidingScrollBarsLeavesALongPageWithout)
{
    ASSERT_TRUE(load_long_page());
    const QVariantList before = layout(m_view->page());
    ASSERT_EQ(before.size(), 2);
    ASSERT_GT(before[1].toInt(), 0);  // the page scrolls to begin with

    web::hide_scroll_bars(web::html_document_of_window(&m_outer));
    QVariantList after;
    ASSERT_TRUE(ui::wait_until(
        [&] {
            after = layout(m_view->page());
            return after.size() == 2 && after[0].toString() == QStringLiteral("hidden");
        },
        50, 10000));
    EXPECT_EQ(after[1].toInt(), 0);

    web::hide_scroll_bars(nullptr);  // an empty document: nothing happens
}

}  // namespace
