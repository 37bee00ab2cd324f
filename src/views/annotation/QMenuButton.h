#pragma once

#include <QPushButton>

class QLabel;

// The 88 x 54 button of the sharing toolbars: an icon over a caption, a push
// button or a two-state (on/off) button. Clicks arrive through clicked(bool).
class QMenuButton : public QPushButton
{
public:
    explicit QMenuButton(QWidget *parent = nullptr);
    ~QMenuButton() override;

    void setLabelText(const QString &text);
    // Stores the normal icon and shows it at once.
    void setNormalIcon(const QString &path);
    // Stores the on (for a push button: pressed) icon.
    void setOnIcon(const QString &path);
    void setOffState();
    void setOnState();
    void updateScale(double scale);

    QString captionStyle() const;
    QString iconStyle() const;
    bool isOn() const { return m_bOn; }

    // 0 normal, 1 hovered or just released (push), 2 pressed (push) or on.
    int m_iState = 0;
    // Two-state button.
    bool m_bCheckable = false;

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void enterEvent(QEvent *event) override;
    void leaveEvent(QEvent *event) override;

private:
    void showIcon(const QString &path);
    void showCaption(const char *colour);

    QLabel *m_pText = nullptr;
    QLabel *m_pIcon = nullptr;
    bool m_bOn = false;
    bool m_bPressed = false;
    // Look before a press, restored when a two-state press is released outside.
    bool m_bOnBeforePress = false;
    QString m_strNormalIcon;
    QString m_strOnIcon;
    QString m_strFontSize = QStringLiteral("12px");
};
