#include "views/framework/AlertDlg.h"

#include "helpers/CGeneralUtils.h"
#include "models/CLinguist.h"
#include "platform/XcbWindows.h"
#include "views/framework/CModualDlgsManager.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QCloseEvent>
#include <QDebug>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <QWindow>

#include <cstdlib>
#include <cstring>
#include <functional>


namespace rj_app::views {

namespace {
// The X server's XInput major opcode, 0 when it has none.
uint8_t xinputOpcode()
{
    static const uint8_t opcode = [] {
        xcb_connection_t *c = platform::xcbConnection();
        if (!c)
            return uint8_t(0);
        static const char kName[] = "XInputExtension";
        xcb_query_extension_reply_t *reply =
            xcb_query_extension_reply(c, xcb_query_extension(c, sizeof kName - 1, kName), nullptr);
        const uint8_t found = reply && reply->present ? reply->major_opcode : 0;
        free(reply);
        return found;
    }();
    return opcode;
}

// The window a button was pressed in, from a core event or from the XInput 2
// event Qt asks the X server for instead; 0 for any other event.
xcb_window_t pressedWindow(const xcb_generic_event_t *event)
{
    const uint8_t type = event->response_type & 0x7f;
    if (type == XCB_BUTTON_PRESS)
        return reinterpret_cast<const xcb_button_press_event_t *>(event)->event;
    if (type != XCB_GE_GENERIC)
        return 0;
    // An XInput 2 device event: extension, evtype, then the event window
    // after root, at byte 24 (the protocol's xXIDeviceEvent).
    const auto *bytes = reinterpret_cast<const uint8_t *>(event);
    constexpr uint16_t kXiButtonPress = 4;
    uint16_t evtype = 0;
    std::memcpy(&evtype, bytes + 8, sizeof evtype);
    if (bytes[1] != xinputOpcode() || bytes[1] == 0 || evtype != kXiButtonPress)
        return 0;
    xcb_window_t window = 0;
    std::memcpy(&window, bytes + 24, sizeof window);
    return window;
}

// Calls `pressed` with the window of every mouse press the X server gives
// the application, also on a window Qt keeps from the mouse because a modal
// box blocks it.
class CPressWatcher : public QObject, public QAbstractNativeEventFilter
{
public:
    CPressWatcher(QObject *parent, std::function<void(QWindow *)> pressed)
        : QObject(parent)
        , m_pressed(std::move(pressed))
    {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~CPressWatcher() override { QCoreApplication::instance()->removeNativeEventFilter(this); }

    bool nativeEventFilter(const QByteArray &eventType, void *message, long *) override
    {
        if (eventType != "xcb_generic_event_t")
            return false;
        const xcb_window_t id = pressedWindow(static_cast<const xcb_generic_event_t *>(message));
        if (!id)
            return false;
        const QList<QWindow *> windows = QGuiApplication::allWindows();
        for (QWindow *window : windows) {
            if (window->handle() && window->winId() == id) {
                // After the event: the window manager raises on the press.
                QTimer::singleShot(0, this, [this, w = QPointer<QWindow>(window)] {
                    if (w)
                        m_pressed(w);
                });
                break;
            }
        }
        return false;
    }

private:
    std::function<void(QWindow *)> m_pressed;
};

const QString kStyleBase = QStringLiteral(":/resources/qss/alert-dlg");
constexpr int kBaseWidth = 430;
constexpr int kBaseHeight = 230;

AlertDlg::Interceptor &interceptorSlot()
{
    static AlertDlg::Interceptor interceptor;
    return interceptor;
}
} // namespace

void AlertDlg::setupForm()
{
    setObjectName(QStringLiteral("AlertDlg"));
    setFixedSize(kBaseWidth, kBaseHeight);
    setWindowTitle(QString());

    auto *root = new QVBoxLayout(this);
    root->setSpacing(0);
    root->setContentsMargins(1, 1, 1, 1); // room for the frame drawn by the sheet

    m_titleWidget = new QWidget(this);
    m_titleWidget->setObjectName(QStringLiteral("m_titleWidget"));
    m_titleWidget->setAttribute(Qt::WA_StyledBackground);
    m_titleWidget->setFixedHeight(30);
    auto *titleLayout = new QHBoxLayout(m_titleWidget);
    titleLayout->setSpacing(0);
    titleLayout->setContentsMargins(12, 0, 0, 0);
    m_title = new QLabel(tr("Note"), m_titleWidget);
    m_title->setObjectName(QStringLiteral("m_title"));
    m_title->setFixedSize(90, 30);
    titleLayout->addWidget(m_title);
    titleLayout->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    m_closeBtn = new QPushButton(m_titleWidget);
    m_closeBtn->setObjectName(QStringLiteral("m_closeBtn"));
    m_closeBtn->setFixedSize(28, 28);
    m_closeBtn->setCursor(Qt::PointingHandCursor);
    m_closeBtn->setAutoDefault(false);
    titleLayout->addWidget(m_closeBtn);
    root->addWidget(m_titleWidget);

    auto *contentLayout = new QHBoxLayout();
    contentLayout->setSpacing(10);
    contentLayout->setContentsMargins(0, 0, 20, 0);
    contentLayout->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    m_iconLabel = new QLabel(this);
    m_iconLabel->setObjectName(QStringLiteral("label"));
    m_iconLabel->setFixedSize(44, 36);
    contentLayout->addWidget(m_iconLabel);
    m_alertContent = new QLabel(this);
    m_alertContent->setObjectName(QStringLiteral("m_alertContent"));
    m_alertContent->setFixedSize(320, 130);
    m_alertContent->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_alertContent->setWordWrap(true);
    contentLayout->addWidget(m_alertContent);
    // The content row cannot grow: the room the box has beyond it goes to
    // these two, so that title bar and button bar stay on the frame.
    root->addStretch(1);
    root->addLayout(contentLayout);
    root->addStretch(1);

    m_bottomWidget = new QWidget(this);
    m_bottomWidget->setObjectName(QStringLiteral("m_bottomWidget"));
    m_bottomWidget->setAttribute(Qt::WA_StyledBackground);
    m_bottomWidget->setFixedHeight(44);
    auto *bottomLayout = new QHBoxLayout(m_bottomWidget);
    bottomLayout->setSpacing(5);
    bottomLayout->setContentsMargins(0, 0, 20, 0);
    bottomLayout->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    auto makeButton = [this, bottomLayout](const char *name) {
        auto *b = new QPushButton(m_bottomWidget);
        b->setObjectName(QLatin1String(name));
        b->setFixedSize(80, 27);
        b->setCursor(Qt::PointingHandCursor);
        bottomLayout->addWidget(b);
        return b;
    };
    m_button3 = makeButton("m_button3");
    m_button2 = makeButton("m_button2");
    m_button1 = makeButton("m_button1");
    root->addWidget(m_bottomWidget);
}

AlertDlg::AlertDlg(QWidget *parent, const QString &title, const QString &text,
                   QDialogButtonBox::StandardButtons buttons,
                   QDialogButtonBox::StandardButton defaultButton)
    : CBaseDlg(parent)
{
    setupForm();
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    setWindowModality(Qt::WindowModal);

    m_closeBtn->hide();
    m_iconLabel->hide();
    m_button1->hide();
    m_button2->hide();
    m_button3->hide();

    m_pButtonBox = new QDialogButtonBox(buttons, this);
    if (QPushButton *def = m_pButtonBox->button(defaultButton)) {
        def->setDefault(true);
        def->setFocus();
    }
    const auto all = m_pButtonBox->buttons();
    for (QAbstractButton *b : all) {
        b->setFixedSize(80, 27);
        b->setIcon(QIcon()); // text-only buttons, whatever the platform style adds
    }
    if (QPushButton *ok = m_pButtonBox->button(QDialogButtonBox::Ok)) {
        ok->setObjectName(QStringLiteral("OkYesButton"));
    } else if (QPushButton *yes = m_pButtonBox->button(QDialogButtonBox::Yes)) {
        yes->setObjectName(QStringLiteral("OkYesButton"));
    }
    if (QPushButton *cancel = m_pButtonBox->button(QDialogButtonBox::Cancel)) {
        cancel->setObjectName(QStringLiteral("CancelNoButton"));
    } else if (QPushButton *no = m_pButtonBox->button(QDialogButtonBox::No)) {
        no->setObjectName(QStringLiteral("CancelNoButton"));
    }
    retranslate();
    connect(models::CLinguist::getInstance(), &models::CLinguist::sigLanguageChanged, this, &AlertDlg::retranslate);
    static_cast<QBoxLayout *>(m_bottomWidget->layout())->insertWidget(1, m_pButtonBox, 0);

    m_title->setText(title);
    m_alertContent->setText(text);

    connect(m_pButtonBox, &QDialogButtonBox::clicked, this, &AlertDlg::onButtonClicked);
    // Older message boxes on top of the modal stack give way to this one.
    CModualDlgsManager::closeAllModualDlgs(true);
}

AlertDlg::AlertDlg(QWidget *parent)
    : CBaseDlg(parent)
{
    setupForm();
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlags(Qt::FramelessWindowHint);
    setWindowModality(Qt::WindowModal);
    helpers::CGeneralUtils::setStyle(this, kStyleBase + QStringLiteral(".qss"));
    dragAreaHeight = m_titleWidget->height();
    m_button1->hide();
    m_button2->hide();
    m_button3->hide();
    connect(m_closeBtn, &QPushButton::clicked, this, &QWidget::close);
    connect(m_button1, &QPushButton::clicked, this, &AlertDlg::slotOnClickButton1);
    connect(m_button2, &QPushButton::clicked, this, &AlertDlg::slotOnClickButton2);
    connect(m_button3, &QPushButton::clicked, this, &AlertDlg::slotOnClickButton3);
    m_bNoteTitle = true;
    connect(models::CLinguist::getInstance(), &models::CLinguist::sigLanguageChanged, this, &AlertDlg::retranslate);
}

// The texts the box owns follow the language; a caller's title and text were
// translated by the caller.
void AlertDlg::retranslate()
{
    if (m_bNoteTitle)
        m_title->setText(tr("Note"));
    if (!m_pButtonBox)
        return;
    const std::pair<QDialogButtonBox::StandardButton, const char *> texts[] = {
        {QDialogButtonBox::Ok, QT_TR_NOOP("OK")},
        {QDialogButtonBox::Yes, QT_TR_NOOP("Yes")},
        {QDialogButtonBox::Cancel, QT_TR_NOOP("Cancel")},
        {QDialogButtonBox::No, QT_TR_NOOP("No")},
    };
    for (const auto &[which, text] : texts) {
        if (QPushButton *button = m_pButtonBox->button(which))
            button->setText(tr(text));
    }
}

AlertDlg::~AlertDlg() = default;

void AlertDlg::setInterceptor(Interceptor interceptor)
{
    interceptorSlot() = std::move(interceptor);
}

std::optional<QDialogButtonBox::StandardButton> AlertDlg::intercept(const Request &request)
{
    const Interceptor &hook = interceptorSlot();
    if (!hook)
        return std::nullopt;
    auto answer = hook(request);
    if (answer && *answer != QDialogButtonBox::Cancel && !(request.buttons & *answer)) {
        qWarning() << "AlertDlg: answer" << *answer << "is not offered by" << request.title
                   << "; taken as closed";
        answer = QDialogButtonBox::Cancel;
    }
    return answer;
}

QDialogButtonBox::StandardButton AlertDlg::execPrompt(QWidget *parent, const QString &title,
                                                      const QString &text)
{
    Request request;
    request.kind = Request::Prompt;
    request.parent = parent;
    request.title = title;
    request.text = text;
    request.buttons = QDialogButtonBox::Ok;
    if (auto answer = intercept(request))
        return *answer;

    return runModal(new AlertDlg(parent, title, text, QDialogButtonBox::Ok, QDialogButtonBox::NoButton));
}

QDialogButtonBox::StandardButton AlertDlg::execQuestion(QWidget *parent, const QString &title,
                                                        const QString &text,
                                                        QDialogButtonBox::StandardButtons buttons,
                                                        QDialogButtonBox::StandardButton defaultButton)
{
    Request request;
    request.kind = Request::Question;
    request.parent = parent;
    request.title = title;
    request.text = text;
    request.buttons = buttons;
    request.defaultButton = defaultButton;
    if (auto answer = intercept(request))
        return *answer;

    return runModal(new AlertDlg(parent, title, text, buttons, defaultButton));
}

// The box lives on the heap, not on the caller's stack: its parent may be
// deleted while exec() runs, and it would take a stack object with it.
QDialogButtonBox::StandardButton AlertDlg::runModal(AlertDlg *box)
{
    QPointer<AlertDlg> guard(box);
    const int code = box->exec();
    if (!guard)
        return QDialogButtonBox::Cancel;
    const QDialogButtonBox::StandardButton result =
        code == QDialog::Accepted ? box->m_result : QDialogButtonBox::Cancel;
    delete box;
    return result;
}

void AlertDlg::showPrompt(QWidget *parent, const QString &title, const QString &text)
{
    Request request;
    request.kind = Request::NonBlocking;
    request.parent = parent;
    request.title = title;
    request.text = text;
    request.buttons = QDialogButtonBox::Ok;
    if (intercept(request))
        return;

    auto *box = new AlertDlg(parent, title, text, QDialogButtonBox::Ok, QDialogButtonBox::NoButton);
    box->m_bCloseOnClick = true;
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->show();
}

void AlertDlg::setAlertContent(const QString &text)
{
    m_alertContent->setText(text);
}

void AlertDlg::setButton1Text(const QString &text)
{
    m_button1->setText(text);
    m_button1->show();
}

void AlertDlg::setButton2Text(const QString &text)
{
    m_button2->setText(text);
    m_button2->show();
}

void AlertDlg::setCloseBtnVisible(bool visible)
{
    m_closeBtn->setVisible(visible);
}

void AlertDlg::slotOnClickButton1()
{
    emit sigClickButton1();
}

void AlertDlg::slotOnClickButton2()
{
    emit sigClickButton2();
}

void AlertDlg::slotOnClickButton3()
{
    emit sigClickButton3();
}

void AlertDlg::onButtonClicked(QAbstractButton *button)
{
    if (!m_pButtonBox)
        return;
    m_result = m_pButtonBox->standardButton(button);
    if (m_bCloseOnClick)
        close();
    else
        accept();
}

void AlertDlg::closeEvent(QCloseEvent *event)
{
    // Closing is not rejecting: a box in exec() ends with the code it has,
    // which is Rejected unless a button accepted it.
    emit sigCloseWindow();
    event->accept();
}

void AlertDlg::showEvent(QShowEvent *event)
{
    m_scaler.init(width(), height(), this);
    CBaseDlg::showEvent(event);
    centerWindowOnScreen();
    connect(qApp, &QGuiApplication::focusWindowChanged, this, &AlertDlg::takeBackFrom, Qt::UniqueConnection);
    // A click on a window that takes no focus (the call's mouse cover) is
    // raised by the window manager all the same, and Qt raises the box only
    // when it has no owner.
    if (!m_pPressWatcher) {
        m_pPressWatcher = new CPressWatcher(this, [this](QWindow *window) { takeBackFrom(window); });
    }
}

void AlertDlg::hideEvent(QHideEvent *event)
{
    disconnect(qApp, &QGuiApplication::focusWindowChanged, this, &AlertDlg::takeBackFrom);
    delete m_pPressWatcher;
    m_pPressWatcher = nullptr;
    CBaseDlg::hideEvent(event);
}

bool AlertDlg::blocks(QWindow *window) const
{
    const QWindow *own = windowHandle();
    if (!window || !own || window == own)
        return false;
    // The box's own windows (a combo's list, say) are not blocked by it.
    for (const QWindow *w = window; w; w = w->transientParent()) {
        if (w == own)
            return false;
    }
    if (windowModality() == Qt::ApplicationModal)
        return true;
    // Modal to its window: it blocks the windows it is laid over.
    for (const QWidget *w = parentWidget() ? parentWidget()->window() : nullptr; w;
         w = w->parentWidget() ? w->parentWidget()->window() : nullptr) {
        if (w->windowHandle() == window)
            return true;
    }
    for (const QWindow *w = own->transientParent(); w; w = w->transientParent()) {
        if (w == window)
            return true;
    }
    return false;
}

// A window manager raises and focuses what a person clicks, also a window
// this box blocks, and the box would sit unanswerable beneath it. The box
// takes the top and the keyboard back.
void AlertDlg::takeBackFrom(QWindow *focused)
{
    if (!isVisible() || windowModality() == Qt::NonModal || QApplication::activeModalWidget() != this
        || !blocks(focused))
        return;
    QTimer::singleShot(0, this, [this] {
        if (!isVisible())
            return;
        raise();
        activateWindow();
    });
}

void AlertDlg::onDpiChanged()
{
    QFont titleFont = m_title->font();
    if (titleFont.weight() <= 57)
        titleFont.setWeight(75);
    titleFont.setPixelSize(static_cast<int>(14 * fStretchFactor));
    m_title->setFont(titleFont);
    m_alertContent->setFont(titleFont);

    QFont buttonFont = m_button1->font();
    buttonFont.setPixelSize(static_cast<int>(12 * fStretchFactor));
    m_button1->setFont(buttonFont);
    m_button2->setFont(buttonFont);
    m_button3->setFont(buttonFont);

    setStyleSheet(QString());
    setStyleSheets(kStyleBase);
    m_scaler.rescale(fStretchFactor, this);
    // The frame stays 1 pixel at every scale, and so does the room left for it.
    layout()->setContentsMargins(1, 1, 1, 1);
    layout()->activate();
    dragAreaHeight = m_titleWidget->height();
}

} // namespace rj_app::views
