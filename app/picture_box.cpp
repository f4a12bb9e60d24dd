#include "picture_box.h"

#include <QPixmap>

#include <utility>

PictureBox::PictureBox(QString pictureFile, QWidget* parent)
    : QLabel(parent)
    , pictureFile_(std::move(pictureFile))
{
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setAutoFillBackground(true);
}

void PictureBox::paintEvent(QPaintEvent* event)
{
    if (!loaded_) {
        loaded_ = true;
        setPixmap(QPixmap(pictureFile_));
    }
    QLabel::paintEvent(event);
}
