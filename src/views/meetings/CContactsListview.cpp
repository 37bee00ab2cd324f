#include "views/meetings/CContactsListview.h"

#include "views/meetings/CContactsDelegate.h"

#include <QCoreApplication>

namespace rj_app::views {

namespace {

QString trList(const char *text)
{
    return QCoreApplication::translate("CContactsListview", text);
}

} // namespace

CContactsListview::CContactsListview(QWidget *parent)
    : QListView(parent)
{
    setMouseTracking(true);
}

CContactsListview::~CContactsListview() = default;

void CContactsListview::init()
{
    if (m_pModel)
        return;
    m_pModel = new CContactsListmodel(this);
    m_pDelegate = new CContactsDelegate(this);
    setModel(m_pModel);
    setItemDelegate(m_pDelegate);
    if (m_bSelectMode) {
        // Switched before init: the parts created now follow.
        m_pDelegate->setSelectMode();
        m_pModel->setSelectMode();
    }
    m_pModel->setItems(fixedRows());
    connect(m_pDelegate, &CContactsDelegate::signal_selectContactItem, this,
            &CContactsListview::slot_selectContactItem);
}

bool CContactsListview::isOwnEntry(const ucmcontactData &contact)
{
    // A record without a user id is not anybody's own entry.
    return contact.userId != 0 && contact.ownerId == contact.userId;
}

QString CContactsListview::contactText(const ucmcontactData &contact)
{
    return isOwnEntry(contact) ? contact.name + trList("(Me)") : contact.name;
}

contactItemData CContactsListview::contactRow(const ucmcontactData &contact)
{
    contactItemData row;
    row.text = contactText(contact);
    row.type = contactItemData::Contact;
    row.contact = contact;
    row.avatarUrl = contact.imageURL;
    return row;
}

QList<contactItemData> CContactsListview::fixedRows() const
{
    contactItemData header;
    header.type = contactItemData::Header;
    header.text = m_bSelectMode ? trList("Organization") : trList("Add contacts");
    contactItemData separator;
    separator.type = contactItemData::Separator;
    contactItemData title;
    title.type = contactItemData::SectionTitle;
    title.text = trList("My contacts");
    return {header, separator, title};
}

void CContactsListview::setContacts(const QList<ucmcontactData> &contacts)
{
    if (!m_pModel)
        return;
    QList<contactItemData> rows = fixedRows();
    rows.reserve(rows.size() + contacts.size());
    for (const ucmcontactData &contact : contacts)
        rows.append(contactRow(contact));
    m_pModel->setItems(rows);
}

void CContactsListview::addContact(const ucmcontactData &contact)
{
    if (!m_pModel)
        return;
    m_pModel->appendItem(contactRow(contact));
    m_pModel->refresh();
}

void CContactsListview::removeCurrentRow()
{
    if (m_pModel)
        m_pModel->removeItemAt(currentIndex().row());
}

void CContactsListview::removeContactByUserId(int userId)
{
    if (m_pModel)
        m_pModel->removeByUserId(userId);
}

contactItemData CContactsListview::itemAt(int row) const
{
    return m_pModel ? m_pModel->itemAt(row) : contactItemData();
}

contactItemData CContactsListview::currentItem() const
{
    return itemAt(currentIndex().row());
}

void CContactsListview::retranslate()
{
    if (!m_pModel || m_pModel->rowCount() < 3)
        return;
    const QList<contactItemData> fixed = fixedRows();
    m_pModel->setRowText(0, fixed.at(0).text);
    m_pModel->setRowText(2, fixed.at(2).text);
    // Every contact row, so an own entry anywhere follows the language.
    for (int row = 3; row < m_pModel->rowCount(); ++row) {
        const contactItemData item = m_pModel->itemAt(row);
        if (item.type == contactItemData::Contact)
            m_pModel->setRowText(row, contactText(item.contact));
    }
    m_pModel->refresh();
}

void CContactsListview::selectDefaultRow()
{
    if (!m_pModel)
        return;
    const int row = m_pModel->rowCount() > 4 ? 3 : 0;
    if (m_bSelectMode) {
        emit signal_current_changed(0);
        return;
    }
    setCurrentIndex(m_pModel->index(row));
}

void CContactsListview::setSelectMode()
{
    m_bSelectMode = true;
    if (m_pDelegate)
        m_pDelegate->setSelectMode();
    if (m_pModel) {
        m_pModel->setSelectMode();
        m_pModel->setRowText(0, fixedRows().at(0).text);
        m_pModel->refresh();
    }
}

void CContactsListview::setSelectedUsers(const QList<int> &ids)
{
    if (m_pModel && m_bSelectMode)
        m_pModel->setSelectedUsers(ids);
}

void CContactsListview::setUserSelected(int userId, bool selected)
{
    if (m_pModel && m_bSelectMode)
        m_pModel->setUserSelected(userId, selected);
}

void CContactsListview::updateCurrentUser(const ucmuserData &user)
{
    if (m_pModel)
        m_pModel->updateUser(user.id, user.imageURL, user.displayName + trList("(Me)"), user.displayName);
}

void CContactsListview::updateDpi(double scale)
{
    if (m_pDelegate)
        m_pDelegate->updateDpi(scale);
    if (m_pModel)
        m_pModel->refresh();
}

void CContactsListview::slot_selectContactItem(QModelIndex index)
{
    if (!m_bSelectMode || !m_pModel || !index.isValid())
        return;
    const contactItemData item = m_pModel->itemAt(index.row());
    if (item.type != contactItemData::Contact)
        return;
    const bool selected = !item.selected;
    m_pModel->setData(m_pModel->index(index.row()), selected, CContactsListmodel::SelectedRole);
    emit signal_selectSyncItem(item.contact.userId, selected);
}

void CContactsListview::currentChanged(const QModelIndex &current, const QModelIndex &previous)
{
    // The base keeps the new current row in sight when moving by keyboard.
    QListView::currentChanged(current, previous);
    emit signal_current_changed(current.row());
}

} // namespace rj_app::views
