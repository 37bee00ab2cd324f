#pragma once

// The widget set of the network report details dialog, written by hand in
// the shape uic gives (texts in context "CWebreportDetailsDlg").

class QFrame;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QTableWidget;
class QVBoxLayout;
class QWidget;

namespace Ui {

class CWebreportDetailsDlg
{
public:
    QVBoxLayout *verticalLayout = nullptr;
    QWidget *m_pWgtTitleBar = nullptr;
    QHBoxLayout *horizontalLayout = nullptr;
    QLabel *m_pLblTitle = nullptr;
    QPushButton *m_BtnClose = nullptr;
    QVBoxLayout *verticalLayout_2 = nullptr;
    QTableWidget *m_pTableWgt = nullptr;
    QFrame *toolbar = nullptr;
    QHBoxLayout *horizontalLayout_2 = nullptr;
    QPushButton *m_pBtnCopy = nullptr;

    void setupUi(QWidget *dlg);
    void retranslateUi(QWidget *dlg);
};

} // namespace Ui
