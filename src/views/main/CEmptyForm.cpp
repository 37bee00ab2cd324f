#include "views/main/CEmptyForm.h"

#include <QCoreApplication>

namespace rj_app::views {

CEmptyForm::CEmptyForm(QWidget *parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("CEmptyForm"));
    resize(400, 300);
    setWindowTitle(QCoreApplication::translate("CEmptyForm", "Form"));
}

} // namespace rj_app::views
