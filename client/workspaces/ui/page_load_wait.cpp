#include "client/workspaces/ui/page_load_wait.h"

#include <QPointer>
#include <QTimer>
#include <QWebEnginePage>

#include <memory>

namespace workspaces {

namespace {

struct NextLoad {
    QPointer<QWebEnginePage> page;
    QPointer<QObject> context;
    LoadWaitCallbacks callbacks;
    bool started = false;
    bool over = false;
    QMetaObject::Connection on_started;
    QMetaObject::Connection on_finished;
    QTimer* limit = nullptr;

    void end(bool completed)
    {
        if (over)
            return;
        over = true;
        QObject::disconnect(on_started);
        QObject::disconnect(on_finished);
        if (limit)
            limit->deleteLater();
        if (context && page && callbacks.finished)
            callbacks.finished(completed);
    }
};

}  // namespace

void wait_for_next_load(QWebEnginePage* page, int limit_ms, QObject* context,
                        LoadWaitCallbacks callbacks)
{
    auto wait = std::make_shared<NextLoad>();
    wait->page = page;
    wait->context = context;
    wait->callbacks = std::move(callbacks);
    if (!page || !context)
        return;
    // A navigation issued while another one is loading joins it: the engine
    // reports no second start, only the end of the whole load.
    if (page->isLoading()) {
        wait->started = true;
        if (wait->callbacks.started)
            wait->callbacks.started();
    }
    wait->on_started = QObject::connect(page, &QWebEnginePage::loadStarted, context, [wait] {
        if (wait->over)
            return;
        const bool first = !wait->started;
        wait->started = true;
        if (first && wait->callbacks.started)
            wait->callbacks.started();
    });
    // A navigation replaced by ours reports its end too; only the end of a
    // load that started after the call, with nothing loading any more, counts.
    wait->on_finished = QObject::connect(page, &QWebEnginePage::loadFinished, context, [wait](bool) {
        if (wait->started && wait->page && !wait->page->isLoading())
            wait->end(true);
    });
    wait->limit = new QTimer(context);
    wait->limit->setSingleShot(true);
    QObject::connect(wait->limit, &QTimer::timeout, context, [wait] {
        if (!wait->started && wait->callbacks.started && wait->context && wait->page)
            wait->callbacks.started();
        wait->end(false);
    });
    wait->limit->start(limit_ms);
}

void wait_until_not_loading(QWebEnginePage* page, int poll_ms, int limit_ms, QObject* context,
                            std::function<void(bool completed)> finished)
{
    if (!page || !context)
        return;
    QPointer<QWebEnginePage> watched = page;
    QPointer<QObject> owner = context;
    auto poll = std::make_shared<std::function<void(int)>>();
    *poll = [watched, owner, poll_ms, finished = std::move(finished), weak = std::weak_ptr(poll)](
                int left) {
        if (!watched || !owner)
            return;
        if (!watched->isLoading()) {
            finished(true);
            return;
        }
        if (left <= 0) {
            finished(false);
            return;
        }
        const auto again = weak.lock();
        if (!again)
            return;
        QTimer::singleShot(poll_ms, owner, [again, left, poll_ms] { (*again)(left - poll_ms); });
    };
    // The first look comes from the event loop, never inside the call.
    QTimer::singleShot(0, context, [poll, limit_ms] { (*poll)(limit_ms); });
}

}  // namespace workspaces
