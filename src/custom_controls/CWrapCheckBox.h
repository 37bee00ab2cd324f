#pragma once

#include <QCheckBox>
#include <QStringList>

namespace rj_app::custom_controls {

// A check box whose caption goes on to further lines, broken between words,
// where the width it is given is too narrow for one line; a plain check box
// cuts it at its right edge. The box is as tall as its lines need (height
// for width), at least its minimum height. text() stays the caption as set.
class CWrapCheckBox : public QCheckBox
{
    Q_OBJECT
public:
    explicit CWrapCheckBox(QWidget *parent = nullptr);

    QSize minimumSizeHint() const override;
    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;

    // The caption's lines as painted in a box `width` pixels wide.
    QStringList captionLines(int width) const;
    // Where the caption goes in a box of that size, as the style places it.
    QRect captionRect(const QSize &size) const;

protected:
    void paintEvent(QPaintEvent *event) override;
};

} // namespace rj_app::custom_controls
