#pragma once

#include <QWidget>

class QLabel;

namespace rj_app::views {

class CSelectShareContent;

// A help bubble: a white label with a light grey border and an arrow at the
// bottom pointing down at the option it explains.
class CArrowWidget : public QWidget
{
public:
    static constexpr int m_iArrowHeight = 5;
    static constexpr int m_iArrowWidth = 8;
    static constexpr int m_iRadius = 3;

    explicit CArrowWidget(CSelectShareContent *parent);

    void setText(const QString &text);
    QString text() const;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QLabel *m_label = nullptr;
};

} // namespace rj_app::views
