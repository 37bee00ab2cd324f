#pragma once

#include "views/framework/CBaseWgt.h"

#include <QList>

class QLabel;
class QPushButton;
class QToolButton;

namespace rj_app::views {
class CContactsWidget;
}

// The meetings tab's participant picker: a contacts tab in select mode, whose
// ticked directory users "Ok" hands back to the schedule form.
class CConferencesSelectuserPage : public rj_app::views::CBaseWgt
{
    Q_OBJECT
public:
    explicit CConferencesSelectuserPage(QWidget *parent = nullptr);

    // Ticked users in directory order, then ticked ids the directory does not
    // hold (yet), in the order they were given.
    QList<int> getSelectedUsers() const;
    void setSelectedUsers(const QList<int> &ids);
    void refreshForSelect();
    void retranslate();
    void updateDpi(double scale);

    rj_app::views::CContactsWidget *contactsWidget() const { return widget; }

signals:
    void signal_back_clicked();
    void signal_ok_clicked();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void setupUi();

    QToolButton *back_Btn = nullptr;
    QLabel *label = nullptr;
    QWidget *widget_main = nullptr;
    rj_app::views::CContactsWidget *widget = nullptr;
    QPushButton *pBtn_ok = nullptr;
};
