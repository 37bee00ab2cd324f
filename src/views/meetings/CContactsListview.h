#pragma once

#include "models/UcmRecords.h"
#include "views/meetings/CContactsListmodel.h"

#include <QList>
#include <QListView>

namespace rj_app::views {

class CContactsDelegate;

// The left column of the contacts tab: the header that leads to the user
// directory, a separator, the section title "My contacts" and one row per
// personal contact. The tab talks only to this view; it owns its model and
// delegate. In select mode no row can become current and contact rows carry
// tick boxes.
class CContactsListview : public QListView
{
    Q_OBJECT
public:
    explicit CContactsListview(QWidget *parent = nullptr);
    ~CContactsListview() override;

    // Creates model and delegate and the three fixed rows; once.
    void init();

    void setContacts(const QList<ucmcontactData> &contacts);
    void addContact(const ucmcontactData &contact);
    // Both remove contact rows only; the fixed rows stay.
    void removeCurrentRow();
    void removeContactByUserId(int userId);
    // Copies; an empty contact row when out of range.
    contactItemData itemAt(int row) const;
    contactItemData currentItem() const;
    void retranslate();
    // Row 3 (the first contact) when there are more than 4 rows, else the header.
    void selectDefaultRow();
    void setSelectMode();
    bool isSelectMode() const { return m_bSelectMode; }
    void setSelectedUsers(const QList<int> &ids);
    void setUserSelected(int userId, bool selected);
    // The own entry takes the new display name (with "(Me)") and picture.
    void updateCurrentUser(const ucmuserData &user);
    void updateDpi(double scale);

    CContactsListmodel *contactsModel() const { return m_pModel; }
    CContactsDelegate *contactsDelegate() const { return m_pDelegate; }

    // The text of a contact row: its name, with "(Me)" for the signed-in
    // user's own entry (owner and user are the same account).
    static QString contactText(const ucmcontactData &contact);
    static bool isOwnEntry(const ucmcontactData &contact);

signals:
    void signal_current_changed(int row);
    void signal_selectSyncItem(int userId, bool selected);

public slots:
    void slot_selectContactItem(QModelIndex index);

protected:
    void currentChanged(const QModelIndex &current, const QModelIndex &previous) override;

private:
    QList<contactItemData> fixedRows() const;
    static contactItemData contactRow(const ucmcontactData &contact);

    CContactsListmodel *m_pModel = nullptr;
    CContactsDelegate *m_pDelegate = nullptr;
    bool m_bSelectMode = false;
};

} // namespace rj_app::views
