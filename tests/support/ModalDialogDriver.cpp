#include "ModalDialogDriver.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QPushButton>
#include <QTest>

namespace glimora::test {

ModalDialogDriver::ModalDialogDriver(int timeoutMs, QObject *parent)
    : QObject(parent), m_timeoutMs(timeoutMs)
{
    m_timer.setInterval(5);
    connect(&m_timer, &QTimer::timeout, this, &ModalDialogDriver::tick);
}

ModalDialogDriver::~ModalDialogDriver()
{
    m_timer.stop();
}

void ModalDialogDriver::expect(const char *className, Action action)
{
    if (m_expectations.isEmpty())
        m_waiting.start();
    m_expectations.enqueue({QByteArray(className), std::move(action)});
    m_timer.start();
}

void ModalDialogDriver::fail(const QString &why)
{
    m_failures << why;
    qWarning("ModalDialogDriver: %s", qPrintable(why));
    if (auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget()))
        dialog->reject();
    else if (QWidget *modal = QApplication::activeModalWidget())
        modal->close();
}

void ModalDialogDriver::tick()
{
    QWidget *modal = QApplication::activeModalWidget();

    // A dialog acted on that is still the top one is left open by its action.
    if (m_lastActedOn && modal == m_lastActedOn && m_sinceAction.elapsed() > m_timeoutMs) {
        m_lastActedOn = nullptr;
        fail(QStringLiteral("%1 stayed open after its action").arg(QLatin1String(modal->metaObject()->className())));
        return;
    }
    if (m_expectations.isEmpty()) {
        if (!m_lastActedOn || modal != m_lastActedOn)
            m_timer.stop();
        return;
    }
    if (modal && modal != m_lastActedOn && modal->inherits(m_expectations.head().className.constData())) {
        Expectation next = m_expectations.dequeue();
        m_handled << modal;
        m_lastActedOn = modal;
        m_sinceAction.start();
        m_waiting.start();
        // Acted on from a posted call, not from this timer: a timer does not
        // fire again while its own handler runs, and the action may open a
        // nested modal loop that this driver has to serve as well.
        QPointer<QWidget> target(modal);
        QMetaObject::invokeMethod(
            this,
            [target, action = std::move(next.action)] {
                if (target)
                    action(target);
            },
            Qt::QueuedConnection);
        return;
    }
    if (m_waiting.elapsed() > m_timeoutMs) {
        const QString expected = QString::fromLatin1(m_expectations.head().className);
        m_expectations.clear();
        fail(QStringLiteral("no modal %1 within %2 ms (top: %3)")
                 .arg(expected)
                 .arg(m_timeoutMs)
                 .arg(modal ? QLatin1String(modal->metaObject()->className()) : QLatin1String("none")));
    }
}

ModalDialogDriver::Action ModalDialogDriver::clickStandardButton(QDialogButtonBox::StandardButton which)
{
    return [which](QWidget *modal) {
        const auto boxes = modal->findChildren<QDialogButtonBox *>();
        for (QDialogButtonBox *box : boxes) {
            if (QPushButton *b = box->button(which)) {
                b->click();
                return;
            }
        }
        qWarning("ModalDialogDriver: no standard button %d", int(which));
    };
}

ModalDialogDriver::Action ModalDialogDriver::clickButtonNamed(const QString &objectName)
{
    return [objectName](QWidget *modal) {
        if (auto *b = modal->findChild<QAbstractButton *>(objectName))
            b->click();
        else
            qWarning("ModalDialogDriver: no button %s", qPrintable(objectName));
    };
}

ModalDialogDriver::Action ModalDialogDriver::pressKey(Qt::Key key)
{
    return [key](QWidget *modal) {
        QWidget *target = modal->focusWidget() ? modal->focusWidget() : modal;
        QTest::keyClick(target, key);
    };
}

ModalDialogDriver::Action ModalDialogDriver::reject()
{
    return [](QWidget *modal) {
        if (auto *d = qobject_cast<QDialog *>(modal))
            d->reject();
    };
}

ModalDialogDriver::Action ModalDialogDriver::close()
{
    return [](QWidget *modal) { modal->close(); };
}

ModalDialogDriver::Action ModalDialogDriver::both(Action first, Action then)
{
    return [first = std::move(first), then = std::move(then)](QWidget *modal) {
        QPointer<QWidget> guard(modal);
        first(modal);
        if (guard)
            then(modal);
    };
}

QString ModalDialogDriver::titleOf(QWidget *alertDlg)
{
    auto *label = alertDlg ? alertDlg->findChild<QLabel *>(QStringLiteral("m_title")) : nullptr;
    return label ? label->text() : QString();
}

QString ModalDialogDriver::textOf(QWidget *alertDlg)
{
    auto *label = alertDlg ? alertDlg->findChild<QLabel *>(QStringLiteral("m_alertContent")) : nullptr;
    return label ? label->text() : QString();
}

} // namespace glimora::test
