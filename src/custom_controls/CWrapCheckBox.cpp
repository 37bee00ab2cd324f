#include "custom_controls/CWrapCheckBox.h"

#include <QRegularExpression>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTextLayout>

namespace rj_app::custom_controls {

CWrapCheckBox::CWrapCheckBox(QWidget *parent)
    : QCheckBox(parent)
{
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Minimum, QSizePolicy::CheckBox);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

QRect CWrapCheckBox::captionRect(const QSize &size) const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    option.rect = QRect(QPoint(0, 0), size);
    return style()->subElementRect(QStyle::SE_CheckBoxContents, &option, this);
}

QStringList CWrapCheckBox::captionLines(int width) const
{
    const int room = qMax(1, captionRect(QSize(width, height())).width());
    QStringList lines;
    // Lines of the caption's own breaks, each broken between words (or, for
    // scripts without blanks, where the script allows) to the room there is.
    for (const QString &paragraph : text().split(QLatin1Char('\n'))) {
        QTextLayout layout(paragraph, font());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(room);
            lines << paragraph.mid(line.textStart(), line.textLength()).trimmed();
        }
        layout.endLayout();
        if (paragraph.isEmpty())
            lines << QString();
    }
    return lines;
}

int CWrapCheckBox::heightForWidth(int width) const
{
    QStyleOptionButton option;
    initStyleOption(&option);
    const int lines = int(captionLines(width).size());
    const QSize caption(captionRect(QSize(width, height())).width(),
                        fontMetrics().lineSpacing() * (lines - 1) + fontMetrics().height());
    const int needed = style()->sizeFromContents(QStyle::CT_CheckBox, &option, caption, this).height();
    return qMax(minimumHeight(), needed);
}

QSize CWrapCheckBox::minimumSizeHint() const
{
    // The widest word beside the indicator: narrower, a word would be cut.
    int widest = 0;
    for (const QString &word : text().split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts))
        widest = qMax(widest, fontMetrics().horizontalAdvance(word));
    QStyleOptionButton option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_CheckBox, &option, QSize(widest, fontMetrics().height()), this)
        .expandedTo(QSize(0, minimumHeight()));
}

void CWrapCheckBox::paintEvent(QPaintEvent *event)
{
    Q_UNUSED(event)
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The style draws a caption of several lines line by line; the breaks
    // are put where this width needs them.
    option.text = captionLines(width()).join(QLatin1Char('\n'));
    painter.drawControl(QStyle::CE_CheckBox, option);
}

} // namespace rj_app::custom_controls
