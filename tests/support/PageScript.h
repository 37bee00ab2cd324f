#pragma once

#include <QTest>
#include <QVariant>
#include <QWebEnginePage>

#include <memory>
#include <optional>

namespace glimora::test {

// Runs `script` in `page` and waits for its value; an invalid value when
// there is no page or no answer in time. The answer may come after the wait
// gave up, so it goes to shared storage, not to this frame.
inline QVariant runPageScript(QWebEnginePage *page, const QString &script, int timeoutMs)
{
    if (!page)
        return {};
    const auto answer = std::make_shared<std::optional<QVariant>>();
    page->runJavaScript(script, [answer](const QVariant &v) { *answer = v; });
    if (!QTest::qWaitFor([&answer] { return answer->has_value(); }, timeoutMs))
        return {};
    return **answer;
}

} // namespace glimora::test
