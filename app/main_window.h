#pragma once

#include <QSize>

#include <memory>

class MnemonicLabel;
class PictureBox;
class QLineEdit;
class QPushButton;
class QWidget;

// The program's only window and its five controls, which the window owns.
struct MainWindow {
    std::unique_ptr<QWidget> window;
    PictureBox* 图片框1 = nullptr;
    QPushButton* 按钮1 = nullptr;
    MnemonicLabel* 标签2 = nullptr;
    QLineEdit* 编辑框1 = nullptr;
    MnemonicLabel* 标签1 = nullptr;
};

inline constexpr QSize designedOuterSize{555, 364};
inline constexpr int compactHeight = 103;
inline constexpr int fullHeight = 364;

// Builds the window hidden, centred by its designed outer size, with its controls visible
// inside it, Esc bound to closing and the focus waiting in the answer box.
MainWindow buildMainWindow();
