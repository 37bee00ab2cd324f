#include "views/meetings/CContactsDelegate.h"

#include "views/meetings/CContactsAvatar.h"
#include "views/meetings/CContactsListmodel.h"

#include <QColor>
#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace rj_app::views {

namespace {

const QString kImageDir = QStringLiteral(":/resources/images/contacts/");

} // namespace

using Pieces = CContactsAvatar;

CContactsDelegate::CContactsDelegate(QObject *parent)
    : QStyledItemDelegate(parent)
{
    updateDpi(1.0);
}

QStringList CContactsDelegate::pictureFiles(double scale)
{
    QString dash;
    if (scale >= 2)
        dash = QStringLiteral("-2x");
    else if (scale > 1)
        dash = QStringLiteral("-1.5x");
    return QStringList{kImageDir + QStringLiteral("icon_add") + dash + QStringLiteral(".png"),
                       kImageDir + QStringLiteral("icon_group") + dash + QStringLiteral(".png"),
                       kImageDir + QStringLiteral("arrow") + dash + QStringLiteral(".png")}
           + Pieces::tickBoxFiles(scale);
}

void CContactsDelegate::updateDpi(double scale)
{
    m_scale = scale <= 0 ? 1.0 : scale;
    const QStringList files = pictureFiles(m_scale);
    m_addIcon = QPixmap(files.at(0));
    m_groupIcon = QPixmap(files.at(1));
    m_arrow = QPixmap(files.at(2));
    m_checked = QPixmap(files.at(3));
    m_unchecked = QPixmap(files.at(4));
}

void CContactsDelegate::setSelectMode()
{
    m_bSelectMode = true;
}

QRect CContactsDelegate::tickRect(const QRect &rowRect) const
{
    const int side = px(14);
    return Pieces::centredIn(rowRect, rowRect.x() + rowRect.width() - px(24), side, side);
}

void CContactsDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option,
                              const QModelIndex &index) const
{
    const QString text = index.data(CContactsListmodel::TextRole).toString();
    const int type = index.data(CContactsListmodel::TypeRole).toInt();
    const QPixmap avatar = index.data(CContactsListmodel::AvatarRole).value<QPixmap>();
    const bool ticked = index.data(CContactsListmodel::SelectedRole).toBool();

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, true);
    painter->setRenderHint(QPainter::SmoothPixmapTransform, true);

    const bool hovered = (option.state & QStyle::State_MouseOver) && index.flags() != Qt::NoItemFlags;
    const bool highlighted = (option.state & QStyle::State_Selected) || hovered;
    painter->setPen(Qt::NoPen);
    painter->setBrush(QColor(highlighted ? "#ededed" : "#f7f7f7"));
    painter->drawRect(option.rect);

    const QRect rect = option.rect.adjusted(px(10), 0, -px(10), 0);
    const int right = rect.x() + rect.width();
    QFont font = option.font;

    auto drawText = [&](int left, int rightLimit) {
        // Long names are cut short rather than painted over the row's glyphs.
        Pieces::drawElidedText(painter, QRect(left, rect.top(), qMax(0, rightLimit - left), rect.height()), text);
    };

    switch (type) {
    case contactItemData::Contact: {
        font.setPixelSize(px(14));
        painter->setFont(font);
        painter->setPen(QColor("#313131"));
        const int side = px(28);
        if (!avatar.isNull())
            painter->drawPixmap(Pieces::centredIn(rect, rect.left(), side, side), avatar);
        int textRight = right;
        if (m_bSelectMode) {
            const int box = px(14);
            const QRect boxRect = Pieces::centredIn(rect, right - box, box, box);
            painter->drawPixmap(boxRect, ticked ? m_checked : m_unchecked);
            textRight = boxRect.left() - px(4);
        }
        drawText(rect.left() + px(38), textRight);
        break;
    }
    case contactItemData::Header: {
        font.setPixelSize(px(13));
        painter->setFont(font);
        painter->setPen(QColor("#313131"));
        const int side = px(28);
        painter->drawPixmap(Pieces::centredIn(rect, rect.left(), side, side), m_bSelectMode ? m_groupIcon : m_addIcon);
        const QRect arrowRect = Pieces::centredIn(rect, right - px(10), px(10), px(16));
        painter->drawPixmap(arrowRect, m_arrow);
        drawText(rect.left() + px(38), arrowRect.left() - px(4));
        break;
    }
    case contactItemData::Separator:
        painter->setPen(Qt::NoPen);
        painter->setBrush(QColor("#e1e1e1"));
        painter->drawRect(rect);
        break;
    case contactItemData::SectionTitle:
        font.setPixelSize(px(12));
        painter->setFont(font);
        painter->setPen(QColor("#919191"));
        drawText(rect.left(), right);
        break;
    default:
        break;
    }
    painter->restore();
}

QSize CContactsDelegate::sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    int height = px(40);
    switch (index.data(CContactsListmodel::TypeRole).toInt()) {
    case contactItemData::Header:
        height = px(48);
        break;
    case contactItemData::Separator:
        height = 1;
        break;
    case contactItemData::SectionTitle:
        height = px(20);
        break;
    default:
        break;
    }
    return QSize(option.rect.width(), height);
}

bool CContactsDelegate::editorEvent(QEvent *event, QAbstractItemModel *model,
                                    const QStyleOptionViewItem &option, const QModelIndex &index)
{
    if (m_bSelectMode && event->type() == QEvent::MouseButtonPress
        && index.data(CContactsListmodel::TypeRole).toInt() == contactItemData::Contact) {
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (tickRect(option.rect).contains(mouse->pos())) {
            emit signal_selectContactItem(index);
            return true;
        }
    }
    return QStyledItemDelegate::editorEvent(event, model, option, index);
}

} // namespace rj_app::views
