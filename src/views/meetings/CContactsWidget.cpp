#include "views/meetings/CContactsWidget.h"

#include "models/CAvatarCache.h"
#include "models/CLinguist.h"
#include "models/CLoginManager.h"
#include "models/CUCMApiManager.h"
#include "views/framework/AlertDlg.h"
#include "views/meetings/CContactsAddListview.h"
#include "views/meetings/CContactsListview.h"
#include "views/meetings/CSearchAddEdit.h"
#include "views/meetings/MeetingsScale.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpacerItem>
#include <QStackedWidget>
#include <QVBoxLayout>

using rj_app::models::CLinguist;
using rj_app::models::CLoginManager;
using rj_app::models::CUCMApiManager;

namespace {

QString urlPrefix()
{
    return CLoginManager::getInstance()->getUrlPrefix();
}

QString token()
{
    return CLoginManager::getInstance()->getToken();
}

QLabel *addressRow(QWidget *parent, QVBoxLayout *column, const char *captionName, const char *valueName,
                   QLabel **caption)
{
    auto *row = new QHBoxLayout;
    row->setSpacing(0);
    *caption = new QLabel(parent);
    (*caption)->setObjectName(QLatin1String(captionName));
    (*caption)->setFixedWidth(100);
    (*caption)->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    row->addWidget(*caption);
    auto *value = new QLabel(parent);
    value->setObjectName(QLatin1String(valueName));
    value->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    value->setTextInteractionFlags(Qt::TextSelectableByMouse);
    row->addWidget(value, 1);
    column->addLayout(row);
    return value;
}

// Says that a list's last refresh failed; hidden until one does.
QLabel *stateLine(QWidget *parent, const char *name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    label->setContentsMargins(10, 10, 10, 10);
    label->hide();
    return label;
}

QPushButton *roundButton(QWidget *parent, const char *name, int side)
{
    auto *button = new QPushButton(parent);
    button->setObjectName(QLatin1String(name));
    button->setFixedSize(side, side);
    button->setCursor(Qt::PointingHandCursor);
    return button;
}

} // namespace

namespace rj_app::views {

CContactsWidget::CContactsWidget(QWidget *parent)
    : CBaseWgt(parent)
{
    setupUi();
    listView->init();
    listView_add->init();
    stackedWidget->setCurrentWidget(page_none);
    retranslateUi();

    connect(lineEdit, &CSearchAddEdit::textChanged, listView_add, &CContactsAddListview::slot_textChanged);
    connect(CLoginManager::getInstance(), &CLoginManager::sigLoginTokenChanged, this,
            &CContactsWidget::slot_tokenChanged);
    CUCMApiManager *api = CUCMApiManager::getInstance();
    connect(api, &CUCMApiManager::signal_getContacts_succeed, this, &CContactsWidget::slot_getContacts_succeed);
    connect(api, &CUCMApiManager::signal_addContact_succeed, this, &CContactsWidget::slot_addContact_succeed);
    connect(api, &CUCMApiManager::signal_deleteContact_succeed, this, &CContactsWidget::slot_deleteContact_succeed);
    connect(api, &CUCMApiManager::signal_getUsers_succeed, this, &CContactsWidget::slot_getUsers_succeed);
    connect(api, &CUCMApiManager::signal_getContacts_failed, this, &CContactsWidget::slot_getContacts_failed);
    connect(api, &CUCMApiManager::signal_getUsers_failed, this, &CContactsWidget::slot_getUsers_failed);
    connect(api, &CUCMApiManager::signal_getUser_succeed, this, &CContactsWidget::slot_getUser_succeed);
    connect(listView, &CContactsListview::signal_current_changed, this, &CContactsWidget::slot_current_changed);
    connect(listView_add, &CContactsAddListview::signal_addContact_begin, this,
            &CContactsWidget::slot_addContact_begin);
    connect(pBt_delete, &QPushButton::clicked, this, &CContactsWidget::slot_deleteContact_begin);
    connect(CLinguist::getInstance(), &CLinguist::sigLanguageChanged, this, &CContactsWidget::slotOnLanguageChanged);
    QMetaObject::connectSlotsByName(this);
}

CContactsWidget::~CContactsWidget() = default;

void CContactsWidget::setupUi()
{
    setObjectName(QStringLiteral("CContactsWidget"));
    resize(805, 546);
    horizontalLayout = new QHBoxLayout(this);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setSpacing(0);
    horizontalLayout->setContentsMargins(0, 0, 0, 0);

    auto *listColumn = new QVBoxLayout;
    listColumn->setSpacing(0);
    listView = new CContactsListview(this);
    listView->setObjectName(QStringLiteral("listView"));
    listView->setFixedWidth(250);
    listView->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    listColumn->addWidget(listView);
    label_contactsState = stateLine(this, "label_contactsState");
    listColumn->addWidget(label_contactsState);
    horizontalLayout->addLayout(listColumn);

    stackedWidget = new QStackedWidget(this);
    stackedWidget->setObjectName(QStringLiteral("stackedWidget"));
    horizontalLayout->addWidget(stackedWidget);

    page_none = new QWidget;
    page_none->setObjectName(QStringLiteral("page_none"));
    stackedWidget->addWidget(page_none);

    page_info = new QWidget;
    page_info->setObjectName(QStringLiteral("page_info"));
    auto *grid = new QGridLayout(page_info);
    grid->setObjectName(QStringLiteral("gridLayout"));
    int left = 0, right = 0, bottom = 0;
    grid->getContentsMargins(&left, nullptr, &right, &bottom);
    grid->setContentsMargins(left, 0, right, bottom);

    widget_control = new QWidget(page_info);
    widget_control->setObjectName(QStringLiteral("widget_control"));
    widget_control->setFixedSize(530, 240);
    auto *control = new QVBoxLayout(widget_control);
    control->setSpacing(0);
    control->addStretch();
    auto *headRow = new QHBoxLayout;
    headRow->addStretch();
    widget_head = new QLabel(widget_control);
    widget_head->setObjectName(QStringLiteral("widget_head"));
    widget_head->setFixedSize(60, 60);
    headRow->addWidget(widget_head);
    headRow->addStretch();
    control->addLayout(headRow);
    m_gaps.append({new QSpacerItem(20, 14, QSizePolicy::Minimum, QSizePolicy::Fixed), 20, 14});
    control->addSpacerItem(m_gaps.last().item);
    auto *nameRow = new QHBoxLayout;
    nameRow->setSpacing(6);
    nameRow->addStretch();
    widget_left = new QWidget(widget_control);
    widget_left->setObjectName(QStringLiteral("widget_left"));
    widget_left->setFixedSize(18, 18);
    nameRow->addWidget(widget_left);
    label_name = new QLabel(widget_control);
    label_name->setObjectName(QStringLiteral("label_name"));
    label_name->setFixedHeight(40);
    label_name->setAlignment(Qt::AlignCenter);
    nameRow->addWidget(label_name);
    pBt_delete = roundButton(widget_control, "pBt_delete", 18);
    nameRow->addWidget(pBt_delete);
    nameRow->addStretch();
    control->addLayout(nameRow);
    auto *callRow = new QHBoxLayout;
    callRow->setSpacing(0);
    callRow->addStretch();
    pBt_video = roundButton(widget_control, "pBt_video", 40);
    callRow->addWidget(pBt_video);
    m_gaps.append({new QSpacerItem(30, 20, QSizePolicy::Fixed, QSizePolicy::Minimum), 30, 20});
    callRow->addSpacerItem(m_gaps.last().item);
    pBt_audio = roundButton(widget_control, "pBt_audio", 40);
    callRow->addWidget(pBt_audio);
    callRow->addStretch();
    control->addLayout(callRow);
    control->addStretch();
    grid->addWidget(widget_control, 0, 0);

    widget_adress = new QWidget(page_info);
    widget_adress->setObjectName(QStringLiteral("widget_adress"));
    widget_adress->setFixedSize(530, 200);
    auto *address = new QVBoxLayout(widget_adress);
    m_pAddressLayout = address;
    address->setContentsMargins(30, 0, 0, 0);
    m_gaps.append({new QSpacerItem(20, 15, QSizePolicy::Minimum, QSizePolicy::Fixed), 20, 15});
    address->addSpacerItem(m_gaps.last().item);
    label_account_name = addressRow(widget_adress, address, "label_account", "label_account_name", &label_account);
    label_callid_name = addressRow(widget_adress, address, "label_callid", "label_callid_name", &label_callid);
    label_mobile_name = addressRow(widget_adress, address, "label_mobile", "label_mobile_name", &label_mobile);
    label_email_name = addressRow(widget_adress, address, "label_email", "label_email_name", &label_email);
    label_telephone_name =
        addressRow(widget_adress, address, "label_telephone", "label_telephone_name", &label_telephone);
    address->addStretch();
    grid->addWidget(widget_adress, 1, 0);
    grid->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum), 0, 1);
    grid->addItem(new QSpacerItem(20, 40, QSizePolicy::Minimum, QSizePolicy::Expanding), 2, 0);
    stackedWidget->addWidget(page_info);

    page_add = new QWidget;
    page_add->setObjectName(QStringLiteral("page_add"));
    auto *addColumn = new QVBoxLayout(page_add);
    addColumn->setSpacing(0);
    addColumn->setContentsMargins(0, 0, 0, 0);
    m_gaps.append({new QSpacerItem(20, 10, QSizePolicy::Minimum, QSizePolicy::Fixed), 20, 10});
    addColumn->addSpacerItem(m_gaps.last().item);
    widget = new QWidget(page_add);
    widget->setObjectName(QStringLiteral("widget"));
    auto *searchRow = new QHBoxLayout(widget);
    searchRow->setSpacing(0);
    searchRow->setContentsMargins(0, 0, 0, 0);
    m_gaps.append({new QSpacerItem(10, 20, QSizePolicy::Fixed, QSizePolicy::Minimum), 10, 20});
    searchRow->addSpacerItem(m_gaps.last().item);
    lineEdit = new CSearchAddEdit(widget);
    lineEdit->setObjectName(QStringLiteral("lineEdit"));
    searchRow->addWidget(lineEdit);
    m_gaps.append({new QSpacerItem(10, 20, QSizePolicy::Fixed, QSizePolicy::Minimum), 10, 20});
    searchRow->addSpacerItem(m_gaps.last().item);
    addColumn->addWidget(widget);
    m_gaps.append({new QSpacerItem(20, 10, QSizePolicy::Minimum, QSizePolicy::Fixed), 20, 10});
    addColumn->addSpacerItem(m_gaps.last().item);
    listView_add = new CContactsAddListview(page_add);
    listView_add->setObjectName(QStringLiteral("listView_add"));
    addColumn->addWidget(listView_add);
    label_directoryState = stateLine(page_add, "label_directoryState");
    addColumn->addWidget(label_directoryState);
    stackedWidget->addWidget(page_add);
}

void CContactsWidget::retranslateUi()
{
    pBt_delete->setToolTip(tr("Delete"));
    pBt_video->setToolTip(tr("Video"));
    pBt_audio->setToolTip(tr("Audio"));
    label_account->setText(tr("Account"));
    label_callid->setText(tr("Call ID"));
    label_mobile->setText(tr("Mobile"));
    label_email->setText(tr("Email"));
    label_telephone->setText(tr("Telephone"));
    lineEdit->setPlaceholderText(tr("Search"));
    label_contactsState->setText(tr("The contact list could not be loaded."));
    label_directoryState->setText(tr("The user directory could not be loaded."));
}

void CContactsWidget::updateDpi(double scale)
{
    m_dScale = meetings::normalScale(scale);
    fStretchFactor = m_dScale;
    setStyleSheet(QString());
    setStyleSheets(QStringLiteral(":/resources/qss/contacts-widget"));
    label_name->adjustSize();
    for (const Gap &gap : qAsConst(m_gaps)) {
        gap.item->changeSize(meetings::scaled(gap.width, m_dScale), meetings::scaled(gap.height, m_dScale),
                             gap.item->sizePolicy().horizontalPolicy(), gap.item->sizePolicy().verticalPolicy());
    }
    m_pAddressLayout->setContentsMargins(meetings::scaled(30, m_dScale), 0, 0, 0);
    page_info->layout()->invalidate();
    page_add->layout()->invalidate();
    lineEdit->updateDpi(m_dScale);
    listView->updateDpi(m_dScale);
    listView_add->updateDpi(m_dScale);
}

void CContactsWidget::clearContactsCache()
{
    CUCMApiManager *api = CUCMApiManager::getInstance();
    api->clearSavedUsers();
    api->clearSavedContacts();
}

void CContactsWidget::requestData()
{
    CUCMApiManager *api = CUCMApiManager::getInstance();
    if (api->getSavedUsers().isEmpty())
        api->getUsers(urlPrefix(), token());
    if (api->getSavedContacts().isEmpty())
        api->getContacts(urlPrefix(), token());
}

void CContactsWidget::setSelectMode()
{
    if (m_bSelectMode)
        return;
    m_bSelectMode = true;
    listView->setSelectMode();
    listView_add->setSelectMode();
    connect(listView, &CContactsListview::signal_selectSyncItem, this, &CContactsWidget::slot_selectSyncItem);
    connect(listView_add, &CContactsAddListview::signal_selectSyncItem, this, &CContactsWidget::slot_selectSyncItemAdd);
}

QList<int> CContactsWidget::getSelectedUsers() const
{
    QList<int> ids = listView_add->getSelectedUsers();
    for (int id : m_hiddenSelected) {
        if (!ids.contains(id))
            ids.append(id);
    }
    return ids;
}

void CContactsWidget::setSelectedUsers(const QList<int> &ids)
{
    if (!m_bSelectMode)
        return;
    listView->setSelectedUsers(ids);
    listView_add->setSelectedUsers(ids);
    // Ids the directory does not show (not loaded yet, or a user that left
    // it) are kept and handed back, not dropped from the meeting.
    const QList<int> shown = listView_add->getSelectedUsers();
    m_hiddenSelected.clear();
    for (int id : ids) {
        if (!shown.contains(id) && !m_hiddenSelected.contains(id))
            m_hiddenSelected.append(id);
    }
}

void CContactsWidget::refreshForSelect()
{
    requestData();
    m_bShown = false;
}

void CContactsWidget::slot_tokenChanged()
{
    requestData();
}

void CContactsWidget::slot_getContacts_succeed()
{
    const QList<int> selected = m_bSelectMode ? getSelectedUsers() : QList<int>();
    const QList<ucmcontactData> &contacts = CUCMApiManager::getInstance()->getSavedContacts();
    listView->setContacts(contacts);
    // The users answer may have come first, marked against no contacts.
    listView_add->setAddedFrom(contacts);
    label_contactsState->hide();
    if (m_bSelectMode)
        setSelectedUsers(selected);
}

void CContactsWidget::slot_getContacts_failed()
{
    label_contactsState->show();
}

void CContactsWidget::slot_getUsers_failed()
{
    label_directoryState->show();
}

void CContactsWidget::slot_getUsers_succeed()
{
    const QList<int> selected = m_bSelectMode ? getSelectedUsers() : QList<int>();
    CUCMApiManager *api = CUCMApiManager::getInstance();
    listView_add->setUsers(api->getSavedUsers(), api->getSavedContacts());
    label_directoryState->hide();
    if (m_bSelectMode)
        setSelectedUsers(selected);
}

void CContactsWidget::slot_addContact_succeed()
{
    const ucmcontactData contact = CUCMApiManager::getInstance()->getAddedContact();
    listView->addContact(contact);
    listView_add->setAdded(contact.userId);
    if (m_bSelectMode && getSelectedUsers().contains(contact.userId))
        listView->setUserSelected(contact.userId, true);
}

void CContactsWidget::slot_deleteContact_succeed()
{
    const int userId = CUCMApiManager::getInstance()->getDeletingContactId().toInt();
    // Every contacts tab hears the answer; only the one that asked drops the
    // contact from the REST client's list, so one answer removes one contact.
    if (m_pendingDeletes.contains(userId)) {
        m_pendingDeletes.remove(userId);
        CUCMApiManager::getInstance()->removeContact(userId);
    }
    // By user id: the selection may have moved while the request waited.
    listView->removeContactByUserId(userId);
    listView_add->clearAdded(userId);
    listView->selectDefaultRow();
}

void CContactsWidget::slot_getUser_succeed()
{
    const ucmuserData user = CUCMApiManager::getInstance()->getCurrentUser();
    listView->updateCurrentUser(user);
    listView_add->updateCurrentUser(user);
}

void CContactsWidget::slot_current_changed(int row)
{
    const contactItemData item = listView->itemAt(row);
    switch (item.type) {
    case contactItemData::Header:
        if (stackedWidget->currentWidget() != page_add)
            stackedWidget->setCurrentWidget(page_add);
        break;
    case contactItemData::Contact: {
        stackedWidget->setCurrentWidget(page_info);
        // A picture still on its way shows the fallback rather than nothing.
        const QPixmap avatar =
            item.avatar.isNull() ? rj_app::models::CAvatarCache::cachedOrDefault(item.avatarUrl) : item.avatar;
        widget_head->setPixmap(avatar.scaled(widget_head->size(), Qt::IgnoreAspectRatio, Qt::FastTransformation));
        label_name->setText(item.text);
        label_account_name->setText(item.contact.userName);
        label_callid_name->setText(item.contact.callNumber);
        label_mobile_name->setText(item.contact.cellphone);
        label_email_name->setText(item.contact.email);
        label_telephone_name->setText(item.contact.telephone);
        const bool own = item.contact.ownerId == item.contact.userId;
        widget_left->setVisible(!own);
        pBt_delete->setVisible(!own);
        pBt_video->setVisible(!own);
        pBt_audio->setVisible(!own);
        break;
    }
    default:
        stackedWidget->setCurrentWidget(page_none);
        break;
    }
}

void CContactsWidget::slot_addContact_begin(int id)
{
    // The request waits inside the call; a second "Add" for the same user in
    // that wait would add the contact twice.
    if (m_pendingAdds.contains(id))
        return;
    m_pendingAdds.insert(id);
    CUCMApiManager::getInstance()->postContact(urlPrefix(), token(), id);
    m_pendingAdds.remove(id);
}

void CContactsWidget::slot_deleteContact_begin()
{
    const auto answer = AlertDlg::execQuestion(this, tr("Prompt"), tr("Sure you want to delete contact?"),
                                               QDialogButtonBox::Ok | QDialogButtonBox::Cancel,
                                               QDialogButtonBox::Ok);
    if (answer != QDialogButtonBox::Ok)
        return;
    const ucmcontactData contact = listView->currentItem().contact;
    if (contact.id == 0 && contact.userId == 0)
        return;
    const int userId = contact.userId;
    m_pendingDeletes.insert(userId);
    CUCMApiManager::getInstance()->deleteContact(urlPrefix(), token(), QString::number(contact.id),
                                                 QString::number(userId));
    // The answer is queued before this marker; without an answer (error,
    // time-out) the mark goes with it.
    QMetaObject::invokeMethod(
        this, [this, userId] { m_pendingDeletes.remove(userId); }, Qt::QueuedConnection);
}

void CContactsWidget::slot_selectSyncItem(int id, bool nselect)
{
    if (!m_bSelectMode)
        return;
    listView_add->setUserSelected(id, nselect);
    m_hiddenSelected.removeAll(id);
    if (nselect && !listView_add->getSelectedUsers().contains(id))
        m_hiddenSelected.append(id);
}

void CContactsWidget::slot_selectSyncItemAdd(int id, bool nselect)
{
    if (!m_bSelectMode)
        return;
    listView->setUserSelected(id, nselect);
    m_hiddenSelected.removeAll(id);
}

void CContactsWidget::slot_ucmapi_error(int errorCode, QString errorInfo)
{
    Q_UNUSED(errorCode)
    Q_UNUSED(errorInfo)
}

void CContactsWidget::slotOnLanguageChanged()
{
    retranslateUi();
    listView->retranslate();
}

void CContactsWidget::callCurrent(bool audioOnly)
{
    const ucmcontactData contact = listView->currentItem().contact;
    emit sigUCMP2pCall(contact.callNumber, QString(), audioOnly, QString());
}

void CContactsWidget::on_pBt_video_clicked()
{
    callCurrent(false);
}

void CContactsWidget::on_pBt_audio_clicked()
{
    callCurrent(true);
}

void CContactsWidget::showEvent(QShowEvent *event)
{
    CBaseWgt::showEvent(event);
    if (m_bShown)
        requestData();
    if (listView->currentIndex().row() < 0)
        listView->selectDefaultRow();
    m_bShown = true;
}

void CContactsWidget::hideEvent(QHideEvent *event)
{
    QWidget::hideEvent(event);
    if (m_bSelectMode)
        m_bShown = false;
}

void CContactsWidget::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
}

} // namespace rj_app::views
