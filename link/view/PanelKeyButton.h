#pragma once
// CPanelKeyButton: a key of the virtual front panel that is not round. It
// paints itself as a rounded key cap in its face colour (darker while held
// down) with its icon, or else its caption, in the middle.
#include <QColor>
#include <QPushButton>

class CPanelKeyButton : public QPushButton {
    Q_OBJECT
public:
    static constexpr QRgb kDefaultFace = 0xFFF3F3F3;

    explicit CPanelKeyButton(const QString& caption, QWidget* parent = nullptr);

    QColor FaceColor() const { return m_face; }
    void SetFaceColor(const QColor& face);

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor m_face{kDefaultFace};
};
