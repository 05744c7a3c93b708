#pragma once

#include <QWidget>

class QLabel;

namespace ui {

// The busy window shown, without blocking, while long series of commands run. It takes no
// mouse or keyboard input and never takes the focus from the main window.
class TMessageForm : public QWidget {
    Q_OBJECT
public:
    static constexpr int kClientWidth = 326;
    static constexpr int kClientHeight = 58;

    explicit TMessageForm(QWidget *parent = nullptr);
    ~TMessageForm() override;

    QLabel *MessageLabel = nullptr;
};

} // namespace ui
