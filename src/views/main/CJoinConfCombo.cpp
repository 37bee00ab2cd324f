#include "views/main/CJoinConfCombo.h"

#include <QHBoxLayout>
#include <QLineEdit>

namespace {
constexpr int kOverlayFontPx = 14;
}

CJoinConfCombo::CJoinConfCombo(QWidget *parent)
    : QComboBox(parent)
{
    setEditable(true);
}

void CJoinConfCombo::initLineEdit()
{
    if (m_comboLineEdit)
        return;
    if (!isEditable())
        setEditable(true);

    m_comboLineEdit = new QLineEdit(this);
    m_comboLineEdit->setObjectName(QStringLiteral("m_comboLineEdit"));
    m_comboLineEdit->setFrame(false);
    m_comboLineEdit->setAlignment(Qt::AlignCenter);
    // Style sheets draw no panel for a line edit inside a combo box: fill it
    // ourselves, or the combo's own editor shows through.
    m_comboLineEdit->setAutoFillBackground(true);

    auto *layout = new QHBoxLayout();
    layout->setSpacing(0);
    layout->setContentsMargins(30, 2, 30, 2);
    layout->addWidget(m_comboLineEdit);
    setLayout(layout);

    connect(this, QOverload<int>::of(&QComboBox::currentIndexChanged), this,
            [this](int index) { showInOverlay(itemText(index)); });
    connect(m_comboLineEdit, &QLineEdit::textChanged, this, [this](const QString &text) {
        if (currentText() != text)
            setCurrentText(text);
    });
    // The combo's own editor also changes without an index change: picking
    // the current item again after typing, or typing into it by keyboard
    // focus. The overlay follows, or it would show a number other than the
    // one that is dialled.
    connect(lineEdit(), &QLineEdit::textChanged, this, [this](const QString &text) { showInOverlay(text); });
}

void CJoinConfCombo::showInOverlay(const QString &text)
{
    // Setting an equal text would only move the user's cursor to the end.
    if (m_comboLineEdit && m_comboLineEdit->text() != text)
        m_comboLineEdit->setText(text);
}

void CJoinConfCombo::setLineEditText(const QString &text)
{
    if (m_comboLineEdit)
        m_comboLineEdit->setText(text);
    else
        setCurrentText(text);
}

void CJoinConfCombo::setPlaceholderText(const QString &text)
{
    if (m_comboLineEdit)
        m_comboLineEdit->setPlaceholderText(text);
    if (QLineEdit *editor = lineEdit())
        editor->setPlaceholderText(text);
}

void CJoinConfCombo::setFontScale(double scale)
{
    if (!m_comboLineEdit)
        return;
    if (!(scale > 0))
        scale = 1;
    QFont font = m_comboLineEdit->font();
    font.setPixelSize(static_cast<int>(kOverlayFontPx * scale));
    m_comboLineEdit->setFont(font);
}
