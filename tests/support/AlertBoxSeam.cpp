#include "AlertBoxSeam.h"

#include <QtGlobal>

namespace glimora::test {

namespace {
bool g_seamAlive = false;
}

AlertBoxSeam::AlertBoxSeam()
{
    if (g_seamAlive)
        qFatal("AlertBoxSeam: only one seam may live at a time");
    g_seamAlive = true;
    rj_app::views::AlertDlg::setInterceptor([this](const Request &r) { return handle(r); });
}

AlertBoxSeam::AlertBoxSeam(Button answerAll)
    : AlertBoxSeam()
{
    m_all = answerAll;
}

AlertBoxSeam::~AlertBoxSeam()
{
    rj_app::views::AlertDlg::setInterceptor({});
    g_seamAlive = false;
}

void AlertBoxSeam::answerNext(Button answer)
{
    m_next.enqueue(answer);
}

void AlertBoxSeam::answerAll(Button answer)
{
    m_all = answer;
}

void AlertBoxSeam::letShow()
{
    m_all.reset();
}

QStringList AlertBoxSeam::texts() const
{
    QStringList out;
    for (const Request &r : m_requests)
        out << r.text;
    return out;
}

std::optional<AlertBoxSeam::Button> AlertBoxSeam::handle(const Request &request)
{
    m_requests << request;
    if (!m_next.isEmpty())
        return m_next.dequeue();
    return m_all;
}

} // namespace glimora::test
