#include "views/meetings/CConferenceItemWidget.h"

#include "views/meetings/MeetingsScale.h"

#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace {

const char *const kStartFormat = "yyyy/MM/dd hh:mm";

// The title: as wide as its text when the row has room, otherwise cut with
// "..." before the row's buttons. text() keeps the whole title.
class ElidedTitleLabel : public QLabel
{
public:
    using QLabel::QLabel;

    QSize minimumSizeHint() const override
    {
        const QSize hint = QLabel::minimumSizeHint();
        return QSize(qMin(hint.width(), fontMetrics().horizontalAdvance(QStringLiteral("..."))), hint.height());
    }

protected:
    void paintEvent(QPaintEvent *event) override
    {
        Q_UNUSED(event)
        QPainter painter(this);
        const QRect area = contentsRect();
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
        style()->drawItemText(&painter, area, int(alignment()), palette(), isEnabled(), shown, foregroundRole());
    }
};

} // namespace

CConferenceItemWidget::CConferenceItemWidget(QWidget *parent)
    : QWidget(parent)
{
}

void CConferenceItemWidget::initUI()
{
    if (m_pRootLayout)
        return;

    auto label = [this](const char *name) {
        auto *created = new QLabel(this);
        created->setObjectName(QLatin1String(name));
        return created;
    };
    m_pLblType = label("lbl_rowType");
    m_pLblTitle = new ElidedTitleLabel(this);
    m_pLblTitle->setObjectName(QStringLiteral("lbl_rowTitle"));
    m_pLblTimeCaption = label("lbl_rowTimeCaption");
    m_pLblTime = label("lbl_rowTime");
    m_pLblIdCaption = label("lbl_rowIdCaption");
    m_pLblId = label("lbl_rowId");
    m_pLblApplicantCaption = label("lbl_rowApplicantCaption");
    m_pLblApplicant = label("lbl_rowApplicant");
    auto button = [this](const char *name) {
        auto *created = new QPushButton(this);
        created->setObjectName(QLatin1String(name));
        created->setCursor(Qt::PointingHandCursor);
        created->setFocusPolicy(Qt::NoFocus);
        return created;
    };
    m_pBtnJoin = button("btn_rowJoin");
    m_pBtnEnd = button("btn_rowEnd");
    m_pBtnEdit = button("btn_rowEdit");
    m_pBtnDelete = button("btn_rowDelete");
    m_pLblType->setAlignment(Qt::AlignCenter);
    // Server texts are shown as they are, never as markup.
    for (QLabel *value : {m_pLblTitle, m_pLblTime, m_pLblId, m_pLblApplicant})
        value->setTextFormat(Qt::PlainText);

    m_pRootLayout = new QHBoxLayout(this);
    m_pLeftLayout = new QVBoxLayout;
    m_pLeftLayout->setSpacing(0);

    m_pTitleLayout = new QHBoxLayout;
    m_pTitleLayout->addWidget(m_pLblType);
    m_pTitleLayout->addWidget(m_pLblTitle);
    m_pTitleLayout->addStretch();

    auto pair = [](QLabel *caption, QLabel *value) {
        auto *layout = new QHBoxLayout;
        layout->addWidget(caption);
        layout->addWidget(value);
        return layout;
    };
    m_pTimeLayout = pair(m_pLblTimeCaption, m_pLblTime);
    m_pIdLayout = pair(m_pLblIdCaption, m_pLblId);
    m_pApplicantLayout = pair(m_pLblApplicantCaption, m_pLblApplicant);

    m_pDetailsLayout = new QHBoxLayout;
    m_pDetailsLayout->addLayout(m_pTimeLayout);
    m_pDetailsLayout->addLayout(m_pIdLayout);
    m_pDetailsLayout->addLayout(m_pApplicantLayout);
    m_pDetailsLayout->addStretch();

    m_pLeftLayout->addLayout(m_pTitleLayout);
    m_pLeftLayout->addLayout(m_pDetailsLayout);

    m_pButtonLayout = new QHBoxLayout;
    m_pButtonLayout->setContentsMargins(0, 0, 0, 0);
    m_pButtonLayout->addWidget(m_pBtnJoin);
    m_pButtonLayout->addWidget(m_pBtnEnd);
    m_pButtonLayout->addWidget(m_pBtnEdit);
    m_pButtonLayout->addWidget(m_pBtnDelete);

    m_pRootLayout->addLayout(m_pLeftLayout);
    m_pRootLayout->addLayout(m_pButtonLayout);

    connect(m_pBtnJoin, &QPushButton::clicked, this, &CConferenceItemWidget::signal_Join_clicked);
    connect(m_pBtnEnd, &QPushButton::clicked, this, &CConferenceItemWidget::signal_Delete_clicked);
    connect(m_pBtnEdit, &QPushButton::clicked, this, &CConferenceItemWidget::signal_Edit_clicked);
    connect(m_pBtnDelete, &QPushButton::clicked, this, &CConferenceItemWidget::signal_DeleteEdit_clicked);

    updateDpi(m_scale);
}

void CConferenceItemWidget::setData(const conferenceItemData &data)
{
    initUI();
    m_data = data;
    const ucmconferenceData &conf = m_data.conference;

    setType(m_data.type);
    m_pLblTitle->setText(conf.name);
    m_pLblTitle->setToolTip(conf.name);
    m_pLblTime->setText(m_data.type == Fixed
                            ? QString()
                            : QDateTime::fromMSecsSinceEpoch(conf.startTime).toString(QLatin1String(kStartFormat)));
    m_pLblId->setText(QString::number(conf.numericId));
    m_pLblApplicant->setText(conf.applicantDisplayName);
    retranslate();

    bool join = false, end = false, edit = false, remove = false;
    switch (m_data.type) {
    case Schedule:
        edit = remove = true;
        break;
    case Ongoing:
        join = end = true;
        break;
    case Fixed:
        join = true;
        break;
    default:
        break;
    }
    if (m_data.notOwner)
        end = edit = remove = false;
    m_pBtnJoin->setVisible(join);
    m_pBtnEnd->setVisible(end);
    m_pBtnEdit->setVisible(edit);
    m_pBtnDelete->setVisible(remove);
    // Painted again with every answer, changed or not, so that a refresh
    // always reaches the screen (the list benchmark times it to that paint).
    update();
}

void CConferenceItemWidget::setType(int type)
{
    if (type == m_shownType)
        return;
    m_shownType = type;
    // The sheet picks the pill's colour by this property; a pill already
    // styled is styled again for the new value.
    m_pLblType->setProperty("meetingType", type);
    if (m_pLblType->testAttribute(Qt::WA_WState_Polished)) {
        m_pLblType->style()->unpolish(m_pLblType);
        m_pLblType->style()->polish(m_pLblType);
    }
}

void CConferenceItemWidget::retranslate()
{
    if (!m_pLblType)
        return;
    switch (m_data.type) {
    case Schedule:
        m_pLblType->setText(tr("Schedule"));
        break;
    case Ongoing:
        m_pLblType->setText(tr("Ongoing"));
        break;
    case Fixed:
        m_pLblType->setText(tr("Fixed"));
        break;
    default:
        break;
    }
    m_pLblTimeCaption->setText(tr("Time:"));
    m_pLblIdCaption->setText(tr("Meeting ID:"));
    m_pLblApplicantCaption->setText(tr("Applicant:"));
}

void CConferenceItemWidget::updateDpi(double scale)
{
    // Fonts, colours and pictures come from the page's sheet of this scale;
    // the spacing and the button sizes are set here.
    m_scale = meetings::normalScale(scale);
    if (!m_pRootLayout)
        return;
    const double s = m_scale;
    m_pRootLayout->setContentsMargins(meetings::scaled(10, s), 0, meetings::scaled(10, s), 0);
    m_pRootLayout->setSpacing(0);
    m_pLeftLayout->setContentsMargins(0, meetings::scaled(8, s), 0, meetings::scaled(8, s));
    m_pTitleLayout->setSpacing(meetings::scaled(10, s));
    m_pDetailsLayout->setSpacing(meetings::scaled(30, s));
    for (QHBoxLayout *layout : {m_pTimeLayout, m_pIdLayout, m_pApplicantLayout, m_pButtonLayout})
        layout->setSpacing(meetings::scaled(10, s));
    const int side = meetings::scaled(24, s);
    for (QPushButton *button : {m_pBtnJoin, m_pBtnEnd, m_pBtnEdit, m_pBtnDelete})
        button->setFixedSize(side, side);
}

void CConferenceItemWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit signal_MeetingDetail_clicked();
}
