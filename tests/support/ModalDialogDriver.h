#pragma once

#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QQueue>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace glimora::test {

// Drives modal dialogs that a test starts with exec(): each expectation waits
// until a modal widget of the given class is at the top of the modal stack and
// then acts on it once, from inside the dialog's own event loop.
//
//   ModalDialogDriver driver;
//   driver.expect("rj_app::views::AlertDlg", ModalDialogDriver::clickStandardButton(QDialogButtonBox::Ok));
//   QCOMPARE(AlertDlg::execPrompt(nullptr, "Prompt", "Text"), QDialogButtonBox::Ok);
//   QVERIFY2(driver.allHandled(), qPrintable(driver.failures().join('\n')));
//
// A safety net keeps a broken test from hanging: an expectation that is not met
// within the time-out, or a dialog that stays open that long after its action,
// is recorded as a failure and the top modal dialog is rejected.
class ModalDialogDriver : public QObject
{
    Q_OBJECT
public:
    using Action = std::function<void(QWidget *modal)>;

    explicit ModalDialogDriver(int timeoutMs = 5000, QObject *parent = nullptr);
    ~ModalDialogDriver() override;

    // className as the meta-object reports it (qualified); subclasses match too.
    void expect(const char *className, Action action);

    bool allHandled() const { return m_expectations.isEmpty() && m_failures.isEmpty(); }
    QStringList failures() const { return m_failures; }
    // The modal widgets acted on, in order (null once deleted).
    QList<QPointer<QWidget>> handled() const { return m_handled; }

    // Ready-made actions.
    static Action clickStandardButton(QDialogButtonBox::StandardButton which);
    static Action clickButtonNamed(const QString &objectName);
    static Action pressKey(Qt::Key key);
    static Action reject();
    static Action close();
    // Runs `first`, then `then`: e.g. read the box, then answer it.
    static Action both(Action first, Action then);

    // The texts of a message box: its title and its message.
    static QString titleOf(QWidget *alertDlg);
    static QString textOf(QWidget *alertDlg);

private:
    void tick();
    void fail(const QString &why);

    struct Expectation
    {
        QByteArray className;
        Action action;
    };
    int m_timeoutMs;
    QTimer m_timer;
    QElapsedTimer m_waiting;
    QQueue<Expectation> m_expectations;
    QList<QPointer<QWidget>> m_handled;
    QPointer<QWidget> m_lastActedOn;
    QElapsedTimer m_sinceAction;
    QStringList m_failures;
};

} // namespace glimora::test
