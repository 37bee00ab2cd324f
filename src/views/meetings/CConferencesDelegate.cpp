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
    font.setPixelSize(namePixelSize(s));
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
        const QRect nameArea = nameRect(option.rect, s);
        const QStringList lines = nameLines(name, painter->fontMetrics(), nameArea.width());
        painter->drawText(nameArea, Qt::AlignHCenter | Qt::AlignVCenter, lines.join(QLatin1Char('\n')));
    } else if (type == participantItemData::AddCell) {
        painter->setPen(QColor(QStringLiteral("#c91700")));
        painter->drawPixmap(square, m_addPixmap);
        painter->drawText(textRect, Qt::AlignCenter, name);
    }
    painter->restore();
}

int CConferencesDelegate::namePixelSize(double scale)
{
    return qMax(1, meetings::scaled(12, scale));
}

QRect CConferencesDelegate::nameRect(const QRect &cell, double scale)
{
    // The 10-pixel margin around the avatar would leave a name 28 pixels:
    // "Ali…". Below the avatar the name takes the cell's width.
    const int pad = meetings::scaled(2, scale);
    const int top = meetings::scaled(10 + 28, scale);
    return cell.adjusted(pad, top, -pad, 0);
}

QStringList CConferencesDelegate::nameLines(const QString &name, const QFontMetrics &metrics, int width)
{
    const QStringList words = name.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
    // The first line takes as many words as fit, at least one; the second
    // the rest.
    QString first;
    int next = 0;
    for (; next < words.size(); ++next) {
        const QString candidate = first.isEmpty() ? words.at(next) : first + QLatin1Char(' ') + words.at(next);
        if (!first.isEmpty() && metrics.horizontalAdvance(candidate) > width)
            break;
        first = candidate;
    }
    QStringList lines;
    if (!first.isEmpty())
        lines << metrics.elidedText(first, Qt::ElideRight, width);
    const QString rest = words.mid(next).join(QLatin1Char(' '));
    if (!rest.isEmpty())
        lines << metrics.elidedText(rest, Qt::ElideRight, width);
    return lines;
}

QSize CConferencesDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    Q_UNUSED(option)
    Q_UNUSED(index)
    return QSize(meetings::scaled(48, m_scale), meetings::scaled(68, m_scale));
}
