#pragma once

#include <QToolButton>

namespace rj_app::custom_controls {

// The "Show PIP" button of the sharing toolbars, restyled per scale.
class CToolButton : public QToolButton
{
    Q_OBJECT
public:
    explicit CToolButton(QWidget *parent = nullptr);

    void updateDpi(double scale);

    // The sheet updateDpi sets for a scale.
    static QString styleSheetFor(double scale);
};

} // namespace rj_app::custom_controls
