#pragma once

#include <QLabel>

// Shows a picture at its natural size at the top-left corner over the face colour.
// The picture is decoded when the box is first painted, so start-up does not pay for it;
// a picture that cannot be decoded leaves only the face colour.
class PictureBox : public QLabel {
public:
    PictureBox(QString pictureFile, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString pictureFile_;
    bool loaded_ = false;
};
