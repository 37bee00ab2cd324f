#include "views/meetings/CConferencesDelegate.h"

#include "views/meetings/CConferencesTablemodel.h"
#include "views/meetings/MeetingsScale.h"

#include <QPainter>

CConferencesDelegate::CConferencesDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
    updateDpi(1.0);
}

void CConferencesDelegate::setReadOnly(bool readOnly)
{
    m_bReadOnly = readOnly;
}

void CConferencesDelegate::updateDpi(double scale)
{
    m_scale = meetings::normalScale(scale);
    const QString suffix = meetings::imageSuffix(m_scale);
    m_addPixmap = QPixmap(QStringLiteral(":/resources/images/conferences/btn_add%1.png").arg(suffix));
    m_deletePixmap = QPixmap(QStringLiteral(":/resources/images/conferences/icon_deletepeople%1.png").arg(suffix));
}

void CConferencesDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    const double s = m_scale;
    const QString name = index.data(CConferencesTablemodel::NameRole).toString();
    const int type = index.data(CConferencesTablemodel::TypeRole).toInt();
    const QPixmap avatar = index.data(CConferencesTablemodel::AvatarRole).value<QPixmap>();

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->fillRect(option.rect, QColor(QStringLiteral("#f7f7f7")));

    const int margin = meetings::scaled(10, s);
    const QRect rect = option.rect.adjusted(margin, margin, -margin, -margin);
    QFont font = painter->font();
    font.setPixelSize(qMax(1, meetings::scaled(12, s)));
    painter->setFont(font);

    const int side = meetings::scaled(28, s);
    const QRect square(rect.topLeft(), QSize(side, side));
    QRect textRect = rect;
    textRect.setTop(rect.top() + side);

    if (type == participantItemData::Participant) {
        painter->setPen(QColor(QStringLiteral("#313131")));
        if (!avatar.isNull())
            painter->drawPixmap(square, avatar);
        if ((option.state & QStyle::State_MouseOver) && !m_bReadOnly) {
            painter->fillRect(square, QColor(0, 0, 0, 80));
            const int mark = meetings::scaled(20, s);
            const int offset = meetings::scaled(4, s);
            painter->drawPixmap(QRect(square.left() + offset, square.top() + offset, mark, mark), m_deletePixmap);
        }
        painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                          painter->fontMetrics().elidedText(name, Qt::ElideRight, textRect.width()));
    } else if (type == participantItemData::AddCell) {
        painter->setPen(QColor(QStringLiteral("#c91700")));
        painter->drawPixmap(square, m_addPixmap);
        painter->drawText(textRect, Qt::AlignCenter, name);
    }
    painter->restore();
}

QSize CConferencesDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    Q_UNUSED(option)
    Q_UNUSED(index)
    return QSize(meetings::scaled(48, m_scale), meetings::scaled(68, m_scale));
}
