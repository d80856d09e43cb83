#include "client/account/ui/news_pane.h"

#include "client/web/ui/browser_document.h"

#include <QPointer>
#include <QTimer>
#include <QUrl>

#include <memory>

namespace account {

NewsPane::NewsPane(QWidget* parent) : QWebEngineView(parent)
{
    setObjectName(QStringLiteral("超文本浏览框1"));
    setContextMenuPolicy(Qt::NoContextMenu);
    connect(this, &QWebEngineView::loadStarted, this, [this] { m_loading = true; });
    connect(this, &QWebEngineView::loadFinished, this, &NewsPane::on_load_finished);
}

void NewsPane::show_page(const QString& url)
{
    m_loading = true;
    setUrl(QUrl(url));
}

void NewsPane::on_load_finished(bool ok)
{
    m_loading = false;
    // A news page is a small fixed pane: its scroll bars would only eat
    // into it.
    if (ok)
        web::hide_scroll_bars(page());
    Q_EMIT page_loaded(ok);
}

void NewsPane::when_loaded(QObject* context, std::function<void()> then, int limit_ms)
{
    QPointer<QObject> guard(context);
    if (!m_loading) {
        QTimer::singleShot(0, context, [then = std::move(then)] { then(); });
        return;
    }
    // Whichever comes first, the load or the limit, runs `then` once.
    auto pending = std::make_shared<std::function<void()>>(std::move(then));
    auto connection = std::make_shared<QMetaObject::Connection>();
    auto fire = [pending, connection, guard] {
        QObject::disconnect(*connection);
        if (!*pending || !guard)
            return;
        auto run = std::move(*pending);
        *pending = nullptr;
        run();
    };
    *connection = connect(this, &NewsPane::page_loaded, context, [fire](bool) { fire(); });
    QTimer::singleShot(limit_ms, context, fire);
}

void hide_pane_scroll_bars(QWidget* pane)
{
    web::hide_scroll_bars(web::html_document_of_window(pane));
}

}  // namespace account
