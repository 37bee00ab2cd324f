#pragma once

#include <QImage>
#include <QWidget>

// The thumbnail of one share source: the picture scaled into the widget, and
// for application windows their icon at the top-left corner.
class CPreview : public QWidget
{
public:
    explicit CPreview(QWidget *parent = nullptr);

    void setThumbnail(const QImage &image);
    void setIcon(const QImage &image);
    bool hasThumbnail() const { return m_bHasThumbnail; }
    bool hasIcon() const { return m_bHasIcon; }
    const QImage &thumbnail() const { return m_thumbnail; }
    const QImage &icon() const { return m_icon; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    bool m_bHasThumbnail = false;
    bool m_bHasIcon = false;
    QImage m_thumbnail;
    QImage m_icon;
};
