#pragma once
// The news pane 超文本浏览框1: a web view that knows whether its page is
// still loading, lets callers continue once it has loaded (with a time
// limit), and hides the page's scroll bars whenever a page completes.

#include <QWebEngineView>

#include <functional>

namespace account {

class NewsPane final : public QWebEngineView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(NewsPane)
public:
    explicit NewsPane(QWidget* parent = nullptr);

    // Points the pane at `url`; the pane counts as loading from here on.
    void show_page(const QString& url);
    bool is_loading() const { return m_loading; }
    // Runs `then` once the current page has loaded, or after `limit_ms`
    // when it never does; at once (queued) when nothing is loading. `then`
    // is dropped if `context` is gone by then.
    void when_loaded(QObject* context, std::function<void()> then, int limit_ms);

Q_SIGNALS:
    void page_loaded(bool ok);

private:
    void on_load_finished(bool ok);

    bool m_loading = false;
};

// The scroll bars of whatever page `pane` (or a web view inside it) shows.
void hide_pane_scroll_bars(QWidget* pane);

}  // namespace account
