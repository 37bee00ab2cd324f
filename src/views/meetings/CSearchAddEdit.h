#pragma once

#include <QLineEdit>

class QLabel;

namespace rj_app::views {

// The directory's search field: a line edit with a search glyph ("m_label",
// its picture from the owner's style sheet) at its left.
class CSearchAddEdit : public QLineEdit
{
    Q_OBJECT
public:
    explicit CSearchAddEdit(QWidget *parent = nullptr);

    void updateDpi(double scale);
    QLabel *iconLabel() const { return m_label; }

private:
    QLabel *m_label = nullptr;
};

} // namespace rj_app::views
