#pragma once

#include <QLabel>

namespace rj_app::custom_controls {

// A label that reports a release of any mouse button as a click.
class CClickedLabel : public QLabel
{
    Q_OBJECT
public:
    explicit CClickedLabel(QWidget *parent = nullptr);

signals:
    void clicked(Qt::MouseButton mouseButton);

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

} // namespace rj_app::custom_controls
