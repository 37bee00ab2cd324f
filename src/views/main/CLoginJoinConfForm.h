#pragma once

#include "views/framework/CBaseWgt.h"

#include <QString>

#include <memory>

namespace Ui {
class CLoginJoinConfForm;
}

namespace rj_app::views {

// The guest-join page of the login window: server, meeting number, display
// name and meeting password; the join runs without an account.
class CLoginJoinConfForm : public CBaseWgt
{
    Q_OBJECT
public:
    static constexpr int kMaxDisplayNameLength = 16;
    // Characters a display name may not hold.
    static const QString kDisplayNameFilter;

    explicit CLoginJoinConfForm(QWidget *parent = nullptr);
    ~CLoginJoinConfForm() override;

    // Fills the fields from the last guest join.
    void refreshData();
    void updateQss(double scale);

public slots:
    void slotOnBtnJoinConf();
    void slotOnBtnBack();
    void slotOnLanguageChanged();

protected:
    void onDpiChanged() override;

private:
    std::unique_ptr<Ui::CLoginJoinConfForm> ui;
};

} // namespace rj_app::views
