#include "views/settings/CWebreportDetailsDlgUi.h"

#include <QCoreApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMetaObject>
#include <QPushButton>
#include <QSpacerItem>
#include <QTableWidget>
#include <QVBoxLayout>
#include <QWidget>

namespace Ui {

void CWebreportDetailsDlg::setupUi(QWidget *dlg)
{
    if (dlg->objectName().isEmpty())
        dlg->setObjectName(QStringLiteral("CWebreportDetailsDlg"));
    dlg->resize(750, 534);

    verticalLayout = new QVBoxLayout(dlg);
    verticalLayout->setObjectName(QStringLiteral("verticalLayout"));
    verticalLayout->setSpacing(0);
    verticalLayout->setContentsMargins(1, 1, 1, 1);

    m_pWgtTitleBar = new QWidget(dlg);
    m_pWgtTitleBar->setObjectName(QStringLiteral("m_pWgtTitleBar"));
    m_pWgtTitleBar->setMinimumHeight(30);
    m_pWgtTitleBar->setMaximumHeight(30);
    horizontalLayout = new QHBoxLayout(m_pWgtTitleBar);
    horizontalLayout->setObjectName(QStringLiteral("horizontalLayout"));
    horizontalLayout->setSpacing(0);
    horizontalLayout->setContentsMargins(0, 0, 0, 0);
    horizontalLayout->addItem(new QSpacerItem(14, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    m_pLblTitle = new QLabel(m_pWgtTitleBar);
    m_pLblTitle->setObjectName(QStringLiteral("m_pLblTitle"));
    horizontalLayout->addWidget(m_pLblTitle);
    horizontalLayout->addItem(new QSpacerItem(40, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    m_BtnClose = new QPushButton(m_pWgtTitleBar);
    m_BtnClose->setObjectName(QStringLiteral("m_BtnClose"));
    m_BtnClose->setFixedSize(28, 28);
    horizontalLayout->addWidget(m_BtnClose);
    horizontalLayout->addItem(new QSpacerItem(4, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    verticalLayout->addWidget(m_pWgtTitleBar);

    verticalLayout_2 = new QVBoxLayout();
    verticalLayout_2->setObjectName(QStringLiteral("verticalLayout_2"));
    verticalLayout_2->setSpacing(0);
    m_pTableWgt = new QTableWidget(dlg);
    m_pTableWgt->setObjectName(QStringLiteral("m_pTableWgt"));
    verticalLayout_2->addWidget(m_pTableWgt);
    verticalLayout->addLayout(verticalLayout_2);

    toolbar = new QFrame(dlg);
    toolbar->setObjectName(QStringLiteral("toolbar"));
    toolbar->setFrameShape(QFrame::StyledPanel);
    toolbar->setFrameShadow(QFrame::Raised);
    toolbar->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    toolbar->setMinimumHeight(44);
    toolbar->setMaximumHeight(44);
    horizontalLayout_2 = new QHBoxLayout(toolbar);
    horizontalLayout_2->setObjectName(QStringLiteral("horizontalLayout_2"));
    horizontalLayout_2->setSpacing(0);
    horizontalLayout_2->setContentsMargins(0, 0, 0, 0);
    horizontalLayout_2->addItem(new QSpacerItem(567, 20, QSizePolicy::Expanding, QSizePolicy::Minimum));
    m_pBtnCopy = new QPushButton(toolbar);
    m_pBtnCopy->setObjectName(QStringLiteral("m_pBtnCopy"));
    m_pBtnCopy->setFixedSize(80, 28);
    m_pBtnCopy->setCursor(Qt::PointingHandCursor);
    horizontalLayout_2->addWidget(m_pBtnCopy);
    horizontalLayout_2->addItem(new QSpacerItem(20, 20, QSizePolicy::Fixed, QSizePolicy::Minimum));
    verticalLayout->addWidget(toolbar);

    retranslateUi(dlg);
    QMetaObject::connectSlotsByName(dlg);
}

void CWebreportDetailsDlg::retranslateUi(QWidget *dlg)
{
    dlg->setWindowTitle(QString());
    m_pLblTitle->setText(QCoreApplication::translate("CWebreportDetailsDlg", "Details"));
    m_BtnClose->setText(QString());
    m_pBtnCopy->setText(QCoreApplication::translate("CWebreportDetailsDlg", "CopyResults"));
}

} // namespace Ui
