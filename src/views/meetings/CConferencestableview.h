#pragma once

#include <QList>
#include <QTableView>

class CConferencesDelegate;
class CConferencesTablemodel;

// The participant grid: avatars with names, 8 to a row. Editable (schedule
// form): a click on a participant removes it and the last cell "Add" asks for
// the picker. Read-only (details page): no removal, no "Add" cell.
class CConferencestableview : public QTableView
{
    Q_OBJECT
public:
    explicit CConferencestableview(QWidget *parent = nullptr);

    // Creates model and delegate; call once, right after construction.
    void init();
    // There is no way back.
    void setReadOnly();
    bool isReadOnly() const { return m_bReadOnly; }
    // One cell per user id (above 0), in the given order, then "Add" unless
    // read-only. An id the saved user directory does not hold gets a
    // placeholder cell (its number, the default picture) and is handed back
    // by getUserIds.
    void setParticipants(const QList<int> &userIds);
    QList<int> getUserIds() const;
    void updateDpi(double scale);

    CConferencesTablemodel *tableModel() const { return m_pModel; }
    CConferencesDelegate *tableDelegate() const { return m_pDelegate; }

signals:
    void signal_addusers();

public slots:
    void slot_item_clicked(QModelIndex index);

private:
    bool m_bReadOnly = false;
    CConferencesTablemodel *m_pModel = nullptr;
    CConferencesDelegate *m_pDelegate = nullptr;
};
