#pragma once

#include "engine/RJTypes.h"

#include <QFrame>

class CPreview;
class QHBoxLayout;
class QLabel;
class QSpacerItem;
class QVBoxLayout;

// One tile of the share-source chooser: a thumbnail and the source's name.
class CWidgetContentSub : public QFrame
{
    Q_OBJECT

public:
    CWidgetContentSub(QWidget *parent, bool isWhiteBoard);

    void setContentSourceInfo(const rj::engine::RJContentSourceInfo &info);
    rj::engine::RJContentSourceInfo getContentSourceInfo() const { return m_contentSourceInfo; }
    bool isWhiteBoard() const { return m_bIsWhiteBoard; }
    void setName(const QString &name);
    QString name() const;
    void setSelected(bool selected);
    bool isSelected() const { return m_bSelected; }
    bool isHovered() const { return m_bHovered; }

    // Fetches the thumbnail (and a window's icon) from the engine.
    void loadPreview();
    void setScale(double scale);
    double scale() const { return m_dScale; }

    void setRowCol(int row, int col);
    int row() const { return m_iRow; }
    int col() const { return m_iCol; }

    CPreview *preview() const { return m_pPreview; }
    QLabel *nameLabel() const { return m_pNameLabel; }

signals:
    void signal_selected();
    void signal_doubliClicked();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void applyNameStyle();
    void showNameTip(const QPoint &globalPos);

    bool m_bHovered = false;
    bool m_bSelected = false;
    int m_iRow = 0;
    int m_iCol = 0;
    QSpacerItem *m_pTopSpacer = nullptr;
    QSpacerItem *m_pPreviewLeftSpacer = nullptr;
    CPreview *m_pPreview = nullptr;
    QSpacerItem *m_pPreviewRightSpacer = nullptr;
    QHBoxLayout *m_pPreviewLayout = nullptr;
    QSpacerItem *m_pNameLeftSpacer = nullptr;
    QLabel *m_pNameLabel = nullptr;
    QSpacerItem *m_pNameRightSpacer = nullptr;
    QHBoxLayout *m_pNameLayout = nullptr;
    QVBoxLayout *m_pMainLayout = nullptr;
    rj::engine::RJContentSourceInfo m_contentSourceInfo;
    bool m_bIsWhiteBoard = false;
    double m_dScale = 1.0;
};
