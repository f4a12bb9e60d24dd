#pragma once

#include <QLabel>

// A one-line label: left-aligned, vertically centred, cut at its right edge, on the face
// colour; an ampersand marks a mnemonic ("&&" draws one).
class MnemonicLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent* event) override;
};
