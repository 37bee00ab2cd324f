#include "views/meetings/CContactsAddDelegate.h"

#include "views/meetings/CContactsAddListmodel.h"
#include "views/meetings/CContactsAvatar.h"

#include <QColor>
#include <QCoreApplication>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace rj_app::views {

using Pieces = CContactsAvatar;

CContactsAddDelegate::CContactsAddDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
    updateDpi(1.0);
}

QStringList CContactsAddDelegate::pictureFiles(double scale)
{
    return Pieces::tickBoxFiles(scale);
}

void CContactsAddDelegate::updateDpi(double scale)
{
    m_scale = scale <= 0 ? 1.0 : scale;
    const QStringList files = pictureFiles(m_scale);
    m_checked = QPixmap(files.at(0));
    m_unchecked = QPixmap(files.at(1));
}

void CContactsAddDelegate::setSelectMode()
{
    m_bSelectMode = true;
}

QRect CContactsAddDelegate::buttonRect(const QRect &rowRect) const
{
    return Pieces::centredIn(rowRect, rowRect.left() + px(450), px(60), px(24));
}

QRect CContactsAddDelegate::tickRect(const QRect &rowRect) const
{
    return Pieces::centredIn(rowRect, rowRect.left() + px(496), px(14), px(14));
}

void CContactsAddDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const
{
    const QString text = index.data(CContactsAddListmodel::TextRole).toString();
    const bool added = index.data(CContactsAddListmodel::AddedRole).toBool();
    const QPixmap avatar = index.data(CContactsAddListmodel::AvatarRole).value<QPixmap>();
    const bool ticked = index.data(CContactsAddListmodel::SelectedRole).toBool();

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor("#ffffff"));
    painter->drawRect(option.rect);

    const QRect rect = option.rect.adjusted(px(10), 0, -px(10), 0);
    const int side = px(28);
    if (!avatar.isNull())
        painter->drawPixmap(Pieces::centredIn(rect, rect.left(), side, side), avatar);

    int textRight = rect.x() + rect.width();
    QFont font = option.font;
    if (m_bSelectMode) {
        const QRect box = Pieces::centredIn(rect, rect.left() + px(486), px(14), px(14));
        painter->drawPixmap(box, ticked ? m_checked : m_unchecked);
        textRight = qMin(textRight, box.left() - px(4));
    } else {
        const QRect button = Pieces::centredIn(rect, rect.left() + px(440), px(60), px(24));
        font.setPixelSize(px(13));
        painter->setFont(font);
        if (added) {
            painter->setPen(QColor("#c1c1c1"));
            painter->setBrush(Qt::NoBrush);
            painter->drawText(button, Qt::AlignCenter,
                              QCoreApplication::translate("CContactsAddDelegate", "Added"));
        } else {
            painter->setPen(Qt::NoPen);
            painter->setBrush(QColor("#ffdddd"));
            painter->drawRect(button);
            painter->setPen(QColor("#f50101"));
            painter->drawText(button, Qt::AlignCenter,
                              QCoreApplication::translate("CContactsAddDelegate", "Add"));
        }
        textRight = qMin(textRight, button.left() - px(4));
    }

    font.setPixelSize(px(14));
    painter->setFont(font);
    painter->setPen(QColor("#313131"));
    const int textLeft = rect.left() + px(38);
    const QRect textRect(textLeft, rect.top(), qMax(0, textRight - textLeft), rect.height());
    // Long names are cut short rather than painted under the button.
    Pieces::drawElidedText(painter, textRect, text);
    painter->restore();
}

QSize CContactsAddDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    Q_UNUSED(index)
    return QSize(option.rect.width(), px(40));
}

bool CContactsAddDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
                                       const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (event->type() == QEvent::MouseButtonPress && index.isValid()) {
        const QPoint pos = static_cast<QMouseEvent *>(event)->pos();
        if (m_bSelectMode) {
            if (tickRect(option.rect).contains(pos)) {
                emit signal_selectUserItem(index);
                return true;
            }
        } else if (buttonRect(option.rect).contains(pos)
                   && !index.data(CContactsAddListmodel::AddedRole).toBool()) {
            emit signal_addContactItem(index);
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

} // namespace rj_app::views
