#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QPixmap>
#include <QString>

// One cell of the participant grid.
struct participantItemData
{
    enum Type : int {
        Participant = 1,
        AddCell = 2
    };

    QString name;            // display name, or the text of the "Add" cell
    int type = Participant;
    int userId = 0;          // participants only
    QString avatarUrl;       // also the key in the avatar cache
    QPixmap avatar;          // empty until known
};

// The cells of the participant grid, laid out row by row, 8 to a row. Cells
// past the end of the list (the tail of the last row) hold no data.
class CConferencesTablemodel : public QAbstractTableModel
{
    Q_OBJECT
public:
    static constexpr int kColumns = 8;

    enum Roles : int {
        NameRole = Qt::UserRole,      // QString
        TypeRole,                     // int
        UserIdRole,                   // int
        AvatarRole                    // QPixmap
    };

    explicit CConferencesTablemodel(QObject *parent = nullptr);
    ~CConferencesTablemodel() override;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

    // Drops every cell without telling the view; callers end with refresh().
    void clear();
    // Takes the cached avatar, or queues its download. Does not tell the view.
    void appendItem(const participantItemData &item);
    // Deletes the cell at the index, if any; the later cells move up.
    void removeAt(const QModelIndex &index);
    // Makes the view read everything again.
    void refresh();
    QList<int> getUserIds() const;
    int itemCount() const { return m_items.size(); }

public slots:
    void slot_downloadFinished(QString strUrl);

private:
    const participantItemData *itemAt(const QModelIndex &index) const;

    QList<participantItemData *> m_items;
};
