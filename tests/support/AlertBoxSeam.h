#pragma once

#include "views/framework/AlertDlg.h"

#include <QList>
#include <QQueue>

namespace glimora::test {

// Answers or records the client's message boxes (AlertDlg::execPrompt,
// execQuestion, showPrompt) while it lives, so flows that ask the user run
// without a person:
//
//   AlertBoxSeam seam(QDialogButtonBox::Yes);   // every box answers Yes
//   seam.answerNext(QDialogButtonBox::No);      // ... except the next one
//   doSomething();
//   QCOMPARE(seam.count(), 1);
//   QCOMPARE(seam.last().text, QStringLiteral("Are you sure to leave the meeting?"));
//
// Constructed without an answer it only records, and the boxes are shown for
// real (drive them with ModalDialogDriver). An answer that the box does not
// offer is taken as "closed otherwise", that is Cancel. Only one seam may
// live at a time.
class AlertBoxSeam
{
public:
    using Button = QDialogButtonBox::StandardButton;
    using Request = rj_app::views::AlertDlg::Request;

    AlertBoxSeam();
    explicit AlertBoxSeam(Button answerAll);
    ~AlertBoxSeam();
    AlertBoxSeam(const AlertBoxSeam &) = delete;
    AlertBoxSeam &operator=(const AlertBoxSeam &) = delete;

    // The next box gets this answer (a queue: one answer per box).
    void answerNext(Button answer);
    // Boxes without a queued answer get this one.
    void answerAll(Button answer);
    // Boxes without a queued answer are shown for real.
    void letShow();

    const QList<Request> &requests() const { return m_requests; }
    int count() const { return m_requests.size(); }
    Request last() const { return m_requests.isEmpty() ? Request() : m_requests.last(); }
    QStringList texts() const;

private:
    std::optional<Button> handle(const Request &request);

    QList<Request> m_requests;
    QQueue<Button> m_next;
    std::optional<Button> m_all;
};

} // namespace glimora::test
