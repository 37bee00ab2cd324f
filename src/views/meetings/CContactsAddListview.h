#pragma once

#include "models/UcmRecords.h"
#include "views/meetings/CContactsAddListmodel.h"

#include <QList>
#include <QListView>
#include <QRegExp>
#include <QSet>

class QSortFilterProxyModel;

namespace rj_app::views {

class CContactsAddDelegate;

// The user directory of the contacts tab: every user of the management
// server with an "Add" button, or a tick box in select mode, filtered by the
// search field on the display name. Owns its model, the filter proxy it
// shows, and its delegate.
class CContactsAddListview : public QListView
{
    Q_OBJECT
public:
    explicit CContactsAddListview(QWidget *parent = nullptr);
    ~CContactsAddListview() override;

    // Creates model, proxy and delegate; once.
    void init();

    // Rebuilds the rows: a user is marked added when one of `contacts` is
    // that user. Ticks are cleared; the search filter stays in force.
    void setUsers(const QList<ucmuserData> &users, const QList<ucmcontactData> &contacts);
    // Marks exactly the users of `contacts` as added; for a contacts answer
    // that arrives after the users answer.
    void setAddedFrom(const QList<ucmcontactData> &contacts);
    void setAdded(int userId);
    void clearAdded(int userId);
    void updateCurrentUser(const ucmuserData &user);
    // Ticked user ids in directory order, whatever the filter shows.
    QList<int> getSelectedUsers() const;
    void setSelectMode();
    bool isSelectMode() const { return m_bSelectMode; }
    void setSelectedUsers(const QList<int> &ids);
    void setUserSelected(int userId, bool selected);
    void updateDpi(double scale);

    CContactsAddListmodel *usersModel() const { return m_pModel; }
    QSortFilterProxyModel *proxyModel() const { return m_pProxy; }
    CContactsAddDelegate *usersDelegate() const { return m_pDelegate; }

    // The filter for a typed text: "*<text>*", wildcard, case-insensitive.
    static QRegExp searchPattern(const QString &text);

signals:
    void signal_addContact_begin(int userId);
    void signal_selectSyncItem(int userId, bool selected);

public slots:
    void slot_addContactItem(QModelIndex index);
    void slot_selectUserItem(QModelIndex index);
    void slot_textChanged(QString str);

private:
    static QSet<int> usersOf(const QList<ucmcontactData> &contacts);
    int sourceRow(const QModelIndex &index) const;

    CContactsAddListmodel *m_pModel = nullptr;
    QSortFilterProxyModel *m_pProxy = nullptr;
    CContactsAddDelegate *m_pDelegate = nullptr;
    bool m_bSelectMode = false;
};

} // namespace rj_app::views
