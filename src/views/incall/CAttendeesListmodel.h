#pragma once

#include <QAbstractListModel>
#include <QList>
#include <QPixmap>
#include <QString>

// One row of the attendee list.
struct AttendeeItem
{
    QString name;
    int isAudio = 0;   // 1: the participant has no video
    int userId = 0;
    QPixmap avatar;
    QString avatarUrl;
};

// The participants of one tab: only items whose isAudio equals the audio
// filter are kept. Avatars come from the avatar cache; a missing one is
// downloaded and the row changes when it arrives. Rows cannot be selected.
class CAttendeesListmodel : public QAbstractListModel
{
    Q_OBJECT
public:
    enum Roles {
        NameRole = 256,    // QString
        IsAudioRole = 257, // int
        UserIdRole = 258,  // int
        AvatarRole = 259,  // QPixmap
    };

    explicit CAttendeesListmodel(QObject *parent = nullptr);
    ~CAttendeesListmodel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // Appends the item when it passes the filter.
    void addItem(const AttendeeItem &item);
    void clear();
    void setAudioFilter(int filter);
    // Tells the views to lay every row out again (after a scale change).
    void relayout();

public slots:
    void slot_downloadFinished(QString strUrl);

private:
    QList<AttendeeItem> m_items;
    int m_iAudioFilter = 0;
};
