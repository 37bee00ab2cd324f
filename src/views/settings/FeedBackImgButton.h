#pragma once

#include <QImage>
#include <QWidget>

class QLabel;
class QPushButton;

// One 45 x 45 picture thumbnail with a delete button in its top right
// corner, shown while the mouse is over the thumbnail.
class FeedBackImgButton : public QWidget
{
    Q_OBJECT
public:
    explicit FeedBackImgButton(QWidget *parent = nullptr);

    void setIndex(int index);
    int index() const { return m_index; }
    void setImage(const QImage &image);

signals:
    void sigeleteTag(int index);

public slots:
    void slotRemoveImageAction();

protected:
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    int m_index = 0;
    QLabel *m_img = nullptr;
    QPushButton *m_deleteBtn = nullptr;
};
