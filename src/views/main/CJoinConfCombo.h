#pragma once

#include <QComboBox>

class QLineEdit;

// The meeting-number box of the join dialog and panel: an editable combo box
// with a frameless, centred line edit laid over it. The user sees and types
// into the overlay; the combo's current text always follows it, so
// currentText() is what the user sees.
class CJoinConfCombo : public QComboBox
{
    Q_OBJECT
public:
    explicit CJoinConfCombo(QWidget *parent = nullptr);

    // Lays the overlay over the combo (once) and keeps both texts in step.
    void initLineEdit();
    void setLineEditText(const QString &text);
    // The placeholder of the overlay and of the combo's own editor.
    void setPlaceholderText(const QString &text);
    // The overlay's font: 14 px times the scale.
    void setFontScale(double scale);

    QLineEdit *overlayLineEdit() const { return m_comboLineEdit; }

private:
    void showInOverlay(const QString &text);

    QLineEdit *m_comboLineEdit = nullptr;
};
