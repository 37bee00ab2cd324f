#pragma once

#include "engine/RJTypes.h"

#include <QVector>
#include <QWidget>

#include <vector>

class CWidgetContentSub;

// A grid of share-source tiles, four to a row, placed by hand so that the
// grid can scale them.
class CWidgetContents : public QWidget
{
    Q_OBJECT

public:
    explicit CWidgetContents(QWidget *parent = nullptr);

    // kind 0 takes the screens (type 0), a positive kind the application
    // windows (type 1), a negative kind nothing.
    void setContentSourceList(const std::vector<rj::engine::RJContentSourceInfo> &list, int kind);
    void addWhiteBoardTile();
    void loadPreviews();
    void setScale(double scale);
    double scale() const { return m_dScale; }
    void setCurrentIndex(int index);
    void setSelectedTile(CWidgetContentSub *tile, bool force);
    CWidgetContentSub *selectedTile() const;
    void clear();

    const QVector<CWidgetContentSub *> &tiles() const { return m_tiles; }
    int columnCount() const { return m_iColumnCount; }
    int tileWidth() const { return m_iTileWidth; }
    int tileHeight() const { return m_iTileHeight; }

signals:
    void signal_contentSelected();
    void signal_contentShare();

public slots:
    void slot_subSelected();
    void slot_doubliClicked();

private:
    CWidgetContentSub *newTile(bool isWhiteBoard);
    void relayout(bool loadPreviews);

    int m_iColumnCount = 4;
    int m_iTileWidth = 170;
    int m_iTileHeight = 110;
    double m_dScale = 1.0;
    QVector<CWidgetContentSub *> m_tiles;
    CWidgetContentSub *m_pSelectedTile = nullptr;
};
