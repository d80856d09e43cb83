#include "client/workspaces/ui/browser_document_helper.h"

#include "client/web/ui/browser_document.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QTimer>
#include <QVariantMap>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWidget>

namespace workspaces {

namespace {

// Runs in the application's own script world: the page's scripts can neither
// see it nor change what it relies on, while the DOM it reads is the page's.
// Arguments: action ("find", "set", "click"), image lookup, types, identifier,
// index, value.
const char* const kFinderScript = R"JS(
(function (action, images, types, identifier, index, value) {
  var none = { found: false, count: -1, done: false };
  var body = document.body;
  if (!body) return none;
  var number = /^\s*[+-]?\d+\s*$/.test(identifier) ? parseInt(identifier, 10) : 0;
  var count = 0, chosen = null;
  function text(v) { return v === null || v === undefined ? '' : String(v); }
  function listed(element) {
    var type = text(element.type);
    return type !== '' && types.indexOf(type) >= 0;
  }
  function identified(element) {
    if (identifier === '') return false;
    if (element.getAttribute('name') === identifier || element.id === identifier ||
        element.title === identifier) return true;
    if (images) {
      var src = element.getAttribute('src');
      if (src !== null && src.indexOf(identifier) >= 0) return true;
    }
    return false;
  }
  function pass(elements, typed) {
    for (var i = 0; i < elements.length; ++i) {
      var element = elements[i];
      if (typed && !listed(element)) continue;
      count += 1;
      if (identified(element)) {
        if (index > 0) { index -= 1; continue; }
        chosen = element;
        return true;
      }
      if (number === count) { chosen = element; return true; }
    }
    return false;
  }
  if (!pass(body.getElementsByTagName('input'), true)) {
    if (images) {
      if (types.indexOf('image') >= 0) pass(body.getElementsByTagName('img'), false);
    } else if (types.indexOf('button') >= 0) {
      pass(body.getElementsByTagName('button'), true);
    }
  }
  if (!chosen) return none;
  var result = {
    found: true, count: count, done: false,
    tag: chosen.tagName.toLowerCase(), type: text(chosen.type),
    name: text(chosen.getAttribute('name')), id: text(chosen.id), title: text(chosen.title),
    src: text(chosen.getAttribute('src')), value: text(chosen.value)
  };
  try {
    if (action === 'set') { chosen.value = value; result.done = true; }
    else if (action === 'click') { chosen.click(); result.done = true; }
  } catch (e) {
    result.done = false;
  }
  return result;
})
)JS";

ElementInfo element_from(const QVariant& reply)
{
    const QVariantMap map = reply.toMap();
    ElementInfo info;
    info.found = map.value(QStringLiteral("found")).toBool();
    if (!info.found)
        return info;
    info.count = map.value(QStringLiteral("count")).toInt();
    info.tag = map.value(QStringLiteral("tag")).toString();
    info.type = map.value(QStringLiteral("type")).toString();
    info.name = map.value(QStringLiteral("name")).toString();
    info.id = map.value(QStringLiteral("id")).toString();
    info.title = map.value(QStringLiteral("title")).toString();
    info.src = map.value(QStringLiteral("src")).toString();
    info.value = map.value(QStringLiteral("value")).toString();
    return info;
}

const QString kTextTypes = QStringLiteral("text|password|file");

}  // namespace

BrowserDocumentHelper::BrowserDocumentHelper(QObject* parent) : QObject(parent) {}

QWebEnginePage* BrowserDocumentHelper::document_of_window(QWidget* window)
{
    return web::html_document_of_window(window);
}

bool BrowserDocumentHelper::attach(QWidget* window)
{
    if (!window)
        return false;
    m_window = window;
    m_document = document_of_window(window);
    return attached();
}

void BrowserDocumentHelper::release()
{
    m_document.clear();
    m_window.clear();
}

void BrowserDocumentHelper::run(Action action, bool images, const QString& types,
                                const QString& identifier, int index, const QString& value,
                                std::function<void(const ElementInfo&, bool)> finished)
{
    if (!m_document) {
        QTimer::singleShot(0, [finished = std::move(finished)] { finished({}, false); });
        return;
    }
    const QString verb = action == Action::SetValue ? QStringLiteral("set")
                         : action == Action::Click  ? QStringLiteral("click")
                                                    : QStringLiteral("find");
    const QJsonArray arguments{verb, images, types, identifier, index, value};
    const QString script = QString::fromUtf8(kFinderScript) + QStringLiteral(".apply(null, ") +
                           QString::fromUtf8(QJsonDocument(arguments).toJson(QJsonDocument::Compact)) +
                           QStringLiteral(");");
    m_document->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                              [finished = std::move(finished)](const QVariant& reply) {
                                  const ElementInfo element = element_from(reply);
                                  finished(element, reply.toMap().value(QStringLiteral("done")).toBool());
                              });
}

void BrowserDocumentHelper::find_input_by_types(const QString& types, const QString& identifier,
                                                int index, FoundCallback found)
{
    run(Action::Find, false, types, identifier, index, {},
        [found = std::move(found)](const ElementInfo& element, bool) { found(element); });
}

void BrowserDocumentHelper::find_image_element(const QString& types, const QString& identifier,
                                               int index, FoundCallback found)
{
    run(Action::Find, true, types, identifier, index, {},
        [found = std::move(found)](const ElementInfo& element, bool) { found(element); });
}

void BrowserDocumentHelper::find_text_input(const QString& identifier, int index, FoundCallback found)
{
    find_input_by_types(kTextTypes, identifier, index, std::move(found));
}

void BrowserDocumentHelper::set_text_input_value(const QString& identifier, const QString& value,
                                                 int index, DoneCallback done)
{
    run(Action::SetValue, false, kTextTypes, identifier, index, value,
        [done = std::move(done)](const ElementInfo& element, bool assigned) {
            done(element.found && assigned);
        });
}

void BrowserDocumentHelper::click_image(const QString& identifier, int index, DoneCallback done)
{
    run(Action::Click, true, QStringLiteral("image"), identifier, index, {},
        [done = std::move(done)](const ElementInfo& element, bool) { done(element.found); });
}

}  // namespace workspaces
