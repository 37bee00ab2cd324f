#include "views/framework/CDpiLayoutScaler.h"

#include <QPushButton>
#include <QDialogButtonBox>
#include <QLayout>
#include <QScrollArea>
#include <QSpacerItem>
#include <QTabWidget>
#include <QWidget>

namespace rj_app::views {

namespace {
// Maximum sizes from here up mean "unbounded" and are never scaled.
constexpr int kUnboundedFrom = 8000;

int times(int value, double scale)
{
    return static_cast<int>(value * scale);
}

QScrollArea *scrollAreaWithContent(QWidget *w)
{
    auto *area = qobject_cast<QScrollArea *>(w);
    return area && area->widget() ? area : nullptr;
}

const QDialogButtonBox::StandardButton kBoxButtons[] = {QDialogButtonBox::Ok, QDialogButtonBox::Yes,
                                                        QDialogButtonBox::Cancel, QDialogButtonBox::No};
} // namespace

void CDpiLayoutScaler::init(int baseWidth, int baseHeight, QWidget *window)
{
    if (m_iBaseWidth != 0 || m_iBaseHeight != 0)
        return;
    m_iBaseWidth = baseWidth;
    m_iBaseHeight = baseHeight;
    if (window)
        recordTree(window->layout());
}

void CDpiLayoutScaler::addWidget(QWidget *widget)
{
    if (widget) {
        dropDeleted();
        recordTree(widget->layout());
    }
}

void CDpiLayoutScaler::rescale(double scale, QWidget *window)
{
    rescale(scale, window, true);
}

void CDpiLayoutScaler::rescale(double scale, QWidget *window, bool fixSize)
{
    if (!window || m_iBaseWidth == 0 || m_iBaseHeight == 0)
        return;
    m_dScale = scale;
    dropDeleted();
    applyTree(window);
    if (fixSize)
        window->setFixedSize(times(m_iBaseWidth, scale), times(m_iBaseHeight, scale));
}

int CDpiLayoutScaler::recordCount() const
{
    int n = 0;
    for (const auto &r : m_widgets)
        n += r.widget ? 1 : 0;
    for (const auto &r : m_layouts)
        n += r.layout ? 1 : 0;
    for (const auto &r : m_spacers)
        n += r.owner ? 1 : 0;
    return n;
}

void CDpiLayoutScaler::dropDeleted()
{
    for (auto it = m_widgets.begin(); it != m_widgets.end();)
        it = it->widget ? std::next(it) : m_widgets.erase(it);
    for (auto it = m_layouts.begin(); it != m_layouts.end();)
        it = it->layout ? std::next(it) : m_layouts.erase(it);
    for (auto it = m_spacers.begin(); it != m_spacers.end();)
        it = it->owner ? std::next(it) : m_spacers.erase(it);
}

const CDpiLayoutScaler::WidgetRecord *CDpiLayoutScaler::widgetRecord(QWidget *w)
{
    auto it = m_widgets.find(w);
    if (it == m_widgets.end())
        return nullptr;
    if (it->widget.data() != w) { // the recorded widget is gone; this is another one
        m_widgets.erase(it);
        return nullptr;
    }
    return &*it;
}

const CDpiLayoutScaler::LayoutRecord *CDpiLayoutScaler::layoutRecord(QLayout *l)
{
    auto it = m_layouts.find(l);
    if (it == m_layouts.end())
        return nullptr;
    if (it->layout.data() != l) {
        m_layouts.erase(it);
        return nullptr;
    }
    return &*it;
}

CDpiLayoutScaler::SpacerRecord *CDpiLayoutScaler::spacerRecord(QSpacerItem *s, QLayout *owner)
{
    auto it = m_spacers.find(s);
    if (it == m_spacers.end())
        return nullptr;
    if (!it->owner || it->owner.data() != owner || s->sizeHint() != it->lastHint
        || s->sizePolicy() != it->lastPolicy) {
        m_spacers.erase(it);
        return nullptr;
    }
    return &*it;
}

void CDpiLayoutScaler::recordWidget(QWidget *w)
{
    WidgetRecord r;
    r.widget = w;
    r.width = w->width();
    r.height = w->height();
    r.policy = w->sizePolicy();
    r.minSize = w->minimumSize();
    r.maxSize = w->maximumSize();
    m_widgets.insert(w, r);
}

void CDpiLayoutScaler::recordLayout(QLayout *l)
{
    LayoutRecord r;
    r.layout = l;
    const QMargins m = l->contentsMargins();
    r.left = m.left();
    r.top = m.top();
    r.right = m.right();
    r.bottom = m.bottom();
    r.spacing = l->spacing();
    m_layouts.insert(l, r);
}

void CDpiLayoutScaler::recordSpacer(QSpacerItem *s, QLayout *owner)
{
    SpacerRecord r;
    r.owner = owner;
    r.hintWidth = s->sizeHint().width();
    r.hintHeight = s->sizeHint().height();
    r.policy = s->sizePolicy();
    r.lastHint = s->sizeHint();
    r.lastPolicy = r.policy;
    m_spacers.insert(s, r);
}

void CDpiLayoutScaler::recordTree(QLayout *l)
{
    if (!l)
        return;
    recordLayout(l);
    for (int i = 0; i < l->count(); ++i) {
        QLayoutItem *item = l->itemAt(i);
        if (!item)
            continue;
        if (QWidget *w = item->widget()) {
            recordWidget(w);
            recordTree(w->layout());
            recordContainers(w);
        }
        if (QLayout *child = item->layout())
            recordTree(child);
        if (QSpacerItem *s = item->spacerItem())
            recordSpacer(s, l);
    }
}

// Children that sit in no layout of their container.
void CDpiLayoutScaler::recordContainers(QWidget *w)
{
    if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (QWidget *page = tabs->widget(i)) {
                recordWidget(page);
                recordTree(page->layout());
            }
        }
    } else if (QScrollArea *area = scrollAreaWithContent(w)) {
        m_widgets.remove(area); // the area keeps what its layout gives it
        recordWidget(area->widget());
        recordTree(area->widget()->layout());
    } else if (auto *box = qobject_cast<QDialogButtonBox *>(w)) {
        for (auto which : kBoxButtons) {
            if (QPushButton *b = box->button(which))
                recordWidget(b);
        }
    }
}

void CDpiLayoutScaler::applyTree(QWidget *w)
{
    QLayout *l = w->layout();
    if (!l)
        return;
    // A layout first met here keeps its values: only recorded layouts change.
    if (const LayoutRecord *r = layoutRecord(l))
        applyLayout(l, *r);
    applyLayoutItems(l);
}

void CDpiLayoutScaler::applyLayoutItems(QLayout *l)
{
    bool spacerChanged = false;
    for (int i = 0; i < l->count(); ++i) {
        QLayoutItem *item = l->itemAt(i);
        if (!item)
            continue;
        if (QWidget *w = item->widget()) {
            if (QScrollArea *area = scrollAreaWithContent(w)) {
                m_widgets.remove(area);
                applyOrRecordWidget(area->widget());
                applyTree(area->widget());
            } else {
                applyOrRecordWidget(w);
                if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
                    for (int p = 0; p < tabs->count(); ++p) {
                        if (QWidget *page = tabs->widget(p)) {
                            applyOrRecordWidget(page);
                            applyTree(page);
                        }
                    }
                } else if (auto *box = qobject_cast<QDialogButtonBox *>(w)) {
                    for (auto which : kBoxButtons) {
                        if (QPushButton *b = box->button(which))
                            applyOrRecordWidget(b);
                    }
                }
                applyTree(w);
            }
        }
        if (QLayout *child = item->layout()) {
            if (const LayoutRecord *r = layoutRecord(child))
                applyLayout(child, *r);
            else
                recordLayout(child);
            applyLayoutItems(child);
        }
        if (QSpacerItem *s = item->spacerItem()) {
            SpacerRecord *r = spacerRecord(s, l);
            if (!r) {
                recordSpacer(s, l);
                continue;
            }
            const bool fixedSomewhere = r->policy.horizontalPolicy() == QSizePolicy::Fixed
                                        || r->policy.verticalPolicy() == QSizePolicy::Fixed;
            if (s->expandingDirections() == Qt::Orientations() && fixedSomewhere) {
                s->changeSize(times(r->hintWidth, m_dScale), times(r->hintHeight, m_dScale),
                              r->policy.horizontalPolicy(), r->policy.verticalPolicy());
                r->lastHint = s->sizeHint();
                r->lastPolicy = s->sizePolicy();
                spacerChanged = true;
            }
        }
    }
    if (spacerChanged)
        l->invalidate();
}

void CDpiLayoutScaler::applyOrRecordWidget(QWidget *w)
{
    if (const WidgetRecord *r = widgetRecord(w))
        applyWidget(w, *r);
    else
        recordWidget(w); // first met now: its current geometry is its design
}

void CDpiLayoutScaler::applyWidget(QWidget *w, const WidgetRecord &r)
{
    const double s = m_dScale;
    w->resize(times(r.width, s), times(r.height, s));

    if (r.policy.horizontalPolicy() != QSizePolicy::Fixed && r.minSize.width() != r.maxSize.width()) {
        w->setMinimumWidth(times(r.minSize.width(), s));
        if (r.maxSize.width() < kUnboundedFrom)
            w->setMaximumWidth(times(r.maxSize.width(), s));
    } else {
        w->setFixedWidth(times(r.width, s));
    }

    if (r.policy.verticalPolicy() != QSizePolicy::Fixed && r.minSize.height() != r.maxSize.height()) {
        w->setMinimumHeight(times(r.minSize.height(), s));
        if (r.maxSize.height() < kUnboundedFrom)
            w->setMaximumHeight(times(r.maxSize.height(), s));
    } else {
        w->setFixedHeight(times(r.height, s));
    }
}

void CDpiLayoutScaler::applyLayout(QLayout *l, const LayoutRecord &r)
{
    const double s = m_dScale;
    // A negative spacing means "the style's spacing" and stays so.
    if (r.spacing >= 0)
        l->setSpacing(times(r.spacing, s));
    l->setContentsMargins(times(r.left, s), times(r.top, s), times(r.right, s), times(r.bottom, s));
}

} // namespace rj_app::views
