#pragma once

#include "views/framework/CBaseDlg.h"
#include "views/framework/CDpiLayoutScaler.h"

#include <QDialogButtonBox>
#include <QPointer>

#include <functional>
#include <optional>

class QLabel;
class QWindow;
class QPushButton;

namespace rj_app::views {

// The client's only message box.
//  - Standard form: title, text and Qt standard buttons; execPrompt and
//    execQuestion block and return the clicked button (Cancel when the box is
//    closed otherwise), showPrompt returns at once and the box deletes itself.
//  - Custom form (AlertDlg(parent)): up to two free-text buttons that only emit
//    signals; the box deletes itself when closed.
class AlertDlg : public CBaseDlg
{
    Q_OBJECT
public:
    AlertDlg(QWidget *parent, const QString &title, const QString &text,
             QDialogButtonBox::StandardButtons buttons,
             QDialogButtonBox::StandardButton defaultButton);
    explicit AlertDlg(QWidget *parent);
    ~AlertDlg() override;

    static QDialogButtonBox::StandardButton execPrompt(QWidget *parent, const QString &title,
                                                       const QString &text);
    static QDialogButtonBox::StandardButton execQuestion(
        QWidget *parent, const QString &title, const QString &text,
        QDialogButtonBox::StandardButtons buttons, QDialogButtonBox::StandardButton defaultButton);
    static void showPrompt(QWidget *parent, const QString &title, const QString &text);

    bool isCloseOnClick() const { return m_bCloseOnClick; }
    // The standard button last clicked; NoButton until then.
    QDialogButtonBox::StandardButton clickedButton() const { return m_result; }

    void setAlertContent(const QString &text);
    void setButton1Text(const QString &text);
    void setButton2Text(const QString &text);
    void setCloseBtnVisible(bool visible);

    // Test seam. A request describes a standard box about to be shown; an
    // interceptor that returns a button answers it without showing anything
    // (an answer the box does not offer counts as Cancel, as if it had been
    // closed); one that returns nothing lets the box be shown as usual.
    struct Request
    {
        enum Kind { Prompt, Question, NonBlocking };
        Kind kind = Prompt;
        QPointer<QWidget> parent;
        QString title;
        QString text;
        QDialogButtonBox::StandardButtons buttons;
        QDialogButtonBox::StandardButton defaultButton = QDialogButtonBox::NoButton;
    };
    using Interceptor =
        std::function<std::optional<QDialogButtonBox::StandardButton>(const Request &)>;
    // An empty function removes the interceptor.
    static void setInterceptor(Interceptor interceptor);

signals:
    void sigClickButton1();
    void sigClickButton2();
    void sigClickButton3();
    void sigCloseWindow();

public slots:
    void slotOnClickButton1();
    void slotOnClickButton2();
    void slotOnClickButton3();
    void onButtonClicked(QAbstractButton *button);
    void retranslate();

protected:
    void closeEvent(QCloseEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void onDpiChanged() override;

private:
    void setupForm();
    bool blocks(QWindow *window) const;
    void takeBackFrom(QWindow *focused);
    static QDialogButtonBox::StandardButton runModal(AlertDlg *box);
    static std::optional<QDialogButtonBox::StandardButton> intercept(const Request &request);

    QDialogButtonBox *m_pButtonBox = nullptr;
    QDialogButtonBox::StandardButton m_result = QDialogButtonBox::NoButton;
    CDpiLayoutScaler m_scaler;
    bool m_bCloseOnClick = false;
    bool m_bNoteTitle = false; // the custom form keeps the title "Note"
    QObject *m_pPressWatcher = nullptr; // presses on the windows it blocks, while shown

    QWidget *m_titleWidget = nullptr;
    QLabel *m_title = nullptr;
    QPushButton *m_closeBtn = nullptr;
    QLabel *m_iconLabel = nullptr;
    QLabel *m_alertContent = nullptr;
    QWidget *m_bottomWidget = nullptr;
    QPushButton *m_button1 = nullptr;
    QPushButton *m_button2 = nullptr;
    QPushButton *m_button3 = nullptr;
};

} // namespace rj_app::views
