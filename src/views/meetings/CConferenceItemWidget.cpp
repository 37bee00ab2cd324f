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

struct RowSizes
{
    const char *pillFont;
    const char *pillRadius;
    const char *pillPadding;
    const char *pillMargin;
    const char *titleFont;
    const char *textFont;
};

const RowSizes kRowSizes[3] = {
    {"10px", "4px", "6px", "2px", "14px", "12px"},
    {"15px", "6px", "9px", "3px", "21px", "18px"},
    {"20px", "8px", "12px", "4px", "28px", "24px"},
};

QString pillColour(int type)
{
    switch (type) {
    case Schedule:
        return QStringLiteral("#4381ff");
    case Ongoing:
        return QStringLiteral("#28c983");
    case Fixed:
        return QStringLiteral("#ff9932");
    default:
        return QStringLiteral("#919191");
    }
}

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

// Setting a style sheet parses it and polishes the widget again even when
// it is the one already set; rows are restyled on every refresh of the list.
void setSheet(QWidget *widget, const QString &sheet)
{
    if (widget->styleSheet() != sheet)
        widget->setStyleSheet(sheet);
}

} // namespace

CConferenceItemWidget::CConferenceItemWidget(QWidget *parent)
    : QWidget(parent)
{
}

void CConferenceItemWidget::initUI()
{
    if (m_pRootLayout)
        return;

    m_pLblType = new QLabel(this);
    m_pLblTitle = new ElidedTitleLabel(this);
    m_pLblTimeCaption = new QLabel(this);
    m_pLblTime = new QLabel(this);
    m_pLblIdCaption = new QLabel(this);
    m_pLblId = new QLabel(this);
    m_pLblApplicantCaption = new QLabel(this);
    m_pLblApplicant = new QLabel(this);
    m_pBtnJoin = new QPushButton(this);
    m_pBtnEnd = new QPushButton(this);
    m_pBtnEdit = new QPushButton(this);
    m_pBtnDelete = new QPushButton(this);
    for (QPushButton *button : {m_pBtnJoin, m_pBtnEnd, m_pBtnEdit, m_pBtnDelete}) {
        button->setFixedSize(24, 24);
        button->setCursor(Qt::PointingHandCursor);
        button->setFocusPolicy(Qt::NoFocus);
    }
    m_pLblType->setAlignment(Qt::AlignCenter);
    // Server texts are shown as they are, never as markup.
    for (QLabel *label : {m_pLblTitle, m_pLblTime, m_pLblId, m_pLblApplicant})
        label->setTextFormat(Qt::PlainText);

    m_pRootLayout = new QHBoxLayout(this);
    m_pRootLayout->setSpacing(0);
    m_pRootLayout->setContentsMargins(0, 0, 0, 0);

    m_pLeftLayout = new QVBoxLayout;
    m_pLeftLayout->setSpacing(0);
    m_pLeftLayout->setContentsMargins(0, 8, 0, 8);

    m_pTitleLayout = new QHBoxLayout;
    m_pTitleLayout->setSpacing(10);
    m_pTitleLayout->addWidget(m_pLblType);
    m_pTitleLayout->addWidget(m_pLblTitle);
    m_pTitleLayout->addStretch();

    auto pair = [](QLabel *caption, QLabel *value) {
        auto *layout = new QHBoxLayout;
        layout->setSpacing(10);
        layout->addWidget(caption);
        layout->addWidget(value);
        return layout;
    };
    m_pTimeLayout = pair(m_pLblTimeCaption, m_pLblTime);
    m_pIdLayout = pair(m_pLblIdCaption, m_pLblId);
    m_pApplicantLayout = pair(m_pLblApplicantCaption, m_pLblApplicant);

    m_pDetailsLayout = new QHBoxLayout;
    m_pDetailsLayout->setSpacing(30);
    m_pDetailsLayout->addLayout(m_pTimeLayout);
    m_pDetailsLayout->addLayout(m_pIdLayout);
    m_pDetailsLayout->addLayout(m_pApplicantLayout);
    m_pDetailsLayout->addStretch();

    m_pLeftLayout->addLayout(m_pTitleLayout);
    m_pLeftLayout->addLayout(m_pDetailsLayout);

    m_pButtonLayout = new QHBoxLayout;
    m_pButtonLayout->setSpacing(10);
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
}

void CConferenceItemWidget::setData(const conferenceItemData &data)
{
    initUI();
    m_data = data;
    const ucmconferenceData &conf = m_data.conference;

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

    updateDpi(m_scale);
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
    adjustLabels();
}

void CConferenceItemWidget::updateDpi(double scale)
{
    m_scale = meetings::normalScale(scale);
    if (!m_pRootLayout)
        return;
    const double s = m_scale;
    const int set = meetings::sizeSet(s);
    const QString suffix = meetings::imageSuffix(s);
    const RowSizes &z = kRowSizes[set];

    m_pRootLayout->setContentsMargins(meetings::scaled(10, s), 0, meetings::scaled(10, s), 0);
    m_pLeftLayout->setContentsMargins(0, meetings::scaled(8, s), 0, meetings::scaled(8, s));
    m_pTitleLayout->setSpacing(meetings::scaled(10, s));
    m_pDetailsLayout->setSpacing(meetings::scaled(30, s));
    for (QHBoxLayout *layout : {m_pTimeLayout, m_pIdLayout, m_pApplicantLayout, m_pButtonLayout})
        layout->setSpacing(meetings::scaled(10, s));

    setSheet(m_pLblType,
             QStringLiteral("color: white; font-size: %1; background: %5; border-radius: %2; padding-left: %3; "
                            "padding-right: %3; margin-top: %4; margin-bottom: %4;")
                 .arg(QLatin1String(z.pillFont), QLatin1String(z.pillRadius), QLatin1String(z.pillPadding),
                      QLatin1String(z.pillMargin), pillColour(m_data.type)));
    setSheet(m_pLblTitle, QStringLiteral("color: black; font-size: %1;").arg(QLatin1String(z.titleFont)));
    const QString captionSheet = QStringLiteral("color: #919191; font-size: %1;").arg(QLatin1String(z.textFont));
    for (QLabel *caption : {m_pLblTimeCaption, m_pLblIdCaption, m_pLblApplicantCaption})
        setSheet(caption, captionSheet);
    const QString valueSheet = QStringLiteral("color: #313131; font-size: %1;").arg(QLatin1String(z.textFont));
    for (QLabel *value : {m_pLblTime, m_pLblId, m_pLblApplicant})
        setSheet(value, valueSheet);

    const int side = meetings::scaled(24, s);
    const struct {
        QPushButton *button;
        const char *image;
    } buttons[] = {{m_pBtnJoin, "icon_list_meeting"},
                   {m_pBtnEnd, "icon_list_end"},
                   {m_pBtnEdit, "icon_list_edit"},
                   {m_pBtnDelete, "icon_list_delete"}};
    for (const auto &b : buttons) {
        setSheet(b.button, QStringLiteral("border-image: url(:/resources/images/conferences/%1%2.png);")
                               .arg(QLatin1String(b.image), suffix));
        b.button->setFixedSize(side, side);
    }
    adjustLabels();
}

void CConferenceItemWidget::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit signal_MeetingDetail_clicked();
}

void CConferenceItemWidget::adjustLabels()
{
    for (QLabel *label : {m_pLblType, m_pLblTitle, m_pLblTimeCaption, m_pLblTime, m_pLblIdCaption, m_pLblId,
                          m_pLblApplicantCaption, m_pLblApplicant})
        label->adjustSize();
}
