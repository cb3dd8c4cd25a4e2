#pragma once
// The start-up picture: a borderless pop-up that goes after 2000 ms or at the
// first key press or mouse-button press anywhere in the program.
#include <QWidget>

class CSplashWindow : public QWidget {
    Q_OBJECT
public:
    static constexpr int kShowMs = 2000;
    explicit CSplashWindow(QWidget* over = nullptr);
    ~CSplashWindow() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
};
