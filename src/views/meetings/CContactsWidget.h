#pragma once

#include "views/framework/CBaseWgt.h"

#include <QList>
#include <QSet>
#include <QString>

class QGridLayout;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QSpacerItem;
class QStackedWidget;
class QVBoxLayout;

namespace rj_app::views {

class CContactsAddListview;
class CContactsListview;
class CSearchAddEdit;

// The home window's contacts tab: the personal contacts on the left; on the
// right nothing, the current contact's details with delete and call buttons,
// or the user directory with a search field and "Add" per user. In select
// mode (the meetings tab's participant picker) both lists carry tick boxes
// and the directory stays on screen.
class CContactsWidget : public CBaseWgt
{
    Q_OBJECT
public:
    explicit CContactsWidget(QWidget *parent = nullptr);
    ~CContactsWidget() override;

    // The owner's scale (0 or below counts as 1).
    void updateDpi(double scale);
    double scale() const { return m_dScale; }

    // Empties the REST client's users and contacts so they are asked for again.
    static void clearContactsCache();
    // Asks for the directory and the contacts that the REST client lacks.
    void requestData();

    void setSelectMode();
    bool isSelectMode() const { return m_bSelectMode; }
    // Ticked directory users in directory order, then ticked ids the
    // directory does not hold, in the order they were set.
    QList<int> getSelectedUsers() const;
    void setSelectedUsers(const QList<int> &ids);
    void refreshForSelect();

    CContactsListview *contactsView() const { return listView; }
    CContactsAddListview *directoryView() const { return listView_add; }
    CSearchAddEdit *searchEdit() const { return lineEdit; }
    QStackedWidget *pages() const { return stackedWidget; }
    // The lines that say a list's last refresh failed.
    QLabel *contactsStateLabel() const { return label_contactsState; }
    QLabel *directoryStateLabel() const { return label_directoryState; }

signals:
    void sigUCMP2pCall(const QString &callNumber, const QString &password, bool audioOnly,
                       const QString &displayName);

public slots:
    void slot_tokenChanged();
    void slot_getContacts_succeed();
    void slot_addContact_succeed();
    void slot_deleteContact_succeed();
    void slot_getUsers_succeed();
    void slot_getContacts_failed();
    void slot_getUsers_failed();
    void slot_getUser_succeed();
    void slot_current_changed(int row);
    void slot_addContact_begin(int id);
    void slot_deleteContact_begin();
    void slot_selectSyncItem(int id, bool nselect);
    void slot_selectSyncItemAdd(int id, bool nselect);
    void slot_ucmapi_error(int errorCode, QString errorInfo);
    void slotOnLanguageChanged();
    void on_pBt_video_clicked();
    void on_pBt_audio_clicked();

protected:
    void showEvent(QShowEvent *event) override;
    void hideEvent(QHideEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void setupUi();
    void retranslateUi();
    void callCurrent(bool audioOnly);

    double m_dScale = 1.0;
    bool m_bShown = false;
    bool m_bSelectMode = false;
    // Users whose "Add" waits for the server.
    QSet<int> m_pendingAdds;
    // Users whose contact this tab asked the server to delete.
    QSet<int> m_pendingDeletes;
    // Ticked ids the directory cannot show; handed back unchanged.
    QList<int> m_hiddenSelected;

    // The gaps of the details and directory pages, in design pixels.
    struct Gap
    {
        QSpacerItem *item;
        int width;
        int height;
    };
    QList<Gap> m_gaps;
    QVBoxLayout *m_pAddressLayout = nullptr;

    QHBoxLayout *horizontalLayout = nullptr;
    CContactsListview *listView = nullptr;
    QStackedWidget *stackedWidget = nullptr;
    QWidget *page_none = nullptr;
    QWidget *page_info = nullptr;
    QWidget *page_add = nullptr;
    QWidget *widget_control = nullptr;
    QWidget *widget_adress = nullptr;
    QLabel *widget_head = nullptr;
    QWidget *widget_left = nullptr;
    QLabel *label_name = nullptr;
    QPushButton *pBt_delete = nullptr;
    QPushButton *pBt_video = nullptr;
    QPushButton *pBt_audio = nullptr;
    QLabel *label_account = nullptr;
    QLabel *label_account_name = nullptr;
    QLabel *label_callid = nullptr;
    QLabel *label_callid_name = nullptr;
    QLabel *label_mobile = nullptr;
    QLabel *label_mobile_name = nullptr;
    QLabel *label_email = nullptr;
    QLabel *label_email_name = nullptr;
    QLabel *label_telephone = nullptr;
    QLabel *label_telephone_name = nullptr;
    QWidget *widget = nullptr;
    CSearchAddEdit *lineEdit = nullptr;
    CContactsAddListview *listView_add = nullptr;
    QLabel *label_contactsState = nullptr;
    QLabel *label_directoryState = nullptr;
};

} // namespace rj_app::views
