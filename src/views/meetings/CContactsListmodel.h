#pragma once

#include "models/UcmRecords.h"

#include <QAbstractListModel>
#include <QList>
#include <QPixmap>
#include <QSet>
#include <QString>

namespace rj_app::views {

// One row of the contacts list.
struct contactItemData
{
    enum Type : int { Contact = 0, Header = 1, Separator = 2, SectionTitle = 3 };

    QString text;
    int type = Contact;
    QPixmap avatar;            // empty until known
    ucmcontactData contact;    // empty for the fixed rows
    QString avatarUrl;         // the address whose download this row waits for
    bool selected = false;     // the tick in select mode
};

// The rows of the contacts list: three fixed rows, then one per personal
// contact. Rows are heap records; the whole list is announced by a model reset.
class CContactsListmodel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Role : int {
        TextRole = Qt::UserRole,   // 256
        TypeRole,                  // 257
        AvatarRole,                // 258
        ContactRole,               // 259
        SelectedRole               // 260
    };

    explicit CContactsListmodel(QObject *parent = nullptr);
    ~CContactsListmodel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Replaces every row, announced by one reset.
    void setItems(const QList<contactItemData> &items);
    // Appends a copy of the row; a contact row takes its picture from the
    // avatar cache or queues the download.
    void appendItem(const contactItemData &item);
    // Both inside a model reset; only contact rows are ever removed.
    void removeItemAt(int row);
    void removeByUserId(int userId);

    // A copy of the row; an empty contact row when out of range.
    contactItemData itemAt(int row) const;
    bool isSelectMode() const { return m_bSelectMode; }

    void setSelectMode();
    void setSelectedUsers(const QList<int> &ids);
    void setUserSelected(int userId, bool selected);
    // The first contact row of that user takes the text, display name and
    // picture address; true when there was one.
    bool updateUser(int userId, const QString &imageUrl, const QString &text,
                    const QString &displayName);
    // Sets the text of a row without a reset; the caller refreshes.
    void setRowText(int row, const QString &text);
    void refresh();

public slots:
    void slot_downloadFinished(QString strUrl);

private:
    void clearRows();
    void storeItem(const contactItemData &item);
    void takeAvatar(contactItemData *item);
    int firstContactRowOf(int userId) const;
    void rowChanged(int row, const QVector<int> &roles);

    QList<contactItemData *> m_items;
    bool m_bSelectMode = false;
};

} // namespace rj_app::views
