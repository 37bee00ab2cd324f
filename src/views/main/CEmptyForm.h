#pragma once

#include <QWidget>

namespace rj_app::views {

// An empty page the home window shows while the real first page is built.
class CEmptyForm : public QWidget
{
    Q_OBJECT
public:
    explicit CEmptyForm(QWidget *parent = nullptr);
};

} // namespace rj_app::views
