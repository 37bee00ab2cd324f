#include "views/incall/CWidgetContents.h"

#include "helpers/CGeneralUtils.h"
#include "views/incall/CWidgetContentSub.h"

namespace {
constexpr int kGap = 10;
}

CWidgetContents::CWidgetContents(QWidget *parent)
    : QWidget(parent)
{
}

CWidgetContentSub *CWidgetContents::newTile(bool isWhiteBoard)
{
    auto *tile = new CWidgetContentSub(this, isWhiteBoard);
    connect(tile, &CWidgetContentSub::signal_selected, this, &CWidgetContents::slot_subSelected);
    connect(tile, &CWidgetContentSub::signal_doubliClicked, this, &CWidgetContents::slot_doubliClicked);
    const int k = m_tiles.size();
    if (m_iColumnCount > 0) {
        tile->setRowCol(k / m_iColumnCount, k % m_iColumnCount);
        tile->setFixedSize(m_iTileWidth, m_iTileHeight);
    }
    return tile;
}

void CWidgetContents::setContentSourceList(const std::vector<rj::engine::RJContentSourceInfo> &list, int kind)
{
    clear();
    int screen = 1;
    for (const auto &source : list) {
        const bool take = (kind == 0 && source.type == 0) || (kind > 0 && source.type == 1);
        if (!take)
            continue;
        CWidgetContentSub *tile = newTile(false);
        if (kind == 0)
            tile->setName(tr("Screen %1").arg(screen++));
        else
            tile->setName(QString::fromStdString(source.windowTitle));
        tile->setContentSourceInfo(source);
        m_tiles.append(tile);
    }
}

void CWidgetContents::addWhiteBoardTile()
{
    CWidgetContentSub *tile = newTile(true);
    tile->setName(tr("WhiteBoard"));
    m_tiles.append(tile);
}

void CWidgetContents::loadPreviews()
{
    relayout(true);
}

void CWidgetContents::setScale(double scale)
{
    if (rj_app::helpers::CGeneralUtils::isDoubleEqual(scale, m_dScale))
        return;
    m_dScale = scale;
    relayout(false);
}

void CWidgetContents::relayout(bool loadPreviews)
{
    const double s = m_dScale;
    for (CWidgetContentSub *tile : qAsConst(m_tiles)) {
        tile->setFixedSize(static_cast<int>(m_iTileWidth * s), static_cast<int>(m_iTileHeight * s));
        tile->move(static_cast<int>(tile->col() * (m_iTileWidth + kGap) * s),
                   static_cast<int>(tile->row() * (m_iTileHeight + kGap) * s));
        tile->show();
        if (loadPreviews)
            tile->loadPreview();
        else
            tile->setScale(s);
    }
    if (m_iColumnCount > 0 && !m_tiles.isEmpty()) {
        // A full last row still gets an empty row below it.
        const int rows = m_tiles.size() / m_iColumnCount + 1;
        setFixedHeight(static_cast<int>(rows * (m_iTileHeight + kGap) * s));
    }
}

void CWidgetContents::setCurrentIndex(int index)
{
    if (index < 0 || index >= m_tiles.size())
        return;
    CWidgetContentSub *tile = m_tiles.at(index);
    if (tile == m_pSelectedTile)
        return;
    m_pSelectedTile = tile;
    for (CWidgetContentSub *t : qAsConst(m_tiles))
        t->setSelected(t == tile);
}

void CWidgetContents::setSelectedTile(CWidgetContentSub *tile, bool force)
{
    if (tile && tile == m_pSelectedTile && !force)
        return;
    m_pSelectedTile = tile;
    for (CWidgetContentSub *t : qAsConst(m_tiles))
        t->setSelected(t == tile);
}

CWidgetContentSub *CWidgetContents::selectedTile() const
{
    return m_tiles.contains(m_pSelectedTile) ? m_pSelectedTile : nullptr;
}

void CWidgetContents::clear()
{
    m_pSelectedTile = nullptr;
    for (CWidgetContentSub *tile : qAsConst(m_tiles)) {
        tile->setParent(nullptr);
        delete tile;
    }
    m_tiles.clear();
}

void CWidgetContents::slot_subSelected()
{
    auto *tile = qobject_cast<CWidgetContentSub *>(sender());
    if (!tile)
        return;
    setSelectedTile(tile, false);
    emit signal_contentSelected();
}

void CWidgetContents::slot_doubliClicked()
{
    if (!sender())
        return;
    emit signal_contentShare();
}
