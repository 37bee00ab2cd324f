#pragma once

#include <QHash>
#include <QPointer>
#include <QSize>
#include <QSizePolicy>

class QLayout;
class QSpacerItem;
class QWidget;

namespace rj_app::views {

// Makes a window designed at 100 % follow the scale factor: records the design
// sizes, size limits, margins, spacings and fixed spacers of its layout tree
// once, and sets each of them to its design value times the scale on every
// rescale. Records belong to the elements themselves and die with them, so a
// widget created later at a freed address starts without a stale record.
class CDpiLayoutScaler
{
public:
    // Records the base size and the layout tree of `window`; only the first
    // call counts.
    void init(int baseWidth, int baseHeight, QWidget *window);
    // Records the layout tree of a widget put into the window after init.
    void addWidget(QWidget *widget);
    // Applies `scale` to the tree and fixes the window to base size x scale.
    void rescale(double scale, QWidget *window);
    void rescale(double scale, QWidget *window, bool fixSize);

    bool isInitialised() const { return m_iBaseWidth != 0 && m_iBaseHeight != 0; }
    double scale() const { return m_dScale; }
    // Records of elements that still exist.
    int recordCount() const;

private:
    struct WidgetRecord
    {
        QPointer<QWidget> widget;
        int width = 0;
        int height = 0;
        QSizePolicy policy;
        QSize minSize;
        QSize maxSize;
    };
    struct LayoutRecord
    {
        QPointer<QLayout> layout;
        int left = 0, top = 0, right = 0, bottom = 0;
        int spacing = 0;
    };
    struct SpacerRecord
    {
        QPointer<QLayout> owner; // a spacer is only known inside its layout
        int hintWidth = 0;
        int hintHeight = 0;
        QSizePolicy policy;
        // What the spacer looked like when last recorded or changed here. A
        // spacer is no QObject: one that differs is a new spacer at a reused
        // address, or was changed by its owner, and is recorded afresh.
        QSize lastHint;
        QSizePolicy lastPolicy;
    };

    void dropDeleted();
    const WidgetRecord *widgetRecord(QWidget *w);
    const LayoutRecord *layoutRecord(QLayout *l);
    SpacerRecord *spacerRecord(QSpacerItem *s, QLayout *owner);

    void recordWidget(QWidget *w);
    void recordLayout(QLayout *l);
    void recordSpacer(QSpacerItem *s, QLayout *owner);
    void recordTree(QLayout *l);
    void recordContainers(QWidget *w);

    void applyTree(QWidget *w);
    void applyLayoutItems(QLayout *l);
    void applyOrRecordWidget(QWidget *w);
    void applyWidget(QWidget *w, const WidgetRecord &r);
    void applyLayout(QLayout *l, const LayoutRecord &r);

    int m_iBaseWidth = 0;
    int m_iBaseHeight = 0;
    QHash<const QWidget *, WidgetRecord> m_widgets;
    QHash<const QLayout *, LayoutRecord> m_layouts;
    QHash<const QSpacerItem *, SpacerRecord> m_spacers;
    double m_dScale = 0;
};

} // namespace rj_app::views
