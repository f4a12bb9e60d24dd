// The smallest Qt Widgets program of the same kind as Tervalo, to compare its start-up with:
// one window holding a label, a line edit and a button, shown once. Nothing else.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QWidget>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Baseline"));
    window.resize(551, 80);
    auto* label = new QLabel(QStringLiteral("1/8"), &window);
    label->setGeometry(16, 24, 112, 48);
    auto* edit = new QLineEdit(&window);
    edit->setGeometry(154, 23, 112, 48);
    auto* button = new QPushButton(QStringLiteral("Show"), &window);
    button->setGeometry(470, 28, 72, 40);
    window.show();
    return QApplication::exec();
}
