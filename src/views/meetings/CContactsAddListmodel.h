#pragma once

#include "models/UcmRecords.h"

#include <QAbstractListModel>
#include <QHash>
#include <QVector>
#include <QList>
#include <QPixmap>
#include <QSet>
#include <QString>

namespace rj_app::views {

// One row of the user directory.
struct userItemData
{
    QString text;              // the user's display name
    bool added = false;        // already a personal contact
    QPixmap avatar;            // empty until known
    ucmuserData user;
    QString avatarUrl;         // the address whose download this row waits for
    bool selected = false;     // the tick in select mode
};

// The users of the management server's directory, in the server's order.
// No row has item flags: every interaction goes through the delegate.
class CContactsAddListmodel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role : int {
        TextRole = Qt::UserRole,   // 256
        AddedRole,                 // 257
        AvatarRole,                // 258
        UserRole,                  // 259
        SelectedRole               // 260
    };

    explicit CContactsAddListmodel(QObject *parent = nullptr);
    ~CContactsAddListmodel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Replaces every row, announced by one reset.
    void setItems(const QList<userItemData> &items);
    // Appends a copy of the row; its picture comes from the avatar cache or
    // its download is queued.
    void appendItem(const userItemData &item);
    userItemData itemAt(int row) const;

    // The first row of that user; announced per row, so the view keeps its
    // scroll position and the search filter is not re-run for every change.
    void setAdded(int userId);
    void clearAdded(int userId);
    void updateUser(int userId, const QString &imageUrl, const QString &displayName);
    // Every row is marked added exactly when its user is in `userIds`.
    void setAddedUsers(const QSet<int> &userIds);

    QList<int> getSelectedUsers() const;
    void setSelectMode();
    bool isSelectMode() const { return m_bSelectMode; }
    void setSelectedUsers(const QList<int> &ids);
    void setUserSelected(int userId, bool selected);
    // Inverts the tick of a row; returns the new tick.
    bool toggleSelected(int row);
    void refresh();

public slots:
    void slot_downloadFinished(QString strUrl);

private:
    void clearRows();
    void storeItem(const userItemData &item);
    void takeAvatar(userItemData *item);
    int firstRowOf(int userId) const;
    void setAddedFlag(int userId, bool added);
    void rowChanged(int row, const QVector<int> &roles);

    void indexUrl(int row);

    QList<userItemData *> m_items;
    // Rows by the address their picture waits for: a directory of many
    // thousand users gets as many pictures, each found without a scan.
    QHash<QString, QVector<int>> m_rowsByUrl;
    bool m_bSelectMode = false;
};

} // namespace rj_app::views
