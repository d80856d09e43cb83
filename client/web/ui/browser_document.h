#pragma once
// Reaching the document of a page shown in an embedded browser pane, and the
// one page action several panes share: hiding the page's scroll bars.

class QWidget;
class QWebEngineView;
class QWebEnginePage;

namespace web {

// The web view of a pane: `widget` itself when it is one, else the first web
// view among its descendants; null when there is none.
QWebEngineView* find_server_window(QWidget* widget);

// The document (page) shown by the pane `widget` or a pane below it; null
// when there is no browser inside or it has no page yet.
QWebEnginePage* html_document_of_window(QWidget* widget);

// Adds a style rule setting the html element's overflow to hidden, which
// removes the page's scroll bars. A null page is ignored.
void hide_scroll_bars(QWebEnginePage* document);

// The script hide_scroll_bars runs; exposed for tests.
extern const char* const kHideScrollBarsScript;

}  // namespace web
