#include "views/incall/CAttendeesDelegate.h"

#include "views/incall/CAttendeesListmodel.h"

#include <QColor>
#include <QFont>
#include <QFontMetrics>
#include <QPainter>
#include <QPixmap>

CAttendeesDelegate::CAttendeesDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
}

CAttendeesDelegate::~CAttendeesDelegate() = default;

void CAttendeesDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                               const QModelIndex &index) const
{
    const double s = m_dScale;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(QStringLiteral("#f7f7f7")));
    painter->drawRect(option.rect);

    const QRectF rect = QRectF(option.rect).adjusted(10 * s, 0, -10 * s, 0);
    const int avatarSize = int(28 * s);
    const QVariant avatarValue = index.data(CAttendeesListmodel::AvatarRole);
    const QPixmap avatar = avatarValue.value<QPixmap>();
    if (!avatar.isNull()) {
        const QRectF target(rect.left(), rect.top() + (rect.height() - 28 * s) / 2, avatarSize, avatarSize);
        painter->drawPixmap(target, avatar, QRectF(avatar.rect()));
    }

    QFont font = option.font;
    font.setPixelSize(qMax(1, int(14 * s)));
    painter->setFont(font);
    painter->setPen(QColor(QStringLiteral("#313131")));
    const QRectF textRect = rect.adjusted(38 * s, 0, 0, 0);
    // A long name ends in an ellipsis instead of running off the row.
    const QString name = QFontMetrics(font).elidedText(index.data(CAttendeesListmodel::NameRole).toString(),
                                                       Qt::ElideRight, qMax(0, int(textRect.width())));
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter, name);
    painter->restore();
}

QSize CAttendeesDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    Q_UNUSED(index)
    return QSize(option.rect.width(), int(40 * m_dScale));
}

void CAttendeesDelegate::setScale(double scale)
{
    m_dScale = scale > 0 ? scale : 1.0;
}
